#pragma once
// RadioReference codes: service tags (the scanner's service-type numbering), modes, trunk types
// and states.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::radioref {

// Service-tag name by the service's tag number (1..217); "" for numbers without a name.
std::string_view ServiceTagName(int number);
// The 39 named tags in alphabetical order, for pick lists (position 1 is index 0).
std::span<const std::string_view> service_tag_names_sorted();
// The tag number of a name ("Law Dispatch" -> 2); 0 when unknown.
int service_tag_number(std::string_view name);
// Every tag number with a name, ascending.
const std::vector<int>& service_tag_numbers();

std::string_view ModeName(int number);
std::string_view TrunkTypeName(int type);

struct UsState {
    std::string_view name;
    std::string_view id;  // the service's state id
    std::string_view code;
};
const std::array<UsState, 53>& us_states();
// The state pick list's head entry.
inline constexpr std::string_view k_select_state = ">> Select State <<";

}  // namespace tarvex::radioref
