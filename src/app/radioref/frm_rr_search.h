#pragma once
// The RadioReference frequency search (frm_rr_search): who uses a frequency in a county or in up
// to three states, and a county's frequencies of one service tag. It logs in with the
// credentials the import window stored and never asks for them itself.
//
// Its service calls wait as the import window's do (RrCallBar): the status line says what is
// being searched, the progress label how much has arrived, and Cancel or Esc ends the wait. The
// results shown are replaced only by a search that completed; a cancelled or failed one says so
// in the status line and leaves them as they were.
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/radioref/rr_service.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tarvex {

class Prompter;
class QtHttpClient;
class RrCallBar;
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
    void cancelCall();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // One call of a search: what the status line says while it waits, and the call itself.
    struct SearchStep {
        QString doing;
        std::function<std::optional<std::vector<radioref::SearchRow>>()> call;
    };
    void runSearch(const std::vector<SearchStep>& steps);
    std::string frequency();
    std::string tone() const;
    bool loadCounties();

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
    QTreeWidget* results_ = nullptr;
    QWidget* controls_ = nullptr;
    QPushButton* log_in_ = nullptr;
    RrCallBar* calls_ = nullptr;
};

}  // namespace tarvex
