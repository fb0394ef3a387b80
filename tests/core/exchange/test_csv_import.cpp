// The CSV mapper's loading rules, filters, assignment, cell operations and both ways out.
#include <gtest/gtest.h>

#include <random>

#include "core/base/text.h"
#include "core/editor/grid_ops.h"
#include "core/exchange/csv_import.h"
#include "core/exchange/send_to_grid.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::csv;

namespace {

std::vector<std::string> row_of(const TextGrid& t, int r) {
    return t.row(r);
}

std::vector<std::string> lines_of(std::string_view bytes) {
    bool too_large = false;
    return split_lines(bytes, too_large);
}

}  // namespace

TEST(CsvLoading, LineEndsAndDroppedCharactersNeverMakeEmptyRows) {
    // CR LF, lone CR, lone LF and blank lines between them: one row per line of text.
    EXPECT_EQ(lines_of("a,b\r\nc,d\r\n\r\n\ne\rf\n"),
              (std::vector<std::string>{"a,b", "c,d", "e", "f"}));
    // TAB, other control characters and bytes from 128 up go; CR/LF stay line ends. A line of
    // nothing but dropped characters is no line.
    EXPECT_EQ(lines_of("155.07\t,Fire\x01\x1d\r\n\t\x05\r\nCaf\xc3\xa9,x\x7f\n"),
              (std::vector<std::string>{"155.07,Fire", "Caf,x\x7f"}));
    // UTF-8: a byte-order mark and the bytes of accented letters go, the lines stay.
    EXPECT_EQ(lines_of("\xef\xbb\xbf"
                       "Caf\xc3\xa9,155.07\r\n\xc3\xa9\r\nx"),
              (std::vector<std::string>{"Caf,155.07", "x"}));
    // Characters 10..13 keep their meaning or stay: 11 and 12 are ordinary characters here.
    EXPECT_EQ(lines_of("a\x0b\x0c"), (std::vector<std::string>{"a\x0b\x0c"}));
    // No line end after the last line still stores it.
    EXPECT_EQ(lines_of("last"), (std::vector<std::string>{"last"}));
}

TEST(CsvLoading, TheLineAfterTheLimitStopsTheImportAndIsNotLoaded) {
    std::string bytes;
    for (int i = 1; i <= k_max_lines + 1; ++i) bytes += "155." + std::to_string(i) + ",x\r\n";
    LoadResult r = load_csv(bytes);
    EXPECT_TRUE(r.too_large);
    EXPECT_EQ(r.lines_read, k_max_lines);
    ASSERT_EQ(r.table.rows(), k_max_lines + 1);
    EXPECT_EQ(r.table.at(k_max_lines, 0), "155." + std::to_string(k_max_lines));

    // Exactly the limit, even followed by blank lines, is no reason to complain.
    std::string exact;
    for (int i = 1; i <= k_max_lines; ++i) exact += "x\n";
    exact += "\r\n\r\n";
    EXPECT_FALSE(load_csv(exact).too_large);
}

TEST(CsvLoading, NumbersOnlyCopyKeepsDigitsCommasAndPoints) {
    EXPECT_EQ(numbers_only("155.0700,Fire-1/A,+CTCSS 100.0"), "155.0700,     1  ,       100.0");
    EXPECT_EQ(numbers_only("\x7f~:9"), "   9");
}

struct FilterCase {
    const char* name;
    LineFilters filters;
    const char* line;
    bool taken;
};

class CsvFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(CsvFilter, TakesOrDropsTheLine) {
    const auto& c = GetParam();
    EXPECT_EQ(passes(c.line, c.filters), c.taken) << c.line;
}

