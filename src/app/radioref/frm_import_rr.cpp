#include "app/radioref/frm_import_rr.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/platform/password_store.h"
#include "app/platform/qt_http_client.h"
#include "app/radioref/frm_rr_tag_filter.h"
#include "app/radioref/rr_call_bar.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/radioref/rr_codes.h"
#include "core/radioref/rr_settings.h"
#include "core/settings/settings.h"

namespace tarvex {

using namespace radioref;

namespace {

constexpr int k_id_role = Qt::UserRole;
constexpr int k_index_role = Qt::UserRole + 1;

QTreeWidget* make_list(const QString& name, const QStringList& captions) {
    auto* t = new QTreeWidget;
    t->setObjectName(name);
    t->setHeaderLabels(captions);
    t->setRootIsDecorated(false);
    t->setUniformRowHeights(true);
    return t;
}

QTreeWidgetItem* ticked_row(QTreeWidget* list, const QStringList& cells, int index,
                            bool ticked = true) {
    auto* item = new QTreeWidgetItem(list, cells);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, k_index_role, index);
    return item;
}

int ticked_count(QTreeWidget* list) {
    int n = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        n += list->topLevelItem(i)->checkState(0) == Qt::Checked;
    return n;
}

QString tag_text(const std::vector<int>& tags) {
    return tags.empty() ? QString() : QString::number(tags.front());
}

void fill_tag_combo(QComboBox* box) {
    for (int n : service_tag_numbers())
        box->addItem(to_q(std::to_string(n) + " " + std::string(ServiceTagName(n))), n);
}

}  // namespace

