#include "core/editor/grid_keys.h"

#include <gtest/gtest.h>

using namespace tarvex::grid;

namespace {
std::string typed(Column column, char key, std::string_view current = "") {
    return key_entry(column, key, current).value_or("<none>");
}
}  // namespace

TEST(GridKeys, SpaceTogglesSwitchColumnsButNotAlertTone) {
    EXPECT_EQ(typed(Column::Avoid, ' ', "Off"), "On");
    EXPECT_EQ(typed(Column::Avoid, ' ', "On"), "Off");
    EXPECT_EQ(typed(Column::Attenuator, ' ', ""), "On");
    EXPECT_EQ(typed(Column::Avoid, 'n'), "On");
    EXPECT_EQ(typed(Column::Avoid, 'f', "On"), "Off");
    EXPECT_EQ(typed(Column::Attenuator, '0', "On"), "Off");
    EXPECT_EQ(typed(Column::AlertTone, ' ', "Off"), "<none>");
}

TEST(GridKeys, AlertToneAndAlertLevel) {
    EXPECT_EQ(typed(Column::AlertTone, 'F', "3"), "Off");
    EXPECT_EQ(typed(Column::AlertTone, 'f', "3"), "Off");
    for (char k = '1'; k <= '9'; ++k) EXPECT_EQ(typed(Column::AlertTone, k), std::string(1, k));
    EXPECT_EQ(typed(Column::AlertLevel, 'a', "4"), "Auto");
    for (char k = '1'; k <= '9'; ++k) EXPECT_EQ(typed(Column::AlertLevel, k), std::string(1, k));
    EXPECT_EQ(typed(Column::AlertLevel, '0'), "10");
    EXPECT_EQ(typed(Column::AlertLevel, 'x'), "<none>");
}

TEST(GridKeys, DelayTimeTable) {
    EXPECT_EQ(typed(Column::DelayTime, '0'), "0");
    EXPECT_EQ(typed(Column::DelayTime, 'f'), "0");
    EXPECT_EQ(typed(Column::DelayTime, '1'), "10");
    EXPECT_EQ(typed(Column::DelayTime, '2'), "2");
    EXPECT_EQ(typed(Column::DelayTime, 'n'), "2");
    EXPECT_EQ(typed(Column::DelayTime, 'D'), "2");
    EXPECT_EQ(typed(Column::DelayTime, '3'), "30");
    EXPECT_EQ(typed(Column::DelayTime, '4'), "4");
    EXPECT_EQ(typed(Column::DelayTime, '5'), "5");
    EXPECT_EQ(typed(Column::DelayTime, '-', "2"), "-5");
    EXPECT_EQ(typed(Column::DelayTime, '-', "10"), "-10");
    EXPECT_EQ(typed(Column::DelayTime, '6'), "<none>");
}

TEST(GridKeys, VolumeOffsetMinusNegatesTheCell) {
    for (char k = '0'; k <= '3'; ++k) EXPECT_EQ(typed(Column::VolumeOffset, k), std::string(1, k));
    EXPECT_EQ(typed(Column::VolumeOffset, '4'), "<none>");
    EXPECT_EQ(typed(Column::VolumeOffset, '-', "0"), "-1");
    EXPECT_EQ(typed(Column::VolumeOffset, '-', "1"), "-1");
    EXPECT_EQ(typed(Column::VolumeOffset, '-', "2"), "-2");
    EXPECT_EQ(typed(Column::VolumeOffset, '-', "3"), "-3");
    EXPECT_EQ(typed(Column::VolumeOffset, '-', "-2"), "-2");
}

TEST(GridKeys, LettersOfAudioTypeModeSqModeAndTalkgroup) {
    EXPECT_EQ(typed(Column::AudioType, 'a'), "Analog");
    EXPECT_EQ(typed(Column::AudioType, 'L'), "All");
    EXPECT_EQ(typed(Column::AudioType, 'd'), "Digital");
    EXPECT_EQ(typed(Column::Mode, 'a'), "AM");
    EXPECT_EQ(typed(Column::Mode, 'F'), "FM");
    EXPECT_EQ(typed(Column::SqMode, 'c'), "CTCSS");
    EXPECT_EQ(typed(Column::SqMode, 'd'), "DCS");
    EXPECT_EQ(typed(Column::SqMode, 'p'), "P25");
    EXPECT_EQ(typed(Column::Talkgroup, 'i', "1234"), "i00000");
}

TEST(GridKeys, FreeTextColumnsTakeNoShortcut) {
    EXPECT_EQ(typed(Column::Frequency, '1'), "<none>");
    EXPECT_EQ(typed(Column::AlphaTag, ' '), "<none>");
    EXPECT_EQ(typed(Column::Talkgroup, '5'), "<none>");
}
