// The reception log: hit counts, newest on top, 500 rows, and its files.
#include <gtest/gtest.h>

#include "core/remote/log_files.h"
#include "core/remote/reception_log.h"
#include "support/test_support.h"

using namespace tarvex::remote;
using tarvex::RecordingPrompter;
using tarvex::test::TempDir;

namespace {

DisplayModel heard(const std::string& freq, const std::string& channel,
                   const std::string& uid = "") {
    DisplayModel d;
    d.frequency = freq;
    d.channel = {channel};
    d.uid = uid;
    d.system = {"Oak County"};
    d.mode = "FM";
    d.signal = 2;
    d.busy = true;
    return d;
}

LocalTime at(int h, int m, int s) {
    return {2024, 5, 1, h, m, s, 0};
}

}  // namespace

TEST(Logger, SameChannelHeardAgainAfterASilenceCountsTwoHitsOnTop) {
    ReceptionLog log;
    log.log_tick(heard("155.2250", "Dispatch"), at(10, 0, 0));
    log.log_tick(heard("155.2250", "Dispatch"), at(10, 0, 1));
    EXPECT_EQ(log.row(1)[col_hitcount], "1") << "one transmission, one hit";
    log.reset_transmission();  // the busy delay after the signal dropped
    log.log_tick(heard("460.1000", "Tac 2"), at(10, 1, 0));
    log.reset_transmission();
    log.log_tick(heard("155.2250", "Dispatch"), at(10, 5, 0));
    EXPECT_EQ(log.used_rows(), 2);
    EXPECT_EQ(log.row(1)[col_data], "155.2250");
    EXPECT_EQ(log.row(1)[col_hitcount], "2");
    EXPECT_EQ(log.row(1)[col_time], "10:05:00");
    EXPECT_EQ(log.row(1)[col_date], "2024-05-01");
    EXPECT_EQ(log.row(2)[col_data], "460.1000");
}

TEST(Logger, MovingToTopShiftsOnlyTheRowsAboveDown) {
    ReceptionLog log;
    for (const char* f : {"1.0", "2.0", "3.0", "4.0"}) {
        log.log_tick(heard(f, "C"), at(9, 0, 0));
        log.reset_transmission();
    }
    // Table is now 4.0, 3.0, 2.0, 1.0; hearing 2.0 again:
    log.log_tick(heard("2.0", "C"), at(9, 1, 0));
    std::vector<std::string> order;
    for (int r = 1; r <= log.used_rows(); ++r) order.push_back(log.row(r)[col_data]);
    EXPECT_EQ(order, (std::vector<std::string>{"2.0", "4.0", "3.0", "1.0"}));
}

TEST(Logger, DifferentUnitIdsOfOneTalkgroupAreSeparateEntries) {
    ReceptionLog log;
    log.log_tick(heard("1201", "Police", "55"), at(9, 0, 0));
    log.log_tick(heard("1201", "Police", "56"), at(9, 0, 1));
    EXPECT_EQ(log.used_rows(), 2);
    EXPECT_EQ(log.row(1)[col_type], "UID");
    EXPECT_EQ(log.gethitcount("1201", "Police", "55"), 2);
    EXPECT_EQ(log.current_row(), 2);
    EXPECT_EQ(log.gethitcount("1201", "Police", "99"), 1);
}

TEST(Logger, TheFiveHundredAndFirstTransmissionDropsTheBottomEntry) {
    ReceptionLog log;
    for (int i = 1; i <= 501; ++i) {
        log.log_tick(heard(std::to_string(i) + ".5", "C"), at(9, 0, 0));
        log.reset_transmission();
    }
    EXPECT_EQ(log.used_rows(), k_log_rows);
    EXPECT_EQ(log.row(1)[col_data], "501.5");
    EXPECT_EQ(log.row(500)[col_data], "2.5");
    EXPECT_EQ(log.gethitcount("1.5", "C", ""), 1);
}

TEST(Logger, CommandRepliesAndSilenceAreNeverLogged) {
    ReceptionLog log;
    EXPECT_FALSE(log.log_tick(heard("OK", "C"), at(9, 0, 0)));
    EXPECT_FALSE(log.log_tick(heard("NG", "C"), at(9, 0, 0)));
    EXPECT_FALSE(log.log_tick(heard("", "C"), at(9, 0, 0)));
    EXPECT_EQ(log.used_rows(), 0);
}

TEST(Logger, EveryTickOfATransmissionGivesAFileLineAndASecondOfDuration) {
    ReceptionLog log;
    auto d = heard("155.2250", "Dispatch");
    d.signal = 4;
    d.tone = "67.0";
    auto first = log.log_tick(d, at(9, 0, 0));
    auto second = log.log_tick(d, at(9, 0, 1));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, "LOG,155.2250,Dispatch,67.0,,,Oak County,,,1,****,FM,09:00:00,2024-05-01");
    EXPECT_EQ(log.row(1)[col_duration], "2");
    EXPECT_EQ(log.row(1)[col_signal], "****");
}

TEST(Logger, PlaceholderCaptionsAreNotLoggedAsNames) {
    ReceptionLog log;
    auto d = heard("155.2250", "");
    d.channel = {"Channel", true};
    log.log_tick(d, at(9, 0, 0));
    EXPECT_EQ(log.row(1)[col_channel], "");
}

