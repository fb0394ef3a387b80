#include "core/settings/preferences.h"

#include <system_error>

#include "core/base/text.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

std::string stored(std::string_view value) {
    std::string s(value);
    s += 'x';
    return s;
}

std::vector<std::string> lines_of(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line = trim(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = trim(line);
        if (!line.empty()) out.push_back(std::move(line));
        start = end + 1;
    }
    return out;
}

bool lower_starts_with(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

std::optional<std::string> url_error(std::string_view value) {
    std::string_view rest;
    if (lower_starts_with(value, "https://"))
        rest = value.substr(8);
    else if (lower_starts_with(value, "http://"))
        rest = value.substr(7);
    else
        return "an address starting with http:// or https:// is needed";
    for (char c : value)
        if (static_cast<unsigned char>(c) <= ' ') return "an address cannot contain spaces";
    std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
    if (host.empty() || host.front() == ':') return "the address names no server";
    return std::nullopt;
}

// One value in the form it is stored: surrounding blanks go, a folder list keeps one folder a
// line, a flag is "1" or "0".
std::string normalized(const Preference& p, std::string_view value) {
    switch (p.kind) {
        case PreferenceKind::FolderList: {
            std::string out;
            for (const std::string& line : lines_of(value)) {
                if (!out.empty()) out += '\n';
                out += line;
            }
            return out;
        }
        case PreferenceKind::Flag:
            return trim(value) == "1" ? "1" : "0";
        case PreferenceKind::Text:
        case PreferenceKind::Folder:
        case PreferenceKind::Url:
        case PreferenceKind::AppKey:
        case PreferenceKind::SerialPort:
            break;
    }
    return trim(value);
}

}  // namespace

std::filesystem::path utf8_path(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

const Preference* find_preference(std::string_view id) {
    for (const Preference& p : k_preferences)
        if (p.id == id) return &p;
    return nullptr;
}

std::string load_preference(const Settings& settings, const Preference& p) {
    if (p.kind == PreferenceKind::Flag) {
        const std::string default_stored =
            p.inverted ? stored(p.default_value == "1" ? "0" : "1") : stored(p.default_value);
        const bool on = trim(settings.GetSetting(p.section, p.key, default_stored)) == "1";
        return on != p.inverted ? "1" : "0";
    }
    const std::string text = p.store == PreferenceStore::Import
                                 ? settings.GetImportSetting(p.key, stored(p.default_value))
                                 : settings.GetSetting(p.section, p.key, stored(p.default_value));
    // An address stored empty reads as the program's own, as the windows that use it do.
    if (p.kind == PreferenceKind::Url && trim(text).empty()) return std::string(p.default_value);
    return text;
}

void save_preference(Settings& settings, const Preference& p, std::string_view value) {
    std::string v = normalized(p, value);
    if (p.kind == PreferenceKind::Flag && p.inverted) v = v == "1" ? "0" : "1";
    if (p.store == PreferenceStore::Import)
        settings.SaveImportSetting(p.key, v);
    else
        settings.SaveSetting(p.section, p.key, v);
}

PreferenceValues load_preferences(const Settings& settings) {
    PreferenceValues values;
    for (const Preference& p : k_preferences)
        values.emplace(std::string(p.id), load_preference(settings, p));
    return values;
}

std::optional<std::string> preference_error(const Preference& p, std::string_view value) {
    const std::string v = normalized(p, value);
    switch (p.kind) {
        case PreferenceKind::Url:
            return url_error(v);
        case PreferenceKind::AppKey:
            if (!app_key_setting(v))
                return "the application key is eight digits (or empty for the program's own)";
            return std::nullopt;
        case PreferenceKind::Folder:
        case PreferenceKind::FolderList:
            for (const std::string& line : lines_of(v))
                if (!utf8_path(line).is_absolute())
                    return "\"" + line + "\" is not a full folder path";
            return std::nullopt;
        case PreferenceKind::Text:
        case PreferenceKind::SerialPort:
        case PreferenceKind::Flag:
            break;
    }
    return std::nullopt;
}

std::vector<std::filesystem::path> missing_folders(const Preference& p, std::string_view value) {
    std::vector<std::filesystem::path> out;
    if (p.kind != PreferenceKind::Folder && p.kind != PreferenceKind::FolderList) return out;
    for (const std::string& line : lines_of(normalized(p, value))) {
        std::error_code ec;
        const std::filesystem::path folder = utf8_path(line);
        if (!std::filesystem::is_directory(folder, ec)) out.push_back(folder);
    }
    return out;
}

std::optional<std::string> create_folders(const std::vector<std::filesystem::path>& folders) {
    for (const std::filesystem::path& folder : folders) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (!std::filesystem::is_directory(folder, ec)) {
            const std::u8string name = folder.u8string();
            return "The folder \"" + std::string(name.begin(), name.end()) +
                   "\" could not be created.";
        }
    }
    return std::nullopt;
}

std::vector<std::string> changed_preferences(const PreferenceValues& before,
                                             const PreferenceValues& after) {
    std::vector<std::string> out;
    for (const Preference& p : k_preferences) {
        auto b = before.find(p.id);
        auto a = after.find(p.id);
        if (a == after.end()) continue;
        const std::string old_value = b == before.end() ? std::string() : normalized(p, b->second);
        if (normalized(p, a->second) != old_value) out.emplace_back(p.id);
    }
    return out;
}

PreferenceSave save_preferences(Settings& settings, const PreferenceValues& values) {
    PreferenceSave result;
    for (const Preference& p : k_preferences) {
        auto it = values.find(p.id);
        if (it == values.end()) continue;
        if (auto error = preference_error(p, it->second)) {
            std::string caption(p.caption);
            if (auto cut = caption.find(" ("); cut != std::string::npos) caption.resize(cut);
            if (!caption.empty() && caption.back() == ':') caption.pop_back();
            result.error = caption + ": " + *error;
            return result;
        }
    }
    result.changed = changed_preferences(load_preferences(settings), values);
    for (const std::string& id : result.changed)
        save_preference(settings, *find_preference(id), values.find(id)->second);
    return result;
}

}  // namespace tarvex
