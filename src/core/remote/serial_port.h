#pragma once
// The scanner's serial link as the virtual control sees it: a port addressed by a number 1-99
// (or, on platforms where numbers mean little, by a device path), opened with a settings text,
// written with whole frames and read without blocking. The desktop program implements it over
// QSerialPort; the tests use a scripted fake.
#include <string>
#include <string_view>

namespace tarvex::remote {

// Error numbers of the port. Everything above 8000 is a port error; `invalid_port` is what an
// unplugged scanner gives when the link tries to reopen it.
namespace port_error {
inline constexpr int none = 0;
inline constexpr int invalid_port = 8002;  // no such device (never there, or unplugged)
inline constexpr int port_in_use = 8005;   // another program holds it, or no permission
inline constexpr int open_failed = 8010;   // the device refused to open or configure
inline constexpr int device_lost = 8020;   // the device went away while it was open
}  // namespace port_error
inline bool is_port_error(int error_number) {
    return error_number > 8000;
}

// Which port: a number (mapped to a device name by device_for_port) or a device path given
// directly, which wins when it is not empty.
struct PortId {
    int number = 0;
    std::string device;
    bool operator==(const PortId&) const = default;
};

// "115200,n,8,1": speed, parity letter, data bits, stop bits.
struct PortSettings {
    int baud = 115200;
    char parity = 'n';  // n, e, o, m, s
    int data_bits = 8;
    int stop_bits = 1;
};
inline constexpr std::string_view k_scanner_settings = "115200,n,8,1";
// Reads a settings text; parts that do not read keep the scanner's values.
PortSettings parse_port_settings(std::string_view text);

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // Opens the port; returns 0 or an error number (see port_error). An open port is closed
    // first.
    virtual int open(const PortId& port, std::string_view settings) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // Writes the bytes as they are; does nothing when the port is not open.
    virtual void write(std::string_view bytes) = 0;
    // Everything received since the last call, without waiting; "" when nothing or closed.
    virtual std::string read_all() = 0;
    // The port error seen last (0 when the port works); device_lost once the device vanished
    // under an open port.
    virtual int error_number() const = 0;
};

}  // namespace tarvex::remote