FrmImportRR::FrmImportRR(Settings& settings, Prompter& prompter, SystemStore& store,
                         GroupFiles& files, DataFolders folders, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      store_(store),
      files_(files),
      folders_(std::move(folders)),
      http_(std::make_unique<QtHttpClient>()),
      conn_(std::make_unique<SoapConnection>(*http_, prompter)),
      passwords_(std::make_unique<PasswordStore>(settings)) {
    setObjectName("FrmImportRR");
    setWindowTitle("RadioReference Import");
    // The SOAP folder: application data + "norvanesoap" + the application name; the WSDL cache
    // and nothing else goes there.
    QString app_data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    conn_->soap_folder = std::filesystem::path(app_data.toStdString()) / "norvanesoap" / "TARVEX";
    conn_->trace.file =
        std::filesystem::path(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString()) /
        "soaplog.txt";
    conn_->base_url = stored_base_url(settings_);
    conn_->app_key = stored_app_key(settings_).key;
    build();
    loadOptions();
}

FrmImportRR::~FrmImportRR() = default;

void FrmImportRR::build() {
    auto* root = new QVBoxLayout(this);
    panel_ = new QWidget;
    auto* panel = new QVBoxLayout(panel_);
    panel->setContentsMargins(0, 0, 0, 0);
    root->addWidget(panel_, 1);

    // Login row
    auto* login_row = new QHBoxLayout;
    user_ = new QLineEdit;
    user_->setObjectName("txtUser");
    pass_ = new QLineEdit;
    pass_->setObjectName("txtPass");
    pass_->setEchoMode(QLineEdit::Password);
    zip_ = new QLineEdit;
    zip_->setObjectName("txtZip");
    zip_->setMaximumWidth(80);
    login_button_ = new QPushButton("Login");
    login_button_->setObjectName("LogInBtn");
    expiry_ = new QLabel;
    expiry_->setObjectName("lbl_expire");
    trace_ = new QCheckBox("Trace");
    trace_->setObjectName("Check10");
    login_row->addWidget(new QLabel("User:"));
    login_row->addWidget(user_);
    login_row->addWidget(new QLabel("Password:"));
    login_row->addWidget(pass_);
    login_row->addWidget(new QLabel("ZIP:"));
    login_row->addWidget(zip_);
    login_row->addWidget(login_button_);
    login_row->addWidget(expiry_);
    login_row->addWidget(trace_);
    panel->addLayout(login_row);

    // Where: country, state, county, trunk systems or agencies
    auto* where = new QHBoxLayout;
    country_box_ = new QComboBox;
    country_box_->setObjectName("CboCountry");
    country_box_->addItem("United States", 1);
    country_box_->addItem("Canada", 2);
    state_box_ = new QComboBox;
    state_box_->setObjectName("CboState");
    county_box_ = new QComboBox;
    county_box_->setObjectName("CboCounty");
    system_box_ = new QComboBox;
    system_box_->setObjectName("CboSystem");
    type_trunk_ = new QRadioButton("Trunk Systems:");
    type_trunk_->setObjectName("TypeOpt_0");
    type_agency_ = new QRadioButton("Agency:");
    type_agency_->setObjectName("TypeOpt_1");
    type_trunk_->setChecked(true);
    auto* type_group = new QButtonGroup(this);
    type_group->setObjectName("TypeOpt");
    type_group->addButton(type_trunk_, 0);
    type_group->addButton(type_agency_, 1);
    where->addWidget(country_box_);
    where->addWidget(state_box_);
    where->addWidget(county_box_);
    where->addWidget(type_trunk_);
    where->addWidget(type_agency_);
    where->addWidget(system_box_, 1);
    panel->addLayout(where);

    tabs_ = new QTabWidget;
    tabs_->setObjectName("tabMode");
    // Conventional: category tree and frequency list
    auto* conv = new QWidget;
    auto* conv_layout = new QVBoxLayout(conv);
    auto* split = new QSplitter;
    cat_tree_ = new QTreeWidget;
    cat_tree_->setObjectName("tv_cats");
    cat_tree_->setHeaderLabels({"Categories:"});
    conv_list_ = make_list("convgrid", {"Frequency", "Input", "Tone", "Alpha Tag", "Description",
                                        "Mode", "Tag", "Subcategory", "Location"});
    split->addWidget(cat_tree_);
    split->addWidget(conv_list_);
    split->setStretchFactor(1, 3);
    conv_layout->addWidget(split, 1);
    auto* conv_row = new QHBoxLayout;
    auto* fetch = new QPushButton("Get Frequencies");
    fetch->setObjectName("cmdGetFreqs");
    conv_count_ = new QLabel("0 / 0");
    conv_count_->setObjectName("lbl_convcount");
    untag_conv_ = new QComboBox;
    untag_conv_->setObjectName("cboUntagConv");
    fill_tag_combo(untag_conv_);
    conv_row->addWidget(fetch);
    conv_row->addWidget(conv_count_);
    conv_row->addStretch();
    conv_row->addWidget(new QLabel("Untagged:"));
    conv_row->addWidget(untag_conv_);
    conv_layout->addLayout(conv_row);
    tabs_->addTab(conv, "Conventional");

    // Trunked: sites, site frequencies, talkgroups
    auto* trunk = new QWidget;
    auto* trunk_layout = new QVBoxLayout(trunk);
    auto* tsplit = new QSplitter;
    site_list_ = make_list("sitegrid", {"Site", "Name", "Latitude", "Longitude", "Range", "County",
                                        "Rebanded", "Splinter"});
    freq_list_ = make_list("freqgrid", {"Frequency", "Use", "LCN", "Site"});
    tg_list_ = make_list(
        "tggrid", {"Decimal", "Alt. ID", "Alpha Tag", "Description", "Tag", "Category", "Mode"});
    tsplit->addWidget(site_list_);
    tsplit->addWidget(freq_list_);
    tsplit->addWidget(tg_list_);
    tsplit->setStretchFactor(2, 3);
    trunk_layout->addWidget(tsplit, 1);
    auto* trunk_row = new QHBoxLayout;
    static const char* filter_names[] = {"Analog", "Digital", "Other"};
    for (int i = 0; i < 3; ++i) {
        filters_[i] = new QCheckBox(filter_names[i]);
        filters_[i]->setObjectName(QString("Check1_%1").arg(i));
        filters_[i]->setChecked(true);
        trunk_row->addWidget(filters_[i]);
        connect(filters_[i], &QCheckBox::toggled, this, [this] { updateCounters(); });
    }
    filter_label_ = new QLabel;
    filter_label_->setObjectName("lbl_filters");
    trunk_count_ = new QLabel;
    trunk_count_->setObjectName("lbl_trunkcount");
    static const char* cc_names[] = {"ccpri", "ccalt", "ccall"};
    static const char* cc_captions[] = {"Control", "Alternate control", "All frequencies"};
    for (int i = 0; i < 3; ++i) {
        cc_[i] = new QCheckBox(cc_captions[i]);
        cc_[i]->setObjectName(QString("check8_%1").arg(cc_names[i]));
    }
    afs_ = new QCheckBox("EDACS AFS");
    afs_->setObjectName("Check9");
    untag_trunk_ = new QComboBox;
    untag_trunk_->setObjectName("cboUntagTrunk");
    fill_tag_combo(untag_trunk_);
    trunk_row->addWidget(filter_label_);
    trunk_row->addWidget(trunk_count_);
    trunk_row->addStretch();
    for (auto* c : cc_) trunk_row->addWidget(c);
    trunk_row->addWidget(afs_);
    trunk_row->addWidget(new QLabel("Untagged:"));
    trunk_row->addWidget(untag_trunk_);
    trunk_layout->addLayout(trunk_row);
    tabs_->addTab(trunk, "Trunked");
    panel->addWidget(tabs_, 1);

    // Names and options
    auto* opts = new QHBoxLayout;
    name1_ = new QLineEdit;
    name1_->setObjectName("txtName1");
    name2_ = new QLineEdit;
    name2_->setObjectName("txtName2");
    option1_ = new QRadioButton("Name:");
    option1_->setObjectName("Option1_1");
    option2_ = new QRadioButton("Other name:");
    option2_->setObjectName("Option1_2");
    option1_->setChecked(true);
    use_alpha_ = new QCheckBox("Use alpha tags");
    use_alpha_->setObjectName("Check5");
    remove_blanks_ = new QCheckBox("Remove blanks");
    remove_blanks_->setObjectName("Check3");
    upper_ = new QCheckBox("Upper case");
    upper_->setObjectName("Check7");
    auto* tag_filter = new QPushButton(QString::fromUtf8("Service Types\u2026"));
    tag_filter->setObjectName("cmdTagFilter");
    opts->addWidget(option1_);
    opts->addWidget(name1_);
    opts->addWidget(option2_);
    opts->addWidget(name2_);
    opts->addWidget(use_alpha_);
    opts->addWidget(remove_blanks_);
    opts->addWidget(upper_);
    opts->addWidget(tag_filter);
    panel->addLayout(opts);

    calls_ = new RrCallBar(*http_);
    import_button_ = new QPushButton("Import");
    import_button_->setObjectName("cmdImport");
    calls_->addButton(import_button_);
    calls_->guard({panel_, import_button_});
    root->addWidget(calls_);

    timer2_ = new QTimer(this);
    timer2_->setObjectName("Timer2");
    timer2_->setSingleShot(true);
    timer5_ = new QTimer(this);
    timer5_->setObjectName("Timer5");
    timer5_->setInterval(1000);
    timer6_ = new QTimer(this);
    timer6_->setObjectName("Timer6");
    timer6_->setSingleShot(true);
    timer6_->setInterval(10);

    connect(login_button_, &QPushButton::clicked, this, &FrmImportRR::login);
    connect(zip_, &QLineEdit::returnPressed, this, &FrmImportRR::zipEntered);
    connect(country_box_, &QComboBox::activated, this, &FrmImportRR::chooseCountry);
    connect(state_box_, &QComboBox::activated, this, &FrmImportRR::chooseState);
    connect(county_box_, &QComboBox::activated, this, &FrmImportRR::chooseCounty);
    connect(system_box_, &QComboBox::activated, this, &FrmImportRR::chooseSystem);
    connect(type_group, &QButtonGroup::idClicked, this, [this] { fillSystemList(); });
    connect(fetch, &QPushButton::clicked, this, &FrmImportRR::fetchSubcategories);
    connect(import_button_, &QPushButton::clicked, this, &FrmImportRR::importTicked);
    connect(tag_filter, &QPushButton::clicked, this, &FrmImportRR::openTagFilter);
    connect(conv_list_, &QTreeWidget::itemChanged, this, [this] { updateCounters(); });
    connect(tg_list_, &QTreeWidget::itemChanged, this, [this] { updateCounters(); });
    connect(trace_, &QCheckBox::toggled, this, [this](bool on) {
        conn_->trace.enabled = on;
        settings_.SaveImportSetting(k_key_trace, on ? "1" : "0");
        if (!on) conn_->trace.delete_file(prompter_);
    });
    connect(timer2_, &QTimer::timeout, this, [this] {
        setStatus("Wait connecting.");
        timer5_->start();
    });
    connect(timer5_, &QTimer::timeout, this, &FrmImportRR::retryTick);
    connect(timer6_, &QTimer::timeout, this,
            [this] { chooseCountry(country_box_->currentIndex()); });
}

void FrmImportRR::loadOptions() {
    ImportOptions o = load_import_options(settings_);
    use_alpha_->setChecked(o.use_alpha);
    remove_blanks_->setChecked(o.remove_blanks);
    upper_->setChecked(o.upper);
    afs_->setChecked(o.afs);
    cc_[0]->setChecked(o.cc_pri);
    cc_[1]->setChecked(o.cc_alt);
    cc_[2]->setChecked(o.cc_all);
    untag_trunk_->setCurrentIndex(std::max(0, untag_trunk_->findData(o.untagged_trunk)));
    untag_conv_->setCurrentIndex(std::max(0, untag_conv_->findData(o.untagged_conv)));
    std::string user = settings_.GetImportSetting(k_key_user, "x");
    user_->setText(to_q(user));
    pass_->setText(to_q(passwords_->read(user)));
    zip_->setText(to_q(settings_.GetImportSetting(k_key_zip, "x")));
    QSignalBlocker block(trace_);
    trace_->setChecked(settings_.GetImportSetting(k_key_trace, "0x") == "1");
    conn_->trace.enabled = trace_->isChecked();
}

ImportOptions FrmImportRR::options() const {
    ImportOptions o = load_import_options(settings_);
    o.use_alpha = use_alpha_->isChecked();
    o.remove_blanks = remove_blanks_->isChecked();
    o.upper = upper_->isChecked();
    o.afs = afs_->isChecked();
    o.cc_pri = cc_[0]->isChecked();
    o.cc_alt = cc_[1]->isChecked();
    o.cc_all = cc_[2]->isChecked();
    o.untagged_trunk = untag_trunk_->currentData().toInt();
    o.untagged_conv = untag_conv_->currentData().toInt();
    return o;
}

void FrmImportRR::saveOptions() {
    save_import_options(settings_, options());
}

void FrmImportRR::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (login_delay_ >= 0 && !conn_->logged_in && !timer2_->isActive() && !timer5_->isActive())
        timer2_->start(login_delay_);
}

