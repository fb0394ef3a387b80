#include "core/hpd/hpd_check.h"

#include <map>
#include <unordered_map>

#include "core/base/line_reader.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

struct Source {
    int file = -1;
    long long line = 0;
};

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

CheckReport check_hpd_files(const std::vector<std::filesystem::path>& paths, uint16_t flags,
                            SystemStore& store, GroupFiles& files) {
    CheckReport report;
    std::unordered_map<std::string, Source> node_source;
    std::map<std::tuple<int, int, int>, Source> row_source;
    std::vector<std::vector<std::string>> file_lines(paths.size());

    for (size_t i = 0; i < paths.size(); ++i) {
        int fi = static_cast<int>(i);
        ReadTrace trace;
        trace.node = [&](const std::string& key, long long line) { node_source[key] = {fi, line}; };
        trace.row = [&](int s, int g, int r, long long line) {
            row_source[{s, g, r}] = {fi, line};
        };
        read_hpd(paths[i], store, files, flags, 0, no_progress(), &trace);
        LineReader in(paths[i]);
        std::string line;
        while (in.next(line)) file_lines[i].push_back(line);
    }

    std::vector<std::vector<bool>> used(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) used[i].assign(file_lines[i].size() + 1, false);

    WriteTrace wt;
    wt.line = [&](std::string_view written, const std::string& key, int row) {
        if (key.empty()) return;  // header lines
        auto fields = split_view(written, '\t');
        std::string_view kind = fields[0];
        if (kind == "AreaState" || kind == "AreaCounty") return;
        Source src;
        if (row > 0) {
            auto it = row_source.find({keys::group_system_of(key), keys::group_of(key), row});
            if (it != row_source.end()) src = it->second;
        } else {
            auto it = node_source.find(key);
            if (it != node_source.end()) src = it->second;
        }
        if (src.file < 0) {
            report.added.push_back(std::string(kind) + " for " + key);
            return;
        }
        const std::string& original = file_lines[src.file][src.line - 1];
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
    hpd_lines(store, files, 0, &wt);

    static constexpr std::string_view known[] = {
        "Conventional", "Trunk", "Site",    "T-Freq",   "C-Group",     "T-Group",
        "C-Freq",       "TGID",  "UnitIds", "FleetMap", "BandPlan_Mot"};
    for (size_t i = 0; i < paths.size(); ++i) {
        for (size_t l = 0; l < file_lines[i].size(); ++l) {
            if (used[i][l + 1]) continue;
            std::string_view line = file_lines[i][l];
            std::string_view kind = line.substr(0, line.find('\t'));
            for (auto k : known)
                if (kind == k) {
                    report.dropped.push_back(paths[i].string() + ":" + std::to_string(l + 1) +
                                             ": " + std::string(kind));
                    break;
                }
        }
    }
    return report;
}

}  // namespace tarvex
