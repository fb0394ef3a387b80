#include "app/location/location_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/location/geocode_window.h"
#include "app/location/map_pages.h"
#include "app/platform/http_client_qt.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

QLineEdit* line(const QString& name, const std::string& text, QWidget* parent) {
    auto* e = new QLineEdit(to_q(text), parent);
    e->setObjectName(name);
    return e;
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString home_text(const location::LocationSettings& gps) {
    if (trim(gps.home_lat).empty() && trim(gps.home_long).empty()) return QObject::tr("not set");
    return QObject::tr("%1, %2 (%3 miles)")
        .arg(to_q(gps.home_lat), to_q(gps.home_long), to_q(gps.home_range));
}

}  // namespace

LocationDialog::LocationDialog(EditingSession& session, Settings& settings, Target target,
                               int system, const location::LocationValues& shown, QWidget* parent)
    : QDialog(parent),
      session_(session),
      settings_(settings),
      target_(target),
      system_(system),
      gps_(location::read_location_settings(settings)),
      accepted_(shown) {
    setObjectName(QStringLiteral("frm_gps"));
    setWindowTitle(to_q(location::k_location_title));
    auto* outer = new QVBoxLayout(this);

    auto* item = new QFormLayout;
    lat_ = line(QStringLiteral("lat_text"), shown.latitude, this);
    lon_ = line(QStringLiteral("long_text"), shown.longitude, this);
    range_ = line(QStringLiteral("range"), shown.range, this);
    used_ = new QCheckBox(tr("Location used"), this);
    used_->setObjectName(QStringLiteral("check_gps"));
    used_->setChecked(shown.used);
    item->addRow(tr("Latitude (decimal degrees):"), lat_);
    item->addRow(tr("Longitude (decimal degrees):"), lon_);
    item->addRow(tr("Range (miles, 0 - 150):"), range_);
    item->addRow(QString(), used_);
    outer->addLayout(item);
    // Typing a position means the item has one.
    for (QLineEdit* e : {lat_, lon_})
        connect(e, &QLineEdit::textEdited, this, [this] { used_->setChecked(true); });

    auto* home_row = new QHBoxLayout;
    home_row->addWidget(new QLabel(tr("Home:"), this));
    home_ = new QLineEdit(home_text(gps_), this);
    home_->setObjectName(QStringLiteral("txt_home"));
    home_->setReadOnly(true);
    home_row->addWidget(home_, 1);
    auto* set_home = button(tr("Set As Home"), QStringLiteral("cmd_home"), this);
    home_row->addWidget(set_home);
    outer->addLayout(home_row);

    auto* defaults = new QGroupBox(to_q(location::k_defaults_caption), this);
    auto* dg = new QGridLayout(defaults);
    const QString tick_captions[4] = {tr("Latitude"), tr("Longitude"), tr("Range"),
                                      tr("Enable GPS Scanning")};
    def_lat_ = line(QStringLiteral("txt_def_lat"), gps_.defaults.latitude, defaults);
    def_lon_ = line(QStringLiteral("txt_def_long"), gps_.defaults.longitude, defaults);
    def_range_ = line(QStringLiteral("txt_def_range"), gps_.defaults.range, defaults);
    QLineEdit* fields[3] = {def_lat_, def_lon_, def_range_};
    for (int i = 0; i < 4; ++i) {
        def_ticks_[static_cast<size_t>(i)] = new QCheckBox(tick_captions[i], defaults);
        def_ticks_[static_cast<size_t>(i)]->setObjectName(QStringLiteral("def_ena%1").arg(i));
        def_ticks_[static_cast<size_t>(i)]->setChecked(gps_.defaults.ticks[static_cast<size_t>(i)]);
        dg->addWidget(def_ticks_[static_cast<size_t>(i)], i, 0);
        if (i < 3) dg->addWidget(fields[i], i, 1);
    }
    auto* set_default = button(tr("Set As Default"), QStringLiteral("cmd_default"), defaults);
    dg->addWidget(set_default, 3, 1);
    outer->addWidget(defaults);

    auto* buttons = new QHBoxLayout;
    auto* all = button(tr("Apply To Grp/Site"), QStringLiteral("cmd_all"), this);
    auto* map = button(tr("Show Map"), QStringLiteral("cmd_map"), this);
    auto* find = button(tr("Find GPS data"), QStringLiteral("cmd_find"), this);
    auto* search = button(tr("GPS search"), QStringLiteral("cmd_search"), this);
    auto* clear = button(tr("Clear"), QStringLiteral("cmd_clear"), this);
    auto* ok = button(tr("Accept"), QStringLiteral("cmd_accept"), this);
    auto* cancel = button(tr("Cancel"), QStringLiteral("cmd_cancel"), this);
    for (QPushButton* b : {all, map, find, search, clear}) buttons->addWidget(b);
    if (settings_only()) {
        // No site or group called: there is nothing to apply the location to.
        all->setEnabled(false);
        all->setToolTip(tr("Open the location from a site or group editor to apply it"));
        (target_ == Target::Home ? lat_ : def_lat_)->setFocus();
    }
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);

    connect(set_home, &QPushButton::clicked, this, [this] {
        location::LocationValues v = location::accept_location(typed());
        gps_.home_lat = v.latitude;
        gps_.home_long = v.longitude;
        gps_.home_range = v.range;
        home_->setText(home_text(gps_));
        save_settings();
    });
    connect(set_default, &QPushButton::clicked, this, [this] {
        location::LocationValues v = location::accept_location(typed());
        def_lat_->setText(to_q(v.latitude));
        def_lon_->setText(to_q(v.longitude));
        def_range_->setText(to_q(v.range));
        save_settings();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        lat_->clear();
        lon_->clear();
        range_->clear();
        used_->setChecked(false);
    });
    connect(ok, &QPushButton::clicked, this, [this] { accept_values(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, [this] { apply_to_all(); });
    connect(map, &QPushButton::clicked, this, [this] { show_map(); });
    connect(search, &QPushButton::clicked, this, [this] { lookup(); });
    connect(find, &QPushButton::clicked, this, [this] { find_gps_data(); });
}

location::LocationValues LocationDialog::typed() const {
    return {from_q(lat_->text()), from_q(lon_->text()), from_q(range_->text()), used_->isChecked()};
}

void LocationDialog::save_settings() {
    gps_.defaults.latitude = from_q(def_lat_->text());
    gps_.defaults.longitude = from_q(def_lon_->text());
    gps_.defaults.range = location::clamp_range(from_q(def_range_->text()));
    for (size_t i = 0; i < def_ticks_.size(); ++i)
        gps_.defaults.ticks[i] = def_ticks_[i]->isChecked();
    location::write_location_settings(settings_, gps_);
    // New sites and groups of this run take the new defaults at once.
    StartupSettings& run = session_.settings();
    run.def_lat = gps_.defaults.latitude;
    run.def_long = gps_.defaults.longitude;
    run.def_range = gps_.defaults.range;
    run.def_ena = gps_.defaults.ticks;
}

void LocationDialog::accept_values() {
    accepted_ = location::accept_location(typed());
    if (target_ == Target::Home) {
        // The home is a place, whatever the item tick says.
        location::LocationValues home = typed();
        home.used = true;
        home = location::accept_location(home);
        gps_.home_lat = home.latitude;
        gps_.home_long = home.longitude;
        gps_.home_range = home.range;
    }
    save_settings();
    accept();
}

void LocationDialog::find_gps_data() {
    const std::string service = settings_.GetSetting("gps", "find_service", "x");
    if (trim(service).empty()) {
        session_.prompter().tell(std::string(location::k_no_find_service), "Find GPS data");
        return;
    }
    std::optional<std::string> place;
    if (ask_place) {
        place = ask_place();
    } else {
        bool ok = false;
        QString text =
            QInputDialog::getText(this, tr("Find GPS data"), tr("Address, town or postal code:"),
                                  QLineEdit::Normal, QString(), &ok);
        if (ok) place = from_q(text);
    }
    if (!place || trim(*place).empty()) return;
    if (!find_http) find_http = std::make_unique<QtGeocodeHttpClient>();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    location::GeocodeOutcome out = location::older_geocode(
        *find_http, service, *place, settings_.GetSetting("gps", "find_appid", "x"));
    QApplication::restoreOverrideCursor();
    if (!out.error.empty()) {
        session_.prompter().tell("Find GPS data: " + out.error, "Find GPS data");
        return;
    }
    // An answer without a position leaves the fields as they were.
    if (!out.result.has_geometry) {
        session_.prompter().tell("Find GPS data: no position found for " + trim(*place),
                                 "Find GPS data");
        return;
    }
    lat_->setText(to_q(out.result.latitude));
    lon_->setText(to_q(out.result.longitude));
    used_->setChecked(true);
}

void LocationDialog::apply_to_all() {
    Answer a = session_.prompter().ask({std::string(location::k_apply_all_question)}, "Warning",
                                       Buttons::YesNo);
    if (a != Answer::Yes) return;
    if (target_ == Target::Site && system_ > 0) {
        location::LocationValues v = location::accept_location(typed());
        if (location::apply_location_to_sites(session_.store(), system_, v) > 0) {
            session_.mark_changed(system_);
            applied_to_all_ = true;
        }
    }
    accept_values();
}

void LocationDialog::show_map() {
    location::LocationValues v = location::accept_location(typed());
    std::string url = write_point_map(session_.folders().data, lenient_number(v.latitude),
                                      lenient_number(v.longitude), session_.prompter());
    if (url.empty()) return;
    if (open_url)
        open_url(url);
    else
        QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void LocationDialog::lookup() {
    GeocodeWindow window(settings_, true, this);
    window.show_on_map = [this](double lat, double lon) {
        std::string url = write_point_map(session_.folders().data, lat, lon, session_.prompter());
        if (url.empty()) return;
        if (open_url)
            open_url(url);
        else
            QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    };
    bool taken = run_lookup ? run_lookup(window) : window.exec() == QDialog::Accepted;
    if (!taken || window.latitude().isEmpty() || window.longitude().isEmpty()) return;
    lat_->setText(window.latitude());
    lon_->setText(window.longitude());
    used_->setChecked(true);
}

}  // namespace tarvex
