#include "core/model/store_keys.h"

namespace tarvex::keys {

int number_at(std::string_view key, size_t pos, size_t len) {
    if (pos == 0 || key.size() < pos) return 0;
    std::string_view part = key.substr(pos - 1, len);
    int v = 0;
    for (char c : part) {
        if (c < '0' || c > '9') return part.empty() ? 0 : static_cast<int>(lenient_integer(part));
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string with_system(std::string_view key, int system) {
    std::string out(key);
    // A group key carries the constant "999" where other keys carry the system.
    size_t at = out.rfind("GRP-999-", 0) == 0 ? 8 : 4;
    if (out.size() >= at + 3) out.replace(at, 3, fmt3(system));
    return out;
}

}  // namespace tarvex::keys
