// The web page of a grid: its fixed lines, the cells of the tables, escaping and the file.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/base/text.h"
#include "core/exchange/html_export.h"
#include "support/test_support.h"

using namespace tarvex;
using grid::GridKind;

namespace {

TextGrid channel_grid(int rows) {
    TextGrid g;
    grid::setup_grid(g, GridKind::Channel, rows + 2);
    for (int r = 1; r <= rows; ++r) {
        auto row = grid::default_row(GridKind::Channel);
        row[0] = std::to_string(r);
        row[1] = "155.0" + std::to_string(r) + "00";
        row[2] = "Tag " + std::to_string(r);
        g.row(r) = row;
    }
    return g;
}

html::PageSource source_of(const TextGrid& g, GridKind kind = GridKind::Channel) {
    html::PageSource s;
    s.system_name = "Harbor County";
    s.group_name = "Fire & <EMS>";
    s.file_name = "C:\\scanner\\harbor.hpd";
    s.date = "2026-12-06";
    s.kind = kind;
    s.grid = &g;
    return s;
}

long count_starting(const std::vector<std::string>& lines, std::string_view start) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return starts_with(l, start); });
}

}  // namespace

TEST(HtmlPage, FixedLinesInTheirOrder) {
    TextGrid g = channel_grid(2);
    auto lines = html::page_lines(source_of(g));
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "<html>");
    EXPECT_EQ(lines[1], "<head>");
    EXPECT_EQ(lines[2], "<title>Harbor County - Fire &amp; &lt;EMS&gt;</title>");
    EXPECT_EQ(lines[3], "</head>");
    EXPECT_EQ(lines[4], "<body bgcolor=\"#FFFFFF\">");
    EXPECT_EQ(lines[5], "<font face=\"Arial,Helvetica\" size=\"12\">");
    EXPECT_EQ(lines[6], "<b>System:Harbor County</b>");
    EXPECT_EQ(lines[7], "<b>Group:Fire &amp; &lt;EMS&gt;</b>");
    EXPECT_EQ(lines[8], "</font>");
    EXPECT_EQ(lines[9], "<br><br>");
    EXPECT_EQ(lines[10], "<!-- HEADER -->");
    auto has = [&](const std::string& l) {
        return std::find(lines.begin(), lines.end(), l) != lines.end();
    };
    EXPECT_TRUE(has("<td><font size=\"2\" face=\"Arial,Helvetica\"><b>Filename:</b></font></td>"));
    EXPECT_TRUE(
        has("<td><font size=\"2\" face=\"Arial,Helvetica\">&nbsp;C:\\scanner\\harbor.hpd"
            "</font></td>"));
    EXPECT_TRUE(has("<td><font size=\"2\" face=\"Arial,Helvetica\">&nbsp;2026-12-06</font></td>"));
    EXPECT_TRUE(has("<!-- Grid header -->"));
    EXPECT_TRUE(has("<table border=\"0\" cellspacing=\"2\" cellpadding=\"2\">"));
    EXPECT_TRUE(has("<!-- Data -->"));
    EXPECT_EQ(lines[lines.size() - 4], "<hr>");
    EXPECT_NE(lines[lines.size() - 3].find("Tarvex"), std::string::npos);
    EXPECT_EQ(lines[lines.size() - 2], "</body>");
    EXPECT_EQ(lines.back(), "</html>");
}

TEST(HtmlPage, ChannelRowsCarryMegahertzTalkgroupRowsDoNot) {
    TextGrid g = channel_grid(3);
    auto lines = html::page_lines(source_of(g));
    EXPECT_EQ(count_starting(lines, "<tr bgcolor=\"#EEEEFF\">"), 3);
    // "#" plus the twelve columns of the channel grid.
    EXPECT_EQ(count_starting(lines, "<th nowrap"), 13);
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "<td nowrap align=\"Right\"><font size=\"2\" face=\"Arial,Helvetica\" "
                         "color=\"#000000\">155.0200&nbsp;MHz</font></td>"),
              1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "<th nowrap bgcolor=\"#404070\"><font size=\"2\" face=\"Arial,Helvetica\" "
                         "color=\"#FFFFFF\"><b>Alpha Tag</b>&nbsp;</font></th>"),
              1);

    TextGrid t;
    grid::setup_grid(t, GridKind::Talkgroup);
    t.at(1, 1) = "1200";
    t.at(1, 2) = "Dispatch";
    auto tg = html::page_lines(source_of(t, GridKind::Talkgroup));
    EXPECT_EQ(count_starting(tg, "<th nowrap"), 10);
    for (const auto& l : tg) EXPECT_EQ(l.find("MHz"), std::string::npos) << l;
}

TEST(HtmlPage, ColumnsBeyondTheTwelfthAndEmptyGroups) {
    TextGrid wide = channel_grid(1);
    wide.resize(wide.rows(), 16);  // other models' layouts carry more columns
    wide.at(0, 13) = "Extra";
    wide.at(1, 13) = "beyond";
    auto lines = html::page_lines(source_of(wide));
    EXPECT_EQ(count_starting(lines, "<th nowrap"), 13);
    for (const auto& l : lines) EXPECT_EQ(l.find("beyond"), std::string::npos);

    TextGrid empty;
    grid::setup_grid(empty, GridKind::Channel);
    auto none = html::page_lines(source_of(empty));
    EXPECT_EQ(count_starting(none, "<tr bgcolor"), 0);
    EXPECT_EQ(count_starting(none, "<th nowrap"), 13);
}

TEST(HtmlPage, EscapingKeepsWhatWasTypedAndTheFileStaysAscii) {
    EXPECT_EQ(html::escape("A&B <c> \"d\" 'e'"), "A&amp;B &lt;c&gt; &quot;d&quot; &#39;e&#39;");
    // Windows-1252: 0x80 is the euro sign, 0xE9 e-acute; 0x81 has no character.
    EXPECT_EQ(html::escape("\x80\xe9\x81"), "&#8364;&#233;");
    EXPECT_EQ(html::escape("a\x01"
                           "b"),
              "ab");
}

TEST(HtmlPage, ProposedNamesAndTheWrittenFile) {
    EXPECT_EQ(html::proposed_name("Fire/EMS", GridKind::Channel), "Fire_EMS_frequencies.html");
    EXPECT_EQ(html::proposed_name(" ", GridKind::Talkgroup), "group_talkgroups.html");
    test::TempDir dir;
    TextGrid g = channel_grid(1);
    ASSERT_TRUE(html::export_grid_html(dir / "page.html", source_of(g)));
    std::string bytes = test::read_file(dir / "page.html");
    EXPECT_TRUE(starts_with(bytes, "<html>\r\n<head>\r\n"));
    // A folder that does not exist: false with the reason, and nothing left behind.
    std::string error;
    EXPECT_FALSE(html::export_grid_html(dir / "no" / "page.html", source_of(g), &error));
    EXPECT_FALSE(error.empty());
}
