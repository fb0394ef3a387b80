#include "core/hpd/hpd_writer.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "core/base/os.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"
#include "core/hpd/vocab.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

using Fields = std::vector<std::string_view>;

std::string join_tabs(std::initializer_list<std::string_view> fields) {
    std::string out;
    bool first = true;
    for (auto f : fields) {
        if (!first) out += '\t';
        out += f;
        first = false;
    }
    return out;
}

std::string_view at(const Fields& f, size_t n) {
    return n < f.size() ? f[n] : std::string_view();
}

std::string on_off_from_flag(std::string_view v) {
    return v == "1" ? "On" : "Off";
}
std::string on_off(std::string_view v) {
    return v == "On" ? "On" : "Off";
}
std::string or_default(std::string_view v, std::string_view fallback) {
    return std::string(v.empty() ? fallback : v);
}
std::string pick(std::string_view v, std::initializer_list<std::string_view> allowed,
                 std::string_view fallback) {
    for (auto a : allowed)
        if (v == a) return std::string(v);
    return std::string(fallback);
}
std::string hex_upper(long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v < 0 ? 0 : v));
    return buf;
}

// Emits lines to a callback; one instance per save.
class Emitter {
  public:
    Emitter(SystemStore& store, GroupFiles& files, const WriteTrace* trace,
            std::function<void(std::string_view)> sink)
        : store_(store), files_(files), trace_(trace), sink_(std::move(sink)) {}

    void header() {
        emit("TargetModel HomePatrol-1", "", 0);
        emit("FormatVersion   2.03", "", 0);
    }
    void system(SystemStore::NodeId id);

  private:
    void emit(std::string_view line, const std::string& key, int row) {
        sink_(line);
        if (trace_ && trace_->line) trace_->line(line, key, row);
    }
    std::string id_of(SystemStore::NodeId id, std::string_view stored) {
        return stored.empty() || stored == "0" ? std::to_string(store_.store_position(id))
                                               : std::string(stored);
    }
    void trunked(SystemStore::NodeId id);
    void conventional(SystemStore::NodeId id);
    void unit_ids(SystemStore::NodeId id);
    void sites(SystemStore::NodeId sys, int system_index, const std::string& id,
               const std::string& file_word);
    void groups(SystemStore::NodeId sys, const std::string& id, bool trunked);

    SystemStore& store_;
    GroupFiles& files_;
    const WriteTrace* trace_;
    std::function<void(std::string_view)> sink_;
};

void Emitter::system(SystemStore::NodeId id) {
    if (get_field(store_.text_of(id), 1) == "Conventional")
        conventional(id);
    else
        trunked(id);
}

void Emitter::trunked(SystemStore::NodeId node) {
    const std::string& key = store_.key_of(node);
    std::string line =
        replace_all(store_.text_of(node), ",Analog and Digital,", ",Analog+Digital,");
    line = strip_line_ends(line);
    Fields f = split_view(line, ',');
    std::string word = file_word_for_system_type(at(f, 1));
    std::string id = id_of(node, at(f, 2));
    // The alert fields pass through their lists like every other alert value: the reader's
    // ",Off," rule turns an alert tone of "Off" into "0", which the scanner would not take.
    emit(join_tabs({"Trunk", "", "", at(f, 4), on_off_from_flag(at(f, 5)), at(f, 6), word,
                    on_off_from_flag(at(f, 8)), vocab::alert_tone_list().pick(at(f, 9)),
                    vocab::alert_level_list().pick(at(f, 10)), at(f, 11) == "1" ? "Yes" : "Ignore",
                    replace_all(at(f, 12), "Search", "Srch")}),
         key, 0);
    emit(join_tabs({"AreaState", "TrunkId=" + id, "StateId=0"}), key, 0);
    emit(join_tabs({"AreaCounty", "TrunkId=" + id, "CountyId=0"}), key, 0);
    int index = keys::system_of(key);
    if (at(f, 1) == "Motorola") {
        std::string fmp_key = keys::fleet_map(index);
        const std::string& fmp = store_.get_node_text(fmp_key);
        if (!fmp.empty() && fmp != templates::fleet_map_default) {
            std::string out = "FleetMap\tTrunkId=" + id;
            for (int b = 1; b <= 8; ++b)
                out += "\t" + hex_upper(lenient_integer(get_field(fmp, b)));
            emit(out, fmp_key, 0);
        }
    }
    unit_ids(node);
    sites(node, index, id, word);
    groups(node, id, true);
}

