#pragma once
// Group channel files: one text file per group in the run temp folder holding its channel or
// talkgroup rows ("row,col1,col2,..." per line, no header). This class is the only place that
// knows their names and builds their paths.
//
// The files are private to one run and never leave the temp folder, so they are written with
// plain "\n" line ends on every platform; reading accepts "\r\n" as well (every CR is dropped),
// so files written by hand or by other tools load the same. Bytes are single-byte text, passed
// through as they are, except that line breaks inside a value are dropped and a comma inside a
// grid cell is saved as ";" (either would otherwise shift the row's columns). Every write goes
// to "temp.tmp" first and is renamed over the target, so a failure leaves the old file (or
// none), never half of one.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/text_grid.h"

namespace tarvex {

class Prompter;

// Column counts after the row number: the grids of this edition, and the widest layout of
// other models' grids that the files may carry.
inline constexpr int k_channel_columns = 12;
inline constexpr int k_talkgroup_columns = 9;
inline constexpr int k_channel_columns_max = 16;
inline constexpr int k_talkgroup_columns_max = 14;
inline constexpr int k_max_file_rows = 9999;
inline constexpr int k_scratch_limit = 30000;
inline constexpr int k_min_grid_rows = 11;

// One entry of the scratch tree: key "FRQ-sss-ggg-nnnn" / "TID-sss-ggg-nnnn" and the line.
struct ScratchEntry {
    std::string key;
    std::string text;
};

class GroupFiles {
  public:
    // `folder` is the run temp folder; it is created when missing.
    explicit GroupFiles(std::filesystem::path folder);
    ~GroupFiles();
    GroupFiles(const GroupFiles&) = delete;
    GroupFiles& operator=(const GroupFiles&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // "GRP-999-012-005.tmp"; empty for indexes outside 0..999.
    static std::string file_name(int system, int group);
    std::filesystem::path path_of(int system, int group) const;
    bool exists(int system, int group) const;

    // Writes the grid's data rows (1..last) as "col0,col1,...". A grid without any text in
    // column 1 deletes the file instead. With `compact`, empty rows are then removed from the
    // grid. Returns false when the file could not be written.
    bool save_tmpfile(int system, int group, TextGrid& grid, bool compact = false);
    // Loads the file into `grid` (emptied first) with `columns` columns after the row number:
    // field 0 is the row, the grid grows to hold it; afterwards the grid has one row more than
    // the lines read and never fewer than 11. A missing file leaves the grid empty (11 rows).
    void open_tmpfile(int system, int group, TextGrid& grid, int columns) const;

    // Every channel ("FRQ-") or talkgroup ("TID-") line of every file, keyed by system, group
    // and row. Stops with "error, temp memory is full" at the 30001st line. With
    // `is_channel_system` a file's kind follows its system (a channel at a whole megahertz,
    // "463", has no dot); without it a line with a "." in field 1 counts as a channel.
    std::vector<ScratchEntry> laad_van_tempie(
        std::string_view kind, Prompter& prompter,
        const std::function<bool(int system)>& is_channel_system = {}) const;

    // Visits the lines of a group's file without line ends; false when there is no file.
    bool for_each_line(int system, int group,
                       const std::function<void(std::string_view)>& visit) const;
    std::vector<std::string> read_lines(int system, int group) const;
    // Replaces the file with these lines (deletes it when `lines` is empty).
    bool write_lines(int system, int group, const std::vector<std::string>& lines);

    // Removes the line whose row number (field 0) equals `row` (1..9999), through "temp.tmp".
    bool delete_line(int system, int group, int row);
    // Rewrites every line through `transform`, through "temp.tmp"; the order of lines is kept.
    bool rewrite(int system, int group,
                 const std::function<std::string(std::string_view line)>& transform);

    void kill_tempies();                   // every "*.tmp" of the folder
    void delete_system_files(int system);  // groups 0..399 of one system
    void delete_group_file(int system, int group);
    bool copy_group_file(int from_system, int from_group, int to_system, int to_group);

    // Appends lines to group files keeping the current file open while its lines arrive (the
    // reader's and importers' way of filling files); bytes are the same as appending one line
    // at a time.
    void append_line(int system, int group, std::string_view line);
    void close_appender();
    // True once an append could not be opened, written or closed (a full disk); stays set until
    // cleared, so a reader can report it after its last line.
    bool append_failed() const { return append_failed_; }
    void clear_append_failed() { append_failed_ = false; }

    // Called before a group's file is written, replaced or deleted (appends: once per file they
    // open), so the undo history and crash recovery can keep what it held.
    std::function<void(int system, int group)> before_change;
    // The file's bytes; nullopt when there is no file.
    std::optional<std::string> read_raw(int system, int group) const;
    // Puts back bytes read by read_raw (nullopt deletes the file), through "temp.tmp". Does not
    // call before_change: it is how an undo puts a file back.
    bool write_raw(int system, int group, const std::optional<std::string>& bytes);

  private:
    void touching(int system, int group) {
        if (before_change) before_change(system, group);
    }
    std::filesystem::path folder_;
    // The reader's appender: one open descriptor and its pending bytes. Reads of the same
    // folder flush it first, so they are const-callable while it holds data.
    void flush_appender() const;
    mutable int append_fd_ = -1;
    int append_system_ = -1, append_group_ = -1;
    mutable std::string append_pending_;
    mutable bool append_failed_ = false;
};

}  // namespace tarvex
