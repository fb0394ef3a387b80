#include "core/editor/grid_check.h"

#include <algorithm>
#include <optional>

#include "core/base/text.h"
#include "core/editor/grid_edacs.h"
#include "core/hpd/vocab.h"

namespace tarvex::grid {

namespace {

constexpr long long k_unit_id_max = 99999999;

// What one cell needs: nothing, a correction, or a report.
struct Verdict {
    std::string problem;  // empty: the cell is fine
    std::optional<std::string> fix;
};

Verdict ok() {
    return {};
}
Verdict report(std::string problem) {
    return {std::move(problem), std::nullopt};
}
Verdict fix(std::string problem, std::string value) {
    return {std::move(problem), std::move(value)};
}

Verdict check_frequency(std::string_view value, bool required) {
    std::string v = trim(value);
    if (v.empty())
        return required ? report("no frequency, the line is not written to the scanner") : ok();
    if (!is_unsigned_decimal(v)) return report(v + " is not a frequency in MHz");
    long long hz = mhz_to_hz(v);
    if (hz < k_lowest_hz || hz > k_highest_hz)
        return report(v + " MHz is outside the scanner's range of 25 to 1300 MHz");
    if (v != value) return fix("blanks around the frequency", v);
    return ok();
}

Verdict check_talkgroup(std::string_view value) {
    if (trim(value).empty()) return report("no talkgroup, the line is not written to the scanner");
    std::string cleaned = vocab::clean_talkgroup(value);
    if (cleaned == value) return ok();
    if (cleaned.empty()) return report(std::string(value) + " is not a talkgroup");
    if (cleaned == "65000") return fix(std::string(value) + " is above 65000", cleaned);
    return fix(std::string(value) + " is not a clean talkgroup", cleaned);
}

// A talkgroup of a known system type: its own forms, no silent rewriting (a DMR value above
// 65000 is a real talkgroup, not one to cut).
Verdict check_typed_talkgroup(int type_code, std::string_view value) {
    std::string v = trim(value);
    if (v.empty()) return report("no talkgroup, the line is not written to the scanner");
    std::string problem = talkgroup_problem(type_code, v);
    if (!problem.empty()) return report(problem);
    if (v != value) return fix("blanks around the talkgroup", v);
    return ok();
}

Verdict check_unit_id(std::string_view value) {
    std::string v = trim(value);
    if (v.empty()) return report("no unit ID, the line is not stored");
    auto n = parse_integer(v);
    bool digits = std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) return report(v + " is not a unit ID (digits only)");
    if (!n || *n > k_unit_id_max)
        return fix(v + " is above " + std::to_string(k_unit_id_max), std::to_string(k_unit_id_max));
    if (v != value) return fix("blanks around the unit ID", v);
    return ok();
}

// The numeric span of a list of numbers ("Off"/"Auto" entries left out).
std::optional<std::pair<long long, long long>> numeric_span(const ColumnSpec& colspec) {
    std::optional<std::pair<long long, long long>> span;
    for (std::string_view entry : colspec.values) {
        auto n = parse_integer(entry);
        if (!n) continue;
        if (!span) span = std::pair{*n, *n};
        span->first = std::min(span->first, *n);
        span->second = std::max(span->second, *n);
    }
    return span;
}

Verdict check_list(const ColumnSpec& colspec, std::string_view value) {
    if (value.empty()) return fix("empty", std::string(colspec.fallback));
    for (std::string_view entry : colspec.values)
        if (entry == value) return ok();
    std::string lower = to_lower(trim(value));
    for (std::string_view entry : colspec.values)
        if (to_lower(entry) == lower)
            return fix(std::string(value) + " is spelled " + std::string(entry),
                       std::string(entry));
    if (auto n = parse_integer(trim(value)); n) {
        if (auto span = numeric_span(colspec); span) {
            if (*n > span->second)
                return fix(std::string(value) + " is above " + std::to_string(span->second),
                           std::to_string(span->second));
            if (*n < span->first && span->first < 0)
                return fix(std::string(value) + " is below " + std::to_string(span->first),
                           std::to_string(span->first));
        }
    }
    return report(std::string(value) + " is not one of the values, the scanner gets " +
                  std::string(colspec.fallback));
}

// Codes typed without the table's exact spelling: "100" for "100.0", "23" for "023".
std::optional<std::string> spelled_code(std::string_view sq_mode, std::string_view code) {
    if (sq_mode == "CTCSS" && is_unsigned_decimal(code)) {
        std::string tone = scaled_to_decimal(decimal_to_scaled(code, 1), 1, 1);
        if (sq_code_fits(sq_mode, tone)) return tone;
    }
    if (sq_mode == "DCS" && code.size() < 3 && parse_integer(code)) {
        std::string padded = pad_number(*parse_integer(code), 3);
        if (sq_code_fits(sq_mode, padded)) return padded;
    }
    std::string lower = to_lower(code);
    if (lower == "search" && sq_mode != "All" && sq_mode != "None") return std::string("Search");
    return std::nullopt;
}

Verdict check_sq_code(std::string_view sq_mode, std::string_view code) {
    if (sq_code_fits(sq_mode, code)) return ok();
    if (auto spelled = spelled_code(sq_mode, code))
        return fix(std::string(code) + " is written " + *spelled, *spelled);
    if (sq_mode == "All" || sq_mode == "None" || sq_mode.empty())
        return report(std::string(code) + " is ignored with SQ Mode " +
                      std::string(sq_mode.empty() ? "All" : sq_mode));
    return report(std::string(code) + " is not a code of SQ Mode " + std::string(sq_mode));
}

Verdict check_whole_number(std::string_view value, long long max, bool required,
                           std::string_view what) {
    std::string v = trim(value);
    if (v.empty()) return required ? report("no " + std::string(what)) : ok();
    auto n = parse_integer(v);
    if (!n || *n < 0) return report(v + " is not a " + std::string(what));
    if (max >= 0 && *n > max)
        return fix(v + " is above " + std::to_string(max), std::to_string(max));
    return ok();
}

Verdict check_cell(const TextGrid& grid, GridKind kind, const ColumnSpec& colspec, int row, int col,
                   int type_code) {
    const std::string& value = grid.at(row, col);
    switch (colspec.column) {
        case Column::Frequency:
            return check_frequency(value, true);
        case Column::StartFrequency:
        case Column::StopFrequency:
            return check_frequency(value, true);
        case Column::Talkgroup:
            if (type_code > 0) return check_typed_talkgroup(type_code, value);
            return check_talkgroup(value);
        case Column::UnitId:
            return check_unit_id(value);
        case Column::AlphaTag:
            if (value.size() > 64) return fix("longer than 64 characters", value.substr(0, 64));
            return ok();
        case Column::SqCode: {
            int mode_col = column_index(kind, Column::SqMode);
            std::string mode = mode_col > 0 ? grid.at(row, mode_col) : std::string("All");
            return check_sq_code(mode, value);
        }
        case Column::Lcn:
            return check_whole_number(value, -1, false, "channel number");
        case Column::ColorCode:
            return check_whole_number(value, 15, false, "colour code");
        default:
            break;
    }
    if (colspec.editor == CellEditor::List) return check_list(colspec, value);
    return ok();
}

}  // namespace

