#pragma once
// Building blocks of the HPD generator: random numbers, the line sink, value formatting, the
// word tables names and tags are made from, and the plan that hands out the store nodes.
// Included by hpd_generator.h only.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::hpdgen::detail {

// splitmix64: tiny, fast, and the same sequence on every platform and library.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1 (n > 0)
    std::uint32_t below(std::uint32_t n) {
        return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
    }
    bool percent(std::uint32_t p) { return below(100) < p; }
    template <class T, size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[below(static_cast<std::uint32_t>(N))];
    }

  private:
    std::uint64_t state_;
};

// Buffered line writer: fields joined by tabs, lines ended by CR LF, flushed in large blocks.
class Sink {
  public:
    explicit Sink(std::FILE* file) : file_(file) { buf_.reserve(k_block + 4096); }
    void begin(std::string_view keyword) { buf_ += keyword; }
    void field(std::string_view text) {
        buf_ += '\t';
        buf_ += text;
    }
    void field(long long n) {
        buf_ += '\t';
        number(n);
    }
    void number(long long n) {
        char tmp[24];
        auto res = std::to_chars(tmp, tmp + sizeof tmp, n);
        buf_.append(tmp, res.ptr);
    }
    void raw(std::string_view text) { buf_ += text; }
    void end() {
        buf_ += "\r\n";
        ++lines_;
        if (file_ && buf_.size() >= k_block) flush();
    }
    void flush() {
        if (!file_ || buf_.empty()) return;
        if (std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size()) failed_ = true;
        bytes_ += static_cast<long long>(buf_.size());
        buf_.clear();
    }
    std::string take() {
        bytes_ += static_cast<long long>(buf_.size());
        return std::move(buf_);
    }
    bool failed() const { return failed_; }
    long long lines() const { return lines_; }
    long long bytes() const { return bytes_; }

  private:
    static constexpr size_t k_block = 1 << 20;
    std::FILE* file_;
    std::string buf_;
    long long lines_ = 0;
    long long bytes_ = 0;
    bool failed_ = false;
};

