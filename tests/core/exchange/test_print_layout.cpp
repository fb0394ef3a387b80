// The printed page as text: heading, aligned columns, page breaks between rows only.
#include <gtest/gtest.h>

#include "core/base/text.h"
#include "core/exchange/print_layout.h"

using namespace tarvex;
using grid::GridKind;

namespace {

print::Section section(int rows, GridKind kind = GridKind::Channel) {
    print::Section s;
    s.system_name = "Harbor County";
    s.quick_key = "3";
    s.system_type = "P25 Standard";
    s.group_number = "2";
    s.group_name = "Fire";
    s.file_name = "harbor.hpd";
    s.kind = kind;
    grid::setup_grid(s.grid, kind, rows + 2);
    for (int r = 1; r <= rows; ++r) {
        s.grid.at(r, 1) = kind == GridKind::Channel ? "155.0700" : std::to_string(100 + r);
        s.grid.at(r, 2) = "Row " + std::to_string(r);
    }
    return s;
}

}  // namespace

TEST(PrintLayout, HeadingNamesSystemGroupAndFile) {
    auto h = print::heading(section(1), "Tarvex");
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[0], "Velk Radio Control Tarvex - System: Harbor County QK:3");
    EXPECT_EQ(h[1], "Group#: 2   Groupname: Fire");
    EXPECT_EQ(h[2], "Filename: harbor.hpd");
    auto t = print::heading(section(1, GridKind::Talkgroup), "Tarvex");
    EXPECT_EQ(t[1], "Group#: 2   Groupname: Fire   Type: P25 Standard");
}

TEST(PrintLayout, ColumnsLineUpAndOnlyVisibleColumnsPrint) {
    print::Section s = section(12);
    s.columns = {0, 1, 2};
    print::Body b = print::body(s);
    EXPECT_EQ(b.titles, " #  Frequency  Alpha Tag");
    EXPECT_EQ(b.rule, "--  ---------  ---------");
    ASSERT_EQ(b.rows.size(), 12u);
    EXPECT_EQ(b.rows[0], " 1  155.0700   Row 1");
    EXPECT_EQ(b.rows[11], "12  155.0700   Row 12");
    // Very long cells are cut at the widest column, not wrapped into the next row.
    s.grid.at(1, 2) = std::string(200, 'x');
    EXPECT_EQ(print::body(s).rows[0].size(), 2 + 2 + 9 + 2 + print::k_max_column_width);
}

TEST(PrintLayout, PagesBreakBetweenRowsAndRepeatTheHeading) {
    print::Section s = section(25);
    // Heading (3), blank, titles, rule: 6 fixed lines, so 10 rows a page.
    auto pages = print::paginate(s, 16, "Tarvex");
    ASSERT_EQ(pages.size(), 3u);
    std::vector<std::string> rows;
    for (const auto& p : pages) {
        EXPECT_TRUE(starts_with(p.lines[0], "Velk Radio Control Tarvex - System: Harbor County"));
        EXPECT_LE(p.lines.size(), 16u);
        EXPECT_TRUE(starts_with(p.lines[4], " #"));
        rows.insert(rows.end(), p.lines.begin() + 6, p.lines.end());
    }
    ASSERT_EQ(rows.size(), 25u);
    for (int i = 0; i < 25; ++i)
        EXPECT_TRUE(rows[i].ends_with("Row " + std::to_string(i + 1))) << rows[i];
    // A page too small for the heading still carries one row per page.
    EXPECT_EQ(print::paginate(s, 2, "Tarvex").size(), 25u);
    // An empty group prints its heading and titles on one page.
    auto empty = print::paginate(section(0), 60, "Tarvex");
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].lines.size(), 6u);
}

TEST(PrintLayout, PrinterErrorText) {
    EXPECT_EQ(print::error_text("Fire", 482), "Problem in printerroutine bank: Fire Err = 482");
}
