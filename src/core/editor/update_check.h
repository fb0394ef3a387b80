#pragma once
// "Check for Updates": the address of a small file that names the latest version, the reading
// of its answer and what the user is told. The address is a setting, so a company network or a
// test can point it elsewhere; nothing is asked of the network unless the user checks, or has
// agreed to a check at start-up.
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

class Settings;

// Settings section and keys: the address, and the user's consent to a check at start-up
// ("1" once given; the older `checkupdates` switch alone never starts one).
inline constexpr std::string_view k_update_section = "update";
inline constexpr std::string_view k_update_address_key = "address";
inline constexpr std::string_view k_update_consent_key = "startup_consent";

std::string update_address(const Settings& settings);
void set_update_address(Settings& settings, std::string_view address);
bool startup_check_allowed(const Settings& settings);
void set_startup_check(Settings& settings, bool allowed);

struct LatestVersion {
    std::string version;  // "1.4.0"
    std::string url;      // where to get it; may be empty
};
// The answer is either JSON with "version" (and optionally "url") or plain text whose first
// line is the version ("1.4.0", "v1.4.0"). nullopt when no version number is in it.
std::optional<LatestVersion> parse_latest_version(std::string_view answer);

// Compares dotted version numbers part by part as numbers ("1.10" is after "1.9"; a missing
// part counts as 0, so "1.2" equals "1.2.0"). Negative, 0 or positive.
int compare_versions(std::string_view a, std::string_view b);

// What the user reads. `answer` is nullopt when the request failed; `error` then says why.
std::string update_message(std::string_view running, std::string_view address,
                           const std::optional<std::string>& answer, std::string_view error);

}  // namespace tarvex
