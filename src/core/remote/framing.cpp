#include "core/remote/framing.h"

#include "core/base/text.h"

namespace tarvex::remote {

long long frame_checksum(std::string_view body) {
    long long sum = 0;
    for (unsigned char c : body) sum += c;
    return sum;
}

std::string frame_command(std::string& command) {
    command = to_upper(command);
    std::string frame = "RMT\t" + command + "\t";
    frame += std::to_string(frame_checksum(frame));
    frame += '\r';
    return frame;
}

void send_com(SerialPort& port, std::string& command) {
    std::string frame = frame_command(command);
    if (port.is_open()) port.write(frame);
}

void ReceiveBuffer::append(std::string_view bytes) {
    text_.append(bytes);
    if (text_.size() > k_limit) text_.erase(0, text_.size() - k_limit);
}

std::vector<std::string> ReceiveBuffer::take_replies() {
    std::vector<std::string> replies;
    size_t start = 0;
    while (start < text_.size()) {
        size_t end = text_.find('\r', start);
        if (end == std::string::npos) end = text_.size();
        std::string reply = strip_line_ends(std::string_view(text_).substr(start, end - start));
        if (!reply.empty()) replies.push_back(std::move(reply));
        start = end + 1;
    }
    text_.clear();
    return replies;
}

}  // namespace tarvex::remote
