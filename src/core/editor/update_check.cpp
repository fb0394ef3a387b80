#include "core/editor/update_check.h"

#include <cctype>
#include <vector>

#include "core/base/text.h"
#include "core/settings/settings.h"

namespace tarvex {

std::string update_address(const Settings& settings) {
    return trim(settings.GetSetting(k_update_section, k_update_address_key, "x"));
}

void set_update_address(Settings& settings, std::string_view address) {
    settings.SaveSetting(k_update_section, k_update_address_key, trim(address));
}

bool startup_check_allowed(const Settings& settings) {
    return settings.GetSetting(k_update_section, k_update_consent_key, "0x") == "1";
}

void set_startup_check(Settings& settings, bool allowed) {
    settings.SaveSetting(k_update_section, k_update_consent_key, allowed ? "1" : "0");
}

namespace {

// The version-looking text at the start of `s`: digits and dots, an optional leading "v".
std::string leading_version(std::string_view s) {
    std::string t = trim(s);
    size_t i = 0;
    if (i < t.size() && (t[i] == 'v' || t[i] == 'V')) ++i;
    size_t start = i;
    while (i < t.size() && (std::isdigit(static_cast<unsigned char>(t[i])) || t[i] == '.')) ++i;
    std::string v = t.substr(start, i - start);
    while (!v.empty() && v.back() == '.') v.pop_back();
    if (v.empty() || !std::isdigit(static_cast<unsigned char>(v[0]))) return {};
    return v;
}

// The string value of "name" in a flat JSON object; enough for the file we ask for, and it
// never reads past the text whatever arrives.
std::optional<std::string> json_string(std::string_view json, std::string_view name) {
    const std::string quoted = "\"" + std::string(name) + "\"";
    size_t p = json.find(quoted);
    if (p == std::string_view::npos) return std::nullopt;
    p = json.find(':', p + quoted.size());
    if (p == std::string_view::npos) return std::nullopt;
    p = json.find_first_not_of(" \t\r\n", p + 1);
    if (p == std::string_view::npos || json[p] != '"') return std::nullopt;
    std::string out;
    for (++p; p < json.size() && json[p] != '"'; ++p) {
        if (json[p] == '\\' && p + 1 < json.size()) ++p;
        out += json[p];
    }
    if (p >= json.size()) return std::nullopt;
    return out;
}

std::vector<long long> parts(std::string_view v) {
    std::vector<long long> out;
    // The views point into this string: it must outlive the loop.
    const std::string version = leading_version(v);
    for (auto p : split_view(version, '.'))
        out.push_back(p.empty() || p.size() > 9 ? 0 : lenient_integer(p));
    return out;
}

}  // namespace

std::optional<LatestVersion> parse_latest_version(std::string_view answer) {
    if (answer.size() > 64 * 1024) answer = answer.substr(0, 64 * 1024);
    std::string_view body = answer;
    while (!body.empty() && std::isspace(static_cast<unsigned char>(body.front())))
        body.remove_prefix(1);
    LatestVersion out;
    if (!body.empty() && body.front() == '{') {
        auto v = json_string(body, "version");
        if (!v) return std::nullopt;
        out.version = leading_version(*v);
        out.url = json_string(body, "url").value_or("");
    } else {
        out.version = leading_version(body.substr(0, body.find('\n')));
    }
    if (out.version.empty()) return std::nullopt;
    return out;
}

int compare_versions(std::string_view a, std::string_view b) {
    auto x = parts(a), y = parts(b);
    for (size_t i = 0; i < std::max(x.size(), y.size()); ++i) {
        long long p = i < x.size() ? x[i] : 0, q = i < y.size() ? y[i] : 0;
        if (p != q) return p < q ? -1 : 1;
    }
    return 0;
}

std::string update_message(std::string_view running, std::string_view address,
                           const std::optional<std::string>& answer, std::string_view error) {
    if (trim(address).empty())
        return "No update address is set. Enter the address of the version file and check "
               "again.";
    if (!answer)
        return "Could not reach " + std::string(address) + " (" + std::string(error) +
               "). You may be offline; nothing was changed. Try again when the connection is "
               "back.";
    auto latest = parse_latest_version(*answer);
    if (!latest) return "The answer from " + std::string(address) + " holds no version number.";
    if (compare_versions(latest->version, running) > 0) {
        std::string m = "Tarvex " + latest->version + " is available; this is version " +
                        std::string(running) + ".";
        if (!latest->url.empty()) m += " Get it from " + latest->url;
        return m;
    }
    return "Tarvex " + std::string(running) + " is up to date (the latest is " + latest->version +
           ").";
}

}  // namespace tarvex
