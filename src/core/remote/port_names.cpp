#include "core/remote/port_names.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/base/text.h"

namespace tarvex::remote {

std::string device_for_port(int n) {
    if (n < k_first_port || n > k_last_port) return {};
#if defined(_WIN32)
    return "COM" + std::to_string(n);
#elif defined(__APPLE__)
    if (n == 1) return {};
    std::vector<std::string> nodes;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", ec)) {
        std::string name = entry.path().filename().string();
        if (starts_with(name, "cu.usbmodem")) nodes.push_back(entry.path().string());
    }
    std::sort(nodes.begin(), nodes.end());
    size_t index = static_cast<size_t>(n - 2);
    return index < nodes.size() ? nodes[index] : std::string();
#else
    if (n == 1) return "/dev/ttyS0";
    return "/dev/ttyACM" + std::to_string(n - 2);
#endif
}

std::string device_for(const PortId& port) {
    return port.device.empty() ? device_for_port(port.number) : port.device;
}

std::string port_caption(int n) {
    return "usb/com" + std::to_string(n);
}

PortSettings parse_port_settings(std::string_view text) {
    PortSettings s;
    auto parts = split(text, ',');
    if (parts.size() > 0) {
        if (auto v = parse_integer(trim(parts[0])); v && *v > 0) s.baud = static_cast<int>(*v);
    }
    if (parts.size() > 1) {
        std::string p = to_lower(trim(parts[1]));
        if (p.size() == 1 && std::string_view("neoms").find(p[0]) != std::string_view::npos)
            s.parity = p[0];
    }
    if (parts.size() > 2) {
        if (auto v = parse_integer(trim(parts[2])); v && *v >= 5 && *v <= 8)
            s.data_bits = static_cast<int>(*v);
    }
    if (parts.size() > 3) {
        if (auto v = parse_integer(trim(parts[3])); v && (*v == 1 || *v == 2))
            s.stop_bits = static_cast<int>(*v);
    }
    return s;
}

}  // namespace tarvex::remote
