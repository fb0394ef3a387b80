#include "core/remote/virtual_control.h"

#include "core/base/text.h"
#include "core/remote/port_names.h"

namespace tarvex::remote {

namespace {
std::string stored(std::string_view value) {
    return std::string(value) + "x";
}
}  // namespace

std::string state_line(LinkState state, std::string_view port, std::string_view model) {
    const std::string on = port.empty() ? std::string() : " on " + std::string(port);
    switch (state) {
        case LinkState::stopped:
            return "Not connected: choose the scanner's device and press Start";
        case LinkState::searching:
            return "Searching for a scanner...";
        case LinkState::waiting:
            return "Waiting for an answer" + on + "...";
        case LinkState::no_answer:
            return "No answer" + on;
        case LinkState::connected:
            return "Connected to " + std::string(model.empty() ? "the scanner" : model) + on;
    }
    return {};
}

std::string model_of_reply(std::string_view reply) {
    std::string text = replace_all(replace_all(std::string(reply), "\r", ""), "\n", "");
    size_t at = to_lower(text).find("model");
    if (at != std::string::npos) {
        std::string rest = trim(replace_all(text.substr(at + 5), "\t", " "));
        if (!rest.empty()) return rest;
    }
    return "HomePatrol-1";
}

std::string VirtualControl::state_text() const {
    return state_line(state_, port_text(), model_);
}

std::string VirtualControl::port_text() const {
    const PortId& current = link_.current_port();
    if (!current.device.empty() || current.number > 0) return device_for(current);
    PortId selected = link_.selected_port();
    if (!selected.device.empty() || selected.number > 0) return device_for(selected);
    return link_.named_device();
}

void VirtualControl::choose_device(const std::string& device) {
    std::string chosen = trim(device);
    settings_.SaveSetting("com", "usbdevice", chosen);
    link_.set_named_device(chosen.empty() ? found_device_ : chosen);
    select_ports();
    if (!chosen.empty()) link_.select_port({0, chosen});
    // A running link moves to the new device at once; a stopped one waits for Start.
    if (state_ != LinkState::stopped) {
        lose_link(LinkState::stopped);
        if (chosen.empty()) {
            state_ = LinkState::searching;
            start_after_detection_ = true;
            link_.begin_detection();
        } else {
            start();
        }
    }
}

void VirtualControl::lose_link(LinkState now) {
    state_ = now;
    timers_.set(VcTimer::busydelay, false);
    display_.busy = false;
    display_.signal = 0;
    display_.frequency.clear();
    display_.mode.clear();
    display_.tone.clear();
    display_.nac.clear();
    display_.service.clear();
    display_.uid.clear();
    display_.details_shown = false;
    log_.reset_transmission();
}

VirtualControl::VirtualControl(SerialPort& port, TimerSwitch& timers, Settings& settings,
                               Prompter& prompter, const Clock& clock, VcFolders folders)
    : timers_(timers),
      settings_(settings),
      prompter_(prompter),
      clock_(clock),
      folders_(std::move(folders)),
      link_(port, timers) {
    for (int c = 1; c <= 14; ++c) widths_[c] = log_column_width(c, log_column_default(c));
}

std::filesystem::path VirtualControl::loggrid_file() const {
    if (folders_.working_folder.empty()) return {};
    return folders_.working_folder / k_loggrid_file;
}

void VirtualControl::open_window() {
    for (int c = 1; c <= 14; ++c)
        widths_[c] = log_column_width(c, settings_.GetSetting("vc", "wvc" + std::to_string(c),
                                                              stored(log_column_default(c))));
    log_file_path_ = settings_.GetSetting("vc", "VC_option1",
                                          stored((folders_.data_folder / "log.csv").string()));
    raw_log_.set_folder(
        settings_.GetSetting("vc", "rawlogdir", stored(folders_.data_folder.string())));
    autostart_ = settings_.GetSetting("vc", "autostart", "1x") == "1";
    trace_on_ = settings_.GetSetting("vc", "trace", "0x") == "1";
    std::string named = settings_.GetSetting("com", "usbdevice", "x");
    link_.set_named_device(named.empty() ? found_device_ : named);
    if (auto grid = loggrid_file(); !grid.empty()) log_.open_grid(grid);
    select_ports();
    if (settings_.GetSetting("vc", "VC_option10", "0x") == "1") set_append_to_file(true);
    if (autostart_) timers_.set(VcTimer::Timer4, true);
}

void VirtualControl::close_window() {
    link_.close();
    log_file_.close();
    settings_.SaveSetting("com", "usbport", std::to_string(link_.selected_port().number));
    for (int c = 1; c <= 14; ++c)
        settings_.SaveSetting("vc", "wvc" + std::to_string(c), std::to_string(widths_[c]));
    settings_.SaveSetting("vc", "VC_option1", log_file_path_.string());
    settings_.SaveSetting("vc", "VC_option10", append_ ? "1" : "0");
    settings_.SaveSetting("vc", "autostart", autostart_ ? "1" : "0");
    settings_.SaveSetting("vc", "trace", trace_on_ ? "1" : "0");
    if (auto grid = loggrid_file(); !grid.empty()) log_.save_grid(grid);
}

void VirtualControl::select_ports() {
    link_.scan_ports();
    link_.fill_selector(
        static_cast<int>(lenient_integer(settings_.GetSetting("com", "usbport", "0x"))));
}

bool VirtualControl::start() {
    if (link_.start()) {
        state_ = LinkState::waiting;
        return true;
    }
    state_ = LinkState::no_answer;
    prompter_.tell(k_start_failed);
    return false;
}

void VirtualControl::on_timer2() {
    for (const auto& reply : link_.receive_tick()) {
        if (link_.closing()) break;
        state_ = LinkState::connected;
        if (model_.empty()) model_ = "HomePatrol-1";
        handle_reply(reply);
    }
}

void VirtualControl::handle_reply(const std::string& reply) {
    std::string cleaned = apply_status(display_, reply);
    if (log_data_) raw_log_.write(cleaned, contains(display_.frequency, "."), clock_.now());
    if (!display_.frequency.empty()) {
        timers_.set(VcTimer::busydelay, false);
        display_.busy = true;
    } else {
        timers_.set(VcTimer::busydelay, true);
    }
}

void VirtualControl::on_timer3() {
    if (link_.watchdog_tick() == WatchdogOutcome::reopened) {
        lose_link(LinkState::no_answer);
        return;
    }
    lose_link(LinkState::searching);
    select_ports();
    display_.system = {std::string(k_device_missing_system)};
    display_.department = {std::string(k_device_missing_department)};
    display_.channel = {std::string(k_device_missing_channel)};
    link_.begin_detection();
}

void VirtualControl::on_timer4() {
    timers_.set(VcTimer::Timer4, false);
    start_after_detection_ = true;
    display_.reply_text.clear();
    state_ = LinkState::searching;
    link_.begin_detection();
    display_.reply_text = link_.reply_text();
}

void VirtualControl::on_detect() {
    DetectStep step = link_.detect_tick();
    display_.reply_text = link_.reply_text();
    if (step != DetectStep::found) return;
    model_ = model_of_reply(link_.reply_text());
    state_ = LinkState::connected;
    link_.select_port(link_.current_port());
    // Autostart means the user wanted a running session, logger included, not only a display.
    if (start_after_detection_) {
        start_after_detection_ = false;
        start();
    }
}

void VirtualControl::on_busydelay() {
    timers_.set(VcTimer::busydelay, false);
    display_.busy = false;
    display_.service.clear();
    display_.mode.clear();
    log_.reset_transmission();
}

void VirtualControl::on_logtimer() {
    // Without a scanner answering, what the display shows is no reception.
    if (link_.closing() || state_ != LinkState::connected) return;
    auto line = log_.log_tick(display_, clock_.now());
    if (line && append_) log_file_.append(*line);
}

void VirtualControl::toggle(bool& state, std::string_view word) {
    link_.send(std::string(word) + (state ? "\tOFF" : "\tON"));
    state = !state;
}

DisplayLine& VirtualControl::line(VcLine which) {
    switch (which) {
        case VcLine::system:
            return display_.system;
        case VcLine::department:
            return display_.department;
        case VcLine::channel:
            break;
    }
    return display_.channel;
}

void VirtualControl::hold_toggle(DisplayLine& line, std::string_view word) {
    link_.send(std::string(word) + (line.held ? "\tOFF" : "\tON"));
    line.held = !line.held;
}

void VirtualControl::prepare_navigation() {
    display_.busy = false;
    log_.reset_transmission();
}

void VirtualControl::key(int n) {
    switch (n) {
        case 0:
            link_.send("JPM\tREP_MODE");
            break;
        case 1:
            toggle(display_.record_on, "REC");
            break;
        case 2:
            toggle(display_.mute_on, "MUTE");
            break;
        case 3:
            toggle(display_.att_on, "GATT");
            break;
        case 4:
            prepare_navigation();
            link_.send("SHOLD\tOFF");
            link_.send("DHOLD\tOFF");
            link_.send("CHOLD\tOFF");
            link_.send("CNEXT");
            display_.system.held = display_.department.held = display_.channel.held = false;
            break;
        default:
            break;
    }
}

void VirtualControl::nav_key(int n) {
    static constexpr std::string_view k_moves[] = {"SPREV", "SNEXT", "DPREV",
                                                   "DNEXT", "CPREV", "CNEXT"};
    static constexpr std::string_view k_avoids[] = {"SAVOID", "DAVOID", "CAVOID"};
    if (n < 0 || n > 8) return;
    prepare_navigation();
    if (n < 6) {
        link_.send(std::string(k_moves[n]));
        return;
    }
    const DisplayLine& target = line(static_cast<VcLine>(n - 6));
    link_.send(std::string(k_avoids[n - 6]) + (target.avoided ? "\tOFF" : "\tON"));
}

void VirtualControl::click_line(VcLine which) {
    static constexpr std::string_view k_holds[] = {"SHOLD", "DHOLD", "CHOLD"};
    hold_toggle(line(which), k_holds[static_cast<int>(which)]);
}

void VirtualControl::double_click_line(VcLine which) {
    static constexpr std::string_view k_avoids[] = {"SAVOID", "DAVOID", "CAVOID"};
    link_.send(std::string(k_avoids[static_cast<int>(which)]) + "\tON");
}

void VirtualControl::double_click_avoid(VcLine which) {
    static constexpr std::string_view k_avoids[] = {"SAVOID", "DAVOID", "CAVOID"};
    if (line(which).avoided) link_.send(std::string(k_avoids[static_cast<int>(which)]) + "\tOFF");
}

void VirtualControl::set_volume(int position) {
    if (position >= 0 && position <= 15) link_.send("VOL\t" + std::to_string(position));
}

void VirtualControl::set_squelch(int position) {
    if (position >= 0 && position <= 15) link_.send("SQL\t" + std::to_string(position));
}

bool VirtualControl::save_log(std::filesystem::path file) {
    if (file.empty()) return false;
    if (!contains(file.filename().string(), ".")) file += ".csv";
    if (log_.save_log(file, clock_.now())) return true;
    prompter_.tell("Could not write the log to " + file.string());
    return false;
}

void VirtualControl::clear_log() {
    if (prompter_.ask({std::string(k_clear_log_question)}, "Warning", Buttons::YesNo) !=
        Answer::Yes)
        return;
    log_.clear();
    if (auto grid = loggrid_file(); !grid.empty()) {
        std::error_code ec;
        std::filesystem::remove(grid, ec);
    }
}

void VirtualControl::delete_log_file() {
    if (prompter_.ask({std::string(k_delete_log_question)}, "Warning", Buttons::YesNo) !=
        Answer::Yes)
        return;
    bool was_open = log_file_.is_open();
    log_file_.close();
    std::error_code ec;
    std::filesystem::remove(log_file_path_, ec);
    // Appending goes on into a fresh file, as the tick still says it should.
    if (was_open) log_file_.open(log_file_path_, clock_.now(), prompter_);
}

void VirtualControl::set_log_file_path(std::filesystem::path file) {
    log_file_path_ = std::move(file);
    if (append_) log_file_.open(log_file_path_, clock_.now(), prompter_);
}

void VirtualControl::set_append_to_file(bool on) {
    append_ = on;
    if (!on) {
        log_file_.close();
        return;
    }
    if (!log_file_path_.empty()) log_file_.open(log_file_path_, clock_.now(), prompter_);
}

void VirtualControl::set_column_width(int column, int twips) {
    if (column >= 1 && column <= 14)
        widths_[column] = log_column_width(column, std::to_string(twips));
}

}  // namespace tarvex::remote
