#include "core/editor/grid_text.h"

#include <cctype>
#include <cmath>

#include "core/base/text.h"
#include "core/editor/grid_detail.h"

namespace tarvex::grid {

namespace {

std::string trim_blanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}

bool is_letter(unsigned char c) {
    return std::isalpha(c) != 0;
}

bool continues_word(unsigned char c) {
    return std::isalnum(c) != 0 || c == '\'';
}

}  // namespace

std::string align_text(std::string_view text, int code, int width) {
    if (width <= 0) width = k_alpha_tag_limit;
    if (code == align_left) return trim_blanks(text);
    std::string cut = trim_blanks(text.substr(0, static_cast<size_t>(width)));
    int room = width - static_cast<int>(cut.size());
    int blanks = 0;
    if (code == align_center)
        blanks = static_cast<int>(std::floor(room / 2.0));
    else if (code == align_right)
        blanks = room;
    else
        return std::string(text);
    if (blanks > 0) cut.insert(0, static_cast<size_t>(blanks), ' ');
    return cut;
}

std::string convert_case(std::string_view text, CaseCode code) {
    if (code == CaseCode::Upper) return to_upper(text);
    if (code == CaseCode::Lower) return to_lower(text);
    std::string out(text);
    bool in_word = false;
    for (char& ch : out) {
        auto c = static_cast<unsigned char>(ch);
        if (is_letter(c)) ch = static_cast<char>(in_word ? std::tolower(c) : std::toupper(c));
        in_word = continues_word(c);
    }
    return out;
}

CaseCode case_code_from(std::string_view name) {
    std::string lower = to_lower(name);
    if (lower == "low" || contains(lower, "lower")) return CaseCode::Lower;
    if (lower == "sp" || contains(lower, "special")) return CaseCode::Special;
    return CaseCode::Upper;
}

int align_code_from(std::string_view caption) {
    if (caption == "Left") return align_left;
    if (caption == "Center") return align_center;
    if (caption == "Right") return align_right;
    return -1;
}

GridChange g_align_text(TextGrid& grid, int column, int code, int width) {
    GridChange change;
    if (column < 1 || column >= grid.cols()) return change;
    for (int r = 1; r < grid.rows(); ++r)
        detail::set_cell(grid, change, r, column, align_text(grid.at(r, column), code, width));
    return change;
}

GridChange change_case(TextGrid& grid, GridKind kind, CellRange range, CaseCode code) {
    GridChange change;
    int tag = column_index(kind, Column::AlphaTag);
    range = clip(range, grid);
    if (tag < 0 || tag >= grid.cols()) return change;
    for (int r = range.top; r <= range.bottom; ++r)
        detail::set_cell(grid, change, r, tag, convert_case(grid.at(r, tag), code));
    return change;
}

std::string tag_from_row(const TextGrid& grid, GridKind kind, int row) {
    if (row < 1 || row >= grid.rows() || grid.cols() < 2) return {};
    std::string key = trim(grid.at(row, 1));
    std::string tag;
    switch (kind) {
        case GridKind::Channel:
        case GridKind::SiteFrequency:
            if (!key.empty()) tag = key + "MHz";
            break;
        case GridKind::Talkgroup:
            if (!key.empty()) tag = "ID:" + key;
            break;
        case GridKind::UnitId:
            if (!key.empty()) tag = "UID:" + key;
            break;
        case GridKind::SearchRange: {
            std::string stop = grid.cols() > 2 ? trim(grid.at(row, 2)) : std::string();
            if (!key.empty() || !stop.empty()) tag = key.substr(0, 5) + "-" + stop.substr(0, 5);
            break;
        }
    }
    if (tag.size() > static_cast<size_t>(k_alpha_tag_limit))
        tag.resize(static_cast<size_t>(k_alpha_tag_limit));
    return tag;
}

GridChange copy_to_alpha_tag(TextGrid& grid, GridKind kind, CellRange range) {
    GridChange change;
    int tag = column_index(kind, Column::AlphaTag);
    range = clip(range, grid);
    if (tag < 0 || tag >= grid.cols()) return change;
    for (int r = range.top; r <= range.bottom; ++r) {
        std::string text = tag_from_row(grid, kind, r);
        if (!text.empty()) detail::set_cell(grid, change, r, tag, std::move(text));
    }
    return change;
}

}  // namespace tarvex::grid
