#pragma once
// A scripted serial port for the link tests: which devices exist, what each answers to a
// frame, and what has been written.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/remote/clock.h"
#include "core/remote/port_names.h"
#include "core/remote/serial_port.h"

namespace tarvex::remote::test {

class FakePort : public SerialPort {
  public:
    // A device that opens; `answer` turns each written frame into the bytes it replies.
    void plug(const std::string& device, std::function<std::string(const std::string&)> answer) {
        devices_[device] = std::move(answer);
    }
    void unplug(const std::string& device) {
        devices_.erase(device);
        if (device_ == device) error_ = port_error::device_lost;
    }

    int open(const PortId& port, std::string_view) override {
        close();
        std::string device = device_for(port);
        opened.push_back(device);
        if (!devices_.count(device)) return port_error::invalid_port;
        device_ = device;
        open_ = true;
        error_ = 0;
        return 0;
    }
    void close() override {
        open_ = false;
        input_.clear();
    }
    bool is_open() const override { return open_; }
    void write(std::string_view bytes) override {
        if (!open_) return;
        written.emplace_back(bytes);
        written_to.push_back(device_);
        auto it = devices_.find(device_);
        if (it != devices_.end() && it->second) input_ += it->second(std::string(bytes));
    }
    std::string read_all() override {
        std::string out;
        out.swap(input_);
        return out;
    }
    int error_number() const override { return error_; }

    // Input that arrives without a request (split replies, garbage).
    void receive(const std::string& bytes) { input_ += bytes; }
    const std::string& device() const { return device_; }

    std::vector<std::string> written;     // frames, in order
    std::vector<std::string> written_to;  // the device of each frame
    std::vector<std::string> opened;      // every device an open was tried on

  private:
    std::map<std::string, std::function<std::string(const std::string&)>> devices_;
    std::string device_;
    std::string input_;
    bool open_ = false;
    int error_ = 0;
};

class FakeClock : public Clock {
  public:
    LocalTime now() const override { return time; }
    LocalTime time{2024, 5, 1, 14, 3, 9, 0};
};

// The frame of a command as the scanner must receive it.
inline std::string frame_of(std::string command) {
    std::string body = "RMT\t" + command + "\t";
    long long sum = 0;
    for (unsigned char c : body) sum += c;
    return body + std::to_string(sum) + "\r";
}

}  // namespace tarvex::remote::test
