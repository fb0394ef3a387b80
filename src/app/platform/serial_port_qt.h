#pragma once
// The scanner's serial port over QSerialPort (Qt Core and Qt SerialPort only, so the command
// line can use it without a display), and the finder that picks the scanner out of the ports
// the system lists.
#include <QObject>
#include <QSerialPort>
#include <string>
#include <vector>

#include "core/remote/serial_port.h"

namespace tarvex {

class QtSerialPort : public remote::SerialPort {
  public:
    QtSerialPort();
    ~QtSerialPort() override;
    int open(const remote::PortId& port, std::string_view settings) override;
    void close() override;
    bool is_open() const override { return port_.isOpen(); }
    void write(std::string_view bytes) override;
    std::string read_all() override;
    int error_number() const override { return error_; }

  private:
    QSerialPort port_;
    int error_ = 0;
};

// USB ids of the scanner.
inline constexpr quint16 k_uniden_vendor_id = 0x1965;
inline constexpr quint16 k_homepatrol1_product_id = 0x0016;

// Device paths of the serial ports the system lists, the scanner's first: Uniden's vendor id
// (the HomePatrol-1 product id before other Uniden products), then every other port in the
// system's order. Pseudo-terminals are never listed.
std::vector<std::string> find_scanner_ports();
// The device path of a port carrying Uniden's vendor id, or "" when none is plugged in.
std::string find_scanner_device();

}  // namespace tarvex
