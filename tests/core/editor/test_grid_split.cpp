#include "core/editor/grid_split.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/editor/grid_columns.h"

namespace tarvex::grid {

namespace {
TextGrid grid_of(GridKind kind) {
    TextGrid g;
    setup_grid(g, kind);
    return g;
}
}  // namespace

TEST(SplitComments, ListedChannelsBecomeRowsWithDefaults) {
    TextGrid g = grid_of(GridKind::Channel);
    RecordingPrompter p;
    auto ch = split_comments(g, GridKind::Channel, 1,
                             "154.31 Fire Dispatch\r\n155475000\tHarbor Patrol\n"
                             "453.8750 - Courthouse: Security\n\n156.800,Marine Ch 16\n",
                             p);
    EXPECT_TRUE(ch.changed);
    EXPECT_EQ(g.at(1, 1), "154.31");
    EXPECT_EQ(g.at(1, 2), "Fire Dispatch");
    EXPECT_EQ(g.at(2, 1), "155.475");
    EXPECT_EQ(g.at(2, 2), "Harbor Patrol");
    EXPECT_EQ(g.at(3, 2), "Courthouse: Security");
    EXPECT_EQ(g.at(4, 1), "156.8");
    EXPECT_EQ(g.at(4, 2), "Marine Ch 16");
    // A new row gets the column defaults, like a line added by hand.
    EXPECT_EQ(g.at(1, 3), default_row(GridKind::Channel)[3]);
    EXPECT_TRUE(p.told.empty());
}

TEST(SplitComments, TalkgroupListsKeepTheirNotationAndNamesWhatWasSkipped) {
    TextGrid g = grid_of(GridKind::Talkgroup);
    RecordingPrompter p;
    split_comments(g, GridKind::Talkgroup, 2, "1234 Police Dispatch\n04-092 Port Ops\nPolice\n", p);
    EXPECT_EQ(g.at(2, 1), "1234");
    EXPECT_EQ(g.at(2, 2), "Police Dispatch");
    EXPECT_EQ(g.at(3, 1), "04-092");
    ASSERT_EQ(p.told.size(), 1u);
    EXPECT_EQ(p.told[0], "No frequency or talkgroup at the start, skipped: Police");
}

TEST(SplitComments, ANumberTooLongForAnyFrequencyIsSkipped) {
    TextGrid g = grid_of(GridKind::Channel);
    RecordingPrompter p;
    split_comments(g, GridKind::Channel, 1, "99999999999999999999 Too long to be one\n", p);
    EXPECT_EQ(g.at(1, 1), "");
    EXPECT_EQ(p.told.size(), 1u);
}

TEST(SplitComments, RefusedWhereThereIsNoAlphaTagAndCutAtTheTagLimit) {
    TextGrid g = grid_of(GridKind::SiteFrequency);
    RecordingPrompter p;
    EXPECT_FALSE(split_comments(g, GridKind::SiteFrequency, 1, "851.0125 x", p).changed);
    EXPECT_EQ(p.told.at(0), std::string(k_split_needs_alpha_tag));

    TextGrid c = grid_of(GridKind::Channel);
    split_comments(c, GridKind::Channel, 1, "155.0 " + std::string(80, 'A'), p);
    EXPECT_EQ(c.at(1, 2).size(), 64u);
}

}  // namespace tarvex::grid
