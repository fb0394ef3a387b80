// gen_hpd: writes a large, deterministic HPD database for benchmarks and manual tests.
//
//   gen_hpd --systems 900 --groups 27000 --rows 500000 [--seed 1] [--max-nodes 30000] -o big.hpd
#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "hpd_generator.h"

namespace {

constexpr std::string_view k_usage =
    "usage: gen_hpd --systems N --groups G --rows R [--seed S] [--max-nodes M] -o FILE\n"
    "  N systems (1..999), G groups in all (at most 400 per system), R channel and talkgroup\n"
    "  rows in all (at most 9999 per group); the file needs at most M store nodes (30000).\n";

template <class T>
bool parse_number(std::string_view text, T& out) {
    auto res = std::from_chars(text.data(), text.data() + text.size(), out);
    return res.ec == std::errc{} && res.ptr == text.data() + text.size();
}

int usage_error(const std::string& why) {
    std::fprintf(stderr, "gen_hpd: %s\n%s", why.c_str(), k_usage.data());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    tarvex::hpdgen::Options options;
    std::string path;
    bool have_systems = false, have_groups = false, have_rows = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(k_usage.data(), stdout);
            return 0;
        }
        if (i + 1 >= argc) return usage_error("missing value after " + std::string(arg));
        std::string_view value = argv[++i];
        bool ok = true;
        if (arg == "--systems") {
            ok = parse_number(value, options.systems);
            have_systems = true;
        } else if (arg == "--groups") {
            ok = parse_number(value, options.groups);
            have_groups = true;
        } else if (arg == "--rows") {
            ok = parse_number(value, options.rows);
            have_rows = true;
        } else if (arg == "--seed") {
            ok = parse_number(value, options.seed);
        } else if (arg == "--max-nodes") {
            ok = parse_number(value, options.max_nodes);
        } else if (arg == "-o" || arg == "--output") {
            path = value;
        } else {
            return usage_error("unknown option " + std::string(arg));
        }
        if (!ok)
            return usage_error("not a whole number for " + std::string(arg) + ": " +
                               std::string(value));
    }
    if (!have_systems || !have_groups || !have_rows || path.empty())
        return usage_error("--systems, --groups, --rows and -o are required");
    if (std::string why = tarvex::hpdgen::check_options(options); !why.empty())
        return usage_error(why);
    try {
        tarvex::hpdgen::Counts counts = tarvex::hpdgen::generate_hpd(path, options);
        std::printf("wrote %s: %s\n", path.c_str(), tarvex::hpdgen::describe(counts).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_hpd: %s\n", e.what());
        return 1;
    }
    return 0;
}