std::vector<Finding> validate_grid(TextGrid& grid, GridKind kind, bool correct, int type_code) {
    std::vector<Finding> findings;
    auto columns = columns_of(kind);
    int cols = std::min(grid.cols(), static_cast<int>(columns.size()));
    for (int r = 1; r < grid.rows(); ++r) {
        if (row_is_empty(grid, kind, r)) continue;
        // SQ Mode is settled before SQ Code is read, which comes after it.
        for (int c = 1; c < cols; ++c) {
            const ColumnSpec& colspec = columns[static_cast<size_t>(c)];
            Verdict verdict = check_cell(grid, kind, colspec, r, c, type_code);
            if (verdict.problem.empty()) continue;
            Finding f;
            f.row = r;
            f.col = c;
            f.value = grid.at(r, c);
            f.message = "Row " + std::to_string(r) + ", " + std::string(colspec.title) + ": " +
                        verdict.problem;
            if (verdict.fix) {
                f.severity = f.value.empty() ? Severity::Default : Severity::Correction;
                f.corrected = *verdict.fix;
                f.fixed = correct;
                f.message += (correct ? ", set to " : ", would be set to ") + *verdict.fix;
                if (correct) grid.at(r, c) = *verdict.fix;
            }
            findings.push_back(std::move(f));
        }
        if (kind == GridKind::SearchRange && grid.cols() > 2) {
            const std::string &start = grid.at(r, 1), &stop = grid.at(r, 2);
            if (is_unsigned_decimal(trim(start)) && is_unsigned_decimal(trim(stop)) &&
                mhz_to_hz(start) > mhz_to_hz(stop))
                findings.push_back(
                    {r, 2, stop, "", false,
                     "Row " + std::to_string(r) + ", Stop Frequency: below the start frequency",
                     Severity::Error});
        }
    }
    return findings;
}

