#include "core/editor/unit_ids.h"

#include "core/base/line_reader.h"
#include "core/base/prompter.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"
#include "core/editor/grid_columns.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

using grid::GridKind;

const int k_columns = grid::column_count(GridKind::UnitId);  // "#" and four columns

// Grid rows for `used` unit IDs: one empty row below them, never fewer than 11 in all.
void size_for(TextGrid& grid, int used) {
    grid.reset(std::max(k_min_grid_rows, used + 2), k_columns);
    grid::put_titles(grid, GridKind::UnitId);
}

bool has_unit_id(const TextGrid& grid, int row) {
    return !trim(grid.at(row, 1)).empty();
}

}  // namespace

bool show_unit_ids(const SystemStore& store, int system, TextGrid& grid, Prompter& prompter) {
    const std::string sys = keys::system(system);
    if (system <= 0 || !store.exists(sys)) {
        prompter.tell(k_select_system);
        return false;
    }
    std::vector<std::string> records;
    const auto holder = store.find(keys::unit_id_holder(system));
    if (holder != SystemStore::npos)
        for (auto u = store.first_child(holder); u != SystemStore::npos; u = store.next_sibling(u))
            if (starts_with(store.key_of(u), "UDD-")) records.push_back(store.text_of(u));
    size_for(grid, static_cast<int>(records.size()));
    for (size_t i = 0; i < records.size(); ++i)
        for (int c = 1; c < k_columns; ++c)
            grid.at(static_cast<int>(i) + 1, c) = get_field(records[i], c);
    grid.number_rows();
    return true;
}

int save_unit_ids(SystemStore& store, int system, const TextGrid& grid, Prompter& prompter) {
    const std::string sys = keys::system(system);
    if (system <= 0 || !store.exists(sys)) {
        prompter.tell(k_select_system);
        return -1;
    }
    if (store.is_conventional(system)) {
        prompter.tell(k_uid_trunked_only);
        return -1;
    }
    const std::string holder = keys::unit_id_holder(system);
    if (store.exists(holder))
        store.clear_children(holder);
    else
        store.add_node(sys, holder, std::string(templates::uid_holder_editor));
    int stored = 0;
    for (int r = 1; r < grid.rows() && stored < k_max_unit_ids; ++r) {
        if (!has_unit_id(grid, r)) continue;
        std::string record = "UID";
        for (int c = 1; c < k_columns; ++c)
            record += "," + comma_to_semicolon(c < grid.cols() ? grid.at(r, c) : std::string());
        if (!store.add_node(holder, keys::unit_id(system, stored + 1), std::move(record))) break;
        ++stored;
    }
    return stored;
}

std::vector<std::string> unit_id_list_lines(const TextGrid& grid) {
    std::vector<std::string> lines{std::string(k_uid_list_model), std::string(k_uid_list_header)};
    for (int r = 1; r < grid.rows(); ++r) {
        if (!has_unit_id(grid, r)) continue;
        std::string line = grid.at(r, 0).empty() ? std::to_string(r) : grid.at(r, 0);
        for (int c = 1; c < grid.cols(); ++c)
            line += "," + strip_line_ends(comma_to_semicolon(grid.at(r, c)));
        lines.push_back(std::move(line));
    }
    return lines;
}

bool write_unit_id_list(const std::filesystem::path& file, const TextGrid& grid,
                        Prompter& prompter) {
    if (file.empty()) return false;
    SafeFileWriter out(file);
    for (const std::string& line : unit_id_list_lines(grid)) out.write_line_crlf(line);
    if (out.commit()) return true;
    prompter.tell("The unit ID file could not be written: " + out.error_text(), "Warning");
    return false;
}

bool read_unit_id_list(const std::filesystem::path& file, TextGrid& grid, Prompter& prompter) {
    LineReader in(file);
    if (!in.is_open()) {
        prompter.tell("The unit ID file could not be opened: " + file.string(), "Warning");
        return false;
    }
    std::string line;
    std::vector<std::string> rows;
    int n = 0;
    bool header = false;
    while (in.next(line)) {
        ++n;
        if (n == 2) header = starts_with(trim(line), "TARVEX UID LIST");
        if (n <= 2) continue;
        if (trim(line).empty()) continue;
        if (static_cast<int>(rows.size()) >= k_max_unit_ids) {
            prompter.tell("The unit ID file holds more than " + std::to_string(k_max_unit_ids) +
                          " unit IDs; the rest were not read.");
            break;
        }
        rows.push_back(line);
    }
    if (!header) {
        prompter.tell("This is not a unit ID list file (its second line is not \"" +
                          std::string(k_uid_list_header) + "\").",
                      "Warning");
        return false;
    }
    size_for(grid, static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 1; c < k_columns; ++c)
            grid.at(static_cast<int>(i) + 1, c) = get_field(rows[i], c);
    grid.number_rows();
    return true;
}

}  // namespace tarvex
