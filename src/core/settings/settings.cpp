#include "core/settings/settings.h"

#include "core/base/text.h"

namespace tarvex {

std::optional<std::string> MemorySettingsBackend::read(std::string_view section,
                                                       std::string_view key) {
    auto it = values_.find({std::string(section), std::string(key)});
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

void MemorySettingsBackend::write(std::string_view section, std::string_view key,
                                  std::string_view raw) {
    values_[{std::string(section), std::string(key)}] = std::string(raw);
}

namespace {

// An empty or missing stored text falls back to the caller's default; either way the last
// character is the appended "x" and goes. A default passed without it therefore loses a real
// character, which is why every caller passes defaults in stored form.
std::string read_stored(SettingsBackend& backend, std::string_view section, std::string_view key,
                        std::string_view default_stored) {
    std::optional<std::string> raw = backend.read(section, key);
    std::string text = raw && !raw->empty() ? std::move(*raw) : std::string(default_stored);
    if (!text.empty()) text.pop_back();
    return text;
}

void write_stored(SettingsBackend& backend, std::string_view section, std::string_view key,
                  std::string_view value) {
    std::string raw(value);
    raw += 'x';
    backend.write(section, key, raw);
}

}  // namespace

std::string Settings::GetSetting(std::string_view section, std::string_view key,
                                 std::string_view default_stored) const {
    return read_stored(main_, section, key, default_stored);
}

void Settings::SaveSetting(std::string_view section, std::string_view key, std::string_view value) {
    write_stored(main_, section, key, value);
}

std::string Settings::GetImportSetting(std::string_view key,
                                       std::string_view default_stored) const {
    return read_stored(import_, {}, key, default_stored);
}

void Settings::SaveImportSetting(std::string_view key, std::string_view value) {
    write_stored(import_, {}, key, value);
}

int Settings::get_int(std::string_view section, std::string_view key, int fallback) const {
    std::string text = trim(GetSetting(section, key, ""));
    if (text.empty()) return fallback;
    return static_cast<int>(lenient_integer(text));
}

bool Settings::get_bool(std::string_view section, std::string_view key, bool fallback) const {
    std::string text = to_lower(trim(GetSetting(section, key, "")));
    if (text == "true") return true;
    if (text == "false") return false;
    if (auto n = parse_integer(text)) return *n != 0;
    return fallback;
}

}  // namespace tarvex
