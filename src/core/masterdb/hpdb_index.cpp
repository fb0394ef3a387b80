#include "core/masterdb/hpdb_index.h"

#include "core/base/line_reader.h"
#include "core/base/text.h"
#include "core/card/card_paths.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

// The index of the real database has a few hundred lines; a bound keeps a hostile file from
// filling the selector without end.
constexpr size_t k_max_states = 10000;

}  // namespace

std::string state_file_name(int state_number) {
    return "s_" + pad_number(state_number, 6) + ".hpd";
}

fs::path state_file_path(const fs::path& folder, int state_number) {
    return child_ci(folder, state_file_name(state_number));
}

HpdbIndex read_hpdb_index(const fs::path& folder) {
    HpdbIndex index;
    auto config = find_child_ci(folder, "HPDB.config");
    if (!config) return index;
    LineReader in(*config);
    if (!in.is_open()) return index;
    index.opened = true;
    std::string line;
    while (in.next(line) && index.states.size() < k_max_states) {
        if (!starts_with(line, "StateInfo")) continue;
        auto fields = split(strip_line_ends(line), '\t');
        if (fields.size() < 4) continue;
        std::string id = replace_all(fields[1], "StateId=", "");
        auto number = parse_integer(trim(id));
        if (!number || *number < 0 || *number > 999999) continue;
        StateEntry e;
        e.number = static_cast<int>(*number);
        e.name = fields[3];
        e.file_name = state_file_name(e.number);
        index.states.push_back(std::move(e));
    }
    return index;
}

}  // namespace tarvex
