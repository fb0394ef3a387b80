#pragma once
// "GPS Location Data Editor:": one site's or group's location in decimal degrees, with the
// home location, the defaults for new sites and groups, the map page and the address lookup.
// It edits a copy; the calling editor takes values() when the dialog was accepted.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/location/geocode.h"
#include "core/location/location_form.h"

class QCheckBox;
class QLineEdit;

namespace tarvex {

class EditingSession;
class GeocodeWindow;
class Settings;

class LocationDialog : public QDialog {
    Q_OBJECT
  public:
    // Site and Group edit one item's location. Home and Defaults (the Setup menu's "GPS Home"
    // and "GPS Defaults") edit only the settings: the item fields start at the home location,
    // "Apply To Grp/Site" is off, and Accept keeps the home (Home) or the defaults (Defaults).
    enum class Target { Site, Group, Home, Defaults };

    LocationDialog(EditingSession& session, Settings& settings, Target target, int system,
                   const location::LocationValues& shown, QWidget* parent = nullptr);

    // The accepted values (clamped, six decimals).
    location::LocationValues values() const { return accepted_; }
    // True when "Apply To Grp/Site" wrote every site of the system.
    bool applied_to_all() const { return applied_to_all_; }

    QLineEdit* latitude_edit() const { return lat_; }
    QLineEdit* longitude_edit() const { return lon_; }
    QLineEdit* range_edit() const { return range_; }
    QCheckBox* used_box() const { return used_; }

    // Opens a page or address in the default browser; tests replace it.
    std::function<void(const std::string& url)> open_url;
    // Runs the lookup window; the default shows it modally. Tests replace it.
    std::function<bool(GeocodeWindow& window)> run_lookup;
    // "Find GPS data": asks for the place to look up (the default asks in a small dialog) and
    // the client that asks the older service (the default is Qt Network). Tests replace both.
    std::function<std::optional<std::string>()> ask_place;
    std::unique_ptr<location::HttpClient> find_http;

    QLineEdit* home_edit() const { return home_; }
    QLineEdit* default_latitude_edit() const { return def_lat_; }

  private:
    location::LocationValues typed() const;
    void accept_values();
    void apply_to_all();
    void show_map();
    void lookup();
    void find_gps_data();
    bool settings_only() const { return target_ == Target::Home || target_ == Target::Defaults; }
    void save_settings();

    EditingSession& session_;
    Settings& settings_;
    Target target_;
    int system_;
    location::LocationSettings gps_;
    location::LocationValues accepted_;
    bool applied_to_all_ = false;

    QLineEdit* lat_ = nullptr;
    QLineEdit* lon_ = nullptr;
    QLineEdit* range_ = nullptr;
    QCheckBox* used_ = nullptr;
    QLineEdit* def_lat_ = nullptr;
    QLineEdit* def_lon_ = nullptr;
    QLineEdit* def_range_ = nullptr;
    std::array<QCheckBox*, 4> def_ticks_{};
    QLineEdit* home_ = nullptr;
};

}  // namespace tarvex
