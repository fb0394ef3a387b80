#pragma once
// The column layouts of the editor's grids: titles, what each column holds, which cell editor it
// gets and which values its drop-down offers, the values of a new line, and the remembered
// column widths. Every grid is a TextGrid with the header in row 0 and the row number in
// column 0.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/text_grid.h"

namespace tarvex {
class Settings;
class GroupFiles;
}  // namespace tarvex

namespace tarvex::grid {

enum class GridKind { Channel, Talkgroup, UnitId, SearchRange, SiteFrequency };

// What a column holds; the rules (keyboard, validation, copy to alpha tag) go by this.
enum class Column {
    Number,  // "#"
    Frequency,
    Talkgroup,
    UnitId,
    StartFrequency,
    StopFrequency,
    AlphaTag,
    Avoid,
    Mode,
    SqMode,
    SqCode,
    ServiceType,
    Attenuator,
    DelayTime,
    VolumeOffset,
    AlertTone,
    AlertLevel,
    AudioType,
    Lcn,
    ColorCode,
};

// The cell editor a column gets.
enum class CellEditor {
    None,        // column 0, the row number
    Text,        // free text box
    List,        // drop-down of `values`
    SqCodeList,  // drop-down whose values follow the row's SQ Mode (sq_code_values)
};

struct ColumnSpec {
    std::string_view title;
    Column column;
    CellEditor editor;
    std::span<const std::string_view> values;  // the drop-down's values (List only)
    std::string_view fallback;                 // what the writer uses for an unknown value
};

// Every column of a grid, column 0 ("#") first.
std::span<const ColumnSpec> columns_of(GridKind kind);
int column_count(GridKind kind);  // including column 0
int data_columns(GridKind kind);  // after column 0: 12, 9, 4, 2, 3
// Index of the column holding `column` in this grid, or -1.
int column_index(GridKind kind, Column column);
// Index of the column with this title (exact), or -1.
int column_by_title(GridKind kind, std::string_view title);
// The description of column `col`, or nullptr outside the grid.
const ColumnSpec* column_spec(GridKind kind, int col);

// Groups of conventional systems (type code 0) use the channel grid, all others the talkgroup grid.
GridKind grid_kind_for_system_type(int type_code);

// The SQ Code drop-down for a row's SQ Mode: CTCSS "Search" + tones, DCS "Search" + codes,
// P25 "Search" (a NAC is typed, hexadecimal 0..FFF), DMR "Search" + colour codes "0".."15",
// "All"/"None" nothing.
std::vector<std::string> sq_code_values(std::string_view sq_mode);
// Whether the SQ Code cell also takes typed text (P25 NACs).
bool sq_code_typed(std::string_view sq_mode);
// Whether `code` belongs to `sq_mode` (empty always does).
bool sq_code_fits(std::string_view sq_mode, std::string_view code);

// The values a new line gets (index = column; column 0 and the free columns empty).
std::vector<std::string> default_row(GridKind kind);

// A row counts as empty when all its free-text columns (frequency, talkgroup, unit ID, alpha
// tag, LCN, colour code) are empty: list values alone are settings of no channel.
bool row_is_empty(const TextGrid& grid, GridKind kind, int row);
// The last non-empty data row, 0 when there is none.
int last_used_row(const TextGrid& grid, GridKind kind);

// Sizes the grid to `rows` rows (header included, at least 11) and the grid's columns, puts the
// titles into row 0 and numbers the rows. Existing cells are kept.
void setup_grid(TextGrid& grid, GridKind kind, int rows = 11);
// Titles into row 0 (after open_tmpfile, which empties the grid).
void put_titles(TextGrid& grid, GridKind kind);
// open_tmpfile into the grid of this kind, then titles and row numbers. Fields beyond the
// grid's columns (other models' layouts) are ignored.
void load_group_grid(const GroupFiles& files, int system, int group, GridKind kind, TextGrid& grid);
// Empty rows removed and the rest closed up, then save_tmpfile of the used rows (no used row:
// the file is deleted); the grid keeps one empty row below them and at least 11 rows.
bool save_group_grid(GroupFiles& files, int system, int group, GridKind kind, TextGrid& grid);

// ---- column widths (twips) under the settings section "colwidth" ----
// "ccol_width", "tcol_width", "ucol_width", "fcol_width"; the search-range grid remembers none
// ("").
std::string_view width_key(GridKind kind);
int default_width(GridKind kind);  // 1200, 1500 for unit IDs
// One width per column (column 0 too): key + column number; a stored 100 or less, or none,
// gives the default.
std::vector<int> read_column_widths(const Settings& settings, GridKind kind);
void save_column_widths(Settings& settings, GridKind kind, const std::vector<int>& widths);
// 1440 twips per inch.
int twips_to_pixels(int twips, double dots_per_inch = 96.0);
int pixels_to_twips(int pixels, double dots_per_inch = 96.0);

}  // namespace tarvex::grid
