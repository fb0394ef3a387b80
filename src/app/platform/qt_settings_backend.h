#pragma once
// The settings store on the desktop, over QSettings.
//
// Where the two key spaces live:
// - Windows: the registry under HKEY_CURRENT_USER, "Software\Norvane\TARVEX" for the main store
//   (root values directly in that key, each section a subkey) and
//   "Software\Norvane\RRfetch\settings" for the import store.
// - Linux and macOS: INI files, ~/.config/Norvane/TARVEX.ini and ~/.config/Norvane/RRfetch.ini
//   ($XDG_CONFIG_HOME instead of ~/.config when set). Root values go to the [General] group of
//   TARVEX.ini, each section to its own group; the import store is the [settings] group of
//   RRfetch.ini.
//
// Environment (tests and CI, so nothing touches the user's real settings):
// - TARVEX_SETTINGS_DIR: when set, both stores are INI files in that folder (TARVEX.ini and
//   RRfetch.ini) on every platform, the registry included.
//
// Values are bytes (Windows-1252 text in the core); they pass through QString as Latin-1 so every
// byte survives the round trip. Section and key names are plain names: one containing "/" or "\"
// would address another section in QSettings, so it is refused (reads as absent, writes dropped).
// The section "general" is kept as "General" in any spelling, as the registry would (an INI file
// otherwise loses it on the next start).
#include <QString>
#include <memory>

#include "core/settings/settings.h"

class QSettings;

namespace tarvex {

class QtSettingsBackend : public SettingsBackend {
  public:
    enum class Store { main, import };

    explicit QtSettingsBackend(Store store);
    ~QtSettingsBackend() override;
    QtSettingsBackend(const QtSettingsBackend&) = delete;
    QtSettingsBackend& operator=(const QtSettingsBackend&) = delete;

    std::optional<std::string> read(std::string_view section, std::string_view key) override;
    void write(std::string_view section, std::string_view key, std::string_view raw) override;

    // Writes pending changes now (QSettings also does so when idle and when destroyed).
    void sync();
    // The INI file or registry path, for diagnostics.
    QString location() const;

  private:
    std::unique_ptr<QSettings> settings_;
    QString group_;  // the import store's "settings" key; empty for the main store
};

}  // namespace tarvex
