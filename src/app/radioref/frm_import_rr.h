#pragma once
// The RadioReference import window (FrmImportRR): log in, walk from country to state to county
// or agency (or jump there by ZIP code), pick a trunked system or subcategories of conventional
// frequencies, tick what to take, and import it into the editor's store. Every service call
// waits in a local event loop: the window stays painted, Cancel ends the wait, and a failure
// shows the service's text and leaves the store as it was.
//
// After an import the window emits systemsImported(): the main window rebuilds its browser and
// marks its data changed.
#include <QWidget>
#include <memory>
#include <optional>

#include "core/radioref/rr_import.h"
#include "core/radioref/rr_service.h"
#include "core/radioref/rr_session.h"
#include "core/settings/folders.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvex {

class GroupFiles;
class Prompter;
class QtHttpClient;
class RrCallBar;
class Settings;
class SystemStore;
class PasswordStore;

class FrmImportRR : public QWidget {
    Q_OBJECT
  public:
    FrmImportRR(Settings& settings, Prompter& prompter, SystemStore& store, GroupFiles& files,
                DataFolders folders, QWidget* parent = nullptr);
    ~FrmImportRR() override;

    radioref::SoapConnection& connection() { return *conn_; }
    // Milliseconds from showing the window to the automatic login; negative: none.
    void setLoginDelay(int ms) { login_delay_ = ms; }
    const radioref::ImportReport& lastReport() const { return report_; }

  public slots:
    void login();
    void chooseCountry(int index);
    void chooseState(int index);
    void chooseCounty(int index);
    void chooseSystem(int index);
    void zipEntered();
    // Fetches the frequencies of every ticked subcategory into the frequency list.
    void fetchSubcategories();
    void importTicked();
    void openTagFilter();
    void cancelCall();

  signals:
    void systemsImported();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void retryTick();
    void setStatus(const QString& text);
    void loadTrunkedSystem(int sid);
    void fillCategories(const std::vector<radioref::Category>& cats);
    void fillSystemList();
    void updateCounters();
    void saveOptions();
    void loadOptions();
    radioref::ImportOptions options() const;
    std::string systemName(const std::string& fallback) const;

    Settings& settings_;
    Prompter& prompter_;
    SystemStore& store_;
    GroupFiles& files_;
    DataFolders folders_;
    std::unique_ptr<QtHttpClient> http_;
    std::unique_ptr<radioref::SoapConnection> conn_;
    std::unique_ptr<PasswordStore> passwords_;
    radioref::LoginRetry retry_;
    radioref::LookupLists lists_;
    radioref::ImportReport report_;
    int login_delay_ = 300;

    // what the lists show
    std::optional<radioref::CountryInfo> country_;
    std::optional<radioref::StateInfo> state_;
    std::optional<radioref::CountyInfo> county_;
    std::optional<radioref::AgencyInfo> agency_;
    std::vector<radioref::Category> cats_;
    int trunk_sid_ = 0;
    radioref::TrsDetails details_;
    std::vector<radioref::TrsSite> sites_;
    std::vector<radioref::TgCategory> tg_cats_;
    std::vector<radioref::Talkgroup> talkgroups_;  // every category's, loaded with the system
    std::vector<radioref::ChosenFrequency> conv_rows_;

    QLineEdit* user_ = nullptr;
    QLineEdit* pass_ = nullptr;
    QLineEdit* zip_ = nullptr;
    QLabel* expiry_ = nullptr;
    QCheckBox* trace_ = nullptr;
    QComboBox* country_box_ = nullptr;
    QComboBox* state_box_ = nullptr;
    QComboBox* county_box_ = nullptr;
    QComboBox* system_box_ = nullptr;
    QRadioButton* type_trunk_ = nullptr;
    QRadioButton* type_agency_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* cat_tree_ = nullptr;
    QTreeWidget* conv_list_ = nullptr;
    QTreeWidget* site_list_ = nullptr;
    QTreeWidget* freq_list_ = nullptr;
    QTreeWidget* tg_list_ = nullptr;
    QLabel* conv_count_ = nullptr;
    QLabel* trunk_count_ = nullptr;
    QLabel* filter_label_ = nullptr;
    QCheckBox* filters_[3] = {};
    QLineEdit* name1_ = nullptr;
    QLineEdit* name2_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QCheckBox* use_alpha_ = nullptr;      // Check5
    QCheckBox* remove_blanks_ = nullptr;  // Check3
    QCheckBox* upper_ = nullptr;          // Check7
    QCheckBox* afs_ = nullptr;            // Check9
    QCheckBox* cc_[3] = {};               // check8: ccpri, ccalt, ccall
    QComboBox* untag_trunk_ = nullptr;
    QComboBox* untag_conv_ = nullptr;
    QPushButton* login_button_ = nullptr;
    QPushButton* import_button_ = nullptr;
    RrCallBar* calls_ = nullptr;
    QWidget* panel_ = nullptr;
    QTimer* timer2_ = nullptr;
    QTimer* timer5_ = nullptr;
    QTimer* timer6_ = nullptr;
};

}  // namespace tarvex
