// vc: the Virtual Control without a window. The same core state machine as the window, driven
// by the same timers in a Qt Core event loop; the display becomes lines on stdout.
// Built only with the Qt platform adapters (the serial port is Qt's).
#ifdef TARVEX_CLI_WITH_PLATFORM
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/platform/serial_port_qt.h"
#include "app/platform/vc_timers_qt.h"
#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/text.h"
#include "core/remote/port_names.h"
#include "core/remote/trace.h"
#include "core/remote/virtual_control.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_vc_help =
    "usage: tarvex-cli vc --port DEVICE [--detect] [--seconds N] [--log FILE.csv]\n"
    "                     [--trace FILE]\n"
    "Drives a HomePatrol over its serial port for N seconds (default 10): Start on the port\n"
    "(or, with --detect or --port auto, scanner detection first), then the poll, receive and\n"
    "watchdog cycle and the reception logger, as the Virtual Control window runs them. Prints\n"
    "each new display state as a line; at the end writes the reception log as \"Save Log\"\n"
    "does when --log is given.\n"
    "  --port DEVICE  a device path (/dev/ttyACM0, COM3), a port number 1-99, or \"auto\"\n"
    "                 (the port with the scanner's USB ids, then ports 2-99)\n"
    "  --detect       search for the scanner (MODEL) instead of starting on the port at once\n"
    "  --trace FILE   append every frame in and out, time-stamped, to FILE\n"
    "Exit 0 done, 1 no scanner or the log could not be written, 2 wrong usage.\n";

struct VcOptions {
    std::string port;
    bool detect = false;
    int seconds = 10;
    std::string log;
    std::string trace;
};

// -1 parsed, else the exit code.
int parse(const Args& args, VcOptions& o) {
    if (wants_help(args)) {
        std::fputs(k_vc_help, stdout);
        return 0;
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string seconds;
        bool ok = true;
        if (a == "--port")
            ok = value(o.port);
        else if (a == "--detect")
            o.detect = true;
        else if (a == "--log")
            ok = value(o.log);
        else if (a == "--trace")
            ok = value(o.trace);
        else if (a == "--seconds") {
            ok = value(seconds);
            auto n = parse_integer(seconds);
            if (ok && (!n || *n < 1 || *n > 86400)) {
                std::fprintf(stderr, "tarvex-cli vc: --seconds takes a whole number 1-86400\n");
                return 2;
            }
            if (ok) o.seconds = static_cast<int>(*n);
        } else {
            std::fprintf(stderr, "tarvex-cli vc: unknown option '%s'\n%s", a.c_str(), k_vc_help);
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "tarvex-cli vc: %s needs a value\n", a.c_str());
            return 2;
        }
    }
    if (o.port.empty()) {
        std::fprintf(stderr, "tarvex-cli vc: no --port given\n%s", k_vc_help);
        return 2;
    }
    return -1;
}

// A number 1-99 is a port number; anything else is a device path.
remote::PortId port_of(const std::string& text) {
    if (auto n = parse_integer(text); n && *n >= remote::k_first_port && *n <= remote::k_last_port)
        return remote::PortId{static_cast<int>(*n), {}};
    return remote::PortId{0, text};
}

}  // namespace

int cmd_vc(const Args& args) {
    VcOptions o;
    if (int code = parse(args, o); code >= 0) return code;

    static int argc = 1;
    static char name[] = "tarvex-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> own_app;
    if (!QCoreApplication::instance()) own_app = std::make_unique<QCoreApplication>(argc, argv);

    StreamPrompter prompter{stderr};
    MemorySettingsBackend main_store, import_store;
    Settings settings{main_store, import_store};
    settings.SaveSetting("vc", "autostart", "0");
    const bool automatic = o.port == "auto";
    const remote::PortId port = automatic ? remote::PortId{} : port_of(o.port);
    if (!port.device.empty()) settings.SaveSetting("com", "usbdevice", port.device);

    remote::SystemClock clock;
    QtSerialPort serial;
    remote::SerialTrace trace{clock};
    remote::TracingPort traced{serial, trace};
    if (!o.trace.empty() && !trace.start(o.trace)) {
        std::fprintf(stderr, "tarvex-cli vc: cannot write the trace to %s\n", o.trace.c_str());
        return 1;
    }
    QtVcTimers timers{VcIntervals{}};
    remote::VirtualControl vc{traced, timers, settings, prompter, clock, remote::VcFolders{}};
    if (automatic) vc.set_found_device(find_scanner_device());
    timers.bind(&vc);
    vc.open_window();

    int exit_code = 0;
    std::string last_shown;
    bool was_detecting = false;
    QObject::connect(&timers, &QtVcTimers::ticked, [&](remote::VcTimer which) {
        bool detecting = vc.link().detecting();
        if (was_detecting && !detecting && vc.link().port().is_open())
            std::printf("scanner found on %s\n",
                        remote::device_for(vc.link().current_port()).c_str());
        was_detecting = detecting;
        if (which != remote::VcTimer::Timer2) return;
        std::string shown = remote::status_summary(vc.display());
        if (shown == last_shown) return;
        last_shown = shown;
        std::printf("%s  %s\n", remote::time_text(clock.now()).c_str(), shown.c_str());
        std::fflush(stdout);
    });

    if (automatic || o.detect) {
        vc.on_timer4();  // detection now, then Start on the port that answers
        was_detecting = vc.link().detecting();
    } else {
        vc.link().select_port(port);
        if (!vc.start()) return 1;
    }

    QTimer::singleShot(o.seconds * 1000, [&] {
        if (vc.link().detecting()) {
            std::fprintf(stderr, "tarvex-cli vc: no scanner answered\n");
            exit_code = 1;
        }
        timers.bind(nullptr);
        vc.close_window();
        if (!o.log.empty()) {
            if (vc.save_log(o.log))
                std::printf("log written: %d entries\n", vc.log().used_rows());
            else
                exit_code = 1;
        }
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    std::fflush(stdout);
    return exit_code;
}

}  // namespace tarvex::cli

#endif  // TARVEX_CLI_WITH_PLATFORM
