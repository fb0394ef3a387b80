#include "core/hpd/vocab.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/base/text.h"

using namespace tarvex;
using namespace tarvex::vocab;

namespace {
bool has(std::span<const std::string_view> table, std::string_view v) {
    return std::find(table.begin(), table.end(), v) != table.end();
}
}  // namespace

TEST(ValueLists, OutOfListValuesFallBackToTheDefault) {
    EXPECT_EQ(mode_list().pick("WFM"), "AUTO");
    EXPECT_EQ(mode_list().pick("NFM"), "NFM");
    EXPECT_EQ(mode_list().pick("nfm"), "AUTO");  // case matters
    EXPECT_EQ(delay_list().pick("7"), "2");
    EXPECT_EQ(delay_list().pick("-10"), "-10");
    EXPECT_EQ(volume_offset_list().pick("5"), "0");
    EXPECT_EQ(alert_light_list().pick("Purple"), "Off");
    EXPECT_EQ(alert_level_list().pick("15"), "15");
    EXPECT_EQ(switch_list().pick(""), "Off");
}

TEST(NumberTag, LimitsToTheTagRangeAndKeepsOff) {
    EXPECT_EQ(number_tag("1200"), "999");
    EXPECT_EQ(number_tag("-4"), "0");
    EXPECT_EQ(number_tag("007"), "7");
    for (auto off : {"None", "", "Off", "1000"}) EXPECT_EQ(number_tag(off), "Off") << off;
}

TEST(ServiceTypes, NamesAndNumbersBothWays) {
    EXPECT_EQ(service_type_number("Racing Teams", false), 217);
    EXPECT_EQ(service_type_number("Law TAC", true), 7);
    EXPECT_EQ(service_type_number("", false), 208);
    EXPECT_EQ(service_type_number("Ferries", false), 1);
    EXPECT_EQ(service_type_number("Ferries", true), 6);
    EXPECT_EQ(service_type_name(3), "Fire Dispatch");
    EXPECT_EQ(service_type_name(215), "Custom 8");
    for (long long n : {0LL, 5LL, 99LL, 207LL, 218LL})
        EXPECT_EQ(service_type_name(n), "NOT DEFINED");
    ASSERT_EQ(service_type_menu().size(), 39u);
    for (auto name : service_type_menu())
        EXPECT_NE(service_type_name(service_type_number(name, false)), "NOT DEFINED") << name;
}

TEST(ToneTables, HoldTheStandardTonesAndCodes) {
    auto tones = ctcss_tones();
    ASSERT_EQ(tones.size(), 50u);
    EXPECT_EQ(tones.front(), "67.0");
    EXPECT_EQ(tones.back(), "254.1");
    for (auto t : {"100.0", "131.8", "159.8", "171.3", "203.5"}) EXPECT_TRUE(has(tones, t)) << t;
    EXPECT_FALSE(has(tones, "150.0"));
    EXPECT_EQ(ctcss_selection().front(), "Search");
    auto codes = dcs_codes();
    ASSERT_EQ(codes.size(), 104u);
    EXPECT_EQ(codes.front(), "023");
    EXPECT_EQ(codes.back(), "754");
    for (auto c : {"114", "311", "546", "654"}) EXPECT_TRUE(has(codes, c)) << c;
    for (auto c : {"017", "050", "645"}) EXPECT_FALSE(has(codes, c)) << c;
}

TEST(ToneWords, ClassifyCodes) {
    EXPECT_EQ(classify_tone_code(""), 0);
    EXPECT_EQ(classify_tone_code("100.0"), 1);
    EXPECT_EQ(classify_tone_code("023"), 2);
    EXPECT_EQ(classify_tone_code("FFF"), 3);
    EXPECT_EQ(classify_tone_code("1000"), 0);  // above 4095
    EXPECT_EQ(classify_tone_code("100.1"), 0);
}

