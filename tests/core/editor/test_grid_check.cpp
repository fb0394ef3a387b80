#include "core/editor/grid_check.h"

#include <gtest/gtest.h>

#include "core/editor/grid_diag.h"

using namespace tarvex;
using namespace tarvex::grid;

namespace {
TextGrid channel_row(std::vector<std::string> values) {
    TextGrid grid;
    setup_grid(grid, GridKind::Channel);
    for (size_t c = 0; c < values.size(); ++c) grid.at(1, static_cast<int>(c) + 1) = values[c];
    return grid;
}
}  // namespace

TEST(GridValidation, CleanRowsAndEmptyRowsGiveNoFindings) {
    TextGrid grid = channel_row(
        {"155.0000", "Tag", "Off", "FM", "CTCSS", "100.0", "Ham", "Off", "2", "0", "Off", "Auto"});
    grid.row(3) = default_row(GridKind::Channel);
    EXPECT_TRUE(validate_grid(grid, GridKind::Channel).empty());
}

TEST(GridValidation, NumbersAboveTheMaximumAndMisspelledWordsAreCorrected) {
    TextGrid grid = channel_row({"155.0000", std::string(70, 't'), "on", "FM", "CTCSS", "100",
                                 "Ham", "", "45", "5", "12", "20"});
    auto findings = validate_grid(grid, GridKind::Channel);
    ASSERT_EQ(findings.size(), 8u);
    EXPECT_EQ(grid.at(1, 2).size(), 64u);
    EXPECT_EQ(grid.at(1, 3), "On");
    EXPECT_EQ(grid.at(1, 6), "100.0");
    EXPECT_EQ(grid.at(1, 8), "Off");
    EXPECT_EQ(grid.at(1, 9), "30");
    EXPECT_EQ(grid.at(1, 10), "3");
    EXPECT_EQ(grid.at(1, 11), "9");
    EXPECT_EQ(grid.at(1, 12), "15");
    EXPECT_EQ(findings.back().message, "Row 1, Alert Level: 20 is above 15, set to 15");
    for (const auto& f : findings) EXPECT_TRUE(f.fixed) << f.message;
}

TEST(GridValidation, WhatHasNoSingleAnswerIsOnlyReported) {
    TextGrid grid = channel_row(
        {"15x.0", "Tag", "Off", "WFM", "DCS", "100.0", "Ham", "Off", "7", "0", "Off", "Auto"});
    grid.at(2, 1) = "2000.0";
    grid.at(2, 2) = "out of band";
    auto findings = validate_grid(grid, GridKind::Channel);
    std::vector<std::string> messages;
    for (const auto& f : findings) {
        if (f.row == 1) {
            EXPECT_FALSE(f.fixed) << f.message;
        }
        messages.push_back(f.message);
    }
    EXPECT_EQ(messages[0], "Row 1, Frequency: 15x.0 is not a frequency in MHz");
    EXPECT_EQ(messages[1], "Row 1, Mode: WFM is not one of the values, the scanner gets AUTO");
    EXPECT_EQ(messages[2], "Row 1, SQ Code: 100.0 is not a code of SQ Mode DCS");
    EXPECT_EQ(messages[3], "Row 1, Delay Time: 7 is not one of the values, the scanner gets 2");
    EXPECT_EQ(grid.at(1, 4), "WFM");
    // Row 2's list cells are empty: they get the defaults, its frequency is reported.
    EXPECT_EQ(grid.at(2, 4), "AUTO");
    EXPECT_NE(std::find(messages.begin(), messages.end(),
                        "Row 2, Frequency: 2000.0 MHz is outside the scanner's range of 25 to "
                        "1300 MHz"),
              messages.end());
}

TEST(GridValidation, TalkgroupsUnitIdsAndReportOnlyMode) {
    TextGrid talkgroups;
    setup_grid(talkgroups, GridKind::Talkgroup);
    talkgroups.row(1) = {"", "I1234", "A", "Off", "ANALOG", "Ham", "2", "0", "Off", "Auto"};
    talkgroups.row(2) = {"", "70000", "B", "Off", "All", "Ham", "2", "0", "Off", "Auto"};
    auto proposals = validate_grid(talkgroups, GridKind::Talkgroup, false);
    ASSERT_EQ(proposals.size(), 3u);
    EXPECT_EQ(talkgroups.at(1, 1), "I1234");  // nothing changes when only checking
    EXPECT_EQ(proposals[0].corrected, "i1234");
    EXPECT_EQ(proposals[1].corrected, "Analog");
    validate_grid(talkgroups, GridKind::Talkgroup);
    EXPECT_EQ(talkgroups.at(2, 1), "65000");

    TextGrid units;
    setup_grid(units, GridKind::UnitId);
    units.row(1) = {"", "123456789", "Car", "Off", "Auto"};
    units.row(2) = {"", "12a", "Van", "Off", "Auto"};
    auto findings = validate_grid(units, GridKind::UnitId);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(units.at(1, 1), "99999999");
    EXPECT_FALSE(findings[1].fixed);
}

