#include "core/remote/trace.h"

#include <cstdio>

#include "core/remote/port_names.h"

namespace tarvex::remote {

bool SerialTrace::start(const std::filesystem::path& file) {
    stop();
    if (file.empty()) return false;
    out_.open(file, std::ios::binary | std::ios::app);
    if (!out_) {
        out_.close();
        return false;
    }
    file_ = file;
    return true;
}

void SerialTrace::stop() {
    if (out_.is_open()) out_.close();
    out_.clear();
}

void SerialTrace::record(char direction, std::string_view bytes) {
    if (!out_.is_open()) return;
    out_ << stamp_text(clock_.now()) << ' ' << direction << ' ' << escape(bytes) << '\n';
    out_.flush();
}

std::string SerialTrace::escape(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (c < 0x20 || c >= 0x7f) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02X", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

int TracingPort::open(const PortId& port, std::string_view settings) {
    int error = inner_.open(port, settings);
    // Detection opens a hundred ports a cycle; only the ones that answer are worth a line.
    if (error == 0) trace_.record('*', "open " + device_for(port) + " " + std::string(settings));
    last_error_seen_ = 0;
    return error;
}

void TracingPort::close() {
    if (inner_.is_open()) trace_.record('*', "close");
    inner_.close();
}

void TracingPort::write(std::string_view bytes) {
    if (inner_.is_open()) trace_.record('>', bytes);
    inner_.write(bytes);
}

std::string TracingPort::read_all() {
    std::string bytes = inner_.read_all();
    if (!bytes.empty()) trace_.record('<', bytes);
    int error = inner_.error_number();
    if (error != last_error_seen_) {
        if (error) trace_.record('*', "port error " + std::to_string(error));
        last_error_seen_ = error;
    }
    return bytes;
}

}  // namespace tarvex::remote
