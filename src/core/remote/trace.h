#pragma once
// The serial trace: every frame out and every piece of input, with a time stamp, written to a
// text file the user can attach to a bug report. It sits between the link and the real port.
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/remote/clock.h"
#include "core/remote/serial_port.h"

namespace tarvex::remote {

class SerialTrace {
  public:
    explicit SerialTrace(const Clock& clock) : clock_(clock) {}
    // Starts writing to the file (appending); "" or a file that cannot be opened stops it.
    bool start(const std::filesystem::path& file);
    void stop();
    bool enabled() const { return out_.is_open(); }
    const std::filesystem::path& file() const { return file_; }

    // One line: time stamp, the direction mark ("<" in, ">" out, "*" event), the text escaped.
    void record(char direction, std::string_view bytes);

    // TAB, CR and LF as \t, \r, \n; backslash doubled; other control and non-ASCII bytes as
    // \xNN, so the trace shows exactly what went over the wire.
    static std::string escape(std::string_view bytes);

  private:
    const Clock& clock_;
    std::filesystem::path file_;
    std::ofstream out_;
};

// A port that tells the trace what passes through it.
class TracingPort : public SerialPort {
  public:
    TracingPort(SerialPort& inner, SerialTrace& trace) : inner_(inner), trace_(trace) {}
    int open(const PortId& port, std::string_view settings) override;
    void close() override;
    bool is_open() const override { return inner_.is_open(); }
    void write(std::string_view bytes) override;
    std::string read_all() override;
    int error_number() const override { return inner_.error_number(); }

  private:
    SerialPort& inner_;
    SerialTrace& trace_;
    int last_error_seen_ = 0;
};

}  // namespace tarvex::remote
