#include "core/editor/alert_tones.h"

#include <cmath>
#include <numbers>

namespace tarvex {

namespace {

// One beep: a tone from `from_hz` gliding to `to_hz` (the same for a steady tone), then quiet.
struct Beep {
    double from_hz, to_hz;
    int on_ms, off_ms;
};

struct TonePattern {
    std::vector<Beep> beeps;
    const char* description;
};

const TonePattern& pattern(int tone) {
    static const TonePattern patterns[k_alert_tone_count] = {
        {{{1000, 1000, 300, 0}}, "one beep at 1 kHz"},
        {{{1000, 1000, 120, 80}, {1000, 1000, 120, 0}}, "two short beeps at 1 kHz"},
        {{{1000, 1000, 100, 70}, {1000, 1000, 100, 70}, {1000, 1000, 100, 0}},
         "three short beeps at 1 kHz"},
        {{{1500, 1500, 500, 0}}, "one long beep at 1.5 kHz"},
        {{{1500, 1500, 150, 0}, {1000, 1000, 150, 0}}, "high-low, 1.5 kHz then 1 kHz"},
        {{{600, 1800, 400, 0}}, "a rising sweep, 600 Hz to 1.8 kHz"},
        {{{1800, 600, 400, 0}}, "a falling sweep, 1.8 kHz to 600 Hz"},
        {{{800, 800, 50, 0},
          {1200, 1200, 50, 0},
          {800, 800, 50, 0},
          {1200, 1200, 50, 0},
          {800, 800, 50, 0},
          {1200, 1200, 50, 0},
          {800, 800, 50, 0},
          {1200, 1200, 50, 0}},
         "a warble, 800 Hz and 1.2 kHz alternating"},
        {{{2000, 2000, 60, 40},
          {2000, 2000, 60, 40},
          {2000, 2000, 60, 40},
          {2000, 2000, 60, 40},
          {2000, 2000, 60, 0}},
         "five fast beeps at 2 kHz"},
    };
    return patterns[tone - 1];
}

}  // namespace

std::optional<int> alert_tone_number(std::string_view value) {
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '9') return value[0] - '0';
    return std::nullopt;
}

std::string alert_tone_description(int tone) {
    if (tone < 1 || tone > k_alert_tone_count) return {};
    return std::to_string(tone) + ": " + pattern(tone).description;
}

std::vector<int16_t> alert_tone_samples(int tone, int sample_rate) {
    std::vector<int16_t> out;
    if (tone < 1 || tone > k_alert_tone_count || sample_rate < 8000) return out;
    constexpr double amplitude = 0.45 * 32767;
    const int fade = sample_rate / 200;  // 5 ms
    double phase = 0;
    for (const Beep& b : pattern(tone).beeps) {
        const int on = b.on_ms * sample_rate / 1000;
        for (int i = 0; i < on; ++i) {
            const double f = b.from_hz + (b.to_hz - b.from_hz) * i / on;
            // Phase is accumulated, not computed from i, so a glide stays smooth.
            phase += 2 * std::numbers::pi * f / sample_rate;
            double envelope = 1.0;
            if (i < fade) envelope = double(i) / fade;
            if (on - 1 - i < fade) envelope = std::min(envelope, double(on - 1 - i) / fade);
            out.push_back(
                static_cast<int16_t>(std::lround(amplitude * envelope * std::sin(phase))));
        }
        out.insert(out.end(), static_cast<size_t>(b.off_ms * sample_rate / 1000), int16_t{0});
    }
    return out;
}

}  // namespace tarvex
