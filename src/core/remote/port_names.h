#pragma once
// The one place that says which device a port number means. The program numbers ports 1-99
// as the scanner's Windows users know them (COM ports); other platforms map them as follows.
//
//   Windows  port n        -> "COMn"
//   Linux    port 1        -> "/dev/ttyS0"   (the built-in port, the PC's COM1)
//            port n (2-99) -> "/dev/ttyACM<n-2>"  (USB CDC devices: the scanner is one)
//   macOS    port 1        -> ""  (no built-in port)
//            port n (2-99) -> the (n-1)-th "/dev/cu.usbmodem*" node in name order
//
// Detection searches ports 2-99, so on Linux and macOS it starts with the first USB device. A
// device path can also be named directly (setting com/usbdevice, the command line's --port),
// which the mapping leaves alone.
#include <string>

#include "core/remote/serial_port.h"

namespace tarvex::remote {

inline constexpr int k_first_port = 1;
inline constexpr int k_last_port = 99;

// The device name of port n on this platform; "" when the number means no device.
std::string device_for_port(int n);
// The device of a port: its own path when named, else the mapped number.
std::string device_for(const PortId& port);
// The port selector's caption of port n: "usb/com" followed by the number.
std::string port_caption(int n);

}  // namespace tarvex::remote
