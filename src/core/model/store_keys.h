#pragma once
// Store keys: "SYS-sss", "SIT-sss-ttt", "TFQ-sss-ttt-nnn", "MCP-sss-ttt", "GRP-999-sss-ggg",
// "TRN-sss", "QGL-sss", "FMP-sss-000", "ABP-sss", "UID-sss-001", "UDD-sss-ll-nnnn".
// Indexes are always read back from fixed character positions, never by splitting on "-".
#include <string>
#include <string_view>

#include "core/base/text.h"

namespace tarvex::keys {

// The numeric value of `len` characters from 1-based position `pos` (0 when absent or not a
// number).
int number_at(std::string_view key, size_t pos, size_t len = 3);

inline int system_of(std::string_view key) {
    return number_at(key, 5);
}  // SYS, SIT, ...
inline int site_of(std::string_view key) {
    return number_at(key, 9);
}  // SIT, MCP, TFQ
inline int group_system_of(std::string_view key) {
    return number_at(key, 9);
}  // GRP-999-sss
inline int group_of(std::string_view key) {
    return number_at(key, 13);
}  // GRP-999-sss-ggg

inline std::string system(int s) {
    return "SYS-" + fmt3(s);
}
inline std::string site(int s, int t) {
    return "SIT-" + fmt3(s) + "-" + fmt3(t);
}
inline std::string site_frequency(int s, int t, int n) {
    return "TFQ-" + fmt3(s) + "-" + fmt3(t) + "-" + fmt3(n);
}
inline std::string bandplan(int s, int t) {
    return "MCP-" + fmt3(s) + "-" + fmt3(t);
}
inline std::string group(int s, int g) {
    return "GRP-999-" + fmt3(s) + "-" + fmt3(g);
}
inline std::string trunk_settings(int s) {
    return "TRN-" + fmt3(s);
}
inline std::string quick_keys(int s) {
    return "QGL-" + fmt3(s);
}
inline std::string fleet_map(int s) {
    return "FMP-" + fmt3(s) + "-000";
}
inline std::string abp(int s) {
    return "ABP-" + fmt3(s);
}
inline std::string unit_id_holder(int s) {
    return "UID-" + fmt3(s) + "-001";
}
inline std::string unit_id(int s, int n) {
    return "UDD-" + fmt3(s) + "-00-" + fmt4(n);
}
inline std::string sites_folder(int s) {
    return "SITELVL-" + fmt3(s);
}

// The same key with its system index replaced (characters 9-11 of a group key, 5-7 of others).
std::string with_system(std::string_view key, int system);

}  // namespace tarvex::keys
