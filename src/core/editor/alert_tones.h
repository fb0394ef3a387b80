#pragma once
// The scanner's alert tones 1..9, synthesised as plain 16-bit mono samples so the program
// ships no sound files and every platform plays the same thing. Each number is a pattern of
// beeps of its own, distinct enough to tell apart by ear (see `alert_tone_description`).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

inline constexpr int k_alert_tone_count = 9;
inline constexpr int k_alert_sample_rate = 22050;

// "1".."9" to the tone number; "Off", "" and anything else to nullopt.
std::optional<int> alert_tone_number(std::string_view value);
// One line a person can read: "3: three short beeps at 1 kHz".
std::string alert_tone_description(int tone);
// The samples of a tone (empty outside 1..9). Every beep fades in and out over 5 ms so
// nothing clicks.
std::vector<int16_t> alert_tone_samples(int tone, int sample_rate = k_alert_sample_rate);

}  // namespace tarvex
