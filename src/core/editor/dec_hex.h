#pragma once
// "DEC HEX Converter": a talkgroup or unit-ID value in decimal, hexadecimal and, where it fits
// an EDACS group ID, the agency-fleet-subfleet form the grids' "Convert AFS" writes.
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

struct DecHex {
    long long decimal = 0;
    std::string hex;                 // upper case, no prefix: "24A"
    std::optional<std::string> afs;  // "04-092" for 0..2047
    std::string error;               // the text could not be read
};

// Reads "586" (decimal), "0x24A" or "24Ah" (hexadecimal) or "04-092" (AFS), up to 32 bits.
DecHex convert_dec_hex(std::string_view text);

}  // namespace tarvex
