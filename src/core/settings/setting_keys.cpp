#include "core/settings/setting_keys.h"

namespace tarvex {

namespace {

// The number after a family prefix, written the way the windows build these keys (plain
// decimal, no leading zeros); -1 when the rest is anything else.
int family_number(std::string_view rest) {
    if (rest.empty() || rest.size() > 4 || (rest.size() > 1 && rest[0] == '0')) return -1;
    int n = 0;
    for (char c : rest) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::string_view setting_default(std::string_view section, std::string_view key) {
    for (const SettingDefault& d : k_setting_defaults) {
        if (d.section == section && d.key == key) return d.default_stored;
    }
    for (const SettingFamily& f : k_setting_families) {
        if (f.section != section || key.substr(0, f.prefix.size()) != f.prefix) continue;
        int n = family_number(key.substr(f.prefix.size()));
        if (n >= f.first && n <= f.last) return f.default_stored;
    }
    return {};
}

}  // namespace tarvex
