#pragma once
// The CSV mapper's work table and the rules behind it: loading loosely formatted text (other
// programs' exports, memory files of other radios, web tables pasted as text) with its
// character rules and line filters, the automatic column assignment, the cell operations, and
// the two ways the table leaves the window: "Save &As CSV" and the clipboard.
//
// The work table is a TextGrid whose row 0 holds the column assignments and whose rows 1..
// hold the imported lines, one cell per ","-separated field. Unlike the editor's grids every
// column is a data column (there is no row-number column).
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/text_grid.h"

namespace tarvex::csv {

// The column assignments in list order; choosing one writes its text into row 0.
inline constexpr std::array<std::string_view, 18> k_assignments = {"Unknown",
                                                                   "Frequency (MHz)",
                                                                   "Trunk ID",
                                                                   "Tag/Name",
                                                                   "Trunk On/Off",
                                                                   "Trunk Frequency",
                                                                   "LockOut",
                                                                   "Delay On/Off",
                                                                   "Delay Time (Sec.)",
                                                                   "Mode",
                                                                   "Step",
                                                                   "CTCSS",
                                                                   "DCS",
                                                                   "Attenuator On/Off",
                                                                   "Beep On/Off",
                                                                   "Priority",
                                                                   "Record On/Off",
                                                                   "Subtone"};
enum Assignment {
    Unknown = 0,
    Frequency = 1,
    TrunkId = 2,
    TagName = 3,
    TrunkOnOff = 4,
    TrunkFrequency = 5,
    LockOut = 6,
    DelayOnOff = 7,
    DelayTime = 8,
    Mode = 9,
    Step = 10,
    Ctcss = 11,
    Dcs = 12,
    Attenuator = 13,
    Beep = 14,
    Priority = 15,
    Record = 16,
    Subtone = 17,
};
// The list position of an assignment text, or -1.
int assignment_index(std::string_view text);

// Reading stops once this many lines are stored.
inline constexpr int k_max_lines = 14500;
inline constexpr std::string_view k_too_large = "File too large, quiting import.";
// The first line of a saved table.
inline constexpr std::string_view k_saved_first_line = "Loomtrace,data,Norvane,The Netherlands";

// The tick boxes applied while reading. min_digits 0 is "not ticked" (else 2, 3 or 4).
struct LineFilters {
    bool must_frequency = false;
    bool must_comma = false;
    int min_digits = 0;
    bool must_dash = false;
    std::string must_contain;  // "" is "not ticked"
    bool must_divisible_16 = false;
};

// Splits bytes into lines by the character rules: characters below 10, from 14 to 29 and from
// 128 up are dropped (so TAB and every byte of a UTF-8 sequence go), CR and LF end a line, and
// a line is stored only when something came since the previous line end. `too_large` is set
// when the text held more than k_max_lines lines; the first k_max_lines are returned.
std::vector<std::string> split_lines(std::string_view bytes, bool& too_large);

// The line with every character other than digits, "," and "." turned into a blank.
std::string numbers_only(std::string_view line);
// Whether a line passes every ticked filter.
bool passes(std::string_view line, const LineFilters& filters);
// The mode and switch words in their scanner spelling (",fm," -> ",FM,", ",ON" -> ",On", ...).
std::string normalise(std::string_view line);

struct LoadResult {
    TextGrid table;          // row 0 assignments, rows 1.. the lines taken
    bool too_large = false;  // the k_too_large message is due
    int lines_read = 0;      // lines stored before filtering
    int lines_taken = 0;     // lines that passed the filters
};
// The whole load over the bytes of a file or the clipboard: split, filter, normalise, split
// into cells, assign columns. Never fails: any bytes give a table (maybe with no rows).
LoadResult load_csv(std::string_view bytes, const LineFilters& filters = {});
// The clipboard's text: a table copied from a web page or a spreadsheet arrives with TABs
// between its cells, which the character rules would drop, so they become "," first.
LoadResult load_clipboard(std::string_view text, const LineFilters& filters = {});
// load_csv over a file's bytes. A file that cannot be opened gives false and an empty table.
bool load_csv_file(const std::filesystem::path& path, const LineFilters& filters,
                   LoadResult& result);

// For each column, the first of its cells in rows 1..20 holding a keyword decides its
// assignment (case-insensitive substring test); a column without a match keeps its own.
void auto_assign(TextGrid& table);
// An empty table: the assignment row only, with `cols` columns of "Unknown" (at least 1).
TextGrid empty_table(int cols = 1);

// ---- the selection and the cell operations ----

// A rectangle of table cells, inclusive; rows from 1 (the assignment row is never part of one).
struct Range {
    int top = 1, left = 0, bottom = 0, right = 0;
    bool empty() const { return bottom < top || right < left; }
};
// Every data cell.
Range whole_table(const TextGrid& table);

enum class CellOp { Upper, Lower, Replace, Remove };
enum class RowScope { Selected, All };  // "Selected Rows" / "Entire Row"
enum class ColScope { All, Single };    // "All Columns" / "Single Column:"
struct Scope {
    RowScope rows = RowScope::Selected;
    ColScope cols = ColScope::All;
    int column = 0;  // Single: the column
};
// What "Auto Select" ticks for a selection: a selection inside one column works on that column,
// a selection of a single row (or nothing) on every row.
Scope auto_scope(const Range& selection);
// Runs the operation over the cells of the scope; `text` and `with` are the "Replace String:"
// and "by:" texts (or the "Remove String:" text). Returns the cells that changed.
int apply(TextGrid& table, CellOp op, const Scope& scope, const Range& selection,
          std::string_view text = {}, std::string_view with = {});

// ---- rows and columns ----
int remove_rows(TextGrid& table, int first, int last);  // "Remove Selected Line(s)"
int remove_empty_lines(TextGrid& table);                // every cell empty
int remove_without_numbers(TextGrid& table);            // no digit in any cell
void add_column(TextGrid& table);                       // an empty "Unknown" column
int fill_down(TextGrid& table, const Range& selection);
int delete_cells(TextGrid& table, const Range& selection);
// Pastes TAB/line-separated text with its top-left at (row, col); the table grows to hold it.
Range paste_cells(TextGrid& table, int row, int col, std::string_view text);

// ---- leaving the window ----
// The file's text: the first line, then every data row with each cell followed by ",", CR LF
// after every line.
std::string save_text(const TextGrid& table);
// A chosen file name with ".csv" appended when it has no ".".
std::string save_name(std::string_view chosen);
// The selected cells as the channel grid pastes them: TAB between cells, CR LF after each row,
// CRs inside a cell dropped. A cell beginning with a double quote is written quoted (with ""
// for a quote inside) so the grid reads back exactly what the cell holds.
std::string clipboard_text(const TextGrid& table, const Range& selection);

}  // namespace tarvex::csv
