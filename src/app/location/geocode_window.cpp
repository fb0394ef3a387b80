#include "app/location/geocode_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/platform/http_client_qt.h"
#include "core/base/text.h"
#include "core/location/location_form.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

QLineEdit* line(const QString& name, QWidget* parent, bool read_only = false) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(read_only);
    return e;
}

std::string option_key(int i) {
    return "gps_optie" + std::to_string(i);
}

}  // namespace

GeocodeWindow::GeocodeWindow(Settings& settings, bool for_location, QWidget* parent)
    : QDialog(parent), settings_(settings), http_(std::make_unique<QtGeocodeHttpClient>()) {
    setObjectName(QStringLiteral("frm_gps_search"));
    setWindowTitle(tr("GPS Location Search"));
    auto* outer = new QVBoxLayout(this);

    auto* query = new QGroupBox(tr("Search by:"), this);
    auto* grid = new QGridLayout(query);
    const QString captions[4] = {tr("Street address:"), tr("Postal code:"), tr("Place:"),
                                 tr("Airport code:")};
    for (int i = 0; i < 4; ++i) {
        options_[i] = new QRadioButton(captions[i], query);
        options_[i]->setObjectName(QStringLiteral("opt_gps%1").arg(i));
    }
    street_ = line(QStringLiteral("txt_street"), query);
    street_->setPlaceholderText(tr("Street"));
    city_ = line(QStringLiteral("txt_city"), query);
    city_->setPlaceholderText(tr("City"));
    state_ = new QComboBox(query);
    state_->setObjectName(QStringLiteral("CboState"));
    for (auto s : location::state_list()) state_->addItem(to_q(s));
    zip_ = line(QStringLiteral("txt_zip"), query);
    place_ = line(QStringLiteral("txt_place"), query);
    airport_ = line(QStringLiteral("txt_airport"), query);
    auto* address = new QHBoxLayout;
    address->addWidget(street_, 2);
    address->addWidget(city_, 1);
    address->addWidget(state_);
    grid->addWidget(options_[0], 0, 0);
    grid->addLayout(address, 0, 1);
    grid->addWidget(options_[1], 1, 0);
    grid->addWidget(zip_, 1, 1);
    grid->addWidget(options_[2], 2, 0);
    grid->addWidget(place_, 2, 1);
    grid->addWidget(options_[3], 3, 0);
    grid->addWidget(airport_, 3, 1);
    country_ = new QComboBox(query);
    country_->setObjectName(QStringLiteral("CboCountry"));
    for (const auto& c : location::country_list()) country_->addItem(to_q(c.name), to_q(c.code));
    grid->addWidget(new QLabel(tr("Country:"), query), 4, 0);
    grid->addWidget(country_, 4, 1);
    outer->addWidget(query);

    auto* results = new QGroupBox(tr("Result:"), this);
    auto* form = new QFormLayout(results);
    lat_ = line(QStringLiteral("txt_lat"), results, true);
    lon_ = line(QStringLiteral("txt_lon"), results, true);
    postal_ = line(QStringLiteral("txt_postal"), results, true);
    form->addRow(tr("Latitude:"), lat_);
    form->addRow(tr("Longitude:"), lon_);
    form->addRow(tr("Postal code:"), postal_);
    outer->addWidget(results);

    on_map_ = new QCheckBox(tr("Show on map"), this);
    on_map_->setObjectName(QStringLiteral("chk_map"));
    outer->addWidget(on_map_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lbl_status"));
    status_->setWordWrap(true);
    outer->addWidget(status_);

    auto* buttons = new QHBoxLayout;
    search_ = new QPushButton(tr("Search"), this);
    search_->setObjectName(QStringLiteral("cmd_search"));
    search_->setDefault(true);
    buttons->addWidget(search_);
    buttons->addStretch(1);
    if (for_location) {
        auto* use = new QPushButton(tr("Use"), this);
        use->setObjectName(QStringLiteral("cmd_use"));
        connect(use, &QPushButton::clicked, this, [this] {
            if (lat_->text().isEmpty() || lon_->text().isEmpty()) {
                status_->setText(tr("Search for a location first."));
                return;
            }
            accept();
        });
        buttons->addWidget(use);
    }
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("cmd_close"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    connect(search_, &QPushButton::clicked, this, [this] { search(); });
    restore();
}

GeocodeWindow::~GeocodeWindow() = default;

void GeocodeWindow::set_http(std::unique_ptr<location::HttpClient> http) {
    http_ = std::move(http);
}

location::GeocodeQuery GeocodeWindow::query() const {
    location::GeocodeQuery q;
    if (options_[1]->isChecked()) {
        q.kind = location::QueryKind::PostalCode;
        q.text = from_q(zip_->text());
    } else if (options_[2]->isChecked()) {
        q.kind = location::QueryKind::Place;
        q.text = from_q(place_->text());
    } else if (options_[3]->isChecked()) {
        q.kind = location::QueryKind::Airport;
        q.text = from_q(airport_->text());
    } else {
        q.kind = location::QueryKind::Address;
        q.street = from_q(street_->text());
        q.city = from_q(city_->text());
        q.state = from_q(state_->currentText());
    }
    return q;
}

void GeocodeWindow::search() {
    const std::string service = settings_.GetSetting("gps", "geocode_service",
                                                     std::string(k_default_geocode_service) + "x");
    const std::string key = settings_.GetSetting("gps", "geocode_key", "x");
    status_->setText(tr("Searching\u2026"));
    search_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    location::GeocodeOutcome out = location::geocode(*http_, service, query(), key, timeout_ms);
    QApplication::restoreOverrideCursor();
    search_->setEnabled(true);
    if (!out.error.empty()) {
        status_->setText(to_q(out.error));
        return;
    }
    const location::GeocodeResult& r = out.result;
    if (!r.has_geometry) {
        // The fields keep what they showed: a failed lookup never wipes a good one.
        status_->setText(tr("No location found."));
        return;
    }
    lat_->setText(to_q(r.latitude));
    lon_->setText(to_q(r.longitude));
    if (!r.postal_code.empty()) postal_->setText(to_q(r.postal_code));
    status_->setText(tr("Found."));
    if (on_map_->isChecked() && show_on_map)
        show_on_map(lenient_number(r.latitude), lenient_number(r.longitude));
}

QString GeocodeWindow::latitude() const {
    return lat_->text();
}
QString GeocodeWindow::longitude() const {
    return lon_->text();
}
QString GeocodeWindow::postal_code() const {
    return postal_->text();
}

void GeocodeWindow::restore() {
    int chosen = 0;
    for (int i = 0; i < 4; ++i)
        if (trim(settings_.GetImportSetting(option_key(i), "x")) == "1") chosen = i;
    options_[chosen]->setChecked(true);
    on_map_->setChecked(trim(settings_.GetImportSetting(option_key(4), "x")) == "1");
    street_->setText(to_q(settings_.GetImportSetting("gps_street", "x")));
    city_->setText(to_q(settings_.GetImportSetting("gps_city", "x")));
    zip_->setText(to_q(settings_.GetImportSetting("gps_zip", "x")));
    place_->setText(to_q(
        settings_.GetImportSetting("gps_place", std::string(location::k_default_place) + "x")));
    airport_->setText(to_q(
        settings_.GetImportSetting("gps_airport", std::string(location::k_default_airport) + "x")));
    int state = state_->findText(to_q(settings_.GetSetting("gps", "gpsstate", "x")));
    if (state >= 0) state_->setCurrentIndex(state);
    int country = country_->findData(to_q(settings_.GetImportSetting("gps_country", "USx")));
    if (country >= 0) country_->setCurrentIndex(country);
}

void GeocodeWindow::remember() {
    for (int i = 0; i < 4; ++i)
        settings_.SaveImportSetting(option_key(i), options_[i]->isChecked() ? "1" : "0");
    settings_.SaveImportSetting(option_key(4), on_map_->isChecked() ? "1" : "0");
    settings_.SaveImportSetting("gps_street", from_q(street_->text()));
    settings_.SaveImportSetting("gps_city", from_q(city_->text()));
    settings_.SaveImportSetting("gps_zip", from_q(zip_->text()));
    settings_.SaveImportSetting("gps_place", from_q(place_->text()));
    settings_.SaveImportSetting("gps_airport", from_q(airport_->text()));
    settings_.SaveImportSetting("gps_country", from_q(country_->currentData().toString()));
    settings_.SaveSetting("gps", "gpsstate", from_q(state_->currentText()));
}

void GeocodeWindow::done(int result) {
    remember();
    QDialog::done(result);
}

}  // namespace tarvex