TEST(GridDiagnostics, NoInvoerLine) {
    EXPECT_EQ(no_invoer("g_align_text", "12:34:56"), "12:34:56 g_align_text no_invoer");
    std::string now = no_invoer("g_fill");
    EXPECT_EQ(now.size(), std::string("hh:mm:ss g_fill no_invoer").size());
    EXPECT_EQ(now.substr(8), " g_fill no_invoer");
}

// What Check shows and what typing marks: errors apart from corrections, the defaults of empty
// list cells as one count, and nothing changed by looking.
TEST(GridCheckReport, ErrorsComeApartFromCorrectionsAndDefaultsAreCounted) {
    TextGrid grid = channel_row({"9999", "Tag", "on", "", "", "", "", "", "", "", "", ""});
    grid.at(2, 1) = "abc";
    grid.at(3, 1) = "460.1";
    const TextGrid before = grid;
    CheckReport report = check_report(grid, GridKind::Channel);
    EXPECT_EQ(grid.row(1), before.row(1)) << "a report changes nothing";
    ASSERT_EQ(report.errors.size(), 2u);
    EXPECT_EQ(report.errors[0].message,
              "Row 1, Frequency: 9999 MHz is outside the scanner's range of 25 to 1300 MHz");
    EXPECT_EQ(report.errors[1].message, "Row 2, Frequency: abc is not a frequency in MHz");
    ASSERT_EQ(report.corrections.size(), 1u);
    EXPECT_EQ(report.corrections[0].corrected, "On");
    EXPECT_EQ(report.defaults_rows, 3);
    EXPECT_GT(report.defaults, 20);
    EXPECT_TRUE(report.fixable());
}

struct EntryCase {
    GridKind kind;
    int col;
    const char* value;
    const char* error;  // "" when the scanner can use it
};

class CellOnEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(CellOnEntry, IsMarkedOnlyWhenTheScannerCannotUseIt) {
    const EntryCase& c = GetParam();
    TextGrid grid;
    setup_grid(grid, c.kind);
    grid.at(1, 2) = "Tag";
    grid.at(1, c.col) = c.value;
    EXPECT_EQ(cell_error(grid, c.kind, 1, c.col), c.error) << c.value;
    EXPECT_EQ(cell_error(grid, c.kind, 2, c.col), "") << "empty rows are never marked";
}

INSTANTIATE_TEST_SUITE_P(
    Typed, CellOnEntry,
    ::testing::Values(
        EntryCase{GridKind::Channel, 1, "146.61", ""}, EntryCase{GridKind::Channel, 1, "460.1", ""},
        EntryCase{GridKind::Channel, 1, "9999",
                  "Frequency: 9999 MHz is outside the scanner's range of 25 to 1300 MHz"},
        EntryCase{GridKind::Channel, 1, "abc", "Frequency: abc is not a frequency in MHz"},
        EntryCase{GridKind::Channel, 4, "WFM",
                  "Mode: WFM is not one of the values, the scanner gets AUTO"},
        EntryCase{GridKind::Channel, 4, "fm", ""},  // a spelling Check corrects, not an error
        EntryCase{GridKind::Talkgroup, 1, "abc", "Talkgroup: abc is not a talkgroup"},
        EntryCase{GridKind::Talkgroup, 1, "1234", ""}));

// ---- talkgroups by system type ----

struct TalkgroupCase {
    int type_code;
    const char* value;
    bool valid;
};

class TalkgroupOfType : public ::testing::TestWithParam<TalkgroupCase> {};

