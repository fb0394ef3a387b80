// The small tools: the DEC/HEX converter, the alert tones and the version check's rules.
#include <gtest/gtest.h>

#include <cmath>

#include "core/editor/alert_tones.h"
#include "core/editor/dec_hex.h"
#include "core/editor/update_check.h"
#include "core/settings/settings.h"

namespace tarvex {
namespace {

struct DecHexCase {
    const char* input;
    long long decimal;
    const char* hex;
    const char* afs;  // "" when the value does not fit an EDACS ID
};

class DecHexConversions : public ::testing::TestWithParam<DecHexCase> {};

TEST_P(DecHexConversions, EveryNotationGivesTheSameValue) {
    const DecHexCase& c = GetParam();
    DecHex r = convert_dec_hex(c.input);
    ASSERT_EQ(r.error, "") << c.input;
    EXPECT_EQ(r.decimal, c.decimal);
    EXPECT_EQ(r.hex, c.hex);
    EXPECT_EQ(r.afs.value_or(""), c.afs);
}

INSTANTIATE_TEST_SUITE_P(Values, DecHexConversions,
                         ::testing::Values(DecHexCase{"586", 586, "24A", "04-092"},
                                           DecHexCase{"0x24a", 586, "24A", "04-092"},
                                           DecHexCase{"24Ah", 586, "24A", "04-092"},
                                           DecHexCase{"04-092", 586, "24A", "04-092"},
                                           DecHexCase{" 0 ", 0, "0", "00-000"},
                                           DecHexCase{"2047", 2047, "7FF", "15-157"},
                                           DecHexCase{"2048", 2048, "800", ""},
                                           DecHexCase{"65535", 65535, "FFFF", ""},
                                           DecHexCase{"0xFFFFFFFF", 4294967295LL, "FFFFFFFF", ""}));

TEST(DecHex, NonsenseAndOversizedValuesAreRefusedWithAMessage) {
    for (const char* bad : {"", "12x", "0x", "0xG1", "-5", "16-999", "99999999999", "0x100000000"})
        EXPECT_NE(convert_dec_hex(bad).error, "") << bad;
}

TEST(AlertTones, NineDistinctTonesAndSilenceForOff) {
    EXPECT_EQ(alert_tone_number("3"), 3);
    EXPECT_FALSE(alert_tone_number("Off"));
    EXPECT_FALSE(alert_tone_number("10"));
    EXPECT_TRUE(alert_tone_samples(0).empty());
    EXPECT_TRUE(alert_tone_samples(10).empty());
    std::vector<std::vector<int16_t>> tones;
    for (int t = 1; t <= k_alert_tone_count; ++t) {
        auto s = alert_tone_samples(t);
        ASSERT_FALSE(s.empty()) << t;
        // Short enough for a click in a list, long enough to hear.
        EXPECT_GT(s.size(), k_alert_sample_rate / 10u) << t;
        EXPECT_LT(s.size(), k_alert_sample_rate * 2u) << t;
        // Starts and ends in silence (the fades), so playing it never clicks.
        EXPECT_LT(std::abs(s.front()), 200) << t;
        EXPECT_LT(std::abs(s.back()), 200) << t;
        EXPECT_FALSE(alert_tone_description(t).empty());
        for (const auto& other : tones) EXPECT_NE(other, s) << t;
        tones.push_back(std::move(s));
    }
}

TEST(AlertTones, ToneThreeIsThreeBeeps) {
    auto s = alert_tone_samples(3);
    int bursts = 0;
    bool loud = false;
    int quiet_run = 0;
    for (int16_t v : s) {
        if (std::abs(v) > 1000) {
            if (!loud && (bursts == 0 || quiet_run > k_alert_sample_rate / 100)) ++bursts;
            loud = true;
            quiet_run = 0;
        } else if (++quiet_run > k_alert_sample_rate / 100) {
            loud = false;
        }
    }
    EXPECT_EQ(bursts, 3);
}

TEST(UpdateCheck, VersionsCompareByNumberPartByPart) {
    EXPECT_GT(compare_versions("1.10.0", "1.9.3"), 0);
    EXPECT_EQ(compare_versions("1.2", "1.2.0"), 0);
    EXPECT_LT(compare_versions("0.1.0", "v0.2"), 0);
    EXPECT_EQ(compare_versions("2.0.0\n", "2.0.0"), 0);
}

TEST(UpdateCheck, AnswersAsJsonOrPlainText) {
    auto j = parse_latest_version(R"({ "version": "v1.4.2", "url": "https://x.test/get" })");
    ASSERT_TRUE(j);
    EXPECT_EQ(j->version, "1.4.2");
    EXPECT_EQ(j->url, "https://x.test/get");
    auto t = parse_latest_version("  0.3.1\nrelease notes follow\n");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->version, "0.3.1");
    for (const char* bad : {"", "<html>Not found</html>", R"({"name":"x"})", R"({"version":"abc"})",
                            R"({"version":"1.2)"})
        EXPECT_FALSE(parse_latest_version(bad)) << bad;
}

TEST(UpdateCheck, WhatTheUserIsTold) {
    const std::string addr = "http://127.0.0.1:1/latest.json";
    EXPECT_NE(update_message("0.1.0", addr, R"({"version":"0.2.0","url":"U"})", "")
                  .find("Tarvex 0.2.0 is available; this is version 0.1.0. Get it from U"),
              std::string::npos);
    EXPECT_NE(update_message("0.2.0", addr, "0.2.0", "").find("is up to date"), std::string::npos);
    EXPECT_NE(update_message("0.3.0", addr, "0.2.0", "").find("is up to date"), std::string::npos);
    std::string offline = update_message("0.1.0", addr, std::nullopt, "Connection refused");
    EXPECT_NE(offline.find("Could not reach " + addr + " (Connection refused)"), std::string::npos);
    EXPECT_NE(offline.find("offline"), std::string::npos);
    EXPECT_NE(update_message("0.1.0", addr, "garbage", "").find("holds no version"),
              std::string::npos);
    EXPECT_NE(update_message("0.1.0", "", std::nullopt, "").find("No update address"),
              std::string::npos);
}

TEST(UpdateCheck, NoStartUpCheckUntilTheUserAgrees) {
    MemorySettingsBackend backend;
    Settings settings(backend, backend);
    EXPECT_FALSE(startup_check_allowed(settings));
    set_startup_check(settings, true);
    EXPECT_TRUE(startup_check_allowed(settings));
    set_update_address(settings, "  http://h/v.txt ");
    EXPECT_EQ(update_address(settings), "http://h/v.txt");
}

}  // namespace
}  // namespace tarvex