void FrmImportRR::closeEvent(QCloseEvent* event) {
    if (calls_->deferClose(event)) return;
    timer2_->stop();
    timer5_->stop();
    saveOptions();
    QWidget::closeEvent(event);
}

void FrmImportRR::setStatus(const QString& text) {
    calls_->setStatus(text);
}

void FrmImportRR::cancelCall() {
    calls_->cancel();
}

void FrmImportRR::retryTick() {
    timer5_->stop();
    if (retry_.tick() == LoginRetry::Step::give_up) {
        setStatus(to_q(k_give_up_status));
        return;
    }
    login();
    if (!conn_->logged_in && !user_->text().isEmpty() && !pass_->text().isEmpty()) timer5_->start();
}

void FrmImportRR::login() {
    std::string user = from_q(user_->text()), pass = from_q(pass_->text());
    if (user.empty() || pass.empty()) return;
    AppKey key = stored_app_key(settings_);
    if (!key.error.empty()) {
        // A key of the wrong form is refused by the service anyway; say what to fix instead.
        timer5_->stop();
        setStatus(to_q(key.error));
        prompter_.tell(key.error);
        return;
    }
    if (!calls_->begin()) return;
    conn_->app_key = key.key;
    settings_.SaveImportSetting(k_key_user, user);
    settings_.SaveImportSetting(k_key_zip, from_q(zip_->text()));
    passwords_->write(user, pass);
    conn_->trace.SoapLog(folders_.data.string() + "INIT");
    LoginResult r = radioref::login(*conn_, user, pass, from_q(zip_->text()));
    calls_->end();
    if (!r.status.empty()) setStatus(to_q(r.status));
    if (!r.logged_in) return;
    timer5_->stop();
    retry_.reset();
    lists_ = std::move(r.lists);
    expiry_->setText(to_q(conn_->expiry));
    timer6_->start();
}

