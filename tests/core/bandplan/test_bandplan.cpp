#include "core/bandplan/bandplan.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tarvex::bandplan;

namespace {

Plan plan_of(std::vector<Row> rows) {
    Plan p;
    for (size_t i = 0; i < rows.size(); ++i) p[i] = rows[i];
    return p;
}

std::vector<std::string> rows_of(const Plan& p) {
    std::vector<std::string> out;
    for (const auto& r : p) out.push_back(format_row(r));
    return out;
}

}  // namespace

TEST(StepLists, MotorolaAndP25Lists) {
    auto mot = motorola_step_list();
    ASSERT_EQ(mot.size(), 33u);
    EXPECT_EQ(mot[0], "2.5");
    EXPECT_EQ(mot[k_preset_step_position], "25.0");
    EXPECT_EQ(mot[12], "37.50");
    EXPECT_EQ(mot.back(), "100.0");
    auto p25 = p25_step_list();
    ASSERT_EQ(p25.size(), 32u);
    EXPECT_EQ(p25.front(), "5.0");
    EXPECT_EQ(p25.back(), "100.0");
}

TEST(Presets, EachFillsItsRowsAndClearsTheRest) {
    Plan p = plan_of({{"1", "2", "12.5", "3"},
                      {"4", "5", "6.25", "6"},
                      {"7", "8", "5.0", "9"},
                      {"", "", "", ""},
                      {"", "", "", ""},
                      {"x", "y", "100.0", "z"}});
    apply_preset(p, Preset::Rebanded);
    EXPECT_EQ(rows_of(p),
              (std::vector<std::string>{"851.025:854.000:25.0:440", "851.0125:868.9875:25.0:0",
                                        "::5.0:", ":::", ":::", "::100.0:"}));
    apply_preset(p, Preset::Standard800);
    EXPECT_EQ(format_row(p[4]), "868.9750:868.9750:25.0:958");
    EXPECT_EQ(format_row(p[5]), "::100.0:");
    apply_preset(p, Preset::Splinter800);
    EXPECT_EQ(format_row(p[1]), "866.0125:868.9875:25.0:600");
    EXPECT_EQ(format_row(p[5]), "868.9750:868.9750:25.0:958");

    EXPECT_EQ(preset_from_name("standard800"), Preset::Standard800);
    EXPECT_EQ(preset_from_name("Splinter 800"), Preset::Splinter800);
    EXPECT_EQ(preset_caption(Preset::Rebanded), "Rebanded");
    EXPECT_FALSE(preset_from_name("900"));
}

TEST(Presets, ClearKeepsTheStepChoices) {
    Plan p = plan_of({{"136.0", "140.0", "12.5", "0"}, {"150.0", "", "7.5", "380"}});
    clear_plan(p);
    EXPECT_EQ(rows_of(p)[0], "::12.5:");
    EXPECT_EQ(rows_of(p)[1], "::7.5:");
}

struct CalcCase {
    const char* name;
    std::vector<Row> rows;
    std::vector<std::string> expected;
};

