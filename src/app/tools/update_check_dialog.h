#pragma once
// "Check for Updates": the address of the version file (kept in the settings), a Check button
// and the answer in words. The request has a time-out, so a dead network ends in a message.
#include <QDialog>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class Settings;

// One GET with a time-out: the body (at most 64 KB), or nullopt with the reason in `error`.
std::optional<std::string> fetch_text(const QString& address, int timeout_ms, QString& error);

class UpdateCheckDialog : public QDialog {
    Q_OBJECT
  public:
    UpdateCheckDialog(Settings& settings, QString running_version, QWidget* parent = nullptr);

    // Saves the address and asks it; the answer goes to result().
    void check();

    QLineEdit* address() const { return address_; }
    QPushButton* check_button() const { return check_; }
    QLabel* result() const { return result_; }
    // The user's consent to a quiet check each time the program starts.
    QCheckBox* at_startup() const { return at_startup_; }
    int timeout_ms = 10000;

  private:
    Settings& settings_;
    QString running_;
    QLineEdit* address_ = nullptr;
    QPushButton* check_ = nullptr;
    QLabel* result_ = nullptr;
    QCheckBox* at_startup_ = nullptr;
};

}  // namespace tarvex