LineFilters with(void (*set)(LineFilters&)) {
    LineFilters f;
    set(f);
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    EachTickBox, CsvFilter,
    testing::Values(
        FilterCase{"nothing_ticked", {}, "junk", true},
        FilterCase{"frequency_present", with([](LineFilters& f) { f.must_frequency = true; }),
                   "Fire Dispatch 154.4300 FM", true},
        FilterCase{"frequency_whole_number_only",
                   with([](LineFilters& f) { f.must_frequency = true; }), "Channel 16 of 40",
                   false},
        FilterCase{"frequency_point_without_digits_after",
                   with([](LineFilters& f) { f.must_frequency = true; }), "Version 2. only", false},
        FilterCase{"comma", with([](LineFilters& f) { f.must_comma = true; }), "a;b", false},
        FilterCase{"comma_present", with([](LineFilters& f) { f.must_comma = true; }), "a,b", true},
        FilterCase{"dash_missing_in_channel_line", with([](LineFilters& f) { f.must_dash = true; }),
                   "155.0700,FM,Fire Dispatch", false},
        FilterCase{"dash_present", with([](LineFilters& f) { f.must_dash = true; }),
                   "155.0700,FM,Fire-Dispatch", true},
        FilterCase{"three_digits_split_by_point", with([](LineFilters& f) { f.min_digits = 3; }),
                   "1.55 12", false},
        FilterCase{"three_digits_run", with([](LineFilters& f) { f.min_digits = 3; }), "Tac 155",
                   true},
        FilterCase{"four_digits", with([](LineFilters& f) { f.min_digits = 4; }), "Tac 155", false},
        FilterCase{"contains_case_insensitive",
                   with([](LineFilters& f) { f.must_contain = "police"; }), "x,POLICE,y", true},
        FilterCase{"contains_missing", with([](LineFilters& f) { f.must_contain = "fire"; }),
                   "x,POLICE,y", false},
        FilterCase{"divisible_by_16", with([](LineFilters& f) { f.must_divisible_16 = true; }),
                   "48,Fire TG", true},
        FilterCase{"not_divisible_by_16", with([](LineFilters& f) { f.must_divisible_16 = true; }),
                   "49,Fire TG", false},
        FilterCase{"frequency_is_no_talkgroup",
                   with([](LineFilters& f) { f.must_divisible_16 = true; }), "160.000,Rail", false},
        FilterCase{"zero_is_no_talkgroup", with([](LineFilters& f) { f.must_divisible_16 = true; }),
                   "0,Unused", false},
        FilterCase{"all_ticked_all_met", with([](LineFilters& f) {
                       f.must_frequency = f.must_comma = f.must_dash = true;
                       f.min_digits = 2;
                   }),
                   "155.07,Fire-1", true}),
    [](const testing::TestParamInfo<FilterCase>& i) { return std::string(i.param.name); });

TEST(CsvLoading, ModeAndSwitchWordsAreNormalisedExactCaseOnly) {
    EXPECT_EQ(normalise("155.07,fm,ON,OFF"), "155.07,FM,On,Off");
    EXPECT_EQ(normalise("1,am,x,wfm,y"), "1,AM,x,WFM,y");
    // A field that merely begins with ON is touched too; lower-case words stay.
    EXPECT_EQ(normalise("1,ONLINE,on,off"), "1,OnLINE,on,off");
    // Only after a comma: the first field is never normalised.
    EXPECT_EQ(normalise("fm,ON"), "fm,On");
}

TEST(CsvLoading, AFilteredLoadBuildsTheTableAndAssignsColumns) {
    LineFilters f;
    f.must_comma = true;
    LoadResult r = load_csv(
        "Frequency,Name,Tone\r\n155.0700,Fire,100.0\r\njunk line\r\n460.125,Police,fm,extra\r\n",
        f);
    EXPECT_EQ(r.lines_read, 4);
    EXPECT_EQ(r.lines_taken, 3);
    ASSERT_EQ(r.table.rows(), 4);
    ASSERT_EQ(r.table.cols(), 4);  // the widest line decides
    EXPECT_EQ(row_of(r.table, 0),
              (std::vector<std::string>{"Frequency (MHz)", "Mode", "Subtone", "Unknown"}));
    EXPECT_EQ(row_of(r.table, 3), (std::vector<std::string>{"460.125", "Police", "FM", "extra"}));
    EXPECT_EQ(row_of(r.table, 1)[3], "");
}

TEST(CsvAssignment, SubstringsOfTheFirstTwentyRowsDecide) {
    TextGrid t = empty_table(6);
    t.resize(23, 6);
    t.at(1, 0) = "RX freq";
    t.at(2, 1) = "Video";  // "ID" inside
    t.at(3, 2) = "DPL";
    t.at(1, 3) = "";
    t.at(4, 3) = "att";
    t.at(5, 4) = "TS";
    t.at(21, 5) = "SKIP";  // row 21 is beyond the look
    auto_assign(t);
    EXPECT_EQ(row_of(t, 0), (std::vector<std::string>{"Frequency (MHz)", "Trunk ID", "Subtone",
                                                      "Attenuator On/Off", "Step", "Unknown"}));
    // The keyword order decides inside one cell: "PL" comes before "AM" ("PLAMFM").
    TextGrid u = empty_table(1);
    u.resize(2, 1);
    u.at(1, 0) = "plamfm";
    auto_assign(u);
    EXPECT_EQ(u.at(0, 0), "Subtone");
    // A column without any match keeps what the user chose.
    TextGrid v = empty_table(1);
    v.resize(2, 1);
    v.at(0, 0) = "Tag/Name";
    v.at(1, 0) = "Harbor";
    auto_assign(v);
    EXPECT_EQ(v.at(0, 0), "Tag/Name");
    EXPECT_EQ(assignment_index("Subtone"), 17);
    EXPECT_EQ(assignment_index("subtone"), -1);
}

