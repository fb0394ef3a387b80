#include "core/editor/easy_fill.h"

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_check.h"
#include "core/editor/grid_columns.h"

namespace tarvex {

namespace {

std::string too_many(long long rows, int room) {
    if (room >= grid::k_max_rows)
        return "This fill gives " + std::to_string(rows) + " rows; a group holds at most " +
               std::to_string(grid::k_max_rows) + ".";
    return "This fill gives " + std::to_string(rows) + " rows, but the group has room for " +
           std::to_string(room < 0 ? 0 : room) + " more (a group holds at most " +
           std::to_string(grid::k_max_rows) + ").";
}

}  // namespace

FrequencyFill plan_frequency_fill(std::string_view start_mhz, std::string_view end_mhz,
                                  std::string_view step_khz, int room) {
    FrequencyFill out;
    const std::string start = trim(start_mhz), end = trim(end_mhz), step = trim(step_khz);
    if (!is_unsigned_decimal(start)) return {{}, "The start frequency is not a number of MHz."};
    if (!is_unsigned_decimal(end)) return {{}, "The end frequency is not a number of MHz."};
    if (!is_unsigned_decimal(step)) return {{}, "The step is not a number of kHz."};
    const long long first = mhz_to_hz(start), last = mhz_to_hz(end);
    const long long step_hz = decimal_to_scaled(step, 3);  // kHz with three decimals is Hz
    if (step_hz <= 0) return {{}, "The step must be more than 0 kHz."};
    if (last < first) return {{}, "The end frequency is below the start frequency."};
    if (first < grid::k_lowest_hz || last > grid::k_highest_hz)
        return {{},
                "The range " + hz_to_mhz(first) + " to " + hz_to_mhz(last) +
                    " MHz leaves the scanner's bands (25 to 1300 MHz)."};
    const long long rows = (last - first) / step_hz + 1;
    if (rows > room) return {{}, too_many(rows, room)};
    out.hz.reserve(static_cast<size_t>(rows));
    for (long long i = 0; i < rows; ++i) out.hz.push_back(first + i * step_hz);
    return out;
}

TalkgroupFill plan_talkgroup_fill(std::string_view first_text, std::string_view count_text,
                                  std::string_view increment_text, int room) {
    auto first = parse_integer(trim(first_text));
    auto count = parse_integer(trim(count_text));
    auto increment = parse_integer(trim(increment_text));
    if (!first || *first < 0) return {{}, "The first talkgroup is not a whole number."};
    if (!count || *count < 1) return {{}, "The count must be a whole number of 1 or more."};
    if (!increment || *increment < 1)
        return {{}, "The increment must be a whole number of 1 or more."};
    if (*count > room) return {{}, too_many(*count, room)};
    // Both bounded first, so the product below cannot overflow.
    const long long last = *first > k_highest_talkgroup || *increment > k_highest_talkgroup
                               ? k_highest_talkgroup + *first
                               : *first + (*count - 1) * *increment;
    if (last > k_highest_talkgroup)
        return {{},
                "The last talkgroup would be " + std::to_string(last) +
                    ", above the highest the scanner takes (" +
                    std::to_string(k_highest_talkgroup) + ")."};
    TalkgroupFill out;
    for (long long i = 0; i < *count; ++i) out.values.push_back(*first + i * *increment);
    return out;
}

std::string fill_tag(std::string_view pattern, int n, std::string_view value) {
    std::string tag = replace_all(replace_all(pattern, "{n}", std::to_string(n)), "{f}", value);
    if (tag.size() > 64) tag.resize(64);
    return tag;
}

std::vector<std::string> frequency_texts(const std::vector<long long>& hz) {
    std::vector<std::string> out;
    out.reserve(hz.size());
    for (long long f : hz) out.push_back(hz_to_mhz(f));
    return out;
}

std::vector<std::string> talkgroup_texts(const std::vector<long long>& values) {
    std::vector<std::string> out;
    out.reserve(values.size());
    for (long long v : values) out.push_back(std::to_string(v));
    return out;
}

grid::GridChange append_fill(TextGrid& grid, grid::GridKind kind,
                             const std::vector<std::string>& values, std::string_view pattern,
                             int first_number, Prompter& prompter) {
    grid::GridChange change;
    if (values.empty()) return change;
    const int used = grid::last_used_row(grid, kind);
    const long long room = grid::k_max_rows - used;
    if (static_cast<long long>(values.size()) > room) {
        prompter.tell(too_many(static_cast<long long>(values.size()), static_cast<int>(room)));
        return change;
    }
    const int tag_col = grid::column_index(kind, grid::Column::AlphaTag);
    const std::vector<std::string> defaults = grid::default_row(kind);
    const int needed = used + static_cast<int>(values.size()) + 2;  // header and one empty row
    if (grid.rows() < needed) grid.set_rows(needed);
    for (size_t i = 0; i < values.size(); ++i) {
        const int r = used + 1 + static_cast<int>(i);
        auto& row = grid.row(r);
        for (int c = 1; c < grid.cols() && c < static_cast<int>(defaults.size()); ++c)
            row[c] = defaults[c];
        row[1] = values[i];
        if (tag_col > 0)
            row[tag_col] = fill_tag(pattern, first_number + static_cast<int>(i), values[i]);
    }
    grid.number_rows();
    change.changed = change.rows_changed = true;
    change.area = {used + 1, 1, used + static_cast<int>(values.size()), grid.cols() - 1};
    change.count = static_cast<int>(values.size());
    change.selection = grid::CellRange{used + 1, 1, used + static_cast<int>(values.size()), 1};
    return change;
}

}  // namespace tarvex
