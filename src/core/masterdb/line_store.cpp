#include "core/masterdb/line_store.h"

#include "core/base/line_reader.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"
#include "core/masterdb/master_search.h"
#include "core/model/group_files.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

struct KindRule {
    std::string_view begins;
    LineKind kind;
};

constexpr KindRule k_rules[] = {
    {"Conventional,", LineKind::Conventional},
    {"Trunk,", LineKind::Trunk},
    {"C-Group,", LineKind::CGroup},
    {"C-Freq,", LineKind::CFreq},
    {"T-Group,", LineKind::TGroup},
    {"TGID,", LineKind::Tgid},
    {"Site,", LineKind::Site},
    {"FleetMap", LineKind::FleetMap},
    {"BandPlan_Mot", LineKind::BandPlanMot},
    {"T-Freq", LineKind::TFreq},
};

constexpr std::string_view k_not_stored[] = {"TargetModel", "AreaState",     "AreaCounty",
                                             "Rectangle",   "FormatVersion", "BandPlan_P25"};

// Field n of a stored line (fields separated by ",").
std::string_view field(std::string_view line, size_t n) {
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    size_t end = line.find(',', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string plural(int n, std::string_view word) {
    return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}

}  // namespace

std::string_view key_prefix(LineKind kind) {
    switch (kind) {
        case LineKind::Conventional:
            return "SYSC-";
        case LineKind::Trunk:
            return "SYST-";
        case LineKind::CGroup:
            return "CGRP-";
        case LineKind::CFreq:
            return "FREQ-";
        case LineKind::TGroup:
            return "TGRP-";
        case LineKind::Tgid:
            return "TGID-";
        case LineKind::Site:
            return "SITE-";
        case LineKind::FleetMap:
            return "FMAP-";
        case LineKind::BandPlanMot:
            return "BPMT-";
        case LineKind::TFreq:
            return "TFRE-";
        case LineKind::Dummy:
            return "DUMM-";
    }
    return "DUMM-";
}

bool classify_line(std::string_view line, LineKind& kind) {
    for (auto skip : k_not_stored)
        if (starts_with(line, skip)) return false;
    for (const auto& rule : k_rules)
        if (starts_with(line, rule.begins)) {
            kind = rule.kind;
            return true;
        }
    kind = LineKind::Dummy;
    return true;
}

void MasterLineStore::clear() {
    lines_.clear();
    systems_.clear();
    format_line_.clear();
}

void MasterLineStore::finish_system(SystemRow& row, int groups, int channels, int talkgroups,
                                    int sites) const {
    row.end = lines_.size();
    if (row.kind == "Conventional")
        row.data = plural(groups, "group") + ", " + plural(channels, "channel");
    else
        row.data = plural(sites, "site") + ", " + plural(groups, "group") + ", " +
                   plural(talkgroups, "talkgroup");
}

bool MasterLineStore::load(const fs::path& file, Progress& progress) {
    clear();
    LineReader in(file);
    if (!in.is_open()) return false;
    std::string raw, work;
    int system_count = 0, in_system = 0, dummies = 0;
    int groups = 0, channels = 0, talkgroups = 0, sites = 0;
    long long count = 0;
    while (in.next(raw)) {
        if ((++count & 4095) == 0) {
            progress.label("Loading line: " + std::to_string(count));
            progress.pump();
        }
        work.clear();
        work.reserve(raw.size());
        for (char c : raw)
            if (c != '\r' && c != '\n') work += c == ',' ? ';' : c == '\t' ? ',' : c;
        LineKind kind;
        if (!classify_line(work, kind)) {
            if (starts_with(work, "FormatVersion")) format_line_ = raw;
            continue;
        }
        StoredLine line;
        line.kind = kind;
        if (kind == LineKind::Conventional || kind == LineKind::Trunk) {
            if (!systems_.empty())
                finish_system(systems_.back(), groups, channels, talkgroups, sites);
            groups = channels = talkgroups = sites = 0;
            ++system_count;
            in_system = 0;
            line.key = std::string(key_prefix(kind)) + fmt4(system_count);
            SystemRow row;
            row.line = lines_.size();
            bool conventional = kind == LineKind::Conventional;
            row.kind = conventional ? "Conventional" : "Trunk";
            row.text = conventional ? "Conventional: " + std::string(field(work, 3))
                                    : "Trunk: " + std::string(field(work, 3)) + " / " +
                                          std::string(field(work, 6));
            systems_.push_back(std::move(row));
        } else if (kind == LineKind::Dummy) {
            line.key = "DUMM-" + pad_number(++dummies, 5);
        } else {
            line.key = std::string(key_prefix(kind)) + fmt4(system_count) + "-" + fmt4(++in_system);
            switch (kind) {
                case LineKind::CGroup:
                case LineKind::TGroup:
                    if (!systems_.empty() && groups++ == 0)
                        systems_.back().first_group = std::string(field(work, 3));
                    break;
                case LineKind::CFreq:
                    ++channels;
                    break;
                case LineKind::Tgid:
                    ++talkgroups;
                    break;
                case LineKind::Site:
                    ++sites;
                    break;
                default:
                    break;
            }
        }
        line.text = work;
        lines_.push_back(std::move(line));
    }
    if (!systems_.empty()) finish_system(systems_.back(), groups, channels, talkgroups, sites);
    progress.label("Loaded lines: " + std::to_string(count));
    return true;
}

void MasterLineStore::tick(size_t row, bool on) {
    if (row < systems_.size()) systems_[row].ticked = on;
}

bool MasterLineStore::any_ticked() const {
    for (const auto& s : systems_)
        if (s.ticked) return true;
    return false;
}

std::vector<size_t> MasterLineStore::ticked_lines() const {
    std::vector<size_t> out;
    for (const auto& s : systems_) {
        if (!s.ticked) continue;
        for (size_t i = s.line; i < s.end; ++i)
            if (lines_[i].kind != LineKind::Dummy) out.push_back(i);
    }
    return out;
}

bool MasterLineStore::write_import_file(const fs::path& folder, Prompter& prompter) const {
    auto chosen = ticked_lines();
    if (chosen.empty()) return false;
    SafeFileWriter out(folder / std::string(k_import_file));
    // Without its FormatVersion line the reader would take the lines for version 1 and append
    // the version 1 defaults to lines that already carry those fields.
    out.write_line_crlf("TargetModel HomePatrol-1");
    if (!format_line_.empty()) out.write_line_crlf(format_line_);
    for (size_t i : chosen) out.write_line_crlf(replace_all(lines_[i].text, ",", "\t"));
    if (!out.commit()) {
        prompter.tell("There was an error saving this file: " + std::to_string(out.error()) +
                          " / " + out.error_text(),
                      "Error");
        return false;
    }
    return true;
}

ReadStats MasterLineStore::import(SystemStore& store, GroupFiles& files, Prompter& prompter,
                                  Progress& progress) const {
    if (!write_import_file(files.folder(), prompter)) return ReadStats{};
    const auto file = files.folder() / std::string(k_import_file);
    ReadStats stats = read_hpd_or_nothing(file, store, files, k_read_all, 0, progress);
    if (stats.problem != ReadProblem::none)
        prompter.tell(read_problem_text(file, stats, files.folder()), "Error");
    return stats;
}

void remove_import_file(const fs::path& folder) {
    std::error_code ec;
    fs::remove(folder / std::string(k_import_file), ec);
}

std::string system_name_of(std::string_view stored_line) {
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t comma = stored_line.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    size_t end = stored_line.find(',', start);
    std::string name(
        stored_line.substr(start, end == std::string_view::npos ? stored_line.npos : end - start));
    return replace_all(trim(name), ";", ",");
}

bool row_matches_filter(const SystemRow& row, std::string_view name, std::string_view filter) {
    auto query = parse_search_query("\"" + trim(filter) + "\"");
    if (!query) return true;
    return contains_folded(name, query->folded) || contains_folded(row.kind, query->folded) ||
           contains_folded(row.first_group, query->folded);
}

std::string line_for_people(std::string_view stored_line) {
    std::string out;
    out.reserve(stored_line.size() + 32);
    for (char c : stored_line) {
        if (c == ',')
            out += " | ";
        else if (c == ';')
            out += ',';
        else
            out += c;
    }
    return out;
}

void ImportCounts::add(const ReadStats& stats) {
    if (!stats.opened) return;
    systems += stats.systems_added;
    groups += stats.groups;
    channels += stats.channels;
    talkgroups += stats.talkgroups;
}

namespace {
std::string counted(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

std::string import_report(const ImportCounts& c) {
    if (c.systems == 0) return "Nothing was imported.";
    std::string out = "Imported " + counted(c.systems, "system", "systems") + ", " +
                      counted(c.groups, "group", "groups");
    if (c.talkgroups > 0)
        out += ", " + counted(c.channels, "channel", "channels") + " and " +
               counted(c.talkgroups, "talkgroup", "talkgroups");
    else
        out += " and " + counted(c.channels, "channel", "channels");
    return out + ".";
}

}  // namespace tarvex
