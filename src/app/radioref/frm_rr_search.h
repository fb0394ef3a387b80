#pragma once
// The RadioReference frequency search (frm_rr_search): who uses a frequency in a county or in up
// to three states, and a county's frequencies of one service tag. It logs in with the
// credentials the import window stored and never asks for them itself.
#include <QWidget>
#include <memory>

#include "core/radioref/rr_service.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tarvex {

class Prompter;
class QtHttpClient;
class Settings;
class PasswordStore;

class FrmRrSearch : public QWidget {
    Q_OBJECT
  public:
    FrmRrSearch(Settings& settings, Prompter& prompter, QWidget* parent = nullptr);
    ~FrmRrSearch() override;
    QTreeWidget* results() const { return results_; }
    radioref::SoapConnection& connection() { return *conn_; }
    // Opens a web page; tests replace it.
    std::function<void(const QString& url)> openUrl;

  public slots:
    bool login();
    void searchCounty();
    void searchState();
    void searchTag();
    void openWebPage();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void addRows(const std::vector<radioref::SearchRow>& rows);
    std::string frequency();
    void loadCounties();

    Settings& settings_;
    Prompter& prompter_;
    std::unique_ptr<QtHttpClient> http_;
    std::unique_ptr<radioref::SoapConnection> conn_;
    std::unique_ptr<PasswordStore> passwords_;
    QLineEdit* freq_ = nullptr;
    QComboBox* tone_ = nullptr;
    QComboBox* county_ = nullptr;
    QComboBox* states_[3] = {};
    QComboBox* tag_ = nullptr;
    QLabel* status_ = nullptr;
    QTreeWidget* results_ = nullptr;
    QWidget* controls_ = nullptr;
};

}  // namespace tarvex
