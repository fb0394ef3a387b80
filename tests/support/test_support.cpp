#include "support/test_support.h"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <sstream>

namespace tarvex::test {

int sweep_stride() {
#if defined(__SANITIZE_ADDRESS__)
    return 8;
#else
    return 1;
#endif
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ =
            base / ("tarvex-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directories(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string read_file(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void write_file(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> read_lines(const std::filesystem::path& p) {
    std::vector<std::string> lines;
    std::ifstream in(p, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::filesystem::path samples_dir() {
    std::filesystem::path p = TARVEX_SAMPLES_DIR;
    std::error_code ec;
    return std::filesystem::is_directory(p, ec) ? p : std::filesystem::path();
}

std::filesystem::path resources_dir() {
    return TARVEX_RESOURCES_DIR;
}

}  // namespace tarvex::test

namespace tarvex::test {
std::string first_difference(const std::string& a, const std::string& b) {
    if (a == b) return {};
    size_t line = 1, start = 0;
    for (size_t i = 0;; ++i) {
        bool end_a = i >= a.size(), end_b = i >= b.size();
        if (end_a || end_b || a[i] != b[i]) {
            size_t ea = a.find('\n', start), eb = b.find('\n', start);
            return "line " + std::to_string(line) + ": [" + a.substr(start, ea - start) + "] vs [" +
                   b.substr(start, eb - start) + "]";
        }
        if (a[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
}
}  // namespace tarvex::test
