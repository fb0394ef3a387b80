#pragma once
// Large, deterministic HPD databases for tests and benchmarks.
//
// The file is written in exactly the form our HPD writer produces (format 2.03, CR LF), so that
// reading it into an empty store and writing it again gives the same bytes: identifier fields
// carry the store positions the reader's nodes will get, values are already in their file words,
// and every line has the field count of its kind. Systems of every type are mixed in; the number
// of store nodes the file needs stays within the store's limit.
//
// Header-only and standard C++ only, so bench/ and tests/ can include it without linking.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tarvex::hpdgen {

struct Options {
    int systems = 900;
    int groups = 27000;       // spread over the systems, at most 400 each
    long long rows = 500000;  // channels and talkgroups, spread over the groups
    std::uint64_t seed = 1;
    int max_nodes = 30000;  // store nodes the file may need when it is read
};

// Trunked type order used by Counts::trunked_by_type (the HPD type words).
inline constexpr std::array<std::string_view, 9> k_trunk_words = {
    "Motorola",   "Edacs",    "Scat",           "Ltr", "P25Standard", "P25OneFrequency",
    "P25X2_TDMA", "MotoTrbo", "DmrOneFrequency"};

struct Counts {
    int systems = 0;
    int conventional_systems = 0;
    int trunked_systems = 0;
    std::array<int, 9> trunked_by_type{};
    int groups = 0;
    long long channels = 0;
    long long talkgroups = 0;
    int sites = 0;
    int site_frequencies = 0;
    int bandplans = 0;
    int fleet_maps = 0;
    int unit_ids = 0;
    int store_nodes = 0;  // nodes the HPD reader creates for this file in an empty store
    long long lines = 0;
    long long bytes = 0;
};

// "" when the options can be generated, otherwise why not.
inline std::string check_options(const Options& options);
// Writes the file through a temporary file beside it, so a failure leaves no half file.
// Throws std::invalid_argument for options check_options rejects, std::runtime_error when the
// file cannot be written.
inline Counts generate_hpd(const std::filesystem::path& path, const Options& options);
// The same database as text (for tests that want it in memory).
inline std::string generate_hpd_text(const Options& options, Counts* counts = nullptr);
// One line of counts for people: "900 systems (...), 27000 groups, ...".
inline std::string describe(const Counts& counts);

}  // namespace tarvex::hpdgen

#include "hpd_generator_lines.h"  // brings hpd_generator_tables.h

namespace tarvex::hpdgen {

inline std::string check_options(const Options& o) {
    if (o.systems < 1 || o.systems > 999)
        return "the number of systems must be 1 to 999, not " + std::to_string(o.systems);
    if (o.groups < 0) return "the number of groups cannot be negative";
    if (o.groups > 400 * o.systems)
        return std::to_string(o.systems) + " systems hold at most " +
               std::to_string(400 * o.systems) + " groups (400 per system), not " +
               std::to_string(o.groups);
    if (o.rows < 0) return "the number of rows cannot be negative";
    if (o.rows > 0 && o.groups == 0) return "rows need at least one group";
    if (o.rows > 9999LL * o.groups)
        return std::to_string(o.groups) + " groups hold at most " +
               std::to_string(9999LL * o.groups) + " rows (9999 per group), not " +
               std::to_string(o.rows);
    if (o.max_nodes < 1) return "the node limit must be positive";
    if (static_cast<long long>(o.systems) + o.groups > o.max_nodes)
        return std::to_string(o.systems) + " systems and " + std::to_string(o.groups) +
               " groups need " + std::to_string(o.systems + o.groups) +
               " store nodes, more than the store's " + std::to_string(o.max_nodes);
    return {};
}

inline std::string generate_hpd_text(const Options& options, Counts* counts) {
    if (std::string why = check_options(options); !why.empty()) throw std::invalid_argument(why);
    detail::Sink sink(nullptr);
    Counts c = detail::Generator(options, sink).run();
    std::string text = sink.take();
    c.bytes = static_cast<long long>(text.size());
    if (counts) *counts = c;
    return text;
}

inline Counts generate_hpd(const std::filesystem::path& path, const Options& options) {
    if (std::string why = check_options(options); !why.empty()) throw std::invalid_argument(why);
    std::filesystem::path temp = path;
    temp += ".part";
    std::FILE* file = std::fopen(temp.string().c_str(), "wb");
    if (!file) throw std::runtime_error("cannot create " + temp.string());
    detail::Sink sink(file);
    Counts c = detail::Generator(options, sink).run();
    sink.flush();
    bool failed = sink.failed();
    if (std::fclose(file) != 0) failed = true;
    std::error_code ec;
    if (!failed) std::filesystem::rename(temp, path, ec);
    if (failed || ec) {
        std::filesystem::remove(temp, ec);
        throw std::runtime_error("cannot write " + path.string());
    }
    c.bytes = sink.bytes();
    return c;
}

inline std::string describe(const Counts& c) {
    std::string s = std::to_string(c.systems) + " systems (" +
                    std::to_string(c.conventional_systems) + " conventional, " +
                    std::to_string(c.trunked_systems) + " trunked";
    for (size_t t = 0; t < k_trunk_words.size(); ++t)
        if (c.trunked_by_type[t] > 0)
            s += ", " + std::to_string(c.trunked_by_type[t]) + " " + std::string(k_trunk_words[t]);
    s += "), " + std::to_string(c.groups) + " groups, " +
         std::to_string(c.channels + c.talkgroups) + " rows (" + std::to_string(c.channels) +
         " channels, " + std::to_string(c.talkgroups) + " talkgroups), " + std::to_string(c.sites) +
         " sites, " + std::to_string(c.site_frequencies) + " site frequencies, " +
         std::to_string(c.bandplans) + " bandplans, " + std::to_string(c.fleet_maps) +
         " fleet maps, " + std::to_string(c.unit_ids) + " unit IDs; " +
         std::to_string(c.store_nodes) + " store nodes, " + std::to_string(c.lines) + " lines, " +
         std::to_string(c.bytes) + " bytes";
    return s;
}

}  // namespace tarvex::hpdgen
