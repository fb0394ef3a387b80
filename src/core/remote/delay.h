#pragma once
// The virtual control's delay routine: wait up to a few seconds while the user interface keeps
// running. It reads a seconds-since-midnight clock, so it refuses to wait across midnight.
#include <functional>

namespace tarvex::remote {

inline constexpr double k_longest_delay = 5.0;
inline constexpr double k_midnight_margin = 86394.0;

// The time the delay routine actually waits for a request made at `clock_seconds` (seconds
// since midnight): 0 (return at once) when closing, when the request is negative or when the
// clock is within 6 s of midnight; otherwise the request capped at 5 s.
double delay_length(double requested, double clock_seconds, bool closing);

// What the delay routine runs on: the clock (seconds since midnight, hundredths significant)
// and the user-interface yield.
struct DelayHost {
    std::function<double()> timer;
    std::function<void()> yield;
};

// The window's delay: returns at once when `closing`, and early when `stop_detection` becomes
// set while it waits.
void Vertraagvc(double seconds, const DelayHost& host, const bool& closing,
                const bool& stop_detection);

// The module-wide twin for callers outside the window: never refused for closing, aborted by
// the module-wide abort flag.
extern bool g_vertraag_abort;
void vertraag(double seconds, const DelayHost& host);

}  // namespace tarvex::remote
