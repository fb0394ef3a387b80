#include "core/editor/grid_ops.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/model/group_files.h"

using namespace tarvex;
using namespace tarvex::grid;

namespace {

TextGrid grid_of(GridKind kind, const std::vector<std::vector<std::string>>& rows,
                 int size = k_min_grid_rows) {
    TextGrid grid;
    setup_grid(grid, kind, size);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid.at(static_cast<int>(r) + 1, static_cast<int>(c) + 1) = rows[r][c];
    return grid;
}

std::vector<std::string> column(const TextGrid& grid, int col, int first, int last) {
    std::vector<std::string> out;
    for (int r = first; r <= last; ++r) out.push_back(grid.at(r, col));
    return out;
}

}  // namespace

TEST(GridBlocks, SpreadsheetTextPastesAndCopiesBackTheSame) {
    // As a spreadsheet puts it on the clipboard: CR LF rows, a quoted cell with a quote inside.
    std::string sheet = "155.0000\tFire \"A\"\tOn\r\n460.1250\t\"\"\"Quoted\"\" tag\"\tOff\r\n";
    TextGrid grid = grid_of(GridKind::Channel, {});
    GridChange change = paste_block(grid, CellRange::cell(2, 1), sheet);
    EXPECT_EQ(grid.at(2, 2), "Fire \"A\"");
    EXPECT_EQ(grid.at(3, 2), "\"Quoted\" tag");
    EXPECT_EQ(grid.at(3, 3), "Off");
    EXPECT_EQ(change.selection, (CellRange{2, 1, 3, 3}));
    EXPECT_EQ(copy_block(grid, CellRange{2, 1, 3, 3}), sheet);

    // LF rows and a missing final line end read alike.
    TextGrid other = grid_of(GridKind::Channel, {});
    paste_block(other, CellRange::cell(1, 1), "1\t2\n3\t4");
    EXPECT_EQ(copy_block(other, CellRange{1, 1, 2, 2}), "1\t2\r\n3\t4\r\n");
}

TEST(GridBlocks, PasteIsClippedToTheColumnsAndGrowsRowsUpTo9999) {
    TextGrid grid = grid_of(GridKind::SiteFrequency, {});
    paste_block(grid, CellRange::cell(1, 2), "1\t2\t3\t4\n5\t6\t7\t8\n");
    EXPECT_EQ(grid.at(1, 2), "1");
    EXPECT_EQ(grid.at(1, 3), "2");
    EXPECT_EQ(grid.cols(), 4);

    std::string many;
    for (int i = 0; i < 30; ++i) many += std::to_string(i) + "\n";
    setup_grid(grid, GridKind::SiteFrequency, k_max_rows - 5);
    GridChange change = paste_block(grid, CellRange::cell(k_max_rows - 9, 1), many);
    EXPECT_TRUE(change.rows_changed);
    EXPECT_EQ(grid.rows(), k_max_rows + 1);
    EXPECT_EQ(grid.at(k_max_rows, 1), "9");
    EXPECT_EQ(grid.at(k_max_rows, 0), "9999");
}

TEST(GridBlocks, OneValueFillsTheSelectionAndCutEmptiesIt) {
    TextGrid grid = grid_of(GridKind::Channel, {{"1", "a"}, {"2", "b"}});
    paste_block(grid, CellRange{1, 3, 2, 3}, "On\r\n");
    EXPECT_EQ(column(grid, 3, 1, 2), (std::vector<std::string>{"On", "On"}));
    std::string text;
    cut_block(grid, CellRange{1, 2, 2, 2}, text);
    EXPECT_EQ(text, "a\r\nb\r\n");
    EXPECT_EQ(column(grid, 2, 1, 2), (std::vector<std::string>{"", ""}));
}

TEST(GridLines, CutAndPasteLinesMoveWholeRows) {
    TextGrid grid = grid_of(GridKind::Talkgroup, {{"1", "A"}, {"2", "B"}, {"3", "C"}});
    std::string text;
    cut_lines(grid, CellRange::rows(1, 1, grid.cols()), text);
    EXPECT_EQ(column(grid, 1, 1, 3), (std::vector<std::string>{"2", "3", ""}));
    EXPECT_EQ(grid.rows(), k_min_grid_rows);

    RecordingPrompter prompter;
    paste_lines(grid, GridKind::Talkgroup, 3, text, prompter);
    EXPECT_EQ(column(grid, 1, 1, 4), (std::vector<std::string>{"2", "3", "1", ""}));
    EXPECT_EQ(grid.at(3, 2), "A");
    EXPECT_EQ(grid.at(3, 0), "3");
    EXPECT_EQ(grid.rows(), k_min_grid_rows);  // the empty rows below made the room
}

