#include "core/model/group_files.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "support/test_support.h"

using namespace tarvex;
using tarvex::test::TempDir;

namespace {

TextGrid channel_grid(const std::vector<std::vector<std::string>>& data) {
    TextGrid grid(k_min_grid_rows, k_channel_columns + 1);
    for (size_t r = 0; r < data.size(); ++r)
        for (size_t c = 0; c < data[r].size(); ++c)
            grid.at(static_cast<int>(r) + 1, static_cast<int>(c) + 1) = data[r][c];
    grid.number_rows();
    return grid;
}

bool scratch_left(const TempDir& dir) {
    return std::filesystem::exists(dir / "temp.tmp");
}

}  // namespace

TEST(GroupFileNames, SystemAndGroupPickTheFileAndOnlyIndexesUpTo999Count) {
    TempDir dir;
    GroupFiles files(dir.path());
    EXPECT_EQ(GroupFiles::file_name(12, 5), "GRP-999-012-005.tmp");
    EXPECT_NE(files.path_of(1, 0), files.path_of(2, 0));

    files.append_line(1, 0, "1,155.0000,One");
    files.append_line(2, 0, "1,460.0000,Two");
    EXPECT_EQ(files.read_lines(1, 0), std::vector<std::string>{"1,155.0000,One"});
    EXPECT_EQ(files.read_lines(2, 0), std::vector<std::string>{"1,460.0000,Two"});

    TextGrid grid = channel_grid({{"155.0000"}});
    EXPECT_EQ(GroupFiles::file_name(1000, 0), "");
    EXPECT_FALSE(files.save_tmpfile(1000, 0, grid));
    EXPECT_FALSE(files.save_tmpfile(0, -1, grid));
    EXPECT_FALSE(files.write_lines(0, 1000, {"1,x"}));
    files.append_line(-1, 0, "1,x");
    files.close_appender();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(SaveTmpfile, WritesEveryRowAndDeletesTheFileWhenNoRowHasAFrequency) {
    TempDir dir;
    GroupFiles files(dir.path());
    TextGrid grid = channel_grid({{"155.0000", "Fire, North"}, {}, {"460.1250", "EMS"}});
    ASSERT_TRUE(files.save_tmpfile(3, 7, grid));
    auto lines = test::read_lines(files.path_of(3, 7));
    ASSERT_EQ(lines.size(), 10u);  // every data row of the 11-row grid
    EXPECT_EQ(lines[0], "1,155.0000,Fire; North,,,,,,,,,,");
    EXPECT_EQ(lines[1], "2,,,,,,,,,,,,");
    EXPECT_EQ(test::read_file(files.path_of(3, 7)).find('\r'), std::string::npos);
    EXPECT_FALSE(scratch_left(dir));

    TextGrid reopened;
    files.open_tmpfile(3, 7, reopened, k_channel_columns);
    EXPECT_EQ(reopened.at(3, 1), "460.1250");
    EXPECT_EQ(reopened.at(3, 2), "EMS");
    EXPECT_EQ(reopened.rows(), 11);

    TextGrid tags_only = channel_grid({{"", "Alpha tag but no frequency"}});
    EXPECT_TRUE(files.save_tmpfile(3, 7, tags_only));
    EXPECT_FALSE(files.exists(3, 7));
}

TEST(SaveTmpfile, CompactDropsEmptyRowsButKeepsElevenAndLeavesNumbering) {
    TempDir dir;
    GroupFiles files(dir.path());
    TextGrid grid = channel_grid({{}, {"155.0000"}, {}, {"156.0000"}});
    ASSERT_TRUE(files.save_tmpfile(0, 0, grid, true));
    EXPECT_EQ(grid.rows(), 11);
    EXPECT_EQ(grid.at(1, 1), "155.0000");
    EXPECT_EQ(grid.at(1, 0), "2");
    EXPECT_EQ(grid.at(2, 1), "156.0000");
    EXPECT_EQ(grid.at(3, 1), "");
}

TEST(OpenTmpfile, GridHasOneRowMoreThanTheLinesButNeverFewerThanEleven) {
    TempDir dir;
    GroupFiles files(dir.path());
    TextGrid grid;
    files.open_tmpfile(0, 1, grid, k_channel_columns);  // no file: empty grid, nothing said
    EXPECT_EQ(grid.rows(), 11);
    EXPECT_EQ(grid.cols(), 13);

    std::vector<std::string> lines;
    for (int r = 1; r <= 25; ++r)
        lines.push_back(std::to_string(r) + ",1" + std::to_string(r) + ".0");
    files.write_lines(0, 1, {lines.begin(), lines.begin() + 3});
    files.open_tmpfile(0, 1, grid, k_channel_columns);
    EXPECT_EQ(grid.rows(), 11);
    files.write_lines(0, 1, lines);
    files.open_tmpfile(0, 1, grid, k_channel_columns);
    EXPECT_EQ(grid.rows(), 26);
    EXPECT_EQ(grid.at(25, 1), "125.0");
}

TEST(OpenTmpfile, ToleratesGapsCrLfExtraFieldsAndBadRowNumbers) {
    TempDir dir;
    GroupFiles files(dir.path());
    test::write_file(files.path_of(4, 2),
                     "3,851.0125,Three\r\n"
                     "40,852.0000,Forty\r\n"
                     "x,999.0000,bad row\r\n"
                     "10000,999.0000,beyond\r\n"
                     "1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15");
    TextGrid grid;
    files.open_tmpfile(4, 2, grid, k_talkgroup_columns);
    EXPECT_EQ(grid.rows(), 41);  // three lines read, but row 40 must exist
    EXPECT_EQ(grid.at(3, 2), "Three");
    EXPECT_EQ(grid.at(40, 2), "Forty");
    EXPECT_EQ(grid.at(2, 1), "");
    EXPECT_EQ(grid.cols(), k_talkgroup_columns + 1);
    EXPECT_EQ(grid.at(1, k_talkgroup_columns), "9");
}

TEST(LaadVanTempie, KeysByFileAndRowSkipsEmptyFrequenciesAndStopsAt30000) {
    TempDir dir;
    GroupFiles files(dir.path());
    files.write_lines(12, 5, {"1,155.0000,A", "2,.,dot", "3,,empty", "4,1234,tg"});
    files.write_lines(12, 6, {"7,1234,Talkgroup"});
    test::write_file(dir / "temp.tmp", "1,999.0000,leftover");
    RecordingPrompter prompter;

    auto frq = files.laad_van_tempie("FRQ-", prompter);
    ASSERT_EQ(frq.size(), 1u);
    EXPECT_EQ(frq[0].key, "FRQ-012-005-0001");
    EXPECT_EQ(frq[0].text, "1,155.0000,A");
    EXPECT_FALSE(scratch_left(dir));

    auto tid = files.laad_van_tempie("TID-", prompter);
    ASSERT_EQ(tid.size(), 2u);
    EXPECT_EQ(tid[1].key, "TID-012-006-0007");
    EXPECT_TRUE(prompter.told.empty());

    // A channel at a whole megahertz has no dot; knowing the file's system finds it anyway.
    files.write_lines(3, 1, {"1,463,MedCom", "2,155.61,Dispatch"});
    auto conventional = [](int system) { return system == 3; };
    auto by_system = files.laad_van_tempie("FRQ-", prompter, conventional);
    ASSERT_EQ(by_system.size(), 2u);
    EXPECT_EQ(by_system[0].text, "1,463,MedCom");
    EXPECT_EQ(files.laad_van_tempie("TID-", prompter, conventional).size(), 3u);

    for (int g = 0; g < 4; ++g)
        for (int r = 1; r <= 7501; ++r) files.append_line(1, g, std::to_string(r) + ",460.0000");
    auto full = files.laad_van_tempie("FRQ-", prompter);  // reads what the appender holds too
    EXPECT_EQ(full.size(), 30000u);
    EXPECT_EQ(prompter.told, std::vector<std::string>{"error, temp memory is full"});
}

TEST(RewriteThroughScratch, KeepsNamesOrderAndRowNumbers) {
    TempDir dir;
    GroupFiles files(dir.path());
    files.write_lines(2, 3, {"1,a", "2,b", "3,c", "4,d", "5,e", "6,f"});
    ASSERT_TRUE(files.delete_line(2, 3, 4));
    EXPECT_EQ(files.read_lines(2, 3),
              (std::vector<std::string>{"1,a", "2,b", "3,c", "5,e", "6,f"}));
    EXPECT_FALSE(files.delete_line(2, 3, 0));
    EXPECT_FALSE(files.delete_line(2, 3, 10000));

    ASSERT_TRUE(files.rewrite(2, 3, [](std::string_view line) { return to_upper(line); }));
    EXPECT_EQ(files.read_lines(2, 3).front(), "1,A");
    EXPECT_EQ(files.read_lines(2, 3).size(), 5u);
    EXPECT_FALSE(files.rewrite(2, 4, [](std::string_view line) { return std::string(line); }));
    EXPECT_FALSE(scratch_left(dir));
}

TEST(GroupFileHousekeeping, CopyDeleteAndKillTempies) {
    TempDir dir;
    GroupFiles files(dir.path());
    EXPECT_FALSE(files.copy_group_file(1, 1, 2, 2));
    EXPECT_FALSE(files.exists(2, 2));

    files.write_lines(1, 1, {"1,155.0000"});
    ASSERT_TRUE(files.copy_group_file(1, 1, 2, 2));
    EXPECT_EQ(files.read_lines(2, 2), files.read_lines(1, 1));
    files.write_lines(1, 399, {"1,155.0000"});
    files.delete_system_files(1);
    EXPECT_FALSE(files.exists(1, 1));
    EXPECT_FALSE(files.exists(1, 399));
    EXPECT_TRUE(files.exists(2, 2));

    test::write_file(dir / "other.tmp", "x");
    test::write_file(dir / "keep.txt", "x");
    files.kill_tempies();
    EXPECT_FALSE(files.exists(2, 2));
    EXPECT_FALSE(std::filesystem::exists(dir / "other.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / "keep.txt"));
}

TEST(Appender, SwitchingGroupsAndReopeningKeepsEveryLineInOrder) {
    TempDir dir;
    GroupFiles files(dir.path());
    files.append_line(5, 1, "1,a");
    files.append_line(5, 2, "1,b");
    files.append_line(5, 1, "2,a\r\n");
    EXPECT_EQ(files.read_lines(5, 1), (std::vector<std::string>{"1,a", "2,a"}));
    files.append_line(5, 1, "3,a");
    files.write_lines(5, 2, {"9,z"});  // closes the appender first
    files.append_line(5, 2, "10,z");
    files.close_appender();
    EXPECT_EQ(files.read_lines(5, 1).size(), 3u);
    EXPECT_EQ(files.read_lines(5, 2), (std::vector<std::string>{"9,z", "10,z"}));
    EXPECT_FALSE(files.append_failed());
}

TEST(TextGrid, ResizeKeepsCellsAndRemoveEmptyRowsKeepsTheHeader) {
    TextGrid grid(4, 3);
    grid.at(0, 1) = "Frequency";
    grid.at(2, 2) = "tag only";
    grid.resize(6, 4);
    EXPECT_EQ(grid.at(2, 2), "tag only");
    EXPECT_TRUE(grid.has_no_data());
    grid.remove_empty_rows(2);
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.at(0, 1), "Frequency");
    EXPECT_EQ(grid.at(1, 2), "tag only");
}