class CalculateUpper : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalculateUpper, FillsEmptyUppersFromTheNextOffset) {
    Plan p = plan_of(GetParam().rows);
    calculate_upper(p);
    auto got = rows_of(p);
    got.resize(GetParam().expected.size());
    EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, CalculateUpper,
    ::testing::Values(
        CalcCase{"TwoVhfRows",
                 {{"136.0000", "", "12.5", "0"}, {"150.0000", "", "12.5", "380"}},
                 {"136.0000:140.7375:12.5:0", "150.0000:154.7375:12.5:380", "::25.0:"}},
        // the empty row 2 lends the closing channel 760 and loses it again
        CalcCase{
            "OnlyRowOne", {{"136.0000", "", "12.5", "0"}}, {"136.0000:145.4875:12.5:0", "::25.0:"}},
        CalcCase{"TypedUpperIsKept",
                 {{"136.0000", "137.0000", "12.5", "0"}, {"150.0", "", "6.25", "380"}},
                 {"136.0000:137.0000:12.5:0", "150.0:152.36875:6.25:380"}},
        // a row without a lower edge is skipped and ends without an offset
        CalcCase{"GapRow",
                 {{"", "", "12.5", "55"}, {"450.0", "", "25.0", "100"}},
                 {"::12.5:", "450.0:466.4750:25.0:100"}},
        // text that is not a number reads as 0
        CalcCase{"Garbage",
                 {{"abc", "", "12.5", "x"}, {"", "", "25.0", ""}},
                 {"abc:9.4875:12.5:x", "::25.0:"}},
        CalcCase{"LastRowNeverComputed",
                 {{"1", "1", "", ""},
                  {"1", "1", "", ""},
                  {"1", "1", "", ""},
                  {"1", "1", "", ""},
                  {"1", "1", "", ""},
                  {"420.0", "", "25.0", "0"}},
                 {"1:1::", "1:1::", "1:1::", "1:1::", "1:1::", "420.0::25.0:0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteBack, MotorolaCalculatesThenNormalisesEveryEdge) {
    Plan p = plan_of({{"851.025", "854", "25.0", "440"}, {"136", "", "12.5", "0"}});
    Plan out = motorola_write_back(p);
    EXPECT_EQ(format_row(out[0]), "851.0250:854.0000:25.0:440");
    EXPECT_EQ(format_row(out[1]), "136.0000:145.4875:12.5:0");
    EXPECT_EQ(format_row(out[2]), "::25.0:");

    Plan p25 = plan_of({{"851006250", "", "6.25", ""}, {"", "", "12.5", "7"}});
    Plan p25_out = p25_write_back(p25);
    EXPECT_EQ(p25_out[0].lower, "851.00625");  // a whole number of Hz
    EXPECT_EQ(p25_out[1].offset, "7");         // nothing else is touched
}

TEST(WriteBack, FrequencyNormalisation) {
    EXPECT_EQ(normalize_frequency("136"), "136.0000");
    EXPECT_EQ(normalize_frequency(" 851.0125 "), "851.0125");
    EXPECT_EQ(normalize_frequency("851012500"), "851.0125");
    EXPECT_EQ(normalize_frequency(""), "");
}

TEST(KeyFilters, EdgesTakeFrequencyKeysAndOffsetsNumberKeys) {
    for (char c : std::string("0123456789.\r")) EXPECT_TRUE(accepts_frequency_key(c)) << c;
    for (char c : std::string("-a ,e+")) EXPECT_FALSE(accepts_frequency_key(c)) << c;
    for (char c : std::string("0123456789-\r")) EXPECT_TRUE(accepts_offset_key(c)) << c;
    for (char c : std::string(".a ,")) EXPECT_FALSE(accepts_offset_key(c)) << c;
}

TEST(RowText, ParsesFourFieldsOnly) {
    auto r = parse_row("136.0::12.5:0");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lower, "136.0");
    EXPECT_EQ(r->upper, "");
    EXPECT_FALSE(parse_row("136.0:12.5:0"));
    EXPECT_FALSE(parse_row("1:2:3:4:5"));
}

#include "core/bandplan/site_plans.h"
#include "core/base/prompter.h"
#include "core/model/system_store.h"

TEST(SitePlans, UnusedRowsShowEmptyAndApplyToAllWritesEverySite) {
    tarvex::Bandplan rows{};
    rows[0] = {"851.0250", "854.0000", "25.0", "440"};
    rows[1] = {"0", "0", "25.0", "0"};
    Plan shown = plan_from_site(rows);
    EXPECT_EQ(format_row(shown[0]), "851.0250:854.0000:25.0:440");
    EXPECT_EQ(format_row(shown[1]), "::25.0:");
    // ... so the calculation closes row 1 at channel 759 and not at the stale offset 0
    shown[0].upper.clear();
    shown[0].lower = "136.0000";
    shown[0].step = "12.5";
    shown[0].offset = "0";
    calculate_upper(shown);
    EXPECT_EQ(shown[0].upper, "145.4875");

    tarvex::RecordingPrompter prompter;
    tarvex::SystemStore store(prompter);
    store.add_node("", "SYS-003", "SIN,Motorola,3");
    store.add_node("SYS-003", "SIT-003-001", "SIF,Site");
    store.add_node("SYS-003", "MCP-003-001", "MCP,type,old");
    store.add_node("SYS-003", "SIT-003-004", "SIF,Site");
    store.add_node("", "SYS-004", "SIN,Motorola,4");
    store.add_node("SYS-004", "MCP-004-001", "MCP,type,other");
    EXPECT_EQ(apply_to_all_sites(store, 3, plan_to_site(shown)), 2);
    const std::string expected =
        "MCP,type,136.0000,145.4875,12.5,0,0,0,25.0,0,0,0,25.0,0,0,0,25.0,0,0,0,25.0,0,0,0,25.0,0";
    EXPECT_EQ(store.get_node_text("MCP-003-001"), expected);
    EXPECT_EQ(store.get_node_text("MCP-003-004"), expected);
    EXPECT_EQ(store.get_node_text("MCP-004-001"), "MCP,type,other");
}
