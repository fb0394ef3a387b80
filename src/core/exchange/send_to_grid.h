#pragma once
// "Send to Grid": the mapper's rows as channel lines of the open channel grid. The columns
// assigned "Frequency (MHz)", "Tag/Name", "Mode", "CTCSS", "DCS", "Subtone", "LockOut",
// "Attenuator On/Off" and "Delay Time (Sec.)" fill the channel grid's columns; every other
// cell of a new line gets the value a new line gets. A row that cannot become a channel (no
// frequency, a mode or tone the scanner does not know) is not sent and is named with its
// reason, so nothing disappears silently.
#include <string>
#include <string_view>
#include <vector>

#include "core/model/text_grid.h"

namespace tarvex::csv {

struct RowProblem {
    int row = 0;  // table row (1-based, as the mapper numbers its rows)
    std::string reason;
};

struct GridRows {
    // The channel grid's columns 1.. of each converted row, tab-separated, one line per row:
    // the shape the grid's line paste takes (grid::paste_lines).
    std::string text;
    int count = 0;
    std::vector<RowProblem> problems;
};

// Messages of the command.
inline constexpr std::string_view k_no_frequency_column =
    "Send to Grid: assign a column as \"Frequency (MHz)\" first.";
inline constexpr std::string_view k_needs_channel_grid =
    "Send to Grid: open a conventional group (a channel grid) in the editor first.";

// Converts rows first..last of the table (all data rows by default).
GridRows to_channel_rows(const TextGrid& table, int first = 1, int last = -1);

// Single values as the scanner spells them; "" when the text is not one.
std::string scanner_frequency(std::string_view text);  // "155.07" -> "155.0700"; "" if not MHz
std::string scanner_mode(std::string_view text);       // "fm" -> "FM", "NBFM" -> "NFM"
std::string scanner_ctcss(std::string_view text);      // "100" -> "100.0", "PL 88.5" -> "88.5"
std::string scanner_dcs(std::string_view text);        // "D23N" -> "023"

// A problem list as the window shows it: "Row 4: no frequency".
std::string describe(const RowProblem& problem);

}  // namespace tarvex::csv
