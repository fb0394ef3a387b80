#include "core/hpd/hpd_check.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <utility>

#include "core/base/line_reader.h"
#include "core/base/os.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

struct Names {
    std::string_view kind;
    std::vector<std::string_view> names;
};

const std::vector<Names>& field_names() {
    static const std::vector<Names> table = {
        {"Conventional", {"", "Id", "State", "Name", "Avoid", "Date", "Type"}},
        {"Trunk",
         {"", "Id", "State", "Name", "Avoid", "Date", "Type", "ID Search", "Alert Tone",
          "Alert Level", "Status Bit", "NAC"}},
        {"Site",
         {"", "SiteId", "TrunkId", "Name", "Avoid", "Latitude", "Longitude", "Range", "Modulation",
          "Motorola Band", "EDACS Band", "Location Type", "Attenuator"}},
        {"T-Freq", {"", "TFreqId", "SiteId", "Name", "Avoid", "Frequency", "LCN", "Color Code"}},
        {"C-Group",
         {"", "CGroupId", "AgencyId", "Name", "Avoid", "Latitude", "Longitude", "Range",
          "Location Type"}},
        {"T-Group",
         {"", "TGroupId", "TrunkId", "Name", "Avoid", "Latitude", "Longitude", "Range",
          "Location Type"}},
        {"C-Freq",
         {"", "Id", "Group", "Alpha Tag", "Avoid", "Frequency", "Mode", "Tone", "Service Type",
          "Attenuator", "Delay Time", "Volume Offset", "Alert Tone", "Alert Level", "Alert Light",
          "Alert Pattern", "NumberTag", "Priority"}},
        {"TGID",
         {"", "Id", "Group", "Alpha Tag", "Avoid", "Talkgroup", "AudioType", "Service Type",
          "Delay Time", "Volume Offset", "Alert Tone", "Alert Level", "Alert Light",
          "Alert Pattern", "NumberTag", "Priority", "DMR Tslot"}},
        {"UnitIds", {"", "Id", "Group", "Name", "Unit ID", "Alert Tone", "Alert Level"}},
        {"FleetMap", {"", "TrunkId", "B0", "B1", "B2", "B3", "B4", "B5", "B6", "B7"}},
    };
    return table;
}

// Fields 1 and 2 link records by number; saving renumbers them by store position.
bool is_identifier(std::string_view kind, size_t n) {
    if (kind == "FleetMap" || kind == "BandPlan_Mot") return n == 1;
    return n == 1 || n == 2;
}

}  // namespace

std::string hpd_field_name(std::string_view kind, size_t n) {
    if (kind == "BandPlan_Mot" && n >= 2) {
        static constexpr std::string_view parts[] = {"Lower", "Upper", "Step", "Offset"};
        return "Row " + std::to_string((n - 2) / 4 + 1) + " " + std::string(parts[(n - 2) % 4]);
    }
    for (const auto& e : field_names())
        if (e.kind == kind && n < e.names.size() && !e.names[n].empty())
            return std::string(e.names[n]);
    return "field " + std::to_string(n);
}

