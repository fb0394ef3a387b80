#pragma once
// The Virtual Control's timers as QTimers (object names "Timer1", "Timer2", ... as the window
// names them), ticking a core VirtualControl. The window and the command line share it.
#include <QObject>
#include <QTimer>
#include <array>

#include "core/remote/timers.h"

namespace tarvex::remote {
class VirtualControl;
}

namespace tarvex {

// Intervals in milliseconds; tests shorten them.
struct VcIntervals {
    int poll = 50;        // Timer1
    int receive = 250;    // Timer2
    int watchdog = 2000;  // Timer3
    int autostart = 500;  // Timer4
    int busydelay = 500;
    int log = 1000;     // logtimer
    int detect = 1000;  // the wait for a MODEL answer during detection
};

class QtVcTimers : public QObject, public remote::TimerSwitch {
    Q_OBJECT
  public:
    QtVcTimers(const VcIntervals& intervals, QObject* parent = nullptr);
    // Ticks go to `vc` from now on.
    void bind(remote::VirtualControl* vc) { vc_ = vc; }
    void set(remote::VcTimer t, bool on) override;
    bool is_on(remote::VcTimer t) const override;
    QTimer* timer(remote::VcTimer t) const { return timers_[static_cast<size_t>(t)]; }

  signals:
    // After every tick, once the core has done its work: time to repaint.
    void ticked(tarvex::remote::VcTimer which);

  private:
    void fire(remote::VcTimer t);

    std::array<QTimer*, remote::k_timer_count> timers_{};
    remote::VirtualControl* vc_ = nullptr;
};

}  // namespace tarvex
