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
#include "app/radioref/rr_call_bar.h"
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
    // The label names the box for screen readers (and for Alt+F).
    auto* freq_label = new QLabel("&Frequency:");
    freq_label->setBuddy(freq_);
    row1->addWidget(freq_label);
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
    calls_ = new RrCallBar(*http_);
    auto* web = new QPushButton("Web Page");
    web->setObjectName("cmdWeb");
    log_in_ = new QPushButton("Login");
    log_in_->setObjectName("LogInBtn");
    calls_->addButton(log_in_);
    calls_->addButton(web);
    // The results and their web pages stay usable while a search waits.
    calls_->guard({controls_, log_in_});
    root->addWidget(calls_);
    controls_->setEnabled(false);

    connect(log_in_, &QPushButton::clicked, this, &FrmRrSearch::login);
    connect(states_[0], &QComboBox::activated, this, [this] {
        if (conn_->logged_in) loadCounties();
    });
    connect(by_county, &QPushButton::clicked, this, &FrmRrSearch::searchCounty);
    connect(by_state, &QPushButton::clicked, this, &FrmRrSearch::searchState);
    connect(by_tag, &QPushButton::clicked, this, &FrmRrSearch::searchTag);
    connect(web, &QPushButton::clicked, this, &FrmRrSearch::openWebPage);
}

FrmRrSearch::~FrmRrSearch() = default;

void FrmRrSearch::closeEvent(QCloseEvent* event) {
    if (calls_->deferClose(event)) return;
    for (int i = 0; i < 3; ++i)
        settings_.SaveImportSetting(k_state_keys[i], from_q(states_[i]->currentText()));
    settings_.SaveImportSetting("rr_src_state_lindex", std::to_string(states_[0]->currentIndex()));
    settings_.SaveImportSetting("rr_src_state_id",
                                std::to_string(states_[0]->currentData().toInt()));
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
    if (!calls_->begin("Wait connecting.")) return false;
    if (!conn_->initialised) conn_->initialised = conn_->InitSoap();
    std::optional<UserData> data;
    if (conn_->initialised) data = getUserData(*conn_);
    calls_->end();
    if (calls_->cancelled()) {
        calls_->setStatus("Cancelled.");
        return false;
    }
    if (!conn_->initialised) {
        calls_->setStatus("Error, can not load WSDL file. Check firewall settings.");
        return false;
    }
    if (!data) {
        calls_->setStatus("Error, can't read user data from RR server.");
        return false;
    }
    conn_->expiry = data->subExpireDate;
    conn_->logged_in = !conn_->expiry.empty();
    if (!conn_->logged_in) {
        prompter_.tell("No Response From Web Service.");
        calls_->setStatus("No connection");
        return false;
    }
    controls_->setEnabled(true);
    // Logged in even when the county list could not be had; its status line says why.
    if (loadCounties())
        calls_->setStatus(to_q("Connected. Your subscription expires on: " + conn_->expiry));
    return true;
}

bool FrmRrSearch::loadCounties() {
    int stid = states_[0]->currentData().toInt();
    if (stid <= 0) {
        county_->clear();
        return true;
    }
    if (!calls_->begin(to_q("Wait retrieving the counties of " + state_name(stid) + ".")))
        return false;
    auto info = getStateInfo(*conn_, stid);
    calls_->end();
    if (!info) {
        // The list keeps the counties it had; the status line says why it did not change.
        calls_->setStatus(calls_->cancelled() ? QString("Cancelled.")
                                              : to_q("Counties not loaded: " + conn_->last_error));
        return false;
    }
    county_->clear();
    for (const auto& c : info->counties) county_->addItem(to_q(c.countyName), c.ctid);
    calls_->setStatus("Done");
    return true;
}

void FrmRrSearch::cancelCall() {
    calls_->cancel();
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

std::string FrmRrSearch::tone() const {
    return tone_->currentIndex() == 0 ? "" : from_q(tone_->currentText());
}

void FrmRrSearch::runSearch(const std::vector<SearchStep>& steps) {
    if (!calls_->begin()) return;
    std::vector<SearchRow> rows;
    bool ok = true;
    for (size_t i = 0; i < steps.size() && ok; ++i) {
        QString doing = steps[i].doing;
        if (steps.size() > 1) doing += QString(" (%1 of %2)").arg(i + 1).arg(steps.size());
        calls_->setStatus(doing + "...");
        auto got = steps[i].call();
        ok = got.has_value() && !calls_->cancelled();
        if (ok) rows.insert(rows.end(), got->begin(), got->end());
    }
    // The county column asks the service for names it has not seen yet: still part of the wait.
    std::vector<QStringList> lines;
    if (ok) {
        calls_->setStatus("Wait retrieving county names...");
        CountyNames counties(*conn_);
        for (const auto& r : rows) {
            QStringList cells;
            for (const auto& c : search_columns(r, counties)) cells << to_q(c);
            lines.push_back(cells);
            if (calls_->cancelled()) {
                ok = false;
                break;
            }
        }
    }
    calls_->end();
    if (!ok) {
        std::string why = conn_->last_error.empty() ? "" : ": " + conn_->last_error;
        calls_->setStatus(calls_->cancelled() ? QString("Cancelled.")
                                              : to_q("The search failed" + why));
        return;
    }
    results_->clear();
    for (const auto& cells : lines) new QTreeWidgetItem(results_, cells);
    calls_->setStatus(lines.size() == 1 ? QString("Done: 1 result.")
                                        : QString("Done: %1 results.").arg(lines.size()));
}

void FrmRrSearch::searchCounty() {
    std::string f = frequency();
    if (f.empty() || county_->currentIndex() < 0) return;
    int ctid = county_->currentData().toInt();
    std::string t = tone();
    runSearch({{"Wait searching " + county_->currentText() + " for " + to_q(f),
                [=, this] { return searchCountyFreq(*conn_, ctid, f, t); }}});
}

void FrmRrSearch::searchState() {
    std::string f = frequency();
    if (f.empty()) return;
    if (states_[0]->currentData().toInt() <= 0) {
        prompter_.tell("Please select a State");
        return;
    }
    std::string t = tone();
    std::vector<SearchStep> steps;
    for (auto* box : states_) {
        int stid = box->currentData().toInt();
        if (stid <= 0) continue;
        steps.push_back({"Wait searching " + box->currentText() + " for " + to_q(f),
                         [=, this] { return searchStateFreq(*conn_, stid, f, t); }});
    }
    runSearch(steps);
}

void FrmRrSearch::searchTag() {
    if (county_->currentIndex() < 0) return;
    int ctid = county_->currentData().toInt();
    int tag = tag_->currentData().toInt();
    runSearch({{"Wait retrieving " + tag_->currentText() + " in " + county_->currentText(),
                [=, this]() -> std::optional<std::vector<SearchRow>> {
                    auto rows = getCountyFreqsByTag(*conn_, ctid, tag);
                    // The answer leaves out the county it was asked about.
                    if (rows)
                        for (auto& r : *rows) r.ctid = ctid;
                    return rows;
                }}});
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
