#include "core/base/run_folders.h"

#include <chrono>
#include <cstdio>
#include <fstream>

#include "core/base/os.h"
#include "core/base/text.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {
constexpr auto k_ownerless_age = std::chrono::hours(1);

bool older_than(const fs::path& p, std::chrono::seconds age) {
    std::error_code ec;
    auto written = fs::last_write_time(p, ec);
    if (ec) return false;
    return fs::file_time_type::clock::now() - written > age;
}
}  // namespace

bool claim_run_folder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::ofstream out(folder / std::string(k_owner_file), std::ios::binary | std::ios::trunc);
    out << base::current_process_id() << "\n";
    return static_cast<bool>(out.flush());
}

int run_folder_owner(const fs::path& folder) {
    std::ifstream in(folder / std::string(k_owner_file), std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) return 0;
    auto pid = parse_integer(trim(line));
    return pid && *pid > 0 && *pid < (1LL << 31) ? static_cast<int>(*pid) : 0;
}

std::vector<fs::path> left_over_runs(const fs::path& parent, std::string_view prefix) {
    std::vector<fs::path> out;
    std::error_code ec;
    const int self = base::current_process_id();
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec) || !starts_with(it->path().filename().string(), prefix)) continue;
        int owner = run_folder_owner(it->path());
        bool gone = owner == 0 ? older_than(it->path(), k_ownerless_age)
                               : owner != self && !base::process_alive(owner);
        if (gone) out.push_back(it->path());
    }
    return out;
}

int sweep_left_over_runs(const fs::path& parent, std::string_view prefix) {
    int n = 0;
    for (const auto& p : left_over_runs(parent, prefix)) {
        std::error_code ec;
        if (fs::remove_all(p, ec) > 0 && !ec) ++n;
    }
    return n;
}

fs::path part_file_for(const fs::path& target) {
    fs::path p = target;
    p += ".tarvex-" + std::to_string(base::current_process_id()) + ".part";
    return p;
}

int sweep_stale_parts(const fs::path& folder) {
    int n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 5 || name.compare(name.size() - 5, 5, ".part") != 0) continue;
        size_t tag = name.rfind(".tarvex-");
        if (tag == std::string::npos) continue;
        auto pid = parse_integer(name.substr(tag + 8, name.size() - tag - 8 - 5));
        if (!pid || *pid <= 0 || *pid == base::current_process_id() ||
            base::process_alive(static_cast<int>(*pid)))
            continue;
        std::error_code rm;
        if (it->is_regular_file(rm) && fs::remove(it->path(), rm)) ++n;
    }
    return n;
}

std::string local_time_text(std::time_t when) {
    std::tm t = base::local_time(when);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min);
    return buf;
}

}  // namespace tarvex
