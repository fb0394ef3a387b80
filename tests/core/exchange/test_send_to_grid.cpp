// Real-world lists through the mapper into the channel grid: what arrives, what is named as
// not converted, and that the grid's own paste takes the result.
#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/editor/grid_columns.h"
#include "core/editor/grid_ops.h"
#include "core/exchange/csv_import.h"
#include "core/exchange/send_to_grid.h"

using namespace tarvex;
using namespace tarvex::csv;
using grid::GridKind;

namespace {

// The channel grid after pasting the converted rows as "Paste Line" does at row 1.
TextGrid pasted(const GridRows& rows) {
    TextGrid g;
    grid::setup_grid(g, GridKind::Channel);
    RecordingPrompter prompter;
    grid::paste_lines(g, GridKind::Channel, 1, rows.text, prompter);
    EXPECT_TRUE(prompter.told.empty());
    return g;
}

int col(grid::Column c) {
    return grid::column_index(GridKind::Channel, c);
}

std::vector<std::string> reasons(const GridRows& rows) {
    std::vector<std::string> out;
    for (const auto& p : rows.problems) out.push_back(describe(p));
    return out;
}

}  // namespace

TEST(SendToGrid, MemoryFileOfAnotherRadio) {
    LoadResult r = load_csv(
        "CH,FREQ,NAME,MODE,TONE,SKIP\r\n"
        "001,154.4300,FIRE DISP,NFM,CSQ,\r\n"
        "002,155.0700,SHERIFF,nfm,136.5,\r\n"
        "003,162.5500,NOAA WX,FM,,\r\n"
        "004,460.1250,POLICE N,NFM,D023,SKIP\r\n"
        "005,,EMPTY,NFM,,\r\n"
        "006,851.0125,TRUNK CC,P25,,\r\n");
    // "NAME" holds "AM": the mapper takes it for a mode column until the user says otherwise.
    EXPECT_EQ(r.table.row(0), (std::vector<std::string>{"Unknown", "Frequency (MHz)", "Mode",
                                                        "Mode", "Subtone", "LockOut"}));
    r.table.at(0, 2) = "Tag/Name";
    GridRows rows = to_channel_rows(r.table);
    EXPECT_EQ(rows.count, 4);
    EXPECT_EQ(reasons(rows),
              (std::vector<std::string>{"Row 1: no frequency (\"FREQ\")", "Row 6: no frequency",
                                        "Row 7: unknown mode \"P25\""}));
    TextGrid g = pasted(rows);
    EXPECT_EQ(g.at(1, col(grid::Column::Frequency)), "154.4300");
    EXPECT_EQ(g.at(1, col(grid::Column::AlphaTag)), "FIRE DISP");
    EXPECT_EQ(g.at(1, col(grid::Column::SqMode)), "All");
    EXPECT_EQ(g.at(2, col(grid::Column::Mode)), "NFM");
    EXPECT_EQ(g.at(2, col(grid::Column::SqMode)), "CTCSS");
    EXPECT_EQ(g.at(2, col(grid::Column::SqCode)), "136.5");
    EXPECT_EQ(g.at(3, col(grid::Column::Mode)), "FM");
    EXPECT_EQ(g.at(4, col(grid::Column::SqMode)), "DCS");
    EXPECT_EQ(g.at(4, col(grid::Column::SqCode)), "023");
    EXPECT_EQ(g.at(4, col(grid::Column::Avoid)), "On");
    EXPECT_EQ(g.at(3, col(grid::Column::Avoid)), "Off");
    // Everything else is what a new line gets.
    auto fresh = grid::default_row(GridKind::Channel);
    EXPECT_EQ(g.at(1, col(grid::Column::ServiceType)), fresh[col(grid::Column::ServiceType)]);
    EXPECT_EQ(g.at(1, col(grid::Column::DelayTime)), fresh[col(grid::Column::DelayTime)]);
    EXPECT_EQ(grid::last_used_row(g, GridKind::Channel), 4);
}