namespace {

// The file and line a record was read from; line 0: none (a record saving adds).
struct Source {
    int file = -1;
    long long line = 0;
};

// The line starting at `offset`, without its line end (readers cap lines at 1 MiB, and a file
// with a longer one never gets this far).
std::string line_at(std::FILE* f, long long offset) {
    std::string line;
    if (!f || std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0) return line;
    for (int c; (c = std::fgetc(f)) != EOF && c != '\n';) line += static_cast<char>(c);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace

// Memory stays bounded by the store (which has a record limit) plus a few bytes per channel
// row and a bit per file line: the files' lines are read again from disk when compared, never
// kept, so a huge file of blank or unknown lines costs next to nothing.
CheckReport check_hpd_files(const std::vector<std::filesystem::path>& paths, uint16_t flags,
                            SystemStore& store, GroupFiles& files) {
    CheckReport report;
    std::unordered_map<std::string, Source> node_source;
    // Rows of a group are numbered 1.. without gaps in reading order: one vector per group.
    std::unordered_map<int, std::vector<Source>> row_source;
    std::vector<long long> line_counts(paths.size(), 0);

    for (size_t i = 0; i < paths.size(); ++i) {
        int fi = static_cast<int>(i);
        ReadTrace trace;
        trace.node = [&](const std::string& key, long long line) { node_source[key] = {fi, line}; };
        trace.row = [&](int s, int g, int r, long long line) {
            auto& rows = row_source[s * 1000 + g];
            if (r < 1) return;
            if (rows.size() < static_cast<size_t>(r)) rows.resize(static_cast<size_t>(r));
            rows[static_cast<size_t>(r) - 1] = {fi, line};
        };
        ReadStats stats = read_hpd(paths[i], store, files, flags, 0, no_progress(), &trace);
        line_counts[i] = stats.lines;
        if (stats.problem != ReadProblem::none) {
            report.problem = read_problem_text(paths[i], stats, files.folder());
            if (read_unusable(stats)) return report;
        }
    }

    // Offsets of the lines records came from, in line order per file (binary searched).
    std::vector<std::vector<bool>> is_source(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        is_source[i].assign(static_cast<size_t>(line_counts[i]) + 1, false);
    auto mark = [&](const Source& src) {
        if (src.file >= 0 && src.line > 0 && src.line <= line_counts[src.file])
            is_source[src.file][src.line] = true;
    };
    for (const auto& [key, src] : node_source) mark(src);
    for (const auto& [sg, rows] : row_source)
        for (const auto& src : rows) mark(src);
    std::vector<std::vector<std::pair<long long, long long>>> offsets(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        LineReader in(paths[i]);
        std::string line;
        for (long long n = 1; in.next(line); ++n)
            if (n <= line_counts[i] && is_source[i][n])
                offsets[i].emplace_back(n, in.line_offset());
    }
    is_source.clear();

    std::vector<std::FILE*> open_files(paths.size(), nullptr);
    for (size_t i = 0; i < paths.size(); ++i) open_files[i] = base::open_file(paths[i], "rb");
    std::vector<std::vector<bool>> used(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        used[i].assign(static_cast<size_t>(line_counts[i]) + 1, false);

    WriteTrace wt;
    wt.line = [&](std::string_view written, const std::string& key, int row) {
        if (key.empty()) return;  // header lines
        auto fields = split_view(written, '\t');
        std::string_view kind = fields[0];
        if (kind == "AreaState" || kind == "AreaCounty") return;
        Source src;
        if (row > 0) {
            auto it = row_source.find(keys::group_system_of(key) * 1000 + keys::group_of(key));
            if (it != row_source.end() && static_cast<size_t>(row) <= it->second.size())
                src = it->second[static_cast<size_t>(row) - 1];
        } else {
            auto it = node_source.find(key);
            if (it != node_source.end()) src = it->second;
        }
        if (src.file < 0 || src.line <= 0) {
            report.added.push_back(std::string(kind) + " for " + key);
            return;
        }
        const auto& where = offsets[src.file];
        auto at = std::lower_bound(where.begin(), where.end(), std::make_pair(src.line, 0LL));
        if (at == where.end() || at->first != src.line) return;
        const std::string original = line_at(open_files[src.file], at->second);
        used[src.file][src.line] = true;
        auto before = split_view(original, '\t');
        size_t n = std::max(before.size(), fields.size());
        for (size_t f = 1; f < n; ++f) {
            std::string_view a = f < before.size() ? before[f] : std::string_view();
            std::string_view b = f < fields.size() ? fields[f] : std::string_view();
            if (a == b) continue;
            if (is_identifier(kind, f)) {
                ++report.identifiers_renumbered;
                continue;
            }
            report.changes.push_back({paths[src.file].string(), src.line, std::string(kind),
                                      hpd_field_name(kind, f), std::string(a), std::string(b)});
        }
    };
    for_each_hpd_line(store, files, 0, &wt, [](std::string_view) {});
    for (auto* f : open_files)
        if (f) std::fclose(f);

    static constexpr std::string_view known[] = {
        "Conventional", "Trunk", "Site",    "T-Freq",   "C-Group",     "T-Group",
        "C-Freq",       "TGID",  "UnitIds", "FleetMap", "BandPlan_Mot"};
    for (size_t i = 0; i < paths.size(); ++i) {
        LineReader in(paths[i]);
        std::string line;
        for (long long n = 1; in.next(line); ++n) {
            if (n <= line_counts[i] && used[i][n]) continue;
            std::string_view kind = std::string_view(line).substr(0, line.find('\t'));
            for (auto k : known)
                if (kind == k) {
                    report.dropped.push_back(paths[i].string() + ":" + std::to_string(n) + ": " +
                                             std::string(kind));
                    break;
                }
        }
    }
    return report;
}

}  // namespace tarvex
