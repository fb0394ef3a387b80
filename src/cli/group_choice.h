#pragma once
// --system N and --group G as html and print take them: N is a system's 1-based position in
// store order, G a group's 1-based position under its system in the browser.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "core/base/text.h"
#include "core/exchange/html_export.h"
#include "core/model/system_store.h"

namespace tarvex::cli {

inline std::optional<int> positive(const std::string& text) {
    auto n = parse_integer(text);
    if (!n || *n < 1 || *n > 1000000) return std::nullopt;
    return static_cast<int>(*n);
}

// The system index of position n, with a message when there is none.
inline std::optional<int> system_at(const SystemStore& store, int n) {
    auto systems = html::systems_of(store);
    if (n < 1 || static_cast<size_t>(n) > systems.size()) {
        std::fprintf(stderr, "tarvex-cli: no system %d (the file has %zu)\n", n, systems.size());
        return std::nullopt;
    }
    return systems[static_cast<size_t>(n - 1)];
}

// The group index of position g under a system, with a message when there is none.
inline std::optional<int> group_at(const SystemStore& store, int system, int position, int n) {
    auto groups = html::groups_of(store, system);
    if (position < 1 || static_cast<size_t>(position) > groups.size()) {
        std::fprintf(stderr, "tarvex-cli: system %d has no group %d (it has %zu)\n", n, position,
                     groups.size());
        return std::nullopt;
    }
    return groups[static_cast<size_t>(position - 1)];
}

}  // namespace tarvex::cli
