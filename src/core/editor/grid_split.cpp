#include "core/editor/grid_split.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_detail.h"
#include "core/editor/grid_edacs.h"
#include "core/editor/grid_text.h"

namespace tarvex::grid {

namespace {

using detail::set_cell;

bool all_digits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A listed frequency as MHz text, "" when the word is none. Whole numbers of more than six
// digits can only be Hz.
std::string frequency_key(std::string_view word) {
    int dots = static_cast<int>(std::count(word.begin(), word.end(), '.'));
    std::string digits;
    for (char c : word)
        if (c != '.') digits += c;
    if (dots > 1 || !all_digits(digits)) return {};
    // Too many digits for a whole number is no frequency either.
    long long hz =
        (dots == 0 && word.size() > 6) ? parse_integer(word).value_or(0) : mhz_to_hz(word);
    // As the reader writes channel frequencies: plain MHz text.
    return hz > 0 ? scaled_to_decimal(hz, 6, 0) : std::string();
}

std::string key_of(Column key_column, std::string_view word) {
    switch (key_column) {
        case Column::Frequency:
            return frequency_key(word);
        case Column::Talkgroup:
            // EDACS lists write talkgroups in agency-fleet-subfleet notation.
            if (all_digits(word) || decimal_from_afs(word)) return std::string(word);
            if (word.size() > 1 && (word[0] == 'i' || word[0] == 'I') && all_digits(word.substr(1)))
                return "i" + std::string(word.substr(1));
            return {};
        case Column::UnitId:
            return all_digits(word) ? std::string(word) : std::string();
        default:
            return {};
    }
}

std::string comment_of(std::string_view rest) {
    size_t i = 0;
    while (i < rest.size() && std::string_view(" \t-:,;").find(rest[i]) != std::string_view::npos)
        ++i;
    std::string tag = trim(rest.substr(i));
    if (tag.size() > static_cast<size_t>(k_alpha_tag_limit)) tag.resize(k_alpha_tag_limit);
    return tag;
}

}  // namespace

GridChange split_comments(TextGrid& grid, GridKind kind, int at, std::string_view text,
                          Prompter& prompter) {
    GridChange change;
    const int tag_col = column_index(kind, Column::AlphaTag);
    const ColumnSpec* key_spec = column_spec(kind, 1);
    if (tag_col < 0 || !key_spec) {
        prompter.tell(k_split_needs_alpha_tag);
        return change;
    }
    std::vector<std::pair<std::string, std::string>> rows;
    std::vector<std::string> skipped;
    for (std::string_view line : split_view(text, '\n')) {
        std::string clean = trim(strip_line_ends(line));
        if (clean.empty()) continue;
        size_t end = clean.find_first_of(" \t,;:");
        std::string word = clean.substr(0, end);
        // "154.3100," and "1234:" carry their separator on the number.
        while (!word.empty() &&
               std::string_view("-:,;").find(word.back()) != std::string_view::npos)
            word.pop_back();
        std::string key = key_of(key_spec->column, word);
        if (key.empty()) {
            skipped.push_back(clean);
            continue;
        }
        std::string rest = end == std::string::npos ? std::string() : clean.substr(end);
        rows.emplace_back(std::move(key), comment_of(rest));
    }

    at = std::max(at, 1);
    const int fit = std::clamp(k_max_rows - at + 1, 0, static_cast<int>(rows.size()));
    const int old_rows = grid.rows();
    if (fit > 0) detail::ensure_row(grid, std::min(at + fit, k_max_rows));
    const std::vector<std::string> defaults = default_row(kind);
    for (int k = 0; k < fit; ++k) {
        const int r = at + k;
        if (row_is_empty(grid, kind, r))
            for (int c = 1; c < grid.cols() && c < static_cast<int>(defaults.size()); ++c)
                if (grid.at(r, c).empty() && !defaults[static_cast<size_t>(c)].empty())
                    set_cell(grid, change, r, c, defaults[static_cast<size_t>(c)]);
        set_cell(grid, change, r, 1, rows[static_cast<size_t>(k)].first);
        set_cell(grid, change, r, tag_col, rows[static_cast<size_t>(k)].second);
    }
    change.rows_changed = grid.rows() != old_rows;
    if (fit > 0) change.selection = CellRange{at, 1, at + fit - 1, tag_col};
    if (fit < static_cast<int>(rows.size()))
        prompter.tell(std::string(detail::k_grid_full) + " " +
                      std::to_string(rows.size() - static_cast<size_t>(fit)) +
                      " lines were not added.");
    if (!skipped.empty()) {
        std::string list;
        for (size_t i = 0; i < skipped.size() && i < 3; ++i) list += (i ? " | " : "") + skipped[i];
        if (skipped.size() > 3) list += " | ...";
        prompter.tell("No frequency or talkgroup at the start, skipped: " + list);
    }
    return detail::finish(grid, change);
}

}  // namespace tarvex::grid
