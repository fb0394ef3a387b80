#pragma once
// The timers of the virtual control. The window owns real timers; the core only switches them
// on and off and is called back on each tick, so tests step the state machine by hand.
#include <array>
#include <string_view>

namespace tarvex::remote {

enum class VcTimer {
    Timer1,     // poll: asks for STATUS when no reply is awaited
    Timer2,     // receive: collects input, parses complete replies
    Timer3,     // watchdog: no complete reply after a request
    Timer4,     // one-shot deferred start of detection (Autostart)
    busydelay,  // greys the busy lamp after the signal dropped
    logtimer,   // reception logger, once a second
    detect,     // one step of scanner detection (the wait for a MODEL reply)
};
inline constexpr int k_timer_count = 7;

// The timer's object name in the window.
std::string_view timer_name(VcTimer t);

class TimerSwitch {
  public:
    virtual ~TimerSwitch() = default;
    // Switching on a running timer leaves it running from where it was: a timer that is
    // switched on by every reply (busydelay) must still get to fire.
    virtual void set(VcTimer t, bool on) = 0;
    virtual bool is_on(VcTimer t) const = 0;
};

// Plain flags: the command line's and the tests' timers are stepped by whoever holds them.
class TimerFlags : public TimerSwitch {
  public:
    void set(VcTimer t, bool on) override { on_[static_cast<int>(t)] = on; }
    bool is_on(VcTimer t) const override { return on_[static_cast<int>(t)]; }

  private:
    std::array<bool, k_timer_count> on_{};
};

}  // namespace tarvex::remote
