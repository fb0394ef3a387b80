// Easy fill: exact frequency runs, talkgroup runs, the limits, and the rows put in the grid.
#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/easy_fill.h"
#include "core/editor/grid_columns.h"

namespace tarvex {
namespace {

struct FillRun {
    const char *start, *end, *step;
    size_t count;
    const char *first, *last;
};

class FrequencyRuns : public ::testing::TestWithParam<FillRun> {};

// Steps that have no exact binary fraction must land on the channel every time, however far
// from the start (a float accumulator is off by a hertz or more well before row 9999).
TEST_P(FrequencyRuns, EveryChannelOnItsExactFrequency) {
    const FillRun& r = GetParam();
    FrequencyFill f = plan_frequency_fill(r.start, r.end, r.step);
    ASSERT_EQ(f.error, "");
    ASSERT_EQ(f.hz.size(), r.count);
    auto texts = frequency_texts(f.hz);
    EXPECT_EQ(texts.front(), r.first);
    EXPECT_EQ(texts.back(), r.last);
    const long long step = decimal_to_scaled(r.step, 3);
    for (size_t i = 0; i < f.hz.size(); ++i)
        ASSERT_EQ(f.hz[i], mhz_to_hz(r.start) + static_cast<long long>(i) * step) << i;
}

INSTANTIATE_TEST_SUITE_P(Steps, FrequencyRuns,
                         ::testing::Values(
                             // GMRS/FRS 462 MHz channels at 12.5 kHz: 462.5500 .. 462.7250.
                             FillRun{"462.55", "462.725", "12.5", 15, "462.5500", "462.7250"},
                             // 6.25 kHz over the narrowband 800 MHz plan, to the row limit.
                             FillRun{"851.00625", "913.49375", "6.25", 9999, "851.00625",
                                     "913.49375"},
                             // An end between two steps is not reached past.
                             FillRun{"155.0", "155.03", "12.5", 3, "155.0000", "155.0250"},
                             // A single channel.
                             FillRun{"121.5", "121.5", "25", 1, "121.5000", "121.5000"}));

struct Refusal {
    const char *start, *end, *step, *message_part;
    int room;
};

class FrequencyRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(FrequencyRefusals, SaysWhy) {
    const Refusal& r = GetParam();
    FrequencyFill f = plan_frequency_fill(r.start, r.end, r.step, r.room);
    EXPECT_TRUE(f.hz.empty());
    EXPECT_NE(f.error.find(r.message_part), std::string::npos) << f.error;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, FrequencyRefusals,
    ::testing::Values(Refusal{"24.99", "25.5", "12.5", "leaves the scanner's bands", 9999},
                      Refusal{"1299.0", "1300.0125", "12.5", "leaves the scanner's bands", 9999},
                      Refusal{"25", "1300", "12.5", "a group holds at most 9999", 9999},
                      // 10,000 rows: one more than a group holds.
                      Refusal{"851.0", "913.49375", "6.25", "gives 10000 rows", 9999},
                      Refusal{"462.55", "462.725", "12.5", "room for 10 more", 10},
                      Refusal{"462.7", "462.5", "12.5", "below the start", 9999},
                      Refusal{"462.5", "462.7", "0", "more than 0 kHz", 9999},
                      Refusal{"4a2.5", "462.7", "12.5", "start frequency is not", 9999},
                      Refusal{"462.5", "462.7", "-5", "step is not", 9999}));

TEST(TalkgroupRuns, FromAFirstValueACountAndAnIncrement) {
    TalkgroupFill f = plan_talkgroup_fill("1000", "5", "16");
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(talkgroup_texts(f.values),
              (std::vector<std::string>{"1000", "1016", "1032", "1048", "1064"}));
    EXPECT_NE(plan_talkgroup_fill("64990", "3", "10").error.find("65010"), std::string::npos);
    EXPECT_NE(plan_talkgroup_fill("1", "10000", "1").error.find("9999"), std::string::npos);
    EXPECT_NE(plan_talkgroup_fill("1", "0", "1").error, "");
    EXPECT_NE(plan_talkgroup_fill("x", "2", "1").error, "");
    // Values far out of range are refused, not wrapped around.
    EXPECT_NE(plan_talkgroup_fill("1", "9999", "922337203685477580").error, "");
}

TEST(FillTags, RunningNumberAndValue) {
    EXPECT_EQ(fill_tag("GMRS {n} ({f})", 7, "462.7125"), "GMRS 7 (462.7125)");
    EXPECT_EQ(fill_tag("plain", 1, "1"), "plain");
    EXPECT_EQ(fill_tag(std::string(70, 'x') + "{n}", 1, "").size(), 64u);
}

TEST(AppendFill, RowsAfterTheLastUsedOneWithTheGridsDefaults) {
    TextGrid g;
    grid::setup_grid(g, grid::GridKind::Channel);
    g.at(1, 1) = "155.0700";
    g.at(1, 2) = "Kept";
    RecordingPrompter prompter;
    auto values = frequency_texts(plan_frequency_fill("462.55", "462.575", "12.5").hz);
    grid::GridChange c = append_fill(g, grid::GridKind::Channel, values, "GMRS {n}", 1, prompter);
    EXPECT_TRUE(c.rows_changed);
    EXPECT_EQ(c.count, 3);
    const auto defaults = grid::default_row(grid::GridKind::Channel);
    EXPECT_EQ(g.at(1, 2), "Kept");
    EXPECT_EQ(g.at(2, 1), "462.5500");
    EXPECT_EQ(g.at(4, 1), "462.5750");
    EXPECT_EQ(g.at(4, 2), "GMRS 3");
    EXPECT_EQ(g.at(4, 0), "4");
    for (int c2 = 3; c2 < g.cols(); ++c2) EXPECT_EQ(g.at(3, c2), defaults[c2]) << c2;
    // A grid that is nearly full refuses with a message and stays as it was.
    TextGrid full;
    grid::setup_grid(full, grid::GridKind::Talkgroup, 10001);
    for (int r = 1; r <= 9998; ++r) full.at(r, 1) = std::to_string(r);
    TextGrid before = full;
    c = append_fill(full, grid::GridKind::Talkgroup, {"1", "2"}, "", 1, prompter);
    EXPECT_FALSE(c.changed);
    EXPECT_EQ(prompter.told.size(), 1u);
    EXPECT_EQ(full.at(9999, 1), before.at(9999, 1));
}

}  // namespace
}  // namespace tarvex