// Degrees held as millionths, written with six decimals ("44.352100", "-68.947300").
inline std::string micro_degrees(long long v) {
    std::string s = v < 0 ? "-" : "";
    long long a = v < 0 ? -v : v;
    std::string frac = std::to_string(a % 1000000);
    s += std::to_string(a / 1000000) + "." + std::string(6 - frac.size(), '0') + frac;
    return s;
}
inline std::string tenths(long long v) {
    return std::to_string(v / 10) + "." + std::to_string(v % 10);
}
inline std::string two_digits(int v) {
    return v < 10 ? "0" + std::to_string(v) : std::to_string(v);
}
inline std::string hex_upper(unsigned v) {
    char tmp[16];
    auto res = std::to_chars(tmp, tmp + sizeof tmp, v, 16);
    std::string s(tmp, res.ptr);
    for (char& c : s)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

inline constexpr std::array<std::string_view, 30> k_town_heads = {
    "Ash",    "Birch", "Cedar", "Elm",   "Fair", "Glen",  "Green", "Hart", "Iron", "Lake",
    "Maple",  "Mill",  "North", "Oak",   "Pine", "Red",   "River", "Rock", "Salt", "Silver",
    "Spring", "Stone", "West",  "White", "Wolf", "Clear", "Fox",   "High", "Long", "Swan"};
inline constexpr std::array<std::string_view, 16> k_town_tails = {
    "field", "ford", "ton",  "ville", "wood",  "brook", "haven", "port",
    "ridge", "dale", "view", "bury",  "crest", "mont",  "water", "stead"};

struct Department {
    std::string_view name;
    std::array<int, 3> services;  // service-type numbers its channels use
};
inline constexpr std::array<Department, 20> k_departments = {{
    {"Sheriff", {2, 7, 23}},
    {"Police", {2, 7, 23}},
    {"Fire", {3, 8, 24}},
    {"EMS", {4, 9, 25}},
    {"Public Works", {14, 14, 22}},
    {"Schools", {32, 32, 17}},
    {"Hospital", {12, 12, 33}},
    {"Utilities", {34, 34, 14}},
    {"Transit", {26, 26, 17}},
    {"Airport", {15, 26, 33}},
    {"Parks", {14, 21, 33}},
    {"Highway", {14, 26, 14}},
    {"Emergency Management", {29, 11, 1}},
    {"Corrections", {37, 37, 33}},
    {"Animal Control", {21, 14, 1}},
    {"Water", {34, 34, 14}},
    {"Harbor", {26, 7, 16}},
    {"College", {32, 33, 2}},
    {"Security", {33, 33, 17}},
    {"Interop", {11, 6, 22}},
}};
inline constexpr std::array<std::string_view, 16> k_functions = {
    "Dispatch",    "Tac",    "Ops",      "Car-to-Car", "Fireground", "Talk",
    "Command",     "Admin",  "Events",   "Mutual Aid", "Patrol",     "Detectives",
    "Maintenance", "Paging", "Repeater", "Simplex"};
inline constexpr std::array<std::string_view, 9> k_trunk_labels = {
    "Public Safety Trunked", "EDACS",        "EDACS SCAT", "LTR Business", "Regional P25",
    "P25 One Frequency",     "P25 Phase II", "MotoTRBO",   "DMR"};
inline constexpr std::array<std::string_view, 6> k_site_names = {"Simulcast", "North", "South",
                                                                 "East",      "West",  "Tower"};

// CTCSS tones and DCS codes as the scanner lists them (a subset is enough for variety).
inline constexpr std::array<std::string_view, 24> k_ctcss = {
    "67.0",  "71.9",  "77.0",  "82.5",  "88.5",  "91.5",  "94.8",  "97.4",
    "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "162.2", "192.8"};
inline constexpr std::array<std::string_view, 16> k_dcs = {"023", "025", "031", "047", "065", "114",
                                                           "131", "156", "244", "265", "306", "411",
                                                           "445", "532", "606", "754"};
inline constexpr std::array<std::string_view, 10> k_delays = {"30", "10", "5", "4",  "3",
                                                              "2",  "1",  "0", "-5", "-10"};

// Custom Motorola bandplans: one row (lower Hz, upper Hz, step Hz, offset); edges on a 12.5 kHz
// grid so they survive the reader's four-decimal MHz.
struct Plan {
    long long lower, upper, step, offset;
};
inline constexpr std::array<Plan, 3> k_plans = {{
    {451000000, 454987500, 12500, 380},
    {162012500, 163987500, 12500, 380},
    {851012500, 853987500, 12500, 440},
}};

enum class Extra : std::uint8_t { fleet_map, custom_plan, freq0, freq1, freq2, unit, site };

// What each trunked system gets beyond its unit-ID holder, first site and first frequency, in
// the order the node budget is handed out (round robin over the systems).
inline constexpr std::array<Extra, 22> k_motorola_extras = {
    Extra::fleet_map, Extra::custom_plan, Extra::freq0, Extra::unit,  Extra::freq0, Extra::site,
    Extra::unit,      Extra::freq1,       Extra::freq0, Extra::freq1, Extra::site,  Extra::unit,
    Extra::freq2,     Extra::freq0,       Extra::freq1, Extra::freq2, Extra::unit,  Extra::freq0,
    Extra::freq1,     Extra::freq2,       Extra::unit,  Extra::freq0};
inline constexpr std::array<Extra, 22> k_other_extras = {
    Extra::freq0, Extra::unit,  Extra::freq0, Extra::site,  Extra::unit,  Extra::freq1,
    Extra::freq0, Extra::freq1, Extra::site,  Extra::unit,  Extra::freq2, Extra::freq0,
    Extra::freq1, Extra::freq2, Extra::unit,  Extra::freq0, Extra::freq1, Extra::freq2,
    Extra::unit,  Extra::freq0, Extra::freq1, Extra::freq2};

struct SitePlan {
    int freqs = 1;
    bool custom = false;
};
struct SystemPlan {
    int trunk = -1;  // -1 conventional, else index into k_trunk_words
    int groups = 0;
    bool fleet_map = false;
    int unit_ids = 0;
    std::vector<SitePlan> sites;
};

inline std::vector<SystemPlan> plan_systems(const Options& o) {
    const int s = o.systems;
    long long budget = static_cast<long long>(o.max_nodes) - s - o.groups;
    // About two systems in five are trunked, and with ten or more systems every trunked type
    // appears; each trunked system needs at least three more nodes (unit-ID holder, site,
    // frequency), so a tight budget turns some of them conventional.
    long long trunked = s >= 2 ? std::max<long long>(s * 2 / 5, std::min(9, s - 1)) : 0;
    trunked = std::min(trunked, budget / 3);
    budget -= trunked * 3;

    std::vector<SystemPlan> plan(static_cast<size_t>(s));
    std::vector<size_t> trunked_index;
    int ordinal = 0;
    for (int i = 0; i < s; ++i) {
        SystemPlan& p = plan[static_cast<size_t>(i)];
        p.groups = o.groups / s + (i < o.groups % s ? 1 : 0);
        // Spread the trunked systems evenly between the conventional ones.
        if ((static_cast<long long>(i) + 1) * trunked / s >
            static_cast<long long>(i) * trunked / s) {
            p.trunk = ordinal++ % 9;
            p.sites.push_back({});
            trunked_index.push_back(static_cast<size_t>(i));
        }
    }
    for (size_t round = 0; round < k_motorola_extras.size() && budget > 0; ++round) {
        for (size_t idx : trunked_index) {
            if (budget <= 0) break;
            SystemPlan& p = plan[idx];
            Extra e = p.trunk == 0 ? k_motorola_extras[round] : k_other_extras[round];
            auto freq = [&](size_t site) {
                if (site < p.sites.size()) {
                    ++p.sites[site].freqs;
                    --budget;
                }
            };
            switch (e) {
                case Extra::fleet_map:
                    p.fleet_map = true;
                    --budget;
                    break;
                case Extra::custom_plan:
                    p.sites[0].custom = true;
                    --budget;
                    break;
                case Extra::freq0:
                    freq(0);
                    break;
                case Extra::freq1:
                    freq(1);
                    break;
                case Extra::freq2:
                    freq(2);
                    break;
                case Extra::unit:
                    ++p.unit_ids;
                    --budget;
                    break;
                case Extra::site:
                    if (budget >= 2) {  // a site comes with its first frequency
                        p.sites.push_back({});
                        budget -= 2;
                    }
                    break;
            }
        }
    }
    return plan;
}

}  // namespace tarvex::hpdgen::detail
