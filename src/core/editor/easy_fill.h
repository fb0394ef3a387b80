#pragma once
// "Easy Fill Channels" and "Easy Fill Trunk": a run of channels from a start and an end
// frequency and a step, or of talkgroups from a first value, a count and an increment, with an
// alpha-tag pattern. Frequencies are whole Hz from start to end, start + i * step, so a 12.5 or
// 6.25 kHz step lands on the exact channel however long the run (adding a float step drifts by
// the hundredth channel).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/grid_ops.h"

namespace tarvex {

class Prompter;

struct FrequencyFill {
    std::vector<long long> hz;
    std::string error;  // empty when the fill can be made
};
// `room` is how many rows the grid can still take (9999 for an empty group).
FrequencyFill plan_frequency_fill(std::string_view start_mhz, std::string_view end_mhz,
                                  std::string_view step_khz, int room = grid::k_max_rows);

struct TalkgroupFill {
    std::vector<long long> values;
    std::string error;
};
TalkgroupFill plan_talkgroup_fill(std::string_view first, std::string_view count,
                                  std::string_view increment, int room = grid::k_max_rows);

// The highest talkgroup the scanner's files take.
inline constexpr long long k_highest_talkgroup = 65000;

// The alpha tag of the n-th row (1-based): "{n}" becomes n, "{f}" the frequency or talkgroup
// as the grid shows it; the result is cut to the 64 characters of an alpha tag.
std::string fill_tag(std::string_view pattern, int n, std::string_view value);

// Appends one row per value after the last used row of the grid: the value in column 1, the
// tag from the pattern in the Alpha Tag column, every other column from the grid's defaults.
// Numbers run from `first_number`. Refused with a message when the rows do not fit.
grid::GridChange append_fill(TextGrid& grid, grid::GridKind kind,
                             const std::vector<std::string>& values, std::string_view pattern,
                             int first_number, Prompter& prompter);

// The values as the grid shows them: frequencies in MHz ("462.5625"), talkgroups as numbers.
std::vector<std::string> frequency_texts(const std::vector<long long>& hz);
std::vector<std::string> talkgroup_texts(const std::vector<long long>& values);

}  // namespace tarvex