void FrmImportRR::chooseCountry(int index) {
    if (!conn_->logged_in || index < 0 || !calls_->begin()) return;
    conn_->trace.SoapLog("COUNTRY: Reading States for Country " +
                         from_q(country_box_->itemText(index)));
    country_ = getCountryInfo(*conn_, country_box_->itemData(index).toInt());
    calls_->end();
    state_box_->clear();
    state_box_->addItem(">>>  Select State <<<", 0);
    if (country_)
        for (const auto& s : country_->states) state_box_->addItem(to_q(s.stateName), s.stid);
    setStatus("Please select State.");
}

void FrmImportRR::chooseState(int index) {
    int stid = state_box_->itemData(index).toInt();
    if (stid <= 0 || !calls_->begin()) return;
    setStatus("Wait retrieving data from database..");
    state_ = getStateInfo(*conn_, stid);
    calls_->end();
    county_ = std::nullopt;
    county_box_->clear();
    county_box_->addItem(">>>  Select  <<<", -1);
    county_box_->addItem("Statewide", 0);
    if (state_)
        for (const auto& c : state_->counties) county_box_->addItem(to_q(c.countyName), c.ctid);
    fillSystemList();
    setStatus("Please select County or Agency");
}

void FrmImportRR::chooseCounty(int index) {
    int ctid = county_box_->itemData(index).toInt();
    if (ctid < 0) return;
    if (ctid == 0) {  // Statewide: the state's own lists
        county_ = std::nullopt;
        fillSystemList();
        fillCategories({});
        setStatus("Done");
        return;
    }
    if (!calls_->begin()) return;
    setStatus("Wait retrieving data from database...");
    county_ = getCountyInfo(*conn_, ctid);
    calls_->end();
    fillCategories(county_ ? county_->cats : std::vector<Category>{});
    fillSystemList();
    setStatus("Done");
}

