#include "core/editor/dec_hex.h"

#include "core/base/text.h"
#include "core/editor/grid_edacs.h"

namespace tarvex {

namespace {

constexpr long long k_largest = 0xFFFFFFFFLL;

std::optional<long long> read_digits(std::string_view s, int base) {
    if (s.empty() || s.size() > 10) return std::nullopt;
    long long v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        v = v * base + d;
    }
    return v;
}

std::string to_hex(long long v) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), digits[v % 16]);
        v /= 16;
    } while (v > 0);
    return out;
}

}  // namespace

DecHex convert_dec_hex(std::string_view text) {
    DecHex out;
    const std::string t = trim(text);
    std::optional<long long> value;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        value = read_digits(std::string_view(t).substr(2), 16);
    else if (t.size() > 1 && (t.back() == 'h' || t.back() == 'H'))
        value = read_digits(std::string_view(t).substr(0, t.size() - 1), 16);
    else if (t.find('-') != std::string::npos) {
        if (auto id = grid::decimal_from_afs(t)) value = *id;
    } else
        value = read_digits(t, 10);
    if (!value) {
        out.error = "\"" + t + "\" is not a decimal, hexadecimal (0x...) or AFS (AA-FFS) value.";
        return out;
    }
    if (*value > k_largest) {
        out.error = t + " is larger than 32 bits.";
        return out;
    }
    out.decimal = *value;
    out.hex = to_hex(*value);
    if (*value <= grid::k_edacs_max_id) out.afs = grid::afs_from_decimal(static_cast<int>(*value));
    return out;
}

}  // namespace tarvex
