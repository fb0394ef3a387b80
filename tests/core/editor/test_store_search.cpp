// Find in Database over what the editor holds: the store's names and site frequencies and
// every row of the group files.
#include <gtest/gtest.h>

#include "core/editor/store_search.h"
#include "core/hpd/hpd_fixture.h"
#include "core/model/store_keys.h"

namespace tarvex::test {
namespace {

// A conventional county (one channel at a whole megahertz) and a trunked city with a site.
void read_two_systems(Db& db) {
    std::vector<std::string> lines;
    for (const char* l : {
             "Conventional|CountyId=1|StateId=1|Anderson County|Off||Conventional",
             "C-Group|CGroupId=1|CountyId=1|Fire|Off|||",
             "C-Freq|||Fire Dispatch|Off|154430000|NFM|TONE=C179.9|3",
             "C-Freq|||Sheriff Primary|Off|154755000|NFM||2",
             "C-Freq|||Business 463|Off|463000000|NFM||2",
             "C-Group|CGroupId=2|CountyId=1|Sheriff|Off|||",
             "C-Freq|||Ca\xF1on Repeater|Off|155475000|FM||2",
             "Trunk|TrunkId=9||Metro Sheriff|Off||Motorola",
             "Site|SiteId=1|TrunkId=9|Downtown|Off|1.0|-1.0|5.0|AUTO|Standard|Wide",
             "T-Freq|TFreqId=0|SiteId=1||Off|851012500|1|Srch",
             "T-Group|TGroupId=2|TrunkId=9|Police|Off|1.0|-1.0|2.0",
             "TGID|||Sheriff Ops|Off|1234|ALL|2",
             "TGID|||Channel 463|Off|463|ALL|2",
         })
        lines.push_back(tabs(l));
    db.read_text(lines);
}

// "kind:system_position/group/row name=value" per hit.
std::string described(const StoreSearchResult& r) {
    static const char* kinds[] = {"system", "site", "sitefreq", "group", "channel", "talkgroup"};
    std::string out;
    for (const auto& h : r.hits) {
        if (!out.empty()) out += " | ";
        out += std::string(kinds[static_cast<int>(h.kind)]) + ":" +
               std::to_string(h.system_position) + "/" + h.group_name + "/" +
               std::to_string(h.row) + " " + h.name + "=" + h.value;
    }
    return out;
}

struct Case {
    const char* text;
    const char* expected;
};

class FindInStore : public ::testing::TestWithParam<Case> {};

TEST_P(FindInStore, FindsWhatTheTextMeans) {
    Db db;
    read_two_systems(db);
    EXPECT_EQ(described(find_in_store(db.store, db.files, GetParam().text)), GetParam().expected)
        << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FindInStore,
    ::testing::Values(
        // Frequencies as typed: any number of decimals is one frequency.
        Case{"154.43", "channel:1/Fire/1 Fire Dispatch=154.43"},
        Case{"154.4300", "channel:1/Fire/1 Fire Dispatch=154.43"},
        Case{" 0154.430000 ", "channel:1/Fire/1 Fire Dispatch=154.43"}, Case{"154.4", ""},
        Case{"154.4300001", ""},
        // Site frequencies of trunked systems.
        Case{"851.0125", "sitefreq:2//0 Downtown=851.0125"},
        // A whole number: talkgroups by number, and conventional channels at whole megahertz
        // (a talkgroup "463" is no channel, the channel "463" no talkgroup).
        Case{"1234", "talkgroup:2/Police/1 Sheriff Ops=1234"},
        Case{"01234", "talkgroup:2/Police/1 Sheriff Ops=1234"},
        Case{"463", "channel:1/Fire/3 Business 463=463 | talkgroup:2/Police/2 Channel 463=463"},
        // Names: systems, sites, groups and alpha tags, case not mattering.
        Case{"sheriff",
             "channel:1/Fire/2 Sheriff Primary=154.755 | group:1/Sheriff/0 = | "
             "system:2//0 = | talkgroup:2/Police/1 Sheriff Ops=1234"},
        Case{"DOWNTOWN", "site:2//0 Downtown="},
        Case{"CA\xD1ON", "channel:1/Sheriff/1 Ca\xF1on Repeater=155.475"},
        // Quotes make a number a name.
        Case{"\"463\"", "channel:1/Fire/3 Business 463=463 | talkgroup:2/Police/2 Channel 463=463"},
        Case{"", ""}, Case{"  ", ""}, Case{"\"\"", ""}, Case{"nowhere", ""}));

TEST(FindInStoreLimits, StopsAtTheLimitAndSaysSo) {
    Db db;
    read_two_systems(db);
    auto all = find_in_store(db.store, db.files, "e");
    ASSERT_GT(all.hits.size(), 3u);
    EXPECT_FALSE(all.truncated);
    auto some = find_in_store(db.store, db.files, "e", 3);
    EXPECT_EQ(some.hits.size(), 3u);
    EXPECT_TRUE(some.truncated);
    EXPECT_EQ(store_search_summary(some, "e"), "3 hits in 1 system (first 3 shown)");
    EXPECT_EQ(store_search_summary(find_in_store(db.store, db.files, "1234"), "1234"),
              "1 hit in 1 system");
    EXPECT_EQ(store_search_summary(find_in_store(db.store, db.files, "zz"), " zz "),
              "Nothing found for \"zz\"");
}

TEST(FindInStoreLimits, HitsCarryTheStoreIndexesThatOpenThem) {
    Db db;
    read_two_systems(db);
    auto r = find_in_store(db.store, db.files, "Sheriff Ops");
    ASSERT_EQ(r.hits.size(), 1u);
    const StoreHit& h = r.hits[0];
    EXPECT_EQ(
        db.store.get_node_text(keys::group(h.system, h.group)).find("Police") != std::string::npos,
        true);
    EXPECT_EQ(h.row, 1);
    EXPECT_EQ(h.system_name, "Metro Sheriff");
}

TEST(FindInStoreLimits, AnEditedRowIsFoundAsTyped) {
    // The grid writes what the user typed: "155.07" and "463" are channels all the same, and a
    // row without a value or with a word in it is passed over.
    Db db;
    read_two_systems(db);
    auto fire = find_in_store(db.store, db.files, "Fire Dispatch").hits.at(0);
    ASSERT_TRUE(db.files.write_lines(
        fire.system, fire.group,
        {"1,155.07,Typed,Off", "2,,Empty,Off", "4,abc,Word,Off", "7,460,Whole,Off"}));
    EXPECT_EQ(described(find_in_store(db.store, db.files, "155.0700")),
              "channel:1/Fire/1 Typed=155.07");
    EXPECT_EQ(described(find_in_store(db.store, db.files, "460.")), "channel:1/Fire/7 Whole=460");
    EXPECT_EQ(described(find_in_store(db.store, db.files, "emp")), "channel:1/Fire/2 Empty=");
}

}  // namespace
}  // namespace tarvex::test