CheckReport check_report(const TextGrid& grid, GridKind kind, int type_code) {
    TextGrid copy = grid;
    CheckReport report;
    int last_default_row = 0;
    for (auto& f : validate_grid(copy, kind, false, type_code)) {
        switch (f.severity) {
            case Severity::Error:
                report.errors.push_back(std::move(f));
                break;
            case Severity::Correction:
                report.corrections.push_back(std::move(f));
                break;
            case Severity::Default:
                ++report.defaults;
                if (f.row != last_default_row) ++report.defaults_rows;
                last_default_row = f.row;
                break;
        }
    }
    return report;
}

std::string cell_error(const TextGrid& grid, GridKind kind, int row, int col, int type_code) {
    auto columns = columns_of(kind);
    if (row < 1 || row >= grid.rows() || col < 1 || col >= grid.cols() ||
        col >= static_cast<int>(columns.size()) || row_is_empty(grid, kind, row))
        return {};
    const ColumnSpec& colspec = columns[static_cast<size_t>(col)];
    Verdict verdict = check_cell(grid, kind, colspec, row, col, type_code);
    if (verdict.problem.empty() || verdict.fix) return {};
    return std::string(colspec.title) + ": " + verdict.problem;
}

GridChange cleanup_grid(TextGrid& grid, GridKind kind, int type_code) {
    GridChange change;
    for (const Finding& f : validate_grid(grid, kind, true, type_code))
        if (f.fixed) ++change.count;
    GridChange compacted = remove_empty_lines(grid, kind);
    change.changed = true;
    change.rows_changed = compacted.rows_changed;
    change.area = compacted.area;
    return change;
}

namespace {

bool all_digits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits only, at most `width` of them, with a value in [low, high].
bool number_in(std::string_view s, size_t width, long long low, long long high) {
    if (!all_digits(s) || s.size() > width) return false;
    auto n = parse_integer(s);
    return n && *n >= low && *n <= high;
}

std::vector<std::string_view> dash_parts(std::string_view s) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == '-') {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

bool ltr_fields(std::string_view area, std::string_view repeater, std::string_view group) {
    return number_in(area, 1, 0, 1) && number_in(repeater, 2, 1, 20) && number_in(group, 3, 0, 254);
}

}  // namespace

std::string talkgroup_problem(int type_code, std::string_view text) {
    const std::string v = trim(text);
    if (v.size() > 1 && (v[0] == 'i' || v[0] == 'I') && all_digits(std::string_view(v).substr(1)))
        return {};  // a unit ID
    const bool has_dash = v.find('-') != std::string::npos;
    switch (type_code) {
        case 1: {  // Motorola
            if (!has_dash && number_in(v, 5, 0, 65535)) return {};
            auto parts = dash_parts(v);
            if (parts.size() == 2 && number_in(parts[0], 3, 0, 999) &&
                number_in(parts[1], 2, 0, 15))
                return {};
            return v + " is not a Motorola talkgroup (0 to 65535, or fleet-subfleet FFF-SS)";
        }
        case 2:
        case 3:  // EDACS
            if (!has_dash && number_in(v, 4, 0, k_edacs_max_id)) return {};
            if (has_dash && decimal_from_afs(v)) return {};
            return v + " is not an EDACS talkgroup (AA-FFS, or 0 to 2047)";
        case 4: {  // LTR
            auto parts = dash_parts(v);
            if (parts.size() == 3 && ltr_fields(parts[0], parts[1], parts[2])) return {};
            if (!has_dash && all_digits(v) && v.size() <= 6) {
                const std::string six = std::string(6 - v.size(), '0') + v;
                if (ltr_fields(six.substr(0, 1), six.substr(1, 2), six.substr(3, 3))) return {};
            }
            return v +
                   " is not an LTR talkgroup (A-RR-GGG or ARRGGG: area 0-1, repeater 1-20, "
                   "group 0-254)";
        }
        case 5:
        case 6:
        case 7:  // P25
            if (number_in(v, 5, 1, 65535)) return {};
            return v + " is not a P25 talkgroup (1 to 65535)";
        case 8:
        case 9:  // MotoTRBO, DMR
            if (number_in(v, 8, 1, 16777215)) return {};
            return v + " is not a DMR talkgroup (1 to 16777215)";
        default:
            break;
    }
    if (vocab::clean_talkgroup(v).empty()) return v + " is not a talkgroup";
    return {};
}

}  // namespace tarvex::grid
