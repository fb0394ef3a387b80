#pragma once
// Small text helpers shared by every subsystem. Record lines and HPD lines are single-byte
// text held in std::string; nothing here assumes UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

bool starts_with(std::string_view s, std::string_view prefix);
bool contains(std::string_view s, std::string_view part);
// Replaces every occurrence, scanning left to right without re-reading replaced text.
std::string replace_all(std::string_view s, std::string_view from, std::string_view to);
void replace_all_in_place(std::string& s, std::string_view from, std::string_view to);
std::vector<std::string_view> split_view(std::string_view s, char sep);
std::vector<std::string> split(std::string_view s, char sep);
std::string join(const std::vector<std::string>& parts, char sep);
std::string to_upper(std::string_view s);
std::string to_lower(std::string_view s);
std::string trim(std::string_view s);
// Drops CR and LF characters anywhere in the text.
std::string strip_line_ends(std::string_view s);

// "000" and "0000" masks: zero-padded to at least `width` digits.
std::string pad_number(long long value, int width);
inline std::string fmt3(long long v) {
    return pad_number(v, 3);
}
inline std::string fmt4(long long v) {
    return pad_number(v, 4);
}

// Lenient number reading as users type: leading blanks, optional sign, digits, one decimal
// point; reading stops at the first other character. Text that is not a number reads as 0.
double lenient_number(std::string_view s);
long long lenient_integer(std::string_view s);
// Strict whole number: the entire text must be an optional sign and digits.
std::optional<long long> parse_integer(std::string_view s);
// Digits with at most one point and nothing else ("154.43", "463", ".5"): the only spelling
// of an unsigned decimal taken where a typing slip must be refused rather than read as 0.
bool is_unsigned_decimal(std::string_view s);

// The RadioReference application key as a user may set it, blanks around it ignored: "" when
// empty (the program then sends its own key), the eight decimal digits when it is exactly that,
// nothing for any other form. Kept here so that the preferences dialog and the service client,
// which sit in different layers, refuse the same texts.
std::optional<std::string> app_key_setting(std::string_view setting);

// Whole-Hz frequencies to decimal MHz text and back, exactly (no floating point): at least
// four decimals so that a frequency always shows a "." ("155.0000", "851.0125", "851.00625").
std::string hz_to_mhz(long long hz);
// MHz text ("851.0125") to whole Hz, rounding beyond the sixth decimal; lenient like
// lenient_number (a text that is not a number gives 0).
long long mhz_to_hz(std::string_view mhz);
// A decimal text scaled by 10^decimals to a whole number, rounding half away from zero.
long long decimal_to_scaled(std::string_view text, int decimals);
// A scaled whole number back to decimal text with at least `min_decimals` decimals and at most
// `decimals`, trailing zeros beyond the minimum trimmed.
std::string scaled_to_decimal(long long scaled, int decimals, int min_decimals);

}  // namespace tarvex
