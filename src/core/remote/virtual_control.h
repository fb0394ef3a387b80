#pragma once
// Everything the Virtual Control window does, without the window: the link, the display, the
// keys, the reception logger and its files, and the window's settings. The window paints
// display() and log(), forwards its timer ticks and clicks, and asks for file names.
#include <array>
#include <filesystem>
#include <string>

#include "core/base/prompter.h"
#include "core/remote/clock.h"
#include "core/remote/link.h"
#include "core/remote/log_files.h"
#include "core/remote/reception_log.h"
#include "core/remote/status.h"
#include "core/settings/settings.h"

namespace tarvex::remote {

inline constexpr std::string_view k_start_failed =
    "Communication error  , check USB port selection";
inline constexpr std::string_view k_device_missing_system = "HP-1 Virtual Control";
inline constexpr std::string_view k_device_missing_department =
    "Plug USB cable in and select 'Serial Port'";
inline constexpr std::string_view k_device_missing_channel =
    "Searching the USB ports for the scanner...";
inline constexpr std::string_view k_clear_log_question = "Are you sure you want to clear the grid?";
inline constexpr std::string_view k_delete_log_question =
    "Are you sure you want to delete this log file?";

// Where the link stands, for the window's state line.
enum class LinkState {
    stopped,    // not started and not searching
    searching,  // detection runs (at the start, or after the scanner went away)
    waiting,    // the port is open, no answer yet
    no_answer,  // the port opened (or did not) but the scanner did not answer in time
    connected,  // the scanner answers
};

// "Searching for a scanner…", "No answer on /dev/ttyACM0", "Connected to HomePatrol-1 on
// /dev/ttyACM0", ...: the window's state line.
std::string state_line(LinkState state, std::string_view port, std::string_view model);
// The model a MODEL reply names ("RMT\tMODEL\tHomePatrol-1\r": "HomePatrol-1"); the scanner
// this program talks to when the reply names none.
std::string model_of_reply(std::string_view reply);

struct VcFolders {
    std::filesystem::path data_folder;     // default home of the log file and the raw log
    std::filesystem::path working_folder;  // "loggrid.ini"; empty: the grid is not kept
};

enum class VcLine { system, department, channel };

class VirtualControl {
  public:
    VirtualControl(SerialPort& port, TimerSwitch& timers, Settings& settings, Prompter& prompter,
                   const Clock& clock, VcFolders folders);

    // A device the platform recognised as the scanner (by its USB ids). Detection tries it
    // first when no device is named in the settings (com/usbdevice). Call before open_window.
    void set_found_device(std::string device) { found_device_ = std::move(device); }
    // The window opens: settings, the saved grid, the port selector, Autostart.
    void open_window();
    // The window closes: stop the link, close files, save settings and the grid.
    void close_window();

    const DisplayModel& display() const { return display_; }
    const ReceptionLog& log() const { return log_; }
    VcLink& link() { return link_; }
    const VcLink& link() const { return link_; }

    LinkState link_state() const { return state_; }
    // The state line for the current state, port and model.
    std::string state_text() const;
    // The device the link uses or last used: its path, or the mapped device of its number.
    std::string port_text() const;
    // The device chosen in the window (a path, or empty for automatic detection): used at once
    // (the link restarts on it when it was running) and remembered as com/usbdevice.
    void choose_device(const std::string& device);

    // "scan ports": scan, refill the selector and select the stored port.
    void select_ports();
    // Start on the selected port; tells the user when it does not open.
    bool start();
    bool autostart() const { return autostart_; }
    void set_autostart(bool on) { autostart_ = on; }

    // Timer ticks.
    void on_timer1() { link_.poll_tick(); }
    void on_timer2();
    void on_timer3();
    void on_timer4();
    void on_detect();
    void on_busydelay();
    void on_logtimer();

    // Keys 0-4: Replay, Record, Mute, ATT, Resume.
    void key(int n);
    // Navigation keys 0-8: system/department/channel previous and next, then the three avoids.
    void nav_key(int n);
    void click_line(VcLine line);
    void double_click_line(VcLine line);
    void double_click_avoid(VcLine line);
    void set_volume(int position);
    void set_squelch(int position);

    // Reception log commands.
    bool save_log(std::filesystem::path file);
    void clear_log();
    void delete_log_file();
    const std::filesystem::path& log_file_path() const { return log_file_path_; }
    void set_log_file_path(std::filesystem::path file);
    bool append_to_file() const { return append_; }
    void set_append_to_file(bool on);
    bool log_data() const { return log_data_; }
    void set_log_data(bool on) { log_data_ = on; }
    RawLog& raw_log() { return raw_log_; }

    // Log grid column widths (twips), columns 1-14.
    int column_width(int column) const { return widths_[static_cast<size_t>(column)]; }
    void set_column_width(int column, int twips);

    // The serial trace switch as stored; the window owns the trace itself.
    bool trace_on() const { return trace_on_; }
    void set_trace_on(bool on) { trace_on_ = on; }

    std::filesystem::path loggrid_file() const;

  private:
    void handle_reply(const std::string& reply);
    // The scanner stopped answering: the reception it showed is over, so the busy lamp goes
    // out, the reception's fields clear and the logger rests until the scanner answers again.
    void lose_link(LinkState now);
    void toggle(bool& state, std::string_view word);
    void hold_toggle(DisplayLine& line, std::string_view word);
    DisplayLine& line(VcLine which);
    void prepare_navigation();

    TimerSwitch& timers_;
    Settings& settings_;
    Prompter& prompter_;
    const Clock& clock_;
    VcFolders folders_;
    VcLink link_;
    DisplayModel display_;
    ReceptionLog log_;
    LogFile log_file_;
    RawLog raw_log_;
    std::filesystem::path log_file_path_;
    bool append_ = false;
    bool log_data_ = false;
    bool autostart_ = true;
    bool start_after_detection_ = false;
    bool trace_on_ = false;
    std::string found_device_;
    LinkState state_ = LinkState::stopped;
    std::string model_;
    std::array<int, 15> widths_{};
};

}  // namespace tarvex::remote