void Emitter::unit_ids(SystemStore::NodeId sys) {
    for (auto h = store_.first_child(sys); h != SystemStore::npos; h = store_.next_sibling(h)) {
        if (!starts_with(store_.key_of(h), "UID-")) continue;
        for (auto u = store_.first_child(h); u != SystemStore::npos; u = store_.next_sibling(u)) {
            if (!starts_with(store_.key_of(u), "UDD-")) continue;
            const std::string& rec = store_.text_of(u);
            std::string uid = get_field(rec, 1);
            if (starts_with(uid, "i")) uid = replace_all(uid, "i", "");
            emit(join_tabs({"UnitIds", "", "", vocab::clean_alpha_tag(get_field(rec, 2), "No Tag"),
                            uid, vocab::alert_tone_list().pick(get_field(rec, 3)),
                            vocab::alert_level_list().pick(get_field(rec, 4))}),
                 store_.key_of(u), 0);
        }
    }
}

void Emitter::sites(SystemStore::NodeId sys, int system_index, const std::string& id,
                    const std::string& file_word) {
    for (auto s = store_.first_child(sys); s != SystemStore::npos; s = store_.next_sibling(s)) {
        const std::string& key = store_.key_of(s);
        if (!starts_with(key, "SIT-")) continue;
        std::string line = strip_line_ends(store_.text_of(s));
        Fields f = split_view(line, ',');
        std::string site_id = "SiteId=" + std::to_string(store_.store_position(s));
        std::string moto = at(f, 10) == "Custom/Rebanded" ? "Custom"
                           : at(f, 10) == "Splinter"      ? "Sprinter"
                                                          : "Standard";
        std::string edacs = at(f, 11) == "Narrow" ? "Narrow" : "Wide";
        emit(join_tabs({"Site", site_id, "TrunkId=" + id, at(f, 4), on_off(at(f, 5)),
                        or_default(at(f, 6), "0.000000"), or_default(at(f, 7), "-0.000000"),
                        or_default(at(f, 8), "0.0"), pick(at(f, 9), {"AUTO", "FM", "NFM"}, "AUTO"),
                        moto, edacs, pick(at(f, 12), {"Circle", "Rectangles"}, "Circle"),
                        on_off_from_flag(at(f, 13))}),
             key, 0);
        if (moto == "Custom" &&
            (file_word == "Motorola" || file_word == "P25Standard" || file_word == "P25X2_TDMA")) {
            std::string mcp_key = "MCP-" + key.substr(4);
            if (!store_.exists(mcp_key))
                store_.add_node(keys::system(system_index), mcp_key,
                                std::string(templates::bandplan_default));
            const std::string& plan = store_.get_node_text(mcp_key);
            std::string out = "BandPlan_Mot\t" + site_id;
            for (int row = 0; row < 6; ++row) {
                int b = 2 + row * 4;
                out += "\t" + std::to_string(decimal_to_scaled(get_field(plan, b), 6));
                out += "\t" + std::to_string(decimal_to_scaled(get_field(plan, b + 1), 6));
                out += "\t" + std::to_string(decimal_to_scaled(get_field(plan, b + 2), 3));
                out += "\t" + std::to_string(lenient_integer(get_field(plan, b + 3)));
            }
            emit(out, mcp_key, 0);
        }
        for (auto t = store_.first_child(s); t != SystemStore::npos; t = store_.next_sibling(t)) {
            if (!starts_with(store_.key_of(t), "TFQ-")) continue;
            const std::string& rec = store_.text_of(t);
            emit(join_tabs({"T-Freq", "TFreqId=0", site_id, "", "Off",
                            std::to_string(mhz_to_hz(get_field(rec, 1))), get_field(rec, 2),
                            or_default(get_field(rec, 3), "Srch")}),
                 store_.key_of(t), 0);
        }
    }
}

void Emitter::groups(SystemStore::NodeId sys, const std::string& id, bool trunked) {
    for (auto g = store_.first_child(sys); g != SystemStore::npos; g = store_.next_sibling(g)) {
        const std::string& key = store_.key_of(g);
        if (!starts_with(key, "GRP-")) continue;
        std::string line = strip_line_ends(store_.text_of(g));
        Fields f = split_view(line, ',');
        std::string pos = std::to_string(store_.store_position(g));
        emit(join_tabs(
                 {trunked ? "T-Group" : "C-Group", (trunked ? "TGroupId=" : "CGroupId=") + pos,
                  (trunked ? "TrunkId=" : "AgencyId=") + id, at(f, 4), on_off(at(f, 5)),
                  or_default(at(f, 6), "0.000000"), or_default(at(f, 7), "-0.000000"),
                  or_default(at(f, 8), "0.0"), pick(at(f, 9), {"Circle", "Rectangles"}, "Circle")}),
             key, 0);
        int sys_index = keys::group_system_of(key), group_index = keys::group_of(key);
        files_.for_each_line(sys_index, group_index, [&](std::string_view row) {
            std::string out =
                trunked ? vocab::talkgroup_to_tgid(row) : vocab::channel_to_cfreq(row);
            if (!out.empty()) emit(out, key, static_cast<int>(lenient_integer(row)));
        });
    }
}

