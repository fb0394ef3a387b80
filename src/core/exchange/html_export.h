#pragma once
// The web page of a grid: the channels or talkgroups of one group with the system and group
// names, the file they came from and the date, as a self-contained HTML page.
//
// Names and values are single-byte (Windows-1252) text: the page escapes "&", "<", ">" and
// quotes, and writes every byte from 128 up as a numeric character reference, so the file is
// plain ASCII and shows the same characters in every browser whatever its encoding guess.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/grid_columns.h"
#include "core/model/text_grid.h"

namespace tarvex {
class Prompter;
class SystemStore;
class GroupFiles;
}  // namespace tarvex

namespace tarvex::html {

inline constexpr std::string_view k_no_grid = "html export error, please select a grid first.";
inline constexpr std::string_view k_dialog_title = "Export Current Grid to Web Page:";
inline constexpr std::string_view k_dialog_filter = "HTML Files|*.html|All Files|*.*";
// Grid columns after "#" that a page shows.
inline constexpr int k_page_columns = 12;

struct PageSource {
    std::string system_name;
    std::string group_name;
    std::string file_name;  // the HPD file the system came from
    std::string date;       // today's date as the page shows it
    grid::GridKind kind = grid::GridKind::Channel;
    const TextGrid* grid = nullptr;  // heading row 0, data rows 1..
};

// Text for inside an element or an attribute.
std::string escape(std::string_view text);
// The page, one entry per line, without line ends.
std::vector<std::string> page_lines(const PageSource& source);
// The proposed file name: the group's name (characters a file name cannot hold replaced by
// "_") followed by "_frequencies.html" or "_talkgroups.html".
std::string proposed_name(std::string_view group_name, grid::GridKind kind);
// Writes the page (CR LF line ends) through a temporary file. False, with the reason in
// `error`, when it could not be written; the target is then untouched.
bool export_grid_html(const std::filesystem::path& target, const PageSource& source,
                      std::string* error = nullptr);
// Today's date as "YYYY-MM-DD" (local time).
std::string today();

// ---- groups of the store, for the command line and the print-outs ----

// The groups of a system in browser order (store order): their group indexes.
std::vector<int> groups_of(const SystemStore& store, int system);
// The systems in store order: their indexes.
std::vector<int> systems_of(const SystemStore& store);
// The grid kind, names and rows of one group read from its file; `grid` receives the rows.
PageSource group_source(const SystemStore& store, const GroupFiles& files, int system, int group,
                        std::string_view file_name, TextGrid& grid);

}  // namespace tarvex::html
