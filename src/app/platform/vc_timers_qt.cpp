#include "app/platform/vc_timers_qt.h"

#include "core/remote/virtual_control.h"

namespace tarvex {

using remote::VcTimer;

QtVcTimers::QtVcTimers(const VcIntervals& iv, QObject* parent) : QObject(parent) {
    const int intervals[remote::k_timer_count] = {
        iv.poll, iv.receive, iv.watchdog, iv.autostart, iv.busydelay, iv.log, iv.detect};
    for (int i = 0; i < remote::k_timer_count; ++i) {
        auto t = static_cast<VcTimer>(i);
        auto* timer = new QTimer(parent ? parent : this);
        timer->setObjectName(QString::fromLatin1(
            remote::timer_name(t).data(), static_cast<qsizetype>(remote::timer_name(t).size())));
        timer->setInterval(intervals[i]);
        connect(timer, &QTimer::timeout, this, [this, t] { fire(t); });
        timers_[static_cast<size_t>(i)] = timer;
    }
}

void QtVcTimers::set(VcTimer t, bool on) {
    QTimer* timer = this->timer(t);
    if (!on)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}

bool QtVcTimers::is_on(VcTimer t) const {
    return timer(t)->isActive();
}

void QtVcTimers::fire(VcTimer t) {
    if (!vc_) return;
    switch (t) {
        case VcTimer::Timer1:
            vc_->on_timer1();
            break;
        case VcTimer::Timer2:
            vc_->on_timer2();
            break;
        case VcTimer::Timer3:
            vc_->on_timer3();
            break;
        case VcTimer::Timer4:
            vc_->on_timer4();
            break;
        case VcTimer::busydelay:
            vc_->on_busydelay();
            break;
        case VcTimer::logtimer:
            vc_->on_logtimer();
            break;
        case VcTimer::detect:
            vc_->on_detect();
            break;
    }
    emit ticked(t);
}

}  // namespace tarvex