void FrmImportRR::fillSystemList() {
    system_box_->clear();
    const std::vector<TrsEntry>* systems = county_  ? &county_->systems
                                           : state_ ? &state_->systems
                                                    : nullptr;
    const std::vector<Agency>* agencies = county_  ? &county_->agencies
                                          : state_ ? &state_->agencies
                                                   : nullptr;
    system_box_->addItem(">>>  Select  <<<", 0);
    if (type_trunk_->isChecked() && systems)
        for (const auto& s : *systems) system_box_->addItem(to_q(s.sName), s.sid);
    if (type_agency_->isChecked() && agencies)
        for (const auto& a : *agencies) system_box_->addItem(to_q(a.aName), a.aid);
}

void FrmImportRR::fillCategories(const std::vector<Category>& cats) {
    cats_ = cats;
    QSignalBlocker block(cat_tree_);
    cat_tree_->clear();
    for (size_t i = 0; i < cats_.size(); ++i) {
        auto* cat = new QTreeWidgetItem(cat_tree_, {to_q(cats_[i].cName)});
        cat->setData(0, k_id_role, cats_[i].cid);
        for (size_t j = 0; j < cats_[i].subcats.size(); ++j) {
            const Subcat& sc = cats_[i].subcats[j];
            auto* sub = new QTreeWidgetItem(cat, {to_q(sc.scName)});
            sub->setFlags(sub->flags() | Qt::ItemIsUserCheckable);
            sub->setCheckState(0, Qt::Unchecked);
            sub->setData(0, k_id_role, sc.scid);
            sub->setData(0, k_index_role, QPoint(static_cast<int>(i), static_cast<int>(j)));
        }
    }
    cat_tree_->expandAll();
}

