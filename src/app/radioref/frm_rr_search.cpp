#include "app/radioref/frm_rr_search.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/platform/password_store.h"
#include "app/platform/qt_http_client.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/radioref/rr_codes.h"
#include "core/radioref/rr_session.h"
#include "core/radioref/rr_settings.h"
#include "core/settings/settings.h"

namespace tarvex {

using namespace radioref;

namespace {
const char* k_state_keys[] = {"rr_src_state_text", "rr_src_state1_text", "rr_src_state2_text"};
}

FrmRrSearch::FrmRrSearch(Settings& settings, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      http_(std::make_unique<QtHttpClient>()),
      conn_(std::make_unique<SoapConnection>(*http_, prompter)),
      passwords_(std::make_unique<PasswordStore>(settings)) {
    setObjectName("frm_rr_search");
    setWindowTitle("RadioReference Frequency Search");
    openUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
    conn_->base_url = stored_base_url(settings_);
    conn_->app_key = stored_app_key(settings_).key;

    auto* root = new QVBoxLayout(this);
    controls_ = new QWidget;
    auto* grid = new QVBoxLayout(controls_);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* row1 = new QHBoxLayout;
    freq_ = new QLineEdit;
    freq_->setObjectName("txtFreq");
    tone_ = new QComboBox;
    tone_->setObjectName("cboTone");
    tone_->setEditable(true);
    tone_->addItems({"None", " PL", " DPL"});
    county_ = new QComboBox;
    county_->setObjectName("cboCounty");
    auto* by_county = new QPushButton("Search County");
    by_county->setObjectName("cmdSearchCounty");
    row1->addWidget(new QLabel("Frequency:"));
    row1->addWidget(freq_);
    row1->addWidget(new QLabel("Tone:"));
    row1->addWidget(tone_);
    row1->addWidget(county_, 1);
    row1->addWidget(by_county);
    grid->addLayout(row1);
    auto* row2 = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        states_[i] = new QComboBox;
        states_[i]->setObjectName(QString("cboState%1").arg(i));
        states_[i]->addItem(to_q(k_select_state), 0);
        for (const auto& s : us_states()) states_[i]->addItem(to_q(s.name), to_q(s.id).toInt());
        int at = states_[i]->findText(to_q(settings_.GetImportSetting(k_state_keys[i], "x")));
        states_[i]->setCurrentIndex(std::max(0, at));
        row2->addWidget(states_[i]);
    }
    auto* by_state = new QPushButton("Search State");
    by_state->setObjectName("cmdSearchState");
    row2->addWidget(by_state);
    tag_ = new QComboBox;
    tag_->setObjectName("cboTag");
    for (int n : service_tag_numbers()) tag_->addItem(to_q(ServiceTagName(n)), n);
    auto* by_tag = new QPushButton("Search Tag");
    by_tag->setObjectName("cmdSearchTag");
    row2->addWidget(tag_);
    row2->addWidget(by_tag);
    grid->addLayout(row2);
    root->addWidget(controls_);

    results_ = new QTreeWidget;
    results_->setObjectName("lvResults");
    results_->setRootIsDecorated(false);
    QStringList captions;
    for (auto c : k_search_captions) captions << to_q(c);
    results_->setHeaderLabels(captions);
    root->addWidget(results_, 1);
    auto* bottom = new QHBoxLayout;
    status_ = new QLabel;
    status_->setObjectName("lbl_status");
    auto* web = new QPushButton("Web Page");
    web->setObjectName("cmdWeb");
    auto* log_in = new QPushButton("Login");
    log_in->setObjectName("LogInBtn");
    bottom->addWidget(status_, 1);
    bottom->addWidget(log_in);
    bottom->addWidget(web);
    root->addLayout(bottom);
    controls_->setEnabled(false);

    connect(log_in, &QPushButton::clicked, this, &FrmRrSearch::login);
    connect(by_county, &QPushButton::clicked, this, &FrmRrSearch::searchCounty);
    connect(by_state, &QPushButton::clicked, this, &FrmRrSearch::searchState);
    connect(by_tag, &QPushButton::clicked, this, &FrmRrSearch::searchTag);
    connect(web, &QPushButton::clicked, this, &FrmRrSearch::openWebPage);
}

FrmRrSearch::~FrmRrSearch() = default;

void FrmRrSearch::closeEvent(QCloseEvent* event) {
    for (int i = 0; i < 3; ++i)
        settings_.SaveImportSetting(k_state_keys[i], from_q(states_[i]->currentText()));
    settings_.SaveImportSetting("rr_src_state_lindex", std::to_string(states_[0]->currentIndex()));
    settings_.SaveImportSetting("rr_src_state_id",
                                std::to_string(states_[0]->currentData().toInt()));
    http_->cancel();
    QWidget::closeEvent(event);
}

bool FrmRrSearch::login() {
    std::string user = settings_.GetImportSetting(k_key_user, "x");
    std::string pass = passwords_->read(user);
    if (user.empty() || pass.empty()) {
        prompter_.tell(
            "Please open Radioreference Import window and enter your username and "
            "password.");
        return false;
    }
    AppKey key = stored_app_key(settings_);
    if (!key.error.empty()) {
        prompter_.tell(key.error);
        return false;
    }
    conn_->app_key = key.key;
    conn_->user_name = user;
    conn_->password = pass;
    if (!conn_->initialised) conn_->initialised = conn_->InitSoap();
    if (!conn_->initialised) {
        status_->setText("Error, can not load WSDL file. Check firewall settings.");
        return false;
    }
    auto data = getUserData(*conn_);
    if (!data) {
        status_->setText("Error, can't read user data from RR server.");
        return false;
    }
    conn_->expiry = data->subExpireDate;
    conn_->logged_in = !conn_->expiry.empty();
    if (!conn_->logged_in) {
        prompter_.tell("No Response From Web Service.");
        status_->setText("No connection");
        return false;
    }
    status_->setText(to_q("Connected. Your subscription expires on: " + conn_->expiry));
    controls_->setEnabled(true);
    loadCounties();
    return true;
}

void FrmRrSearch::loadCounties() {
    county_->clear();
    int stid = states_[0]->currentData().toInt();
    if (stid <= 0) return;
    if (auto info = getStateInfo(*conn_, stid))
        for (const auto& c : info->counties) county_->addItem(to_q(c.countyName), c.ctid);
}

std::string FrmRrSearch::frequency() {
    std::string f = complete_frequency(from_q(freq_->text()));
    if (lenient_number(f) <= 0) {
        prompter_.tell("Please enter a frequency");
        return {};
    }
    freq_->setText(to_q(f));
    return f;
}

void FrmRrSearch::addRows(const std::vector<SearchRow>& rows) {
    CountyNames counties(*conn_);
    for (const auto& r : rows) {
        QStringList cells;
        for (const auto& c : search_columns(r, counties)) cells << to_q(c);
        new QTreeWidgetItem(results_, cells);
    }
}

void FrmRrSearch::searchCounty() {
    std::string f = frequency();
    if (f.empty() || county_->currentIndex() < 0) return;
    std::string tone = tone_->currentIndex() == 0 ? "" : from_q(tone_->currentText());
    results_->clear();
    if (auto rows = searchCountyFreq(*conn_, county_->currentData().toInt(), f, tone))
        addRows(*rows);
}

void FrmRrSearch::searchState() {
    std::string f = frequency();
    if (f.empty()) return;
    if (states_[0]->currentData().toInt() <= 0) {
        prompter_.tell("Please select a State");
        return;
    }
    std::string tone = tone_->currentIndex() == 0 ? "" : from_q(tone_->currentText());
    results_->clear();
    for (auto* box : states_) {
        int stid = box->currentData().toInt();
        if (stid <= 0) continue;
        if (auto rows = searchStateFreq(*conn_, stid, f, tone)) addRows(*rows);
    }
}

void FrmRrSearch::searchTag() {
    if (county_->currentIndex() < 0) return;
    int ctid = county_->currentData().toInt();
    results_->clear();
    if (auto rows = getCountyFreqsByTag(*conn_, ctid, tag_->currentData().toInt())) {
        auto copy = *rows;
        for (auto& r : copy) r.ctid = ctid;
        addRows(copy);
    }
}

void FrmRrSearch::openWebPage() {
    auto* item = results_->currentItem();
    if (!item) return;
    int sid = item->text(12).toInt(), aid = item->text(13).toInt(), ctid = item->text(14).toInt();
    if (sid > 0)
        openUrl(to_q(web_page("system", sid)));
    else if (aid > 0)
        openUrl(to_q(web_page("agency", aid)));
    else if (ctid > 0)
        openUrl(to_q(web_page("county", ctid)));
}

}  // namespace tarvex
