#include "core/editor/grid_columns.h"

#include <gtest/gtest.h>

#include "core/model/group_files.h"
#include "core/settings/settings.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::grid;

namespace {
std::vector<std::string> titles(GridKind kind) {
    std::vector<std::string> out;
    for (const auto& colspec : columns_of(kind)) out.emplace_back(colspec.title);
    return out;
}
}  // namespace

TEST(GridColumns, TitlesOfEveryGrid) {
    using V = std::vector<std::string>;
    EXPECT_EQ(
        titles(GridKind::Channel),
        (V{"#", "Frequency", "Alpha Tag", "Avoid", "Mode", "SQ Mode", "SQ Code", "Service Type",
           "Attenuator", "Delay Time", "Volume Offset", "Alert Tone", "Alert Level"}));
    EXPECT_EQ(titles(GridKind::Talkgroup),
              (V{"#", "Talkgroup", "Alpha Tag", "Avoid", "AudioType", "Service Type", "Delay Time",
                 "Volume Offset", "Alert Tone", "Alert Level"}));
    EXPECT_EQ(titles(GridKind::UnitId),
              (V{"#", "Unit ID", "Alpha Tag", "Alert Tone", "Alert Level"}));
    EXPECT_EQ(titles(GridKind::SearchRange), (V{"#", "Start Frequency", "Stop Frequency"}));
    EXPECT_EQ(titles(GridKind::SiteFrequency), (V{"#", "Frequency", "LCN", "ColorCode"}));
    EXPECT_EQ(data_columns(GridKind::Channel), k_channel_columns);
    EXPECT_EQ(data_columns(GridKind::Talkgroup), k_talkgroup_columns);
}

TEST(GridColumns, CellEditorsAndDropDownValues) {
    const ColumnSpec* mode =
        column_spec(GridKind::Channel, column_by_title(GridKind::Channel, "Mode"));
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->editor, CellEditor::List);
    EXPECT_EQ(std::vector<std::string_view>(mode->values.begin(), mode->values.end()),
              (std::vector<std::string_view>{"AM", "FM", "NFM", "AUTO"}));
    EXPECT_EQ(column_spec(GridKind::Channel, 2)->editor, CellEditor::Text);
    EXPECT_EQ(column_spec(GridKind::Channel, 6)->editor, CellEditor::SqCodeList);
    EXPECT_EQ(column_spec(GridKind::Talkgroup, 4)->values.front(), "All");

    EXPECT_EQ(sq_code_values("CTCSS").front(), "Search");
    EXPECT_EQ(sq_code_values("CTCSS").size(), 51u);
    EXPECT_EQ(sq_code_values("DCS")[1], "023");
    EXPECT_EQ(sq_code_values("DMR").back(), "15");
    EXPECT_TRUE(sq_code_values("All").empty());
    EXPECT_TRUE(sq_code_typed("P25"));
    EXPECT_TRUE(sq_code_fits("P25", "293"));
    EXPECT_FALSE(sq_code_fits("P25", "1000"));
    EXPECT_FALSE(sq_code_fits("CTCSS", "023"));
}

TEST(GridColumns, WidthsFromSettingsWithTheSmallWidthRule) {
    MemorySettingsBackend main, import;
    Settings settings(main, import);
    settings.SaveSetting("colwidth", "ccol_width2", "50");
    settings.SaveSetting("colwidth", "ccol_width3", "100");
    settings.SaveSetting("colwidth", "ccol_width4", "2400");
    auto widths = read_column_widths(settings, GridKind::Channel);
    ASSERT_EQ(widths.size(), 13u);
    EXPECT_EQ(widths[2], 1200);
    EXPECT_EQ(widths[3], 1200);
    EXPECT_EQ(widths[4], 2400);
    EXPECT_EQ(widths[7], 1200);
    EXPECT_EQ(read_column_widths(settings, GridKind::UnitId)[1], 1500);

    save_column_widths(settings, GridKind::Talkgroup, {300, 1800, 2000});
    EXPECT_EQ(main.values().at({"colwidth", "tcol_width1"}), "1800x");
    EXPECT_EQ(read_column_widths(settings, GridKind::Talkgroup)[2], 2000);
    EXPECT_EQ(twips_to_pixels(1440), 96);
    EXPECT_EQ(pixels_to_twips(96), 1440);
}

TEST(GridColumns, EmptyRowsAreRowsWithoutFreeText) {
    TextGrid grid;
    setup_grid(grid, GridKind::Channel);
    auto defaults = default_row(GridKind::Channel);
    EXPECT_EQ(defaults[3], "Off");
    EXPECT_EQ(defaults[4], "AUTO");
    EXPECT_EQ(defaults[9], "2");
    grid.row(2) = defaults;
    EXPECT_TRUE(row_is_empty(grid, GridKind::Channel, 2));
    grid.at(3, 2) = "Tag only";
    EXPECT_FALSE(row_is_empty(grid, GridKind::Channel, 3));
    EXPECT_EQ(last_used_row(grid, GridKind::Channel), 3);
}

TEST(GridColumns, LongerLinesOfOtherModelsOpenWithTheirExtraFieldsIgnored) {
    test::TempDir dir;
    GroupFiles files(dir.path());
    files.write_lines(1, 0,
                      {"1,155.0000,One,Off,FM,All,,Other,Off,2,0,Off,Auto,Blue,On,7,On",
                       "2,156.0000,Two,On,AM,CTCSS,100.0,Ham,Off,5,1,3,4,Red,On,8,Off"});
    TextGrid grid;
    load_group_grid(files, 1, 0, GridKind::Channel, grid);
    EXPECT_EQ(grid.cols(), 13);
    EXPECT_EQ(grid.rows(), 11);
    EXPECT_EQ(grid.at(0, 12), "Alert Level");
    EXPECT_EQ(grid.at(2, 12), "4");
    EXPECT_EQ(grid.at(2, 0), "2");

    files.write_lines(2, 0, {"1,100,Dispatch,Off,All,Law Dispatch,2,0,Off,Auto,Off,On,9,Off"});
    load_group_grid(files, 2, 0, GridKind::Talkgroup, grid);
    EXPECT_EQ(grid.cols(), 10);
    EXPECT_EQ(grid.at(1, 9), "Auto");

    // Saving writes only the grid's own columns back.
    ASSERT_TRUE(save_group_grid(files, 2, 0, GridKind::Talkgroup, grid));
    EXPECT_EQ(files.read_lines(2, 0),
              std::vector<std::string>{"1,100,Dispatch,Off,All,Law Dispatch,2,0,Off,Auto"});
    EXPECT_EQ(grid.at(0, 1), "Talkgroup");
}
