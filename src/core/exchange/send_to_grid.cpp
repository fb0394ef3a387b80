#include "core/exchange/send_to_grid.h"

#include <algorithm>
#include <optional>

#include "core/base/text.h"
#include "core/editor/grid_columns.h"
#include "core/editor/grid_ops.h"
#include "core/exchange/csv_import.h"
#include "core/hpd/vocab.h"

namespace tarvex::csv {

namespace {

using grid::Column;
using grid::GridKind;

// The scanner receives 25 to 1300 MHz; anything else in a frequency column is a typo or
// another unit.
constexpr long long k_lowest_hz = 25'000'000;
constexpr long long k_highest_hz = 1'300'000'000;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

std::string strip_suffix_ci(std::string text, std::string_view suffix) {
    if (text.size() >= suffix.size() &&
        to_upper(std::string_view(text).substr(text.size() - suffix.size())) == suffix)
        text.resize(text.size() - suffix.size());
    return trim(text);
}

// Text after a leading word such as "PL", "CTCSS" or "DCS": the part from the first digit.
std::string_view from_first_digit(std::string_view text) {
    auto at = std::find_if(text.begin(), text.end(), is_digit);
    return text.substr(static_cast<size_t>(at - text.begin()));
}

std::string on_off(std::string_view text) {
    std::string t = to_upper(trim(text));
    if (t.empty()) return {};
    if (t == "ON" || t == "YES" || t == "Y" || t == "1" || t == "TRUE" || t == "L" || t == "SKIP")
        return "On";
    if (t == "OFF" || t == "NO" || t == "N" || t == "0" || t == "FALSE" || t == "-") return "Off";
    return {};
}

// Which table column carries each assignment (the first one assigned, -1 when none).
std::vector<int> column_of_assignment(const TextGrid& table) {
    std::vector<int> at(k_assignments.size(), -1);
    if (table.rows() < 1) return at;
    for (int c = 0; c < table.cols(); ++c) {
        int a = assignment_index(table.at(0, c));
        if (a > 0 && at[static_cast<size_t>(a)] < 0) at[static_cast<size_t>(a)] = c;
    }
    return at;
}

struct Tone {
    std::string sq_mode, sq_code;
};

// A "Subtone" cell: CTCSS tones carry a decimal point or are the tone's whole number, DCS
// codes start with "D" or carry three digits with a leading zero, CSQ and empty mean none.
std::optional<Tone> subtone(std::string_view text) {
    std::string t = to_upper(trim(text));
    if (t.empty() || t == "CSQ" || t == "OFF" || t == "NONE" || t == "0") return Tone{};
    bool dcs = starts_with(t, "D") || (t.size() >= 3 && t[0] == '0' && is_digit(t[1]));
    if (dcs) {
        std::string code = scanner_dcs(t);
        if (code.empty()) return std::nullopt;
        return Tone{"DCS", code};
    }
    std::string tone = scanner_ctcss(t);
    if (tone.empty()) return std::nullopt;
    return Tone{"CTCSS", tone};
}

}  // namespace

std::string scanner_frequency(std::string_view text) {
    std::string t = strip_suffix_ci(trim(text), "MHZ");
    if (t.empty()) return {};
    int dots = 0;
    for (char c : t) {
        if (c == '.')
            ++dots;
        else if (!is_digit(c))
            return {};
    }
    if (dots > 1 || t == ".") return {};
    long long hz = 0;
    if (dots == 0 && t.size() > 6) {
        // Whole numbers of seven digits and more are Hz, as some programs export them.
        auto whole = parse_integer(t);
        if (!whole) return {};
        hz = *whole;
    } else {
        hz = mhz_to_hz(t);
    }
    if (hz < k_lowest_hz || hz > k_highest_hz) return {};
    return hz_to_mhz(hz);
}

std::string scanner_mode(std::string_view text) {
    std::string t = to_upper(trim(text));
    if (t == "AM" || t == "FM" || t == "NFM") return t;
    if (t == "AUTO") return "AUTO";
    if (t == "FMN" || t == "NBFM" || t == "N-FM" || t == "NFMN") return "NFM";
    if (t == "FMW" || t == "WBFM") return "FM";
    return {};
}

std::string scanner_ctcss(std::string_view text) {
    const std::string trimmed = trim(text);
    std::string_view digits = from_first_digit(trimmed);
    // "PL 100" and "100 Hz" alike: the number alone.
    std::string number;
    for (char c : digits) {
        if (is_digit(c) || c == '.')
            number += c;
        else
            break;
    }
    if (number.empty()) return {};
    long long tenths = decimal_to_scaled(number, 1);
    for (auto tone : vocab::ctcss_tones())
        if (decimal_to_scaled(tone, 1) == tenths) return std::string(tone);
    return {};
}

std::string scanner_dcs(std::string_view text) {
    const std::string trimmed = trim(text);
    std::string_view digits = from_first_digit(trimmed);
    std::string number;
    for (char c : digits) {
        if (!is_digit(c)) break;
        number += c;
    }
    if (number.empty() || number.size() > 3) return {};
    number = std::string(3 - number.size(), '0') + number;
    for (auto code : vocab::dcs_codes())
        if (code == number) return number;
    return {};
}

std::string describe(const RowProblem& problem) {
    return "Row " + std::to_string(problem.row) + ": " + problem.reason;
}

GridRows to_channel_rows(const TextGrid& table, int first, int last) {
    GridRows out;
    if (last < 0 || last > table.rows() - 1) last = table.rows() - 1;
    first = std::max(first, 1);
    const auto at = column_of_assignment(table);
    auto cell = [&](int row, Assignment a) -> std::string {
        int c = at[static_cast<size_t>(a)];
        return c < 0 ? std::string() : trim(table.at(row, c));
    };
    const GridKind kind = GridKind::Channel;
    const int freq_col = grid::column_index(kind, Column::Frequency);
    const int tag_col = grid::column_index(kind, Column::AlphaTag);
    const int avoid_col = grid::column_index(kind, Column::Avoid);
    const int mode_col = grid::column_index(kind, Column::Mode);
    const int sq_mode_col = grid::column_index(kind, Column::SqMode);
    const int sq_code_col = grid::column_index(kind, Column::SqCode);
    const int att_col = grid::column_index(kind, Column::Attenuator);
    const int delay_col = grid::column_index(kind, Column::DelayTime);

    TextGrid rows(1, grid::column_count(kind));
    for (int r = first; r <= last; ++r) {
        auto problem = [&](std::string reason) { out.problems.push_back({r, std::move(reason)}); };
        std::string freq_text = cell(r, Frequency);
        if (freq_text.empty()) {
            // Rows with no text at all are gaps of the list, not lost channels.
            const auto& cells = table.row(r);
            if (std::any_of(cells.begin(), cells.end(),
                            [](const std::string& c) { return !trim(c).empty(); }))
                problem("no frequency");
            continue;
        }
        std::string freq = scanner_frequency(freq_text);
        if (freq.empty()) {
            problem("no frequency (\"" + freq_text + "\")");
            continue;
        }
        std::vector<std::string> line = grid::default_row(kind);
        line[static_cast<size_t>(freq_col)] = freq;
        line[static_cast<size_t>(tag_col)] = vocab::clean_alpha_tag(cell(r, TagName));

        if (std::string mode_text = cell(r, Mode); !mode_text.empty()) {
            std::string mode = scanner_mode(mode_text);
            if (mode.empty()) {
                problem("unknown mode \"" + mode_text + "\"");
                continue;
            }
            line[static_cast<size_t>(mode_col)] = mode;
        }

        std::optional<Tone> tone = Tone{};
        std::string tone_text;
        if (std::string t = cell(r, Ctcss); !t.empty() && to_upper(t) != "CSQ") {
            tone_text = t;
            std::string code = scanner_ctcss(t);
            tone = code.empty() ? std::nullopt : std::optional<Tone>(Tone{"CTCSS", code});
        } else if (std::string d = cell(r, Dcs); !d.empty() && to_upper(d) != "CSQ") {
            tone_text = d;
            std::string code = scanner_dcs(d);
            tone = code.empty() ? std::nullopt : std::optional<Tone>(Tone{"DCS", code});
        } else if (std::string s = cell(r, Subtone); !s.empty()) {
            tone_text = s;
            tone = subtone(s);
        }
        if (!tone) {
            problem("unknown tone \"" + tone_text + "\"");
            continue;
        }
        if (!tone->sq_mode.empty()) {
            line[static_cast<size_t>(sq_mode_col)] = tone->sq_mode;
            line[static_cast<size_t>(sq_code_col)] = tone->sq_code;
        }

        if (std::string v = on_off(cell(r, LockOut)); !v.empty())
            line[static_cast<size_t>(avoid_col)] = v;
        if (std::string v = on_off(cell(r, Attenuator)); !v.empty())
            line[static_cast<size_t>(att_col)] = v;
        if (std::string d = cell(r, DelayTime); vocab::delay_list().accepts(d))
            line[static_cast<size_t>(delay_col)] = d;

        rows.resize(rows.rows() + 1, rows.cols());
        rows.row(rows.rows() - 1) = std::move(line);
        ++out.count;
    }
    if (out.count > 0)
        out.text = grid::copy_lines(rows, grid::CellRange::rows(1, out.count, rows.cols()));
    return out;
}

}  // namespace tarvex::csv
