#pragma once
// The geocoding lookup window: an address, postal code, place or airport to latitude,
// longitude and postal code through the geocoding service named in the settings. Opened from
// the Tools menu, or from the location dialog, which then takes the result with "Use".
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "core/location/geocode.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvex {

class Settings;

// Settings of the service: section "gps", keys "geocode_service" and "geocode_key".
inline constexpr std::string_view k_default_geocode_service = "https://maps.googleapis.com";

class GeocodeWindow : public QDialog {
    Q_OBJECT
  public:
    // `for_location`: offer "Use" to hand the result to the location dialog.
    GeocodeWindow(Settings& settings, bool for_location, QWidget* parent = nullptr);
    ~GeocodeWindow() override;

    // Runs the lookup of the chosen option; the result fields change only when the answer has
    // a position.
    void search();
    location::GeocodeQuery query() const;

    QString latitude() const;
    QString longitude() const;
    QString postal_code() const;

    // Tests and the command line's twin use their own client and time-out.
    void set_http(std::unique_ptr<location::HttpClient> http);
    int timeout_ms = location::k_geocode_timeout_ms;
    // Writes and opens the map page of a result when "Show on map" is ticked.
    std::function<void(double latitude, double longitude)> show_on_map;

  protected:
    void done(int result) override;

  private:
    void restore();
    void remember();

    Settings& settings_;
    std::unique_ptr<location::HttpClient> http_;
    QRadioButton* options_[4] = {};
    QLineEdit* street_ = nullptr;
    QLineEdit* city_ = nullptr;
    QComboBox* state_ = nullptr;
    QLineEdit* zip_ = nullptr;
    QLineEdit* place_ = nullptr;
    QLineEdit* airport_ = nullptr;
    QComboBox* country_ = nullptr;
    QCheckBox* on_map_ = nullptr;
    QLineEdit* lat_ = nullptr;
    QLineEdit* lon_ = nullptr;
    QLineEdit* postal_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* search_ = nullptr;
};

}  // namespace tarvex