void FrmImportRR::chooseSystem(int index) {
    int id = system_box_->itemData(index).toInt();
    if (id <= 0) return;
    if (type_trunk_->isChecked()) {
        loadTrunkedSystem(id);
        return;
    }
    if (!calls_->begin()) return;
    agency_ = getAgencyInfo(*conn_, id);
    calls_->end();
    fillCategories(agency_ ? agency_->cats : std::vector<Category>{});
    name1_->setText(agency_ ? to_q(agency_->agencyName) : QString());
    tabs_->setCurrentIndex(0);
}

void FrmImportRR::loadTrunkedSystem(int sid) {
    if (!calls_->begin()) return;
    setStatus("Wait retrieving data from database...");
    auto sites = getTrsSites(*conn_, sid);
    auto details = sites ? getTrsDetails(*conn_, sid) : std::nullopt;
    auto cats = details ? getTrsTalkgroupCats(*conn_, sid) : std::nullopt;
    std::vector<Talkgroup> tgs;
    bool ok = sites && details && cats;
    if (ok) {
        // One call per category: a statewide system's talkgroups take a while.
        size_t done = 0;
        for (const auto& c : *cats) {
            setStatus(to_q("Wait retrieving talkgroups: " + c.tgCname + " (" +
                           std::to_string(++done) + " of " + std::to_string(cats->size()) + ")"));
            auto part = getTrsTalkgroups(*conn_, sid, c.tgCid);
            if (!part) {
                ok = false;
                break;
            }
            tgs.insert(tgs.end(), part->begin(), part->end());
        }
    }
    calls_->end();
    if (!ok) {
        // What was shown before stays: a cancelled or failed load changes nothing.
        setStatus(calls_->cancelled() ? "Cancelled." : "The system could not be loaded.");
        return;
    }
    trunk_sid_ = sid;
    details_ = *details;
    sites_ = std::move(*sites);
    tg_cats_ = std::move(*cats);
    talkgroups_ = std::move(tgs);
    name1_->setText(to_q(details_.sName));
    QSignalBlocker b1(site_list_), b2(freq_list_), b3(tg_list_);
    site_list_->clear();
    freq_list_->clear();
    tg_list_->clear();
    for (size_t i = 0; i < sites_.size(); ++i) {
        const TrsSite& s = sites_[i];
        ticked_row(site_list_,
                   {QString::number(s.siteNumber), to_q(s.siteDescr), to_q(s.lat), to_q(s.lon),
                    to_q(s.range), to_q(s.siteCtid), s.rebanded ? "1" : "", s.splinter ? "1" : ""},
                   static_cast<int>(i));
        for (size_t j = 0; j < s.freqs.size(); ++j) {
            auto* row = ticked_row(freq_list_,
                                   {to_q(s.freqs[j].freq), to_q(s.freqs[j].use),
                                    QString::number(s.freqs[j].lcn), QString::number(s.siteNumber)},
                                   static_cast<int>(j));
            row->setData(1, k_index_role, static_cast<int>(i));
        }
    }
    for (size_t i = 0; i < talkgroups_.size(); ++i) {
        const Talkgroup& t = talkgroups_[i];
        QString cat;
        for (const auto& c : tg_cats_)
            if (c.tgCid == t.tgCid) cat = to_q(c.tgCname);
        ticked_row(tg_list_,
                   {to_q(t.tgDec), to_q(t.tgSubfleet), to_q(t.tgAlpha), to_q(t.tgDescr),
                    tag_text(t.tags), cat, to_q(t.tgMode)},
                   static_cast<int>(i));
    }
    tabs_->setCurrentIndex(1);
    updateCounters();
    setStatus("Done");
}

