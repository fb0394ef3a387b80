#pragma once
// Remote command frames and reply collection. A frame is "RMT", TAB, the command (its
// arguments each preceded by a TAB), TAB, the decimal sum of every character code before it,
// CR. Replies are TAB-separated lines ending in CR, and arrive in whatever pieces the USB link
// delivers them.
#include <string>
#include <string_view>
#include <vector>

#include "core/remote/serial_port.h"

namespace tarvex::remote {

// The sum of the character codes (as unsigned bytes) of the text.
long long frame_checksum(std::string_view body);
// Upper-cases `command` in place (callers see the change, as they always have) and returns the
// complete frame.
std::string frame_command(std::string& command);
// Frames and writes one command; nothing happens when the port is not open.
void send_com(SerialPort& port, std::string& command);
inline void send_com(SerialPort& port, std::string&& command) {
    send_com(port, command);
}

// Everything read since the last complete reply.
class ReceiveBuffer {
  public:
    // A scanner that streams garbage without CR cannot grow the buffer beyond this; the oldest
    // bytes go first (the watchdog empties it anyway).
    static constexpr size_t k_limit = 64 * 1024;

    void append(std::string_view bytes);
    // Not empty and its last character is CR.
    bool complete() const { return !text_.empty() && text_.back() == '\r'; }
    // The complete buffer split into its CR-terminated replies (CR removed, empty lines
    // dropped); the buffer is emptied.
    std::vector<std::string> take_replies();
    void clear() { text_.clear(); }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

}  // namespace tarvex::remote