void Emitter::conventional(SystemStore::NodeId node) {
    const std::string& key = store_.key_of(node);
    std::string line = strip_line_ends(store_.text_of(node));
    Fields f = split_view(line, ',');
    std::string id = id_of(node, at(f, 2));
    // "CountyId=" is the spelling the scanner's own database uses and the one the reader takes
    // back, so a saved file reads back to the same id.
    emit(join_tabs({"Conventional", "CountyId=" + id, "StateId=0", at(f, 4),
                    on_off_from_flag(at(f, 5)), at(f, 6), at(f, 7)}),
         key, 0);
    emit(join_tabs({"AreaState", "AgencyId=" + id, "StateId=0"}), key, 0);
    emit(join_tabs({"AreaCounty", "AgencyId=" + id, "CountyId=0"}), key, 0);
    groups(node, id, false);
}

template <typename Sink>
void walk(SystemStore& store, GroupFiles& files, int system_number, const WriteTrace* trace,
          Sink&& sink, Progress& progress) {
    Emitter emitter(store, files, trace, sink);
    emitter.header();
    std::string only = system_number > 0 ? keys::system(system_number) : std::string();
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id)) {
        const std::string& key = store.key_of(id);
        if (!starts_with(key, "SYS-")) continue;
        if (!only.empty() && key != only) continue;
        progress.label("Saving System: " + key);
        progress.pump();
        emitter.system(id);
    }
}

std::string no_overwrite_name(std::string path) {
    std::error_code ec;
    while (std::filesystem::exists(path, ec)) {
        std::string next = replace_all(path, ".hpd", "_.hpd");
        if (next == path) next = path + "_";  // a name without ".hpd" still must not overwrite
        path = std::move(next);
    }
    return path;
}

}  // namespace

bool write_hpd(std::string& path, SystemStore& store, GroupFiles& files, int system_number,
               int& format_code, int list_number, bool no_overwrite, Prompter& prompter,
               Progress& progress, const WriteTrace* trace) {
    (void)list_number;
    format_code = 2;
    if (path.empty()) return false;
    if (store.empty()) {
        prompter.tell("Nothing to Save");
        return false;
    }
    if (no_overwrite) path = no_overwrite_name(path);
    SafeFileWriter out{std::filesystem::path(path)};
    walk(
        store, files, system_number, trace,
        [&](std::string_view line) { out.write_line_crlf(line); }, progress);
    if (!out.commit()) {
        prompter.tell("There was an error saving this file: " + std::to_string(out.error()) +
                      " / " + out.error_text());
        return false;
    }
    progress.label("Done Saving.");
    return true;
}

std::vector<std::string> hpd_lines(SystemStore& store, GroupFiles& files, int system_number,
                                   const WriteTrace* trace) {
    std::vector<std::string> lines;
    walk(
        store, files, system_number, trace,
        [&](std::string_view line) { lines.emplace_back(line); }, no_progress());
    return lines;
}

void for_each_hpd_line(SystemStore& store, GroupFiles& files, int system_number,
                       const WriteTrace* trace,
                       const std::function<void(std::string_view line)>& sink) {
    walk(store, files, system_number, trace, sink, no_progress());
}

std::string saved_folder_stamp(std::chrono::system_clock::time_point now) {
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    const std::tm local = base::local_time(t);
    char date[16];
    std::strftime(date, sizeof date, "%m%d%Y", &local);
    long seconds = local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec;
    long fraction = static_cast<long>(seconds * 100000.0 / 86400.0);
    return std::string(date) + "_" + std::to_string(fraction);
}

std::vector<std::string> save_individual_systems(
    const std::filesystem::path& folder, const std::vector<std::pair<int, std::string>>& ticked,
    SystemStore& store, GroupFiles& files, Prompter& prompter, Progress& progress,
    std::chrono::system_clock::time_point now) {
    std::vector<std::string> written;
    if (ticked.empty()) {
        prompter.tell("Please select one or more systems.");
        return written;
    }
    std::filesystem::path target = folder / ("Saved" + saved_folder_stamp(now));
    std::error_code ec;
    std::filesystem::create_directories(target, ec);
    for (const auto& [system, list_text] : ticked) {
        // A system name may hold characters no file name can.
        std::string name = list_text;
        for (char& c : name)
            if (std::strchr("/\\:*?\"<>|", c) || static_cast<unsigned char>(c) < 32) c = '_';
        if (name.empty()) name = "System" + fmt3(system);
        std::string path = (target / (name + ".hpd")).string();
        int format = 2;
        if (write_hpd(path, store, files, system, format, 0, true, prompter, progress))
            written.push_back(path);
    }
    return written;
}

}  // namespace tarvex
