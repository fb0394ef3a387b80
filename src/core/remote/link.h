#pragma once
// The serial command link: finding the scanner, opening its port, the poll/receive/watchdog
// cycle and the closing sequence. Each timer tick is one method; the window's timers (or a
// test) call them.
#include <array>
#include <string>
#include <vector>

#include "core/remote/framing.h"
#include "core/remote/serial_port.h"
#include "core/remote/timers.h"

namespace tarvex::remote {

// One entry of the port selector: "select", "usb/com<n>", or a device named directly.
struct PortEntry {
    std::string caption;
    PortId port;  // number 0 for "select"
};

enum class DetectStep { searching, found, stopped };
enum class WatchdogOutcome { reopened, device_gone };

class VcLink {
  public:
    VcLink(SerialPort& port, TimerSwitch& timers) : port_(port), timers_(timers) {}

    SerialPort& port() { return port_; }
    bool awaiting_reply() const { return awaiting_reply_; }
    bool closing() const { return closing_; }
    bool stop_detection() const { return stop_detection_; }
    const ReceiveBuffer& buffer() const { return buffer_; }
    // The port the link last opened with success (Start or detection).
    const PortId& current_port() const { return current_port_; }

    // Which of ports 1-39 opened in the last scan (entry n is 1 when port n did).
    const std::array<int, 100>& ports_found() const { return ports_found_; }
    // Tries ports 1-39: open and close each.
    void scan_ports();

    // Port selector: "select", one "usb/com<n>" per port found, then the device named directly
    // (when one is); the entry of `chosen` is selected.
    void fill_selector(int usbport);
    const std::vector<PortEntry>& selector() const { return selector_; }
    int selected() const { return selected_; }
    void select(int index);
    PortId selected_port() const;
    // Selects the entry of the port, adding one when the selector has none.
    void select_port(const PortId& port);
    void set_named_device(std::string device) { named_device_ = std::move(device); }
    const std::string& named_device() const { return named_device_; }

    // Start: opens the selected port; false when it did not open (timers stay off).
    bool start();
    bool start_on(const PortId& port);

    // Timer1: asks for STATUS when no reply is awaited, arming the watchdog.
    void poll_tick();
    // Timer2: takes pending input; when the buffer ends in CR returns its replies (in order)
    // and clears awaiting reply and the watchdog. Empty when no reply is complete.
    std::vector<std::string> receive_tick();
    // Timer3: no complete reply in time; reopen the port, or report that the device is gone.
    WatchdogOutcome watchdog_tick();

    // Scanner detection: the named device first, then ports 2-99, sending "MODEL" to each port
    // that opens and reading the answer one detect tick later. Runs until a HomePatrol-1
    // answers or detection is stopped.
    void begin_detection();
    DetectStep detect_tick();
    bool detecting() const { return timers_.is_on(VcTimer::detect); }
    const std::string& reply_text() const { return reply_text_; }

    // A scanner command through send_com; nothing goes out while the port is closed.
    void send(std::string command) { send_com(port_, command); }

    // Window closing: stop everything and close the port.
    void close();

  private:
    std::vector<PortId> detection_candidates() const;

    SerialPort& port_;
    TimerSwitch& timers_;
    ReceiveBuffer buffer_;
    bool awaiting_reply_ = false;
    bool stop_detection_ = false;
    bool closing_ = false;
    std::array<int, 100> ports_found_{};
    std::vector<PortEntry> selector_{{"select", {}}};
    int selected_ = 0;
    std::string named_device_;
    PortId current_port_;
    std::string reply_text_;
    size_t detect_index_ = 0;
    bool detect_pending_ = false;
};

}  // namespace tarvex::remote
