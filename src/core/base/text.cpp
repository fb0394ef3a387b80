#include "core/base/text.h"

#include <cctype>
#include <cstdlib>
#include <limits>

namespace tarvex {

bool starts_with(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

std::string replace_all(std::string_view s, std::string_view from, std::string_view to) {
    std::string out;
    if (from.empty()) return std::string(s);
    out.reserve(s.size());
    size_t pos = 0;
    while (true) {
        size_t hit = s.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(s.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s.substr(pos));
    return out;
}

void replace_all_in_place(std::string& s, std::string_view from, std::string_view to) {
    if (from.empty() || s.find(from) == std::string::npos) return;
    s = replace_all(s, from, to);
}

std::vector<std::string_view> split_view(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        size_t hit = s.find(sep, start);
        if (hit == std::string_view::npos) {
            parts.push_back(s.substr(start));
            return parts;
        }
        parts.push_back(s.substr(start, hit - start));
        start = hit + 1;
    }
}

std::vector<std::string> split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    for (auto v : split_view(s, sep)) parts.emplace_back(v);
    return parts;
}

std::string join(const std::vector<std::string>& parts, char sep) {
    std::string out;
    size_t total = parts.size();
    for (const auto& p : parts) total += p.size();
    out.reserve(total);
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += sep;
        out += parts[i];
    }
    return out;
}

std::string to_upper(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string to_lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return std::string(s.substr(b, e - b));
}

std::string strip_line_ends(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

std::string pad_number(long long value, int width) {
    // Through unsigned, so that the most negative value has a magnitude too.
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

namespace {
// Splits a lenient decimal into sign, integer digits and fraction digits.
struct Decimal {
    bool negative = false;
    std::string whole, fraction;
};

Decimal read_decimal(std::string_view s) {
    Decimal d;
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) d.negative = s[i++] == '-';
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) d.whole += s[i++];
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) d.fraction += s[i++];
    }
    return d;
}
}  // namespace

double lenient_number(std::string_view s) {
    Decimal d = read_decimal(s);
    if (d.whole.empty() && d.fraction.empty()) return 0.0;
    std::string text = (d.negative ? "-" : "") + (d.whole.empty() ? "0" : d.whole) + "." +
                       (d.fraction.empty() ? "0" : d.fraction);
    return std::strtod(text.c_str(), nullptr);
}

long long lenient_integer(std::string_view s) {
    Decimal d = read_decimal(s);
    long long v = 0;
    for (char c : d.whole) {
        if (v > 100000000000000000LL) break;  // far beyond any value the program uses
        v = v * 10 + (c - '0');
    }
    return d.negative ? -v : v;
}

bool is_unsigned_decimal(std::string_view s) {
    int dots = 0, digits = 0;
    for (char c : s) {
        if (c == '.')
            ++dots;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && dots <= 1;
}

std::optional<std::string> app_key_setting(std::string_view setting) {
    std::string t = trim(setting);
    if (t.empty()) return t;
    if (t.size() != 8) return std::nullopt;
    for (char c : t)
        if (c < '0' || c > '9') return std::nullopt;
    return t;
}

std::optional<long long> parse_integer(std::string_view s) {
    if (s.empty()) return std::nullopt;
    size_t i = 0;
    bool neg = false;
    if (s[0] == '-' || s[0] == '+') {
        neg = s[0] == '-';
        i = 1;
    }
    if (i >= s.size() || s.size() - i > 18) return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    return neg ? -v : v;
}

long long decimal_to_scaled(std::string_view text, int decimals) {
    Decimal d = read_decimal(text);
    long long unit = 1;
    for (int k = 0; k < decimals; ++k) unit *= 10;
    // The largest whole part whose scaled value, fraction and rounding included, still fits;
    // a longer number is held at it, as out-of-range input is everywhere, instead of
    // overflowing into a negative frequency.
    const long long limit = (std::numeric_limits<long long>::max() - unit) / unit;
    long long v = 0;
    for (char c : d.whole) {
        int digit = c - '0';
        if (v > (limit - digit) / 10) {
            v = limit;
            break;
        }
        v = v * 10 + digit;
    }
    for (int k = 0; k < decimals; ++k) {
        v = v * 10 + (k < static_cast<int>(d.fraction.size()) ? d.fraction[k] - '0' : 0);
    }
    if (static_cast<int>(d.fraction.size()) > decimals && d.fraction[decimals] >= '5') ++v;
    return d.negative ? -v : v;
}

std::string scaled_to_decimal(long long scaled, int decimals, int min_decimals) {
    bool neg = scaled < 0;
    unsigned long long v = neg ? 0ULL - static_cast<unsigned long long>(scaled) : scaled;
    unsigned long long unit = 1;
    for (int k = 0; k < decimals; ++k) unit *= 10;
    std::string whole = std::to_string(v / unit);
    std::string frac = std::to_string(v % unit);
    frac.insert(0, static_cast<size_t>(decimals) - frac.size(), '0');
    while (static_cast<int>(frac.size()) > min_decimals && frac.back() == '0') frac.pop_back();
    std::string out = (neg ? "-" : "") + whole;
    if (!frac.empty()) out += "." + frac;
    return out;
}

std::string hz_to_mhz(long long hz) {
    return scaled_to_decimal(hz, 6, 4);
}

long long mhz_to_hz(std::string_view mhz) {
    return decimal_to_scaled(mhz, 6);
}

}  // namespace tarvex
