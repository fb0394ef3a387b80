#pragma once
// The fields every list of records shows, by meaning rather than by position: the windows ask
// here instead of counting commas themselves.
#include <string>
#include <string_view>

namespace tarvex {

// The name of a system ("SIN"), site or group ("GIN") line.
std::string record_name(std::string_view line);
// The type word of a system line ("Conventional", "Motorola", "EDACS", ...).
std::string system_type_word(std::string_view line);

// Whether a system's stored type code ("2", "3") is one of the EDACS types, whose talkgroups
// may be written in the AFS notation.
bool is_edacs_type_code(std::string_view code);

}  // namespace tarvex