TEST_P(TalkgroupOfType, TakesTheFormsOfItsSystemAndNoOthers) {
    const TalkgroupCase& c = GetParam();
    EXPECT_EQ(talkgroup_problem(c.type_code, c.value).empty(), c.valid)
        << "type " << c.type_code << " value " << c.value;
    // The same rule marks the cell on entry and in Check.
    TextGrid grid;
    setup_grid(grid, GridKind::Talkgroup);
    grid.at(1, 1) = c.value;
    grid.at(1, 2) = "Tag";
    EXPECT_EQ(cell_error(grid, GridKind::Talkgroup, 1, 1, c.type_code).empty(), c.valid);
    const CheckReport report = check_report(grid, GridKind::Talkgroup, c.type_code);
    EXPECT_EQ(report.errors.empty(), c.valid);
    EXPECT_EQ(grid.at(1, 1), c.value) << "Check changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Types, TalkgroupOfType,
                         ::testing::Values(
                             // Motorola: decimal 0-65535 or fleet-subfleet
                             TalkgroupCase{1, "0", true}, TalkgroupCase{1, "65535", true},
                             TalkgroupCase{1, "65536", false}, TalkgroupCase{1, "100-14", true},
                             TalkgroupCase{1, "100-16", false}, TalkgroupCase{1, "abc", false},
                             TalkgroupCase{1, "i12345", true},
                             // EDACS: AFS or decimal 0-2047
                             TalkgroupCase{2, "04-092", true}, TalkgroupCase{2, "2047", true},
                             TalkgroupCase{2, "2048", false}, TalkgroupCase{3, "16-000", false},
                             TalkgroupCase{3, "15-157", true},
                             // LTR: A-RR-GGG or the six digits
                             TalkgroupCase{4, "1-05-123", true}, TalkgroupCase{4, "105123", true},
                             TalkgroupCase{4, "2-05-123", false},
                             TalkgroupCase{4, "1-21-001", false},
                             TalkgroupCase{4, "1-05-255", false}, TalkgroupCase{4, "05123", true},
                             // P25: 1-65535
                             TalkgroupCase{5, "1", true}, TalkgroupCase{6, "65535", true},
                             TalkgroupCase{7, "0", false}, TalkgroupCase{5, "65536", false},
                             TalkgroupCase{5, "04-092", false},
                             // MotoTRBO and DMR: 1-16777215, above the common 65000 cut
                             TalkgroupCase{8, "3100", true}, TalkgroupCase{9, "16777215", true},
                             TalkgroupCase{8, "16777216", false}, TalkgroupCase{9, "0", false},
                             TalkgroupCase{8, "1-05-123", false}));

TEST(GridValidation, ATalkgroupWithoutItsSystemFollowsTheCommonRule) {
    TextGrid grid;
    setup_grid(grid, GridKind::Talkgroup);
    grid.at(1, 1) = "70000";
    grid.at(1, 2) = "Tag";
    // Without a system the common cleaning cuts it to 65000 (a correction, not an error) ...
    EXPECT_EQ(cell_error(grid, GridKind::Talkgroup, 1, 1), "");
    EXPECT_EQ(check_report(grid, GridKind::Talkgroup).corrections.size(), 1u);
    // ... while a DMR system keeps it, and a P25 system refuses it.
    EXPECT_TRUE(check_report(grid, GridKind::Talkgroup, 9).corrections.empty());
    EXPECT_NE(cell_error(grid, GridKind::Talkgroup, 1, 1, 5), "");
}

TEST(GridCleanup, CorrectsWhatHasOneAnswerClosesTheGapsAndLeavesErrors) {
    TextGrid grid = channel_row(
        {"155.0000", "First", "on", "fm", "CTCSS", "100", "Ham", "Off", "45", "0", "Off", "Auto"});
    grid.at(3, 1) = "abc";  // an error: no single answer, kept for the user
    grid.at(3, 2) = "Third";
    grid.at(5, 1) = "460.1";
    grid.at(5, 2) = "Fifth";
    GridChange c = cleanup_grid(grid, GridKind::Channel);
    EXPECT_TRUE(c.rows_changed);
    EXPECT_GT(c.count, 0);
    EXPECT_EQ(grid.at(1, 3), "On");
    EXPECT_EQ(grid.at(1, 4), "FM");
    EXPECT_EQ(grid.at(1, 6), "100.0");
    EXPECT_EQ(grid.at(1, 9), "30");
    EXPECT_EQ(grid.at(2, 1), "abc");
    EXPECT_EQ(grid.at(3, 2), "Fifth");
    EXPECT_EQ(grid.at(3, 4), "AUTO") << "the empty list cells get their defaults";
    EXPECT_TRUE(grid.at(4, 1).empty());
    EXPECT_EQ(check_report(grid, GridKind::Channel).errors.size(), 1u);
    EXPECT_FALSE(check_report(grid, GridKind::Channel).fixable());
}
