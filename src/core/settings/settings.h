#pragma once
// The per-user settings store: text values addressed by section and key, stored with one
// trailing "x" so that a missing value and a stored default read alike. The backend is the
// platform's (QSettings in the app) or an in-memory map (tests, command line).
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvex {

class SettingsBackend {
  public:
    virtual ~SettingsBackend() = default;
    // The raw stored text (with its trailing "x"), or nullopt when absent or unreadable.
    // An empty section addresses the root of the key space.
    virtual std::optional<std::string> read(std::string_view section, std::string_view key) = 0;
    // Stores the raw text; failures are dropped.
    virtual void write(std::string_view section, std::string_view key, std::string_view raw) = 0;
};

class MemorySettingsBackend : public SettingsBackend {
  public:
    std::optional<std::string> read(std::string_view section, std::string_view key) override;
    void write(std::string_view section, std::string_view key, std::string_view raw) override;
    const std::map<std::pair<std::string, std::string>, std::string>& values() const {
        return values_;
    }

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

// The two key spaces: the main store (sections) and the flat import store.
class Settings {
  public:
    Settings(SettingsBackend& main, SettingsBackend& import) : main_(main), import_(import) {}

    // Defaults are passed in stored form ("100x"); the result drops the last character.
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view default_stored) const;
    void SaveSetting(std::string_view section, std::string_view key, std::string_view value);
    std::string GetImportSetting(std::string_view key, std::string_view default_stored) const;
    void SaveImportSetting(std::string_view key, std::string_view value);

    // Conveniences over the same stored form.
    int get_int(std::string_view section, std::string_view key, int fallback) const;
    bool get_bool(std::string_view section, std::string_view key, bool fallback) const;

  private:
    SettingsBackend& main_;
    SettingsBackend& import_;
};

}  // namespace tarvex
