// Values the scanner cannot use, checked before they leave the editor.
#include <utility>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_check.h"
#include "core/editor/grid_columns.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {
constexpr size_t k_listed_rows = 12;
}

std::vector<std::string> EditingSession::marked_values() const {
    std::vector<std::string> lines;
    for (auto [system, group] : edited_groups_) {
        const std::string key = keys::group(system, group);
        if (!store_->exists(key)) continue;
        const std::string& code = store_->system_type_code(system);
        const int type_code = static_cast<int>(lenient_integer(code));
        grid::GridKind kind = grid::grid_kind_for_system_type(type_code);
        TextGrid grid;
        grid::load_group_grid(*files_, system, group, kind, grid);
        const std::string name = get_field(store_->get_node_text(key), 4);
        for (const auto& f : grid::check_report(grid, kind, type_code).errors)
            lines.push_back(name + ", r" + f.message.substr(1));
    }
    return lines;
}

bool EditingSession::confirm_marked_values(std::string_view action) {
    std::vector<std::string> marked = marked_values();
    if (marked.empty()) return true;
    std::vector<std::string> lines{"These rows hold values the scanner cannot use:"};
    for (size_t i = 0; i < marked.size() && i < k_listed_rows; ++i) lines.push_back(marked[i]);
    if (marked.size() > k_listed_rows)
        lines.push_back("... and " + std::to_string(marked.size() - k_listed_rows) + " more");
    lines.push_back(std::string(action) + " anyway? (No goes back to correct them.)");
    return prompter_.ask(lines, "Warning", Buttons::YesNo) == Answer::Yes;
}

}  // namespace tarvex