TEST(ToneWords, SquelchModeAndCodeToWord) {
    EXPECT_EQ(tone_word("CTCSS", "100.0"), "TONE=C100.0");
    EXPECT_EQ(tone_word("DCS", "023"), "TONE=D023");
    EXPECT_EQ(tone_word("P25", "293"), "NAC=293");
    EXPECT_EQ(tone_word("DMR", "1"), "ColorCode=1");
    EXPECT_EQ(tone_word("CTCSS", "99.9x"), "");
    EXPECT_EQ(tone_word("None", "100.0"), "");
    EXPECT_EQ(tone_word("DMR", "Search"), "ColorCode=Srch");
    EXPECT_EQ(tone_word("P25", "Search"), "NAC=Srch");
    EXPECT_EQ(tone_word("DCS", "100.0"), "TONE=D100.0");  // the mode wins over the code
}

TEST(ToneWords, RoundTripThroughTheFileWord) {
    const std::pair<std::string, std::string> cases[] = {
        {"CTCSS", "67.0"},   {"DCS", "754"},    {"P25", "F7E"},    {"DMR", "12"},
        {"CTCSS", "Search"}, {"P25", "Search"}, {"DMR", "Search"}, {"All", ""}};
    for (const auto& [mode, code] : cases) {
        std::string word = tone_word(mode, code);
        EXPECT_EQ(sq_from_tone_word(word), std::make_pair(mode, code)) << word;
        EXPECT_EQ(tone_word(mode, code), word);
    }
}

TEST(Cleaning, AlphaTagsAndTalkgroups) {
    EXPECT_EQ(clean_alpha_tag(std::string(80, 'A')), std::string(64, 'A'));
    EXPECT_EQ(clean_alpha_tag("Fire\x01 Ops\xE9"), "Fire Ops");
    EXPECT_EQ(clean_alpha_tag("", "No Tag"), "No Tag");
    EXPECT_EQ(clean_alpha_tag("\x01\xE9", "No Tag"), "No Tag")
        << "nothing left is as good as empty";
    EXPECT_EQ(clean_talkgroup("I1234"), "i1234");
    EXPECT_EQ(clean_talkgroup("12.345"), "12345");
    EXPECT_EQ(clean_talkgroup("70000"), "65000");
    EXPECT_EQ(clean_talkgroup(" 1,2 3/4a"), "1234");
}

TEST(Converters, ChannelLineToCFreq) {
    EXPECT_EQ(channel_to_cfreq("1,,Empty"), "");
    std::string full =
        "3,851.0125,Dispatch,On,WFM,CTCSS,100.0,Racing Teams,On,7,5,3,15,Red,"
        "Slow Blink,1200,On\r\n";
    EXPECT_EQ(split(channel_to_cfreq(full), '\t'),
              split("C-Freq,,,Dispatch,On,851012500,AUTO,TONE=C100.0,217,On,2,0,3,15,Red,"
                    "Slow Blink,999,On",
                    ','));
    // A line from an older grid ends after Alert Level, or even earlier.
    EXPECT_EQ(split(channel_to_cfreq("1,155.34,Ops"), '\t'),
              split("C-Freq,,,Ops,Off,155340000,AUTO,,208,Off,2,0,Off,Auto,Off,On,Off,Off", ','));
}

TEST(Converters, TalkgroupLineToTgid) {
    EXPECT_EQ(talkgroup_to_tgid("1,,Nothing"), "");
    EXPECT_EQ(talkgroup_to_tgid("1,Yard,Letters only"), "") << "cleans to no talkgroup";
    EXPECT_EQ(
        split(talkgroup_to_tgid("2,I1234,Car 5,Off,digital,Law TAC,1,-1,9,Auto,,,-4,,Any"), '\t'),
        split("TGID,,,Car 5,Off,i1234,DIGITAL,7,1,-1,9,Auto,Off,On,0,Off,Srch", ','));
    EXPECT_EQ(split(talkgroup_to_tgid("1,100"), '\t').back(), "");
    EXPECT_EQ(split(talkgroup_to_tgid("1,100"), '\t').size(), 17u);
}