TEST(LogGridFile, RoundTripKeepsEveryCellAndReadsQuotedCommas) {
    TempDir dir;
    ReceptionLog log;
    log.log_tick(heard("155.2250", "Dispatch"), at(9, 0, 0));
    log.reset_transmission();
    log.log_tick(heard("1201", "Police", "55"), at(9, 0, 5));
    ASSERT_TRUE(log.save_grid(dir / "loggrid.ini"));
    auto lines = tarvex::test::read_lines(dir / "loggrid.ini");
    ASSERT_EQ(lines.size(), 500u);
    EXPECT_EQ(lines[499], R"("","","","","","","","","","","","","","","")");

    ReceptionLog back;
    ASSERT_TRUE(back.open_grid(dir / "loggrid.ini"));
    for (int r = 1; r <= 2; ++r) EXPECT_EQ(back.row(r), log.row(r));
    EXPECT_EQ(back.used_rows(), 2);
    EXPECT_EQ(read_quoted_cells(R"("a,b","",c)"), (std::vector<std::string>{"a,b", "", "c"}));
}

TEST(LogGridFile, ShortOrMissingFilesLeaveTheRestEmpty) {
    TempDir dir;
    tarvex::test::write_file(dir / "loggrid.ini", "\"LOG\",\"1.0\"\r\ngarbage\r\n");
    ReceptionLog log;
    EXPECT_TRUE(log.open_grid(dir / "loggrid.ini"));
    EXPECT_EQ(log.row(1)[col_data], "1.0");
    EXPECT_EQ(log.row(2)[col_type], "garbage");
    EXPECT_EQ(log.used_rows(), 2);
    EXPECT_FALSE(log.open_grid(dir / "none.ini"));
}

TEST(SaveLog, TitleHeadingsAndOneLinePerRowEachCellFollowedByAComma) {
    TempDir dir;
    ReceptionLog log;
    log.log_tick(heard("155.2250", "Dispatch"), at(9, 0, 0));
    ASSERT_TRUE(log.save_log(dir / "out.csv", at(12, 30, 0)));
    auto lines = tarvex::test::read_lines(dir / "out.csv");
    ASSERT_EQ(lines.size(), 502u);
    EXPECT_EQ(lines[0], "TARVEX software,Norvane,The Netherlands,12:30:00,2024-05-01");
    EXPECT_EQ(lines[1],
              "TYPE,DATA,CHANNEL TAG,SUBTONE,NAC,UID,SYSTEM,DEPARTMENT,DATABASE,HITCOUNT,SIGNAL,"
              "MODE,TIME,DATE,N/A");
    EXPECT_EQ(lines[2], "LOG,155.2250,Dispatch,,,,Oak County,,,1,**,FM,09:00:00,2024-05-01,1,");
    EXPECT_EQ(lines[3], std::string(15, ','));
    EXPECT_FALSE(log.save_log(dir / "no" / "such" / "folder.csv", at(12, 30, 0)));
}

TEST(AppendFile, TitleLineThenAppendedLinesAndALockedFileIsReported) {
    TempDir dir;
    RecordingPrompter prompter;
    LogFile file;
    ASSERT_TRUE(file.open(dir / "log.csv", at(8, 0, 0), prompter));
    file.append("LOG,1.0");
    file.close();
    ASSERT_TRUE(file.open(dir / "log.csv", at(9, 0, 0), prompter));
    file.close();
    EXPECT_EQ(
        tarvex::test::read_lines(dir / "log.csv"),
        (std::vector<std::string>{"TARVEX,Norvane,The Netherlands,08:00:00,2024-05-01", "LOG,1.0",
                                  "TARVEX,Norvane,The Netherlands,09:00:00,2024-05-01"}));
    // A folder stands in for a file another program holds: it cannot be opened for appending.
    EXPECT_FALSE(file.open(dir.path(), at(9, 0, 0), prompter));
    ASSERT_EQ(prompter.told.size(), 1u);
    EXPECT_EQ(prompter.told[0], k_log_file_locked);
    file.append("lost");
    EXPECT_FALSE(file.is_open());
}

TEST(RawLog, DistinctLinesGoToHourlyFilesNamedByDayNumber) {
    EXPECT_EQ(raw_log_name(true, at(11, 0, 0)), "tvx_log_c_45413_11.txt");
    EXPECT_EQ(raw_log_name(false, at(13, 0, 0)), "tvx_log45414_13.txt") << "after noon rounds up";
    TempDir dir;
    RawLog raw;
    raw.set_folder(dir.path());
    raw.write("RMT,STATUS,155.2250\r", true, at(11, 0, 0));
    raw.write("RMT,STATUS,155.2250\r", true, at(11, 0, 1));
    raw.write("", true, at(11, 0, 2));
    raw.write("RMT,STATUS,155.2400\r", true, at(11, 0, 3));
    EXPECT_EQ(tarvex::test::read_lines(dir / "tvx_log_c_45413_11.txt"),
              (std::vector<std::string>{"RMT,STATUS,155.2250", "RMT,STATUS,155.2400"}));
}

TEST(ColumnWidths, StoredWidthsOutsideTheRangeAreReplaced) {
    EXPECT_EQ(log_column_width(1, "1200"), 1200);
    EXPECT_EQ(log_column_width(3, "5"), 1000);
    EXPECT_EQ(log_column_width(14, ""), 500);
    EXPECT_EQ(log_column_width(2, "25000"), 10000);
    EXPECT_EQ(log_column_default(10), "650");
}