TEST(CsvCells, OperationsWorkOnTheirScopeOnly) {
    auto table = [] {
        TextGrid t = empty_table(3);
        t.resize(4, 3);
        const char* v[3][3] = {{"fire", "a-b", "x"}, {"police", "a-b", "y"}, {"ems", "a-b", "z"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) t.at(r + 1, c) = v[r][c];
        return t;
    };
    Range sel{2, 0, 3, 0};  // rows 2..3 of column 0
    {
        TextGrid t = table();
        EXPECT_EQ(apply(t, CellOp::Upper, {RowScope::Selected, ColScope::All, 0}, sel), 6);
        EXPECT_EQ(t.at(1, 0), "fire");
        EXPECT_EQ(t.at(2, 0), "POLICE");
        EXPECT_EQ(t.at(3, 2), "Z");
    }
    {
        TextGrid t = table();
        EXPECT_EQ(apply(t, CellOp::Replace, {RowScope::All, ColScope::Single, 1}, sel, "-", " / "),
                  3);
        EXPECT_EQ(t.at(1, 1), "a / b");
        EXPECT_EQ(t.at(1, 0), "fire");
    }
    {
        TextGrid t = table();
        EXPECT_EQ(apply(t, CellOp::Remove, {RowScope::All, ColScope::All, 0}, sel, "-"), 3);
        EXPECT_EQ(t.at(3, 1), "ab");
        // Nothing to remove or replace: nothing happens.
        EXPECT_EQ(apply(t, CellOp::Remove, {RowScope::All, ColScope::All, 0}, sel, ""), 0);
    }
    {
        TextGrid t = table();
        apply(t, CellOp::Upper, {}, sel);
        EXPECT_EQ(apply(t, CellOp::Lower, {RowScope::Selected, ColScope::Single, 0}, sel), 2);
        EXPECT_EQ(t.at(2, 0), "police");
        EXPECT_EQ(t.at(2, 1), "A-B");
    }
}

TEST(CsvCells, AutoSelectFollowsTheShapeOfTheSelection) {
    Scope one_column = auto_scope({2, 3, 9, 3});
    EXPECT_EQ(one_column.rows, RowScope::Selected);
    EXPECT_EQ(one_column.cols, ColScope::Single);
    EXPECT_EQ(one_column.column, 3);
    Scope one_cell = auto_scope({4, 1, 4, 1});
    EXPECT_EQ(one_cell.rows, RowScope::All);
    EXPECT_EQ(one_cell.cols, ColScope::Single);
    Scope block = auto_scope({2, 0, 5, 2});
    EXPECT_EQ(block.rows, RowScope::Selected);
    EXPECT_EQ(block.cols, ColScope::All);
}

TEST(CsvRows, RemovingRowsKeepsTheAssignmentsAndTheOrder) {
    TextGrid t = load_csv("a,1\n,\nb,\n,c\nd,4\n").table;
    ASSERT_EQ(t.rows(), 6);
    EXPECT_EQ(remove_empty_lines(t), 1);
    EXPECT_EQ(remove_without_numbers(t), 2);
    ASSERT_EQ(t.rows(), 3);
    EXPECT_EQ(t.at(1, 0), "a");
    EXPECT_EQ(t.at(2, 0), "d");
    EXPECT_EQ(t.at(0, 1), "Unknown");
    EXPECT_EQ(remove_rows(t, 1, 1), 1);
    EXPECT_EQ(t.at(1, 0), "d");
    add_column(t);
    EXPECT_EQ(t.cols(), 3);
    EXPECT_EQ(t.at(0, 2), "Unknown");
    EXPECT_EQ(t.at(1, 2), "");
}

TEST(CsvCells, FillDownDeleteAndPaste) {
    TextGrid t = load_csv("FM,1\n,2\nAM,3\n").table;
    EXPECT_EQ(fill_down(t, {1, 0, 3, 0}), 2);
    EXPECT_EQ(t.at(3, 0), "FM");
    EXPECT_EQ(delete_cells(t, {2, 0, 3, 1}), 4);
    EXPECT_EQ(t.at(2, 1), "");
    // A pasted block grows the table to the right and down; new columns are "Unknown".
    Range pasted = paste_cells(t, 3, 1, "x\ty\tz\r\nu\r\n");
    EXPECT_EQ(t.cols(), 4);
    EXPECT_EQ(t.rows(), 5);
    EXPECT_EQ(t.at(3, 3), "z");
    EXPECT_EQ(t.at(4, 1), "u");
    EXPECT_EQ(t.at(0, 3), "Unknown");
    EXPECT_EQ(pasted.bottom, 4);
    EXPECT_EQ(pasted.right, 3);
}

TEST(CsvLeaving, SaveAsWritesTheFirstLineAndACommaAfterEveryCell) {
    TextGrid t = load_csv("155.07,Fire\n460.1\n").table;
    EXPECT_EQ(save_text(t),
              "Loomtrace,data,Norvane,The Netherlands\r\n155.07,Fire,\r\n460.1,,\r\n");
    EXPECT_EQ(save_text(empty_table()), "Loomtrace,data,Norvane,The Netherlands\r\n");
    EXPECT_EQ(save_name("/tmp/list"), "/tmp/list.csv");
    EXPECT_EQ(save_name("/tmp/list.txt"), "/tmp/list.txt");
    EXPECT_EQ(save_name("/tmp/my.folder/list"), "/tmp/my.folder/list.csv");
}

TEST(CsvLeaving, ClipboardTextIsWhatTheChannelGridPastesBack) {
    TextGrid t = load_csv("155.07,\"Fire,x\n460.1,Police,\n").table;
    // "\r" ends a line while loading, so put one inside a cell by hand.
    t.at(2, 1) = "Po\rlice";
    std::string text = clipboard_text(t, whole_table(t));
    EXPECT_EQ(text, "155.07\t\"\"\"Fire\"\tx\r\n460.1\tPolice\t\r\n");
    // The grid's own block parser reads the cells back exactly.
    auto back = grid::parse_block(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], (std::vector<std::string>{"155.07", "\"Fire", "x"}));
    EXPECT_EQ(back[1], (std::vector<std::string>{"460.1", "Police", ""}));
}

