#include "core/editor/grid_text.h"

#include <gtest/gtest.h>

#include "core/editor/grid_edacs.h"

using namespace tarvex;
using namespace tarvex::grid;

TEST(AlphaTagAlignment, CenterRightAndLeftAtWidth30) {
    EXPECT_EQ(align_text("ABC", align_center), std::string(13, ' ') + "ABC");
    std::string forty(40, 'x');
    EXPECT_EQ(align_text(forty, align_right), std::string(30, 'x'));
    EXPECT_EQ(align_text("  " + forty + " ", align_left), forty);
    EXPECT_EQ(align_text("   ", align_left), "");
    EXPECT_EQ(align_text("   ", align_center), std::string(15, ' '));
    EXPECT_EQ(align_text(" Fire ", align_right), std::string(26, ' ') + "Fire");
    EXPECT_EQ(align_text("AB", align_center, 0), std::string(31, ' ') + "AB");
    EXPECT_EQ(align_code_from("Center"), align_center);
    EXPECT_EQ(align_code_from("Middle"), -1);
}

TEST(AlphaTagCase, UpperLowerAndSpecialCase) {
    EXPECT_EQ(convert_case("Main St Fire", CaseCode::Upper), "MAIN ST FIRE");
    EXPECT_EQ(convert_case("Main St Fire", CaseCode::Lower), "main st fire");
    EXPECT_EQ(convert_case("MAIN ST FIRE", CaseCode::Special), "Main St Fire");
    EXPECT_EQ(convert_case("FIRE-TAC 1ST o'BRIEN", CaseCode::Special), "Fire-Tac 1st O'brien");
    EXPECT_EQ(case_code_from("sp"), CaseCode::Special);
    EXPECT_EQ(case_code_from("Special ( Sample Text )"), CaseCode::Special);
    EXPECT_EQ(case_code_from("Lower case"), CaseCode::Lower);
    EXPECT_EQ(case_code_from("up"), CaseCode::Upper);
}

TEST(AlphaTagCase, GridCommandsTouchOnlyTheAlphaTagColumn) {
    TextGrid grid;
    setup_grid(grid, GridKind::Channel);
    grid.at(1, 1) = "155.0000";
    grid.at(1, 2) = "county fire";
    grid.at(1, 3) = "Off";
    grid.at(2, 2) = "ems";
    GridChange change = change_case(grid, GridKind::Channel, select_all(grid), CaseCode::Upper);
    EXPECT_EQ(change.count, 2);
    EXPECT_EQ(grid.at(1, 2), "COUNTY FIRE");
    EXPECT_EQ(grid.at(1, 3), "Off");
    change_case(grid, GridKind::Channel, CellRange::cell(2, 5), CaseCode::Special);
    EXPECT_EQ(grid.at(2, 2), "Ems");

    g_align_text(grid, 2, align_right);
    EXPECT_EQ(grid.at(2, 2), std::string(27, ' ') + "Ems");
    EXPECT_FALSE(g_align_text(grid, 40, align_right).changed);
}

TEST(CopyToAlphaTag, FormatsPerGrid) {
    TextGrid channels;
    setup_grid(channels, GridKind::Channel);
    channels.at(1, 1) = "851.0125";
    channels.at(2, 2) = "kept";  // no frequency: the tag stays
    copy_to_alpha_tag(channels, GridKind::Channel, select_all(channels));
    EXPECT_EQ(channels.at(1, 2), "851.0125MHz");
    EXPECT_EQ(channels.at(2, 2), "kept");

    TextGrid talkgroups;
    setup_grid(talkgroups, GridKind::Talkgroup);
    talkgroups.at(1, 1) = "2245";
    copy_to_alpha_tag(talkgroups, GridKind::Talkgroup, CellRange::cell(1, 1));
    EXPECT_EQ(talkgroups.at(1, 2), "ID:2245");

    TextGrid units;
    setup_grid(units, GridKind::UnitId);
    units.at(1, 1) = "1234567";
    copy_to_alpha_tag(units, GridKind::UnitId, CellRange::cell(1, 1));
    EXPECT_EQ(units.at(1, 2), "UID:1234567");

    TextGrid ranges;
    setup_grid(ranges, GridKind::SearchRange);
    ranges.at(1, 1) = "851.0000";
    ranges.at(1, 2) = "869.9875";
    EXPECT_EQ(tag_from_row(ranges, GridKind::SearchRange, 1), "851.0-869.9");
}

TEST(EdacsNotation, KnownIdsBothWays) {
    EXPECT_EQ(afs_from_decimal(586), "04-092");
    EXPECT_EQ(afs_from_decimal(0), "00-000");
    EXPECT_EQ(afs_from_decimal(273), "02-021");
    EXPECT_EQ(afs_from_decimal(2047), "15-157");
    EXPECT_FALSE(afs_from_decimal(2048));
    EXPECT_EQ(decimal_from_afs("04-092"), 586);
    EXPECT_EQ(decimal_from_afs(" 4-92 "), 586);
    EXPECT_EQ(decimal_from_afs("15-157"), 2047);
    for (int id = 0; id <= k_edacs_max_id; ++id)
        ASSERT_EQ(decimal_from_afs(*afs_from_decimal(id)), id);
    EXPECT_FALSE(decimal_from_afs("16-000"));  // agency past 4 bits
    EXPECT_FALSE(decimal_from_afs("04-168"));  // subfleet past 3 bits
    EXPECT_FALSE(decimal_from_afs("04092"));
    EXPECT_FALSE(decimal_from_afs("04-0921"));
}

TEST(EdacsNotation, GridConversionsLeaveOtherTalkgroupsAlone) {
    TextGrid grid;
    setup_grid(grid, GridKind::Talkgroup);
    grid.at(1, 1) = "586";
    grid.at(2, 1) = "5000";  // beyond 11 bits
    grid.at(3, 1) = "i00123";
    GridChange afs = convert_afs(grid, GridKind::Talkgroup, select_all(grid));
    EXPECT_EQ(afs.count, 1);
    EXPECT_EQ(grid.at(1, 1), "04-092");
    EXPECT_EQ(grid.at(2, 1), "5000");
    GridChange dec = convert_decimal(grid, GridKind::Talkgroup, select_all(grid));
    EXPECT_EQ(dec.count, 1);
    EXPECT_EQ(grid.at(1, 1), "586");
    EXPECT_EQ(grid.at(3, 1), "i00123");
}
