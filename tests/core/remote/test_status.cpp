// The STATUS reply as the display shows it.
#include <gtest/gtest.h>

#include <map>

#include "core/hpd/vocab.h"
#include "core/remote/status.h"

using namespace tarvex::remote;

namespace {

// A STATUS reply with the fields at their positions (field 0 "RMT", 1 "STATUS").
std::string reply(std::map<int, std::string> fields) {
    std::string r = "RMT\tSTATUS";
    for (int pos = 2; pos <= 18; ++pos) r += "\t" + fields[pos];
    return r + "\r";
}

}  // namespace

TEST(StatusLine, CleaningTurnsCommasTabsAndQuotes) {
    EXPECT_EQ(clean_status_line("RMT\tSTATUS\tA,B\t\"Q\"\r"), "RMT,STATUS,A;B,'Q'\r");
    EXPECT_EQ(status_field("RMT,STATUS,155.2250\r\n", 2), "155.2250");
    EXPECT_EQ(status_field("RMT,STATUS", 9), "");
}

TEST(ToneCodes, CtcssDcsSearchAndNoneSitAtTheirCodes) {
    auto ctcss = tarvex::vocab::ctcss_tones();
    auto dcs = tarvex::vocab::dcs_codes();
    EXPECT_EQ(tone_for_code(64), ctcss[0]);
    EXPECT_EQ(tone_for_code(113), ctcss[49]);
    EXPECT_EQ(tone_for_code(127), "Search");
    EXPECT_EQ(tone_for_code(128), "023");
    EXPECT_EQ(tone_for_code(129), "025");
    EXPECT_EQ(tone_for_code(130), "026");
    EXPECT_EQ(tone_for_code(231), dcs[103]);
    EXPECT_EQ(tone_for_code(240), "None");
    for (long long empty : {0LL, 63LL, 114LL, 126LL, 232LL, 239LL, 241LL, -1LL})
        EXPECT_EQ(tone_for_code(empty), "") << empty;
}

TEST(StatusDisplay, AConventionalReceptionFillsEveryField) {
    DisplayModel d;
    apply_status(d, reply({{2, "155.2250"},
                           {3, "FM"},
                           {4, "1"},
                           {5, "64"},
                           {6, "NONE"},
                           {7, "3"},
                           {8, "Oak County"},
                           {9, "Fire"},
                           {10, "Dispatch"},
                           {13, "3"},
                           {14, "My List"},
                           {15, "1234"},
                           {17, "1"}}));
    EXPECT_EQ(d.frequency, "155.2250");
    EXPECT_EQ(d.mode, "FM");
    EXPECT_TRUE(d.att_on);
    EXPECT_EQ(d.tone, tarvex::vocab::ctcss_tones()[0]);
    EXPECT_EQ(d.nac, "");
    EXPECT_EQ(d.service, tarvex::vocab::service_type_name(3));
    EXPECT_EQ(d.system.text, "Oak County");
    EXPECT_EQ(d.department.text, "Fire");
    EXPECT_FALSE(d.department.placeholder);
    EXPECT_EQ(d.channel.text, "Dispatch");
    EXPECT_TRUE(d.details_shown);
    EXPECT_EQ(d.signal, 3);
    EXPECT_EQ(d.favorites, "My List");
    EXPECT_EQ(d.uid, "") << "a frequency with a '.' has no unit ID";
    EXPECT_FALSE(d.system.avoided);
    EXPECT_TRUE(d.department.avoided);
    EXPECT_FALSE(d.channel.avoided);
    EXPECT_TRUE(d.busy);
}

TEST(StatusDisplay, ModeAndServiceKeepTheirTextUntilAValidValueComes) {
    DisplayModel d;
    apply_status(d, reply({{2, "155.2250"}, {3, "NFM"}, {7, "5"}, {10, "A"}}));
    apply_status(d, reply({{2, "155.2250"}, {3, "AUTO"}, {7, "0"}, {10, "A"}}));
    EXPECT_EQ(d.mode, "NFM");
    EXPECT_EQ(d.service, tarvex::vocab::service_type_name(5));
    apply_status(d, reply({{2, "155.2250"}, {4, "0"}, {7, "abc"}}));
    EXPECT_FALSE(d.att_on);
    EXPECT_EQ(d.service, tarvex::vocab::service_type_name(5));
}

TEST(StatusDisplay, UnknownTalkgroupShowsItsNumberAsTheFrequency) {
    DisplayModel d;
    apply_status(d, reply({{8, "Metro"}, {9, "Unknown TGID"}, {10, "TGID : 12345 "}, {15, "777"}}));
    EXPECT_EQ(d.frequency, "12345");
    EXPECT_EQ(d.uid, "777") << "a talkgroup keeps its unit ID";
}

TEST(StatusDisplay, EmptyLinesShowCentredPlaceholdersAndHideTheDetails) {
    DisplayModel d;
    apply_status(d, reply({{2, "155.2250"}, {10, "Dispatch"}}));
    apply_status(d, reply({}));
    EXPECT_EQ(d.department.text, "Department");
    EXPECT_TRUE(d.department.placeholder);
    EXPECT_EQ(d.department.value(), "");
    EXPECT_EQ(d.channel.text, "Channel");
    EXPECT_TRUE(d.channel.placeholder);
    EXPECT_FALSE(d.details_shown);
    EXPECT_TRUE(d.busy) << "only the busy delay greys the lamp";
}

TEST(StatusDisplay, HeldLinesStayHeldWhenNewTextArrives) {
    DisplayModel d;
    d.channel.held = true;
    apply_status(d, reply({{2, "155.2250"}, {10, "Dispatch"}}));
    EXPECT_TRUE(d.channel.held);
}

TEST(StatusDisplay, SignalLevelIsCappedAtFourBars) {
    DisplayModel d;
    apply_status(d, reply({{2, "155.2250"}, {13, "7"}}));
    EXPECT_EQ(d.signal, 4);
    EXPECT_EQ(signal_stars(d.signal), "****");
    EXPECT_EQ(d.bar_colour(4), colour::green);
    apply_status(d, reply({{2, "155.2250"}, {13, "x"}}));
    EXPECT_EQ(d.signal, 0);
    EXPECT_EQ(d.bar_colour(1), colour::grey);
    EXPECT_EQ(signal_stars(0), "");
}

TEST(StatusDisplay, ACommandReplyShowsOkInTheFrequencyField) {
    DisplayModel d;
    apply_status(d, "RMT\tCNEXT\tOK\r");
    EXPECT_EQ(d.frequency, "OK");
}