TEST(CsvFiles, AFileThatCannotBeOpenedLeavesTheTableEmpty) {
    test::TempDir dir;
    LoadResult r;
    EXPECT_FALSE(load_csv_file(dir / "missing.csv", {}, r));
    EXPECT_EQ(r.table.rows(), 1);
    EXPECT_FALSE(load_csv_file(dir.path(), {}, r));  // a folder
    test::write_file(dir / "ok.csv", "1,2\r\n");
    EXPECT_TRUE(load_csv_file(dir / "ok.csv", {}, r));
    EXPECT_EQ(r.table.rows(), 2);
}

TEST(CsvLoading, AnyBytesGiveATableWithoutEmptyRowsOrDroppedCharacters) {
    // Damaged and foreign files (binary, UTF-16, huge lines) must load, never crash, and
    // follow the same rules: no empty rows, no character the rules drop.
    std::mt19937 random(11);
    const std::string alphabet =
        std::string("0123456789.,-/ \t\r\nAaFfMmOoNn\"\x80\xff\x01\x1b", 34);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 3000, '\0');
        for (char& c : bytes)
            c = round % 3 == 0 ? static_cast<char>(random() % 256)
                               : alphabet[random() % alphabet.size()];
        bool too_large = false;
        for (const auto& line : split_lines(bytes, too_large)) {
            ASSERT_FALSE(line.empty()) << "round " << round;
            for (char c : line) {
                auto u = static_cast<unsigned char>(c);
                ASSERT_FALSE(u <= 10 || u == 13 || (u >= 14 && u <= 29) || u >= 128) << int(u);
            }
        }
        LoadResult r = load_csv(bytes);
        ASSERT_EQ(r.table.rows(), r.lines_taken + 1);
        // Whatever loaded can be saved, copied and offered to the grid.
        EXPECT_FALSE(save_text(r.table).empty());
        (void)clipboard_text(r.table, whole_table(r.table));
        r.table.at(0, 0) = "Frequency (MHz)";
        (void)to_channel_rows(r.table);
    }
}
