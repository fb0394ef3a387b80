// The duplicate finder and remover, on stores read from small HPD files.
#include <gtest/gtest.h>

#include "core/editor/duplicates.h"
#include "core/hpd/hpd_fixture.h"

namespace tarvex::test {
namespace {

std::vector<std::string> conventional(const std::string& name,
                                      const std::vector<std::string>& channels) {
    std::vector<std::string> out = {
        tabs("Conventional|CountyId=1|StateId=1|" + name + "|Off||Conventional"),
        tabs("C-Group|CGroupId=1|CountyId=1|Dispatch|Off|||")};
    for (const auto& c : channels) out.push_back(tabs(c));
    return out;
}

// The store indexes of the first group of the first system.
std::pair<int, int> first_group(const Db& db) {
    auto g = groups_in_store_order(db.store).front();
    return {g.system, g.group};
}

std::string places(const std::vector<Duplicate>& dupes) {
    std::string out;
    for (const auto& d : dupes)
        out += std::to_string(d.at.system_position) + "/" + std::to_string(d.at.group_position) +
               "/" + std::to_string(d.at.row) + "<" + std::to_string(d.first.system_position) +
               "/" + std::to_string(d.first.group_position) + "/" + std::to_string(d.first.row) +
               " ";
    return out;
}

TEST(Duplicates, SameFrequencyAndSquelchIsADuplicateADifferentToneIsNot) {
    Db db;
    db.read_text(conventional("County", {
                                            "C-Freq|||Main|Off|155070000|FM|TONE=C100.0|2",
                                            "C-Freq|||Main again|Off|155070000|FM|TONE=C100.0|2",
                                            "C-Freq|||Other PL|Off|155070000|FM|TONE=C123.0|2",
                                            "C-Freq|||No tone|Off|155070000|FM||2",
                                            "C-Freq|||Elsewhere|Off|155085000|FM|TONE=C100.0|2",
                                        }));
    auto dupes = find_duplicates(db.store, db.files);
    ASSERT_EQ(dupes.size(), 1u) << places(dupes);
    EXPECT_EQ(places(dupes), "1/1/2<1/1/1 ");
    EXPECT_EQ(dupes[0].value, "155.07");
    EXPECT_EQ(dupes[0].tag, "Main again");
}

TEST(Duplicates, SpellingsOfOneFrequencyAreTheSameChannel) {
    Db db;
    db.read_text(conventional(
        "County", {"C-Freq|||A|Off|155070000|FM||2", "C-Freq|||B|Off|155070000|FM||2"}));
    // The grid may hold what a user typed: "155.07" is the same channel as "155.0700".
    auto [s, g] = first_group(db);
    auto rows = db.rows(s, g);
    ASSERT_EQ(rows.size(), 2u);
    rows[0] = replace_all(rows[0], ",155.07,", ",155.0700,");
    ASSERT_NE(rows[0].find(",155.0700,"), std::string::npos);
    db.files.write_lines(s, g, rows);
    EXPECT_EQ(find_duplicates(db.store, db.files).size(), 1u);
}

TEST(Duplicates, WithinOneSystemByDefaultAcrossSystemsOnRequest) {
    Db db;
    auto a = conventional("City", {"C-Freq|||Fire|Off|154430000|FM||2"});
    auto b = conventional("County", {"C-Freq|||Fire too|Off|154430000|FM||2",
                                     "C-Freq|||Fire twice|Off|154430000|FM||2"});
    a.insert(a.end(), b.begin(), b.end());
    db.read_text(a);
    EXPECT_EQ(places(find_duplicates(db.store, db.files)), "2/1/2<2/1/1 ");
    EXPECT_EQ(places(find_duplicates(db.store, db.files, true)), "2/1/1<1/1/1 2/1/2<1/1/1 ");
}

TEST(Duplicates, TalkgroupsCompareByValueAndNeverMeetChannels) {
    Db db;
    auto lines = conventional("City", {"C-Freq|||Ch|Off|851012500|FM||2"});
    for (const char* l :
         {"Trunk|TrunkId=9||Metro|Off||Motorola",
          "Site|SiteId=1|TrunkId=9|S|Off|1.0|-1.0|5.0|AUTO|Standard|Wide",
          "T-Group|TGroupId=2|TrunkId=9|Police|Off|1.0|-1.0|2.0", "TGID|||Ops|Off|1234|ALL|2",
          "TGID|||Other|Off|851|ALL|2", "T-Group|TGroupId=3|TrunkId=9|Fire|Off|1.0|-1.0|2.0",
          "TGID|||Ops copy|Off|1234|ALL|2"})
        lines.push_back(tabs(l));
    db.read_text(lines);
    auto dupes = find_duplicates(db.store, db.files, true);
    ASSERT_EQ(dupes.size(), 1u);
    EXPECT_TRUE(dupes[0].talkgroup);
    EXPECT_EQ(places(dupes), "2/2/1<2/1/1 ");
    EXPECT_EQ(dupes[0].value, "1234");
}

TEST(Duplicates, RemovalKeepsTheRowNumbersOfTheRowsLeft) {
    Db db;
    db.read_text(
        conventional("County", {"C-Freq|||A|Off|155070000|FM||2", "C-Freq|||B|Off|155070000|FM||2",
                                "C-Freq|||C|Off|155085000|FM||2", "C-Freq|||D|Off|155070000|FM||2",
                                "C-Freq|||E|Off|155100000|FM||2"}));
    auto dupes = find_duplicates(db.store, db.files);
    ASSERT_EQ(dupes.size(), 2u);
    std::vector<RowPlace> rows;
    for (const auto& d : dupes) rows.push_back(d.at);
    RowRemoval r = remove_rows(db.files, rows);
    EXPECT_EQ(r.removed, 2);
    auto [s, g] = first_group(db);
    EXPECT_EQ(r.systems, std::set<int>{s});
    std::vector<std::string> left;
    for (const auto& l : db.rows(s, g)) left.push_back(l.substr(0, l.find(',', 2)));
    EXPECT_EQ(left, (std::vector<std::string>{"1,155.07", "3,155.085", "5,155.1"}));
    EXPECT_TRUE(find_duplicates(db.store, db.files).empty());
}

}  // namespace
}  // namespace tarvex::test