TEST(SendToGrid, SpreadsheetExportWithQuotedFields) {
    // Quotes stay part of the cells (the lines are split at every ","); "Remove String" takes
    // them away, and a quoted name with a comma in it is named because its row shifted.
    LoadResult r = load_csv(
        "\"Frequency\",\"Name\",\"Mode\",\"PL Tone\"\r\n"
        "\"154.4300\",\"Fire Dispatch\",\"FM\",\"CSQ\"\r\n"
        "\"155.0700\",\"Sheriff\",\"NFM\",\"136.5\"\r\n"
        "\"460.1250\",\"Police, North\",\"FM\",\"D023N\"\r\n");
    EXPECT_EQ(r.table.at(0, 0), "Frequency (MHz)");
    EXPECT_EQ(r.table.at(0, 3), "Subtone");
    apply(r.table, CellOp::Remove, {RowScope::All, ColScope::All, 0}, {}, "\"");
    r.table.at(0, 1) = "Tag/Name";
    GridRows rows = to_channel_rows(r.table);
    EXPECT_EQ(rows.count, 2);
    EXPECT_EQ(reasons(rows), (std::vector<std::string>{"Row 1: no frequency (\"Frequency\")",
                                                       "Row 4: unknown mode \"North\""}));
    TextGrid g = pasted(rows);
    EXPECT_EQ(g.at(1, col(grid::Column::AlphaTag)), "Fire Dispatch");
    EXPECT_EQ(g.at(2, col(grid::Column::SqCode)), "136.5");
}

TEST(SendToGrid, WebTablePastedAsText) {
    LoadResult r = load_clipboard(
        "Frequency\tLicense\tType\tTone\tAlpha Tag\tDescription\tMode\tTag\r\n"
        "154.43000\tKAA123\tBM\t136.5 PL\tCo Fire Disp\tFire Dispatch\tFMN\tFire Dispatch\r\n"
        "155.85000\t\tBM\t023 DPL\tCo Sheriff\tSheriff Dispatch\tFMN\tLaw Dispatch\r\n"
        "453.25000\t\tBM\tCSQ\tCo EMS\tEMS Dispatch\tFM\tEMS Dispatch\r\n");
    ASSERT_EQ(r.table.cols(), 8);
    EXPECT_EQ(r.table.at(0, 0), "Frequency (MHz)");
    EXPECT_EQ(r.table.at(0, 3), "Subtone");
    EXPECT_EQ(r.table.at(0, 6), "Mode");
    r.table.at(0, 4) = "Tag/Name";
    GridRows rows = to_channel_rows(r.table, 2);
    EXPECT_EQ(rows.count, 3);
    EXPECT_TRUE(rows.problems.empty()) << describe(rows.problems.front());
    TextGrid g = pasted(rows);
    EXPECT_EQ(g.at(1, col(grid::Column::Frequency)), "154.4300");
    EXPECT_EQ(g.at(1, col(grid::Column::Mode)), "NFM");
    EXPECT_EQ(g.at(1, col(grid::Column::SqCode)), "136.5");
    EXPECT_EQ(g.at(2, col(grid::Column::SqMode)), "DCS");
    EXPECT_EQ(g.at(2, col(grid::Column::SqCode)), "023");
    EXPECT_EQ(g.at(3, col(grid::Column::AlphaTag)), "Co EMS");
}

TEST(SendToGrid, WithoutAFrequencyColumnNothingIsSent) {
    LoadResult r = load_csv("a,b\nc,d\n");
    GridRows rows = to_channel_rows(r.table);
    EXPECT_EQ(rows.count, 0);
    EXPECT_TRUE(rows.text.empty());
    EXPECT_EQ(rows.problems.size(), 2u);
}

struct ValueCase {
    std::string (*convert)(std::string_view);
    const char* in;
    const char* out;
};

class ScannerValue : public testing::TestWithParam<ValueCase> {};

TEST_P(ScannerValue, ConvertsOrRefuses) {
    EXPECT_EQ(GetParam().convert(GetParam().in), GetParam().out) << GetParam().in;
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, ScannerValue,
    testing::Values(ValueCase{scanner_frequency, "155.07", "155.0700"},
                    ValueCase{scanner_frequency, " 851.00625 MHz", "851.00625"},
                    ValueCase{scanner_frequency, "155070000", "155.0700"},
                    ValueCase{scanner_frequency, "155", "155.0000"},
                    ValueCase{scanner_frequency, "12.5", ""},  // below the scanner's range
                    ValueCase{scanner_frequency, "1.2.3", ""},
                    ValueCase{scanner_frequency, "Fire", ""}, ValueCase{scanner_mode, "fm", "FM"},
                    ValueCase{scanner_mode, "NBFM", "NFM"}, ValueCase{scanner_mode, "Auto", "AUTO"},
                    ValueCase{scanner_mode, "DMR", ""}, ValueCase{scanner_ctcss, "100", "100.0"},
                    ValueCase{scanner_ctcss, "PL 88.5", "88.5"},
                    ValueCase{scanner_ctcss, "88.50 Hz", "88.5"},
                    ValueCase{scanner_ctcss, "101.0", ""}, ValueCase{scanner_dcs, "D23N", "023"},
                    ValueCase{scanner_dcs, "754", "754"}, ValueCase{scanner_dcs, "D024", ""},
                    ValueCase{scanner_dcs, "D1234", ""}));