void FrmImportRR::fetchSubcategories() {
    std::vector<std::pair<int, int>> picks;  // (category, subcategory) positions
    for (int i = 0; i < cat_tree_->topLevelItemCount(); ++i) {
        auto* cat = cat_tree_->topLevelItem(i);
        for (int j = 0; j < cat->childCount(); ++j) {
            auto* sub = cat->child(j);
            if (sub->checkState(0) != Qt::Checked) continue;
            QPoint p = sub->data(0, k_index_role).toPoint();
            picks.emplace_back(p.x(), p.y());
        }
    }
    if (!calls_->begin()) return;
    std::vector<ChosenFrequency> rows;
    bool statewide = !county_ && !agency_;
    for (auto [ci, si] : picks) {
        const Subcat& sc = cats_[static_cast<size_t>(ci)].subcats[static_cast<size_t>(si)];
        setStatus(statewide ? "Wait retrieving data from database..... "
                            : "Wait retrieving data from database.......");
        auto freqs = getSubcatFreqs(*conn_, sc.scid);
        if (calls_->cancelled()) break;
        if (!freqs) continue;
        for (auto& f : *freqs) rows.push_back({std::move(f), sc});
    }
    calls_->end();
    if (calls_->cancelled()) {
        setStatus("Cancelled.");
        return;
    }
    conv_rows_ = std::move(rows);
    QSignalBlocker block(conv_list_);
    conv_list_->clear();
    auto admitted = load_service_type_filter(settings_);
    for (size_t i = 0; i < conv_rows_.size(); ++i) {
        const auto& [f, sc] = conv_rows_[i];
        bool ticked = f.tags.empty() || admitted.count(f.tags.front()) ||
                      ServiceTagName(f.tags.front()).empty();
        ticked_row(
            conv_list_,
            {to_q(f.out), to_q(f.in), to_q(f.tone), to_q(f.alpha), to_q(f.descr), to_q(f.mode),
             tag_text(f.tags), to_q(sc.scName), to_q(sc.lat.empty() ? "" : sc.lat + " " + sc.lon)},
            static_cast<int>(i), ticked);
    }
    updateCounters();
    setStatus(statewide ? "Done." : "Done....");
}

void FrmImportRR::updateCounters() {
    conv_count_->setText(
        QString("%1 / %2").arg(ticked_count(conv_list_)).arg(conv_list_->topLevelItemCount()));
    trunk_count_->setText(
        QString("%1 / %2").arg(ticked_count(tg_list_)).arg(tg_list_->topLevelItemCount()));
    QStringList on;
    for (auto* f : filters_)
        if (f->isChecked()) on << f->text();
    filter_label_->setText(on.join("-"));
}

std::string FrmImportRR::systemName(const std::string& fallback) const {
    std::string first = from_q(name1_->text());
    if (first.empty()) first = fallback;
    int option = option1_->isChecked() ? 1 : option2_->isChecked() ? 2 : 0;
    return system_name_from_boxes(first, from_q(name2_->text()), option, 64);
}

