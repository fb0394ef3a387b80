#include "core/editor/grid_edacs.h"

#include "core/base/text.h"
#include "core/editor/grid_detail.h"

namespace tarvex::grid {

namespace {

bool all_digits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

template <class Convert>
GridChange convert_talkgroups(TextGrid& grid, GridKind kind, CellRange range, Convert convert) {
    GridChange change;
    int col = column_index(kind, Column::Talkgroup);
    range = clip(range, grid);
    if (col < 0 || col >= grid.cols()) return change;
    for (int r = range.top; r <= range.bottom; ++r) {
        std::optional<std::string> converted = convert(trim(grid.at(r, col)));
        if (converted) detail::set_cell(grid, change, r, col, std::move(*converted));
    }
    return change;
}

}  // namespace

std::optional<std::string> afs_from_decimal(int id) {
    if (id < 0 || id > k_edacs_max_id) return std::nullopt;
    int agency = id >> 7, fleet = (id >> 3) & 0xF, subfleet = id & 0x7;
    return pad_number(agency, 2) + "-" + pad_number(fleet, 2) + std::to_string(subfleet);
}

std::optional<int> decimal_from_afs(std::string_view afs) {
    std::string text = trim(afs);
    size_t dash = text.find('-');
    if (dash == std::string::npos) return std::nullopt;
    std::string_view agency_text = std::string_view(text).substr(0, dash);
    std::string_view rest = std::string_view(text).substr(dash + 1);
    if (agency_text.size() > 2 || rest.size() < 2 || rest.size() > 3) return std::nullopt;
    if (!all_digits(agency_text) || !all_digits(rest)) return std::nullopt;
    int agency = static_cast<int>(*parse_integer(agency_text));
    int fleet = static_cast<int>(*parse_integer(rest.substr(0, rest.size() - 1)));
    int subfleet = rest.back() - '0';
    if (agency > 15 || fleet > 15 || subfleet > 7) return std::nullopt;
    return agency * 128 + fleet * 8 + subfleet;
}

GridChange convert_decimal(TextGrid& grid, GridKind kind, CellRange range) {
    return convert_talkgroups(grid, kind, range, [](const std::string& cell) {
        std::optional<std::string> out;
        if (auto id = decimal_from_afs(cell)) out = std::to_string(*id);
        return out;
    });
}

GridChange convert_afs(TextGrid& grid, GridKind kind, CellRange range) {
    return convert_talkgroups(grid, kind, range, [](const std::string& cell) {
        std::optional<std::string> out;
        if (all_digits(cell) && cell.size() <= 4) out = afs_from_decimal(std::stoi(cell));
        return out;
    });
}

}  // namespace tarvex::grid
