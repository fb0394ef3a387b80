// What the import window shows of a system line, and how it reports an import.
#include <gtest/gtest.h>

#include "core/masterdb/line_store.h"

namespace tarvex::test {
namespace {

struct NameCase {
    const char* stored;
    const char* name;
};

class SystemName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SystemName, IsTheFourthFieldWithItsCommasBack) {
    EXPECT_EQ(system_name_of(GetParam().stored), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SystemName,
    ::testing::Values(
        NameCase{"Conventional,CountyId=183,StateId=6,Alameda,Off,,Conventional", "Alameda"},
        NameCase{"Trunk,TrunkId=9,,Metro; Harris County,Off,,Motorola", "Metro, Harris County"},
        NameCase{"Conventional,CountyId=1,StateId=6, Padded ,Off", "Padded"},
        NameCase{"Conventional,CountyId=1,StateId=6,Last", "Last"},
        NameCase{"Conventional,CountyId=1", ""}, NameCase{"", ""}));

TEST(ImportWindowText, TheFilterLooksAtNameTypeAndFirstGroup) {
    SystemRow row;
    row.kind = "Trunk";
    row.first_group = "Sheriff's Office";
    for (const char* shown : {"", "  ", "harris", "HARRIS", "trunk", "office", "\"quoted\"x"})
        EXPECT_EQ(row_matches_filter(row, "Harris County", shown),
                  std::string_view(shown) != "\"quoted\"x")
            << shown;
    EXPECT_FALSE(row_matches_filter(row, "Harris County", "Dallas"));
}

TEST(ImportWindowText, TheWholeLineReadsAsTheFileHasIt) {
    EXPECT_EQ(line_for_people("Trunk,TrunkId=9,,A; B,Off"), "Trunk | TrunkId=9 |  | A, B | Off");
}

TEST(ImportWindowText, TheReportCountsWhatCameInOverEveryState) {
    ImportCounts c;
    EXPECT_EQ(import_report(c), "Nothing was imported.");
    ReadStats one;
    one.opened = true;
    one.systems_added = 1;
    one.groups = 1;
    one.channels = 1;
    c.add(one);
    EXPECT_EQ(import_report(c), "Imported 1 system, 1 group and 1 channel.");
    ReadStats trunk = one;
    trunk.groups = 3;
    trunk.channels = 0;
    trunk.talkgroups = 40;
    c.add(trunk);
    ReadStats failed = one;
    failed.opened = false;  // a state file that could not be read adds nothing
    c.add(failed);
    EXPECT_EQ(import_report(c), "Imported 2 systems, 4 groups, 1 channel and 40 talkgroups.");
}

}  // namespace
}  // namespace tarvex::test