void FrmImportRR::importTicked() {
    if (calls_->inCall()) return;
    saveOptions();
    ImportOptions o = options();
    int filters = 0;
    for (auto* f : filters_) filters += f->isChecked();
    report_ = {};
    if (tabs_->currentIndex() == 1) {
        TrsImport in;
        in.sid = trunk_sid_;
        in.details = details_;
        in.name = systemName(details_.sName);
        in.tg_filters_ticked = filters;
        for (int i = 0; i < site_list_->topLevelItemCount(); ++i) {
            auto* row = site_list_->topLevelItem(i);
            if (row->checkState(0) != Qt::Checked) continue;
            size_t s = static_cast<size_t>(row->data(0, k_index_role).toInt());
            ChosenSite chosen{sites_[s], {}};
            for (int j = 0; j < freq_list_->topLevelItemCount(); ++j) {
                auto* f = freq_list_->topLevelItem(j);
                if (f->checkState(0) == Qt::Checked &&
                    static_cast<size_t>(f->data(1, k_index_role).toInt()) == s)
                    chosen.freqs.push_back(
                        sites_[s].freqs[static_cast<size_t>(f->data(0, k_index_role).toInt())]);
            }
            in.sites.push_back(std::move(chosen));
        }
        for (int i = 0; i < tg_list_->topLevelItemCount(); ++i) {
            auto* row = tg_list_->topLevelItem(i);
            if (row->checkState(0) != Qt::Checked) continue;
            const Talkgroup& t =
                talkgroups_[static_cast<size_t>(row->data(0, k_index_role).toInt())];
            std::string mode = to_upper(t.tgMode);
            int kind = mode == "A" ? 0 : mode == "D" ? 1 : 2;
            if (!filters_[kind]->isChecked()) continue;
            TgCategory cat;
            for (const auto& c : tg_cats_)
                if (c.tgCid == t.tgCid) cat = c;
            in.talkgroups.push_back({t, cat});
        }
        CountyLookup county = [this](int ctid) { return getCountyInfo(*conn_, ctid); };
        if (!calls_->begin()) return;
        // The import writes the editor's store: while its county look-ups wait, no click may
        // reach the main window and change the store under it.
        http_->setAcceptUserInput(false);
        report_ = import_trunked(in, o, store_, files_, prompter_, county);
        http_->setAcceptUserInput(true);
        calls_->end();
    } else {
        ConvImport in;
        in.name = systemName("New System");
        in.tg_filters_ticked = filters;
        for (int i = 0; i < conv_list_->topLevelItemCount(); ++i) {
            auto* row = conv_list_->topLevelItem(i);
            if (row->checkState(0) == Qt::Checked)
                in.freqs.push_back(
                    conv_rows_[static_cast<size_t>(row->data(0, k_index_role).toInt())]);
        }
        report_ = import_conventional(in, o, store_, files_, prompter_);
    }
    if (!report_.ok) return;
    emit systemsImported();
    prompter_.tell(report_.summary(), "RadioReference Import");
    setStatus("Import done.");
}

void FrmImportRR::zipEntered() {
    auto zip = parse_integer(from_q(zip_->text()).c_str());
    if (!conn_->logged_in || !zip || !calls_->begin()) return;
    auto info = getZipcodeInfo(*conn_, static_cast<int>(*zip));
    calls_->end();
    if (!info) return;
    setStatus(to_q(info->city + " " + info->lat + " " + info->lon));
    country_box_->setCurrentIndex(0);
    chooseCountry(0);
    int s = state_box_->findData(info->stid);
    if (s < 0) {
        state_box_->addItem("Unknown", info->stid);
        s = state_box_->count() - 1;
    }
    state_box_->setCurrentIndex(s);
    chooseState(s);
    int c = county_box_->findData(info->ctid);
    if (c < 0) {
        county_box_->addItem("Unknown", info->ctid);
        c = county_box_->count() - 1;
    }
    county_box_->setCurrentIndex(c);
    chooseCounty(c);
    zip_->clear();
}

void FrmImportRR::openTagFilter() {
    FrmRrTagFilter dialog(settings_, this);
    dialog.exec();
}

}  // namespace tarvex
