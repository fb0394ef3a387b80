#pragma once
// The printed page of a grid as lines of fixed-pitch text: a heading naming the system, the
// group and the file, the column titles, then the rows of the visible columns. Pages are cut
// between rows only, and every page repeats the heading and the titles, so a page read on its
// own still says what it lists. The window and the command line draw these lines; which font
// and how many lines fit on a page is theirs to say.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/grid_columns.h"
#include "core/model/text_grid.h"

namespace tarvex {
class Progress;
class SystemStore;
class GroupFiles;
}  // namespace tarvex

namespace tarvex::print {

inline constexpr std::string_view k_heading_start = "Velk Radio Control ";
inline constexpr std::string_view k_wait = "Please wait printing file: ";
inline constexpr std::string_view k_finished = "Finished printing.";
inline constexpr std::string_view k_finished_title = "Print ok";
// + item + k_error_middle + number
inline constexpr std::string_view k_error_start = "Problem in printerroutine bank: ";
inline constexpr std::string_view k_error_middle = " Err = ";
// The number reported when the printer (or the PDF file) cannot be opened or written.
inline constexpr int k_printer_error = 482;
// Widest a column gets before its cells are cut (alpha tags are 64 characters at most).
inline constexpr int k_max_column_width = 64;

// One group to print.
struct Section {
    std::string system_name, quick_key, system_type;
    std::string group_number, group_name, file_name;
    grid::GridKind kind = grid::GridKind::Channel;
    TextGrid grid;             // heading row 0, data rows 1..
    std::vector<int> columns;  // the visible columns in order; empty = every column
};

// The heading lines of a section (the talkgroup layout adds the system type).
std::vector<std::string> heading(const Section& s, std::string_view program);
// The column titles and the rows of the used data rows, cells padded to the column widths.
struct Body {
    std::string titles;
    std::string rule;
    std::vector<std::string> rows;
};
Body body(const Section& s);

struct Page {
    std::vector<std::string> lines;
};
// The pages of a section for pages of `lines_per_page` lines (at least heading, titles and one
// row fit; fewer lines still give one row per page).
std::vector<Page> paginate(const Section& s, int lines_per_page, std::string_view program);
// The widest line a section prints (to pick the font size).
int widest_line(const Section& s, std::string_view program);

// ---- what a print command prints ----

// One group read from its file, with the names of its system and the store's file name.
Section group_section(const SystemStore& store, const GroupFiles& files, int system, int group,
                      std::string_view file_name);
// Visits the groups of one system (system > 0) or of every system (0, "All Systems") in store
// order, one group in memory at a time; `visit` returns false to stop. `progress` receives
// k_wait + the group's name before each group.
void for_each_section(const SystemStore& store, const GroupFiles& files, int system,
                      std::string_view file_name, const std::function<bool(const Section&)>& visit,
                      const std::function<void(std::string_view)>& progress = {});

// "Problem in printerroutine bank: <item> Err = <number>"
std::string error_text(std::string_view item, int number);

}  // namespace tarvex::print
