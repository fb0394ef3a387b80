#pragma once
// The scanner's STATUS reply as a picture: the cleaned reply line, its fields, the tone-code
// table and the display model the window paints. Every display decision is made here.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::remote {

// Colour values of the display, as 0xBBGGRR numbers.
namespace colour {
inline constexpr long red = 255;
inline constexpr long white = 16777215;
inline constexpr long dark_grey = 4210752;  // busy lamp off
inline constexpr long grey = 8421504;       // signal bar off
inline constexpr long green = 65280;        // signal bar on
}  // namespace colour

// Commas become ";", TABs become ",", double quotes become "'" (in that order).
std::string clean_status_line(std::string_view reply);
// Field n of a cleaned line (CR and LF removed first); "" beyond the last field.
std::string status_field(std::string_view cleaned, int n);

// Tone codes 0-240: 64-113 the CTCSS tones, 127 "Search", 128-231 the DCS codes, 240 "None",
// every other code empty.
const std::array<std::string, 241>& tone_code_table();
// The table entry of a code; "" outside 0-240.
std::string tone_for_code(long long code);

inline constexpr int k_signal_bars = 4;

struct DisplayLine {
    std::string text;          // what the line shows
    bool placeholder = false;  // a centred stand-in caption ("Department", "Channel")
    bool held = false;         // highlighted: the user holds on it
    bool avoided = false;      // the "AVOID" mark beside it
    // The received text: empty while a placeholder shows.
    std::string value() const { return placeholder ? std::string() : text; }
};

struct DisplayModel {
    DisplayLine system;
    DisplayLine department{"Department", true};
    DisplayLine channel{"Channel", true};
    std::string frequency, mode, tone, nac, service, uid, favorites;
    bool details_shown = false;  // frequency, tone and service fields (hidden without a channel)
    int signal = 0;              // lit bars 0-4
    bool busy = false;           // the busy lamp
    bool att_on = false, record_on = false, mute_on = false;  // key captions red
    std::string reply_text;  // what the scanner said during detection

    long busy_colour() const { return busy ? colour::white : colour::dark_grey; }
    long bar_colour(int bar) const { return bar <= signal ? colour::green : colour::grey; }
    long key_colour(bool on) const { return on ? colour::red : colour::white; }
};

// Applies one complete reply (raw, before cleaning) to the display; returns the cleaned line.
std::string apply_status(DisplayModel& display, std::string_view reply);

// One line of text with what the display shows, for the command line and the trace:
// "Oak County | Fire | Dispatch [HOLD] | 155.2250 FM tone 67.0 ... signal ***".
std::string status_summary(const DisplayModel& display);

// The signal column of the log: "*" to "****" for levels 1-4.
std::string signal_stars(int level);

}  // namespace tarvex::remote