TEST(GridLines, InsertLineAsksBeforeTheLastRowsDataIsPushedOut) {
    TextGrid grid = grid_of(GridKind::Channel, {{"155.0000", "One"}});
    grid.at(10, 1) = "460.0000";
    grid.at(10, 2) = "Last";
    RecordingPrompter no(Answer::No);
    GridChange refused = insert_lines(grid, GridKind::Channel, CellRange::cell(1, 1), no);
    EXPECT_FALSE(refused.changed);
    ASSERT_EQ(no.questions.size(), 1u);
    EXPECT_EQ(no.questions[0],
              "Last line in this grid contains data: 460.0000,Last\nThis data will be lost. \n"
              "Continue?");
    EXPECT_EQ(grid.at(1, 1), "155.0000");

    RecordingPrompter yes(Answer::Yes);
    insert_lines(grid, GridKind::Channel, CellRange::cell(1, 1), yes);
    EXPECT_EQ(column(grid, 1, 1, 2), (std::vector<std::string>{"", "155.0000"}));
    EXPECT_EQ(grid.rows(), k_min_grid_rows);
    EXPECT_EQ(grid.at(10, 1), "");

    // With an empty last row nobody is asked.
    RecordingPrompter silent(Answer::No);
    insert_lines(grid, GridKind::Channel, CellRange::cell(1, 1), silent);
    EXPECT_TRUE(silent.questions.empty());
    EXPECT_EQ(grid.at(3, 1), "155.0000");
}

TEST(GridLines, ShiftUpAndDownStopAtTheEdges) {
    TextGrid grid = grid_of(GridKind::Talkgroup, {{"1"}, {"2"}, {"3"}});
    EXPECT_FALSE(shift_up(grid, CellRange::cell(1, 1)).changed);
    GridChange down = shift_down(grid, CellRange{1, 1, 2, 1});
    EXPECT_EQ(column(grid, 1, 1, 3), (std::vector<std::string>{"3", "1", "2"}));
    EXPECT_EQ(down.selection, (CellRange{2, 1, 3, 1}));
    EXPECT_EQ(grid.at(1, 0), "1");
    shift_up(grid, *down.selection);
    EXPECT_EQ(column(grid, 1, 1, 3), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_FALSE(shift_down(grid, CellRange::cell(grid.rows() - 1, 1)).changed);
}

TEST(GridLines, RemoveEmptyLinesClosesUpAndClearGridAsksFirst) {
    TextGrid grid = grid_of(GridKind::Channel, {{"1"}, {}, {"", "tag"}, {}, {"5"}}, 20);
    grid.row(2) = default_row(GridKind::Channel);  // settings without a channel count as empty
    remove_empty_lines(grid, GridKind::Channel);
    EXPECT_EQ(column(grid, 1, 1, 3), (std::vector<std::string>{"1", "", "5"}));
    EXPECT_EQ(grid.at(2, 2), "tag");
    EXPECT_EQ(grid.rows(), k_min_grid_rows);

    RecordingPrompter no(Answer::No);
    EXPECT_FALSE(clear_grid(grid, no).changed);
    EXPECT_EQ(no.questions,
              std::vector<std::string>{"All data in current grid will be lost, Continue?"});
    RecordingPrompter yes(Answer::Yes);
    clear_grid(grid, yes);
    EXPECT_EQ(grid.at(1, 1), "");
    EXPECT_EQ(grid.at(0, 1), "Frequency");
}

TEST(GridLines, PasteFrequenciesFillsColumnOneWithNewChannels) {
    TextGrid grid = grid_of(GridKind::Channel, {{"100.0000", "Keep"}});
    RecordingPrompter prompter;
    paste_frequencies(grid, GridKind::Channel, 2, "155.37, 460.125\n851012500  bogus;462.5625",
                      prompter);
    EXPECT_EQ(column(grid, 1, 1, 5),
              (std::vector<std::string>{"100.0000", "155.37", "460.125", "851.0125", "462.5625"}));
    EXPECT_EQ(grid.at(2, 4), "AUTO");
    EXPECT_EQ(prompter.told, std::vector<std::string>{"Not a frequency, skipped: bogus"});

    TextGrid talkgroups = grid_of(GridKind::Talkgroup, {});
    paste_frequencies(talkgroups, GridKind::Talkgroup, 1, "155.0", prompter);
    EXPECT_EQ(talkgroups.at(1, 1), "");
}

TEST(GridFill, FindWrapsAroundAndReplaceCounts) {
    TextGrid grid = grid_of(GridKind::Channel, {{"1", "Fire North"}, {"2", "FIRE south"}});
    auto first = find_next(grid, "fire", {0, 0}, false);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, (CellPos{1, 2}));
    EXPECT_EQ(*find_next(grid, "fire", *first, false), (CellPos{2, 2}));
    EXPECT_EQ(*find_next(grid, "fire", {2, 2}, false), (CellPos{1, 2}));
    EXPECT_EQ(*find_next(grid, "FIRE", {0, 0}, true), (CellPos{2, 2}));
    EXPECT_FALSE(find_next(grid, "water", {0, 0}, false));

    GridChange all = replace_in(grid, select_all(grid), "fire", "Rescue", false);
    EXPECT_EQ(all.count, 2);
    EXPECT_EQ(grid.at(2, 2), "Rescue south");
    EXPECT_EQ(replace_in(grid, CellRange::cell(1, 2), "e", "E", true).count, 2);
    EXPECT_EQ(grid.at(1, 2), "REscuE North");
    EXPECT_EQ(grid.at(2, 2), "Rescue south");
}

