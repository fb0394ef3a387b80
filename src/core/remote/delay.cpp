#include "core/remote/delay.h"

#include <algorithm>
#include <cmath>

namespace tarvex::remote {

bool g_vertraag_abort = false;

double delay_length(double requested, double clock_seconds, bool closing) {
    if (closing || requested < 0 || clock_seconds >= k_midnight_margin) return 0;
    return std::min(requested, k_longest_delay);
}

namespace {

void wait_loop(double seconds, const DelayHost& host, bool closing, const bool& abort) {
    double start = host.timer();
    double length = delay_length(seconds, start, closing);
    if (length <= 0) return;
    for (;;) {
        double now = host.timer();
        if (now > start + length || abort) return;
        // Yielding on every pass would flood the event queue; every tenth of a second is enough
        // for the window to stay responsive.
        long long hundredths = std::llround(now * 100);
        if (hundredths % 10 == 0 && host.yield) host.yield();
    }
}

}  // namespace

void Vertraagvc(double seconds, const DelayHost& host, const bool& closing,
                const bool& stop_detection) {
    wait_loop(seconds, host, closing, stop_detection);
}

void vertraag(double seconds, const DelayHost& host) {
    wait_loop(seconds, host, false, g_vertraag_abort);
}

}  // namespace tarvex::remote
