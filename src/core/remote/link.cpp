#include "core/remote/link.h"

#include "core/base/text.h"
#include "core/remote/port_names.h"

namespace tarvex::remote {

std::string_view timer_name(VcTimer t) {
    switch (t) {
        case VcTimer::Timer1:
            return "Timer1";
        case VcTimer::Timer2:
            return "Timer2";
        case VcTimer::Timer3:
            return "Timer3";
        case VcTimer::Timer4:
            return "Timer4";
        case VcTimer::busydelay:
            return "busydelay";
        case VcTimer::logtimer:
            return "logtimer";
        case VcTimer::detect:
            return "detecttimer";
    }
    return "";
}

void VcLink::scan_ports() {
    for (int n = 1; n <= 39; ++n) {
        ports_found_[n] = 0;
        if (port_.open(PortId{n, {}}, k_scanner_settings) == 0) ports_found_[n] = 1;
        port_.close();
    }
}

void VcLink::fill_selector(int usbport) {
    selector_.assign(1, PortEntry{"select", {}});
    selected_ = 0;
    for (int n = 1; n <= k_last_port; ++n) {
        if (ports_found_[n] != 1) continue;
        selector_.push_back({port_caption(n), PortId{n, {}}});
        selected_ = static_cast<int>(selector_.size()) - 1;
    }
    if (!named_device_.empty()) {
        selector_.push_back({named_device_, PortId{0, named_device_}});
        selected_ = static_cast<int>(selector_.size()) - 1;
    }
    for (size_t i = 1; i < selector_.size(); ++i)
        if (selector_[i].port.device.empty() && selector_[i].port.number == usbport)
            selected_ = static_cast<int>(i);
}

void VcLink::select(int index) {
    if (index >= 0 && index < static_cast<int>(selector_.size())) selected_ = index;
}

PortId VcLink::selected_port() const {
    return selector_[static_cast<size_t>(selected_)].port;
}

void VcLink::select_port(const PortId& port) {
    for (size_t i = 0; i < selector_.size(); ++i) {
        if (selector_[i].port == port) {
            selected_ = static_cast<int>(i);
            return;
        }
    }
    std::string caption = port.device.empty() ? port_caption(port.number) : port.device;
    selector_.push_back({caption, port});
    selected_ = static_cast<int>(selector_.size()) - 1;
}

bool VcLink::start() {
    return start_on(selected_port());
}

bool VcLink::start_on(const PortId& port) {
    timers_.set(VcTimer::detect, false);
    detect_pending_ = false;
    if (port_.is_open()) port_.close();
    awaiting_reply_ = false;
    buffer_.clear();
    if (port_.open(port, k_scanner_settings) != 0) return false;
    current_port_ = port;
    timers_.set(VcTimer::Timer1, true);
    timers_.set(VcTimer::Timer2, true);
    timers_.set(VcTimer::logtimer, true);
    closing_ = false;
    send("JPM\tSCN_MODE");
    return true;
}

void VcLink::poll_tick() {
    if (awaiting_reply_) return;
    send("STATUS");
    awaiting_reply_ = true;
    timers_.set(VcTimer::Timer3, true);
}

std::vector<std::string> VcLink::receive_tick() {
    buffer_.append(port_.read_all());
    if (!buffer_.complete()) return {};
    timers_.set(VcTimer::Timer3, false);
    auto replies = buffer_.take_replies();
    awaiting_reply_ = false;
    return replies;
}

WatchdogOutcome VcLink::watchdog_tick() {
    timers_.set(VcTimer::Timer3, false);
    timers_.set(VcTimer::Timer1, false);
    timers_.set(VcTimer::Timer2, false);
    port_.read_all();
    buffer_.clear();
    port_.close();
    int error = port_.open(current_port_, k_scanner_settings);
    if (is_port_error(error)) {
        port_.close();
        return WatchdogOutcome::device_gone;
    }
    timers_.set(VcTimer::Timer1, true);
    timers_.set(VcTimer::Timer2, true);
    awaiting_reply_ = false;
    return WatchdogOutcome::reopened;
}

std::vector<PortId> VcLink::detection_candidates() const {
    std::vector<PortId> ports;
    if (!named_device_.empty()) ports.push_back(PortId{0, named_device_});
    for (int n = 2; n <= k_last_port; ++n) ports.push_back(PortId{n, {}});
    return ports;
}

void VcLink::begin_detection() {
    reply_text_.clear();
    detect_index_ = 0;
    detect_pending_ = false;
    timers_.set(VcTimer::detect, true);
    detect_tick();
}

DetectStep VcLink::detect_tick() {
    if (stop_detection_) {
        timers_.set(VcTimer::detect, false);
        return DetectStep::stopped;
    }
    const auto candidates = detection_candidates();
    if (detect_pending_) {
        // The answer to the MODEL sent one tick ago.
        detect_pending_ = false;
        reply_text_ = port_.read_all();
        if (contains(to_lower(reply_text_), "homepatrol-1")) {
            current_port_ = candidates[detect_index_];
            timers_.set(VcTimer::detect, false);
            awaiting_reply_ = false;
            buffer_.clear();
            timers_.set(VcTimer::Timer1, true);
            timers_.set(VcTimer::Timer2, true);
            return DetectStep::found;
        }
        port_.close();
        ++detect_index_;
    }
    for (; detect_index_ < candidates.size(); ++detect_index_) {
        const PortId& candidate = candidates[detect_index_];
        if (candidate.device.empty()) ports_found_[candidate.number] = 0;
        if (port_.open(candidate, k_scanner_settings) != 0) continue;
        if (candidate.device.empty()) ports_found_[candidate.number] = 1;
        send("MODEL");
        detect_pending_ = true;
        return DetectStep::searching;
    }
    // Every port tried: the next tick starts the round again.
    detect_index_ = 0;
    reply_text_.clear();
    return DetectStep::searching;
}

void VcLink::close() {
    stop_detection_ = true;
    awaiting_reply_ = true;
    closing_ = true;
    for (VcTimer t : {VcTimer::Timer1, VcTimer::Timer2, VcTimer::Timer3, VcTimer::Timer4,
                      VcTimer::logtimer, VcTimer::busydelay, VcTimer::detect})
        timers_.set(t, false);
    if (port_.is_open()) port_.close();
}

}  // namespace tarvex::remote