TEST(GridFill, FillDownRepeatsTheTopCellPerColumn) {
    TextGrid grid = grid_of(GridKind::Channel, {{"1", "A", "On"}, {"2", "B"}, {"3", "C"}});
    fill_down(grid, CellRange{1, 2, 3, 3});
    EXPECT_EQ(column(grid, 2, 1, 3), (std::vector<std::string>{"A", "A", "A"}));
    EXPECT_EQ(column(grid, 3, 1, 3), (std::vector<std::string>{"On", "On", "On"}));
    EXPECT_EQ(column(grid, 1, 1, 3), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(GridFill, SeriesNumbering) {
    EXPECT_EQ(series_member("TAC 07", 0), "TAC 07");
    EXPECT_EQ(series_member("TAC 07", 3), "TAC 10");
    EXPECT_EQ(series_member("Unit9", 1), "Unit10");
    EXPECT_EQ(series_member("Fire", 0), "Fire 1");
    EXPECT_EQ(series_member("Fire ", 1), "Fire 2");
    EXPECT_EQ(series_member("", 2), "3");
    EXPECT_EQ(series_member(std::string(70, 'x'), 9), std::string(61, 'x') + " 10");

    TextGrid grid = grid_of(GridKind::Channel, {{"1", "Ops 1"}, {"2"}, {"3"}});
    RecordingPrompter prompter;
    fill_series(grid, GridKind::Channel, CellRange{1, 2, 3, 2}, prompter);
    EXPECT_EQ(column(grid, 2, 1, 3), (std::vector<std::string>{"Ops 1", "Ops 2", "Ops 3"}));
    EXPECT_FALSE(fill_series(grid, GridKind::Channel, CellRange{1, 1, 3, 2}, prompter).changed);
    EXPECT_EQ(prompter.told,
              std::vector<std::string>{"Fill series only works in Alpha Tag Columns"});
}

TEST(GridGroups, MoveAndCopyLinesToAnotherGroup) {
    TextGrid from = grid_of(GridKind::Talkgroup, {{"100", "A"}, {}, {"300", "C"}});
    TextGrid to = grid_of(GridKind::Talkgroup, {{"900", "Z"}});
    RecordingPrompter prompter;
    GridChange copied =
        copy_lines_to(from, GridKind::Talkgroup, CellRange{1, 1, 3, 1}, to, prompter);
    EXPECT_EQ(copied.count, 4);
    EXPECT_EQ(column(to, 1, 1, 4), (std::vector<std::string>{"900", "100", "300", ""}));
    EXPECT_EQ(from.at(1, 1), "100");

    GridChange from_change;
    move_lines_to(from, GridKind::Talkgroup, CellRange{1, 1, 1, 1}, to, prompter, &from_change);
    EXPECT_EQ(to.at(4, 1), "100");
    EXPECT_EQ(column(from, 1, 1, 3), (std::vector<std::string>{"", "300", ""}));
    EXPECT_TRUE(from_change.rows_changed);
}

TEST(GridGroups, ChannelButtonAddsALineWithDefaultsAfterTheLastUsedRow) {
    TextGrid grid = grid_of(GridKind::Channel, {{"155.0000"}});
    RecordingPrompter prompter;
    GridChange added = add_line(grid, GridKind::Channel, prompter);
    EXPECT_EQ(added.selection, CellRange::cell(2, 1));
    EXPECT_EQ(grid.at(2, 3), "Off");
    EXPECT_EQ(grid.at(2, 12), "Auto");
    EXPECT_EQ(grid.at(2, 1), "");
}

TEST(GridRobustness, OperationsOnAnEmptyGridOrAStrayRangeChangeNothing) {
    RecordingPrompter prompter(Answer::Yes);
    std::string text;
    for (TextGrid grid : {TextGrid(), TextGrid(1, 13)}) {
        CellRange stray{7, 9, 3, 2};
        EXPECT_FALSE(paste_block(grid, stray, "a\tb").changed);
        EXPECT_FALSE(delete_block(grid, stray).changed);
        EXPECT_FALSE(cut_lines(grid, stray, text).changed);
        EXPECT_FALSE(insert_lines(grid, GridKind::Channel, stray, prompter).changed);
        EXPECT_FALSE(shift_up(grid, stray).changed);
        EXPECT_FALSE(shift_down(grid, stray).changed);
        EXPECT_FALSE(fill_down(grid, stray).changed);
        EXPECT_FALSE(replace_in(grid, stray, "a", "b", false).changed);
        EXPECT_FALSE(find_next(grid, "a", {3, 3}, false));
        EXPECT_EQ(copy_block(grid, stray), "");
    }
    TextGrid grid = grid_of(GridKind::Channel, {{"1"}});
    // Corners given bottom-up select rows 2..5; the row above them goes below.
    EXPECT_TRUE(shift_up(grid, CellRange{5, 1, 2, 1}).changed);
    EXPECT_EQ(grid.at(5, 1), "1");
}
