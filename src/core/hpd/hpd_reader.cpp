#include "core/hpd/hpd_reader.h"

#include <algorithm>
#include <charconv>

#include "core/base/line_reader.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/hpd/vocab.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

// Field n of a comma-separated working line as a view (empty when absent).
std::string_view field(std::string_view line, int n) {
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        size_t hit = line.find(',', start);
        if (hit == std::string_view::npos) return {};
        start = hit + 1;
    }
    size_t end = line.find(',', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// The reader's replacements are applied twice so that neighbouring fields are both converted
// (",Off,Off," needs two passes of a non-overlapping replace).
void replace_twice(std::string& s, std::string_view from, std::string_view to) {
    replace_all_in_place(s, from, to);
    replace_all_in_place(s, from, to);
}

// All fields of a working line at once, for the hot channel and talkgroup paths (one scan
// instead of one per field).
class FieldViews {
  public:
    explicit FieldViews(std::string_view line) {
        size_t start = 0;
        while (count_ < k_max) {
            size_t hit = line.find(',', start);
            if (hit == std::string_view::npos) {
                views_[count_++] = line.substr(start);
                break;
            }
            views_[count_++] = line.substr(start, hit - start);
            start = hit + 1;
        }
    }
    std::string_view operator[](int n) const {
        return n >= 0 && n < count_ ? views_[n] : std::string_view();
    }

  private:
    static constexpr int k_max = 24;
    std::string_view views_[k_max];
    int count_ = 0;
};

// A channel's frequency is the Hz field divided by 1,000,000 as plain text: "154.43", "460.1",
// "851.0125", no padding decimals.
std::string mhz_from_hz_field(std::string_view hz) {
    std::string mhz = scaled_to_decimal(lenient_integer(hz), 6, 0);
    if (starts_with(mhz, "00")) return mhz.substr(2);
    if (starts_with(mhz, "0")) return mhz.substr(1);
    return mhz;
}

// Bandplan edges: MHz with four decimals (zero stays "0", as in the default plan).
std::string edge_mhz(std::string_view hz) {
    long long v = lenient_integer(hz);
    return v == 0 ? std::string("0") : scaled_to_decimal(v, 6, 4);
}

std::string step_khz(std::string_view hz) {
    return scaled_to_decimal(lenient_integer(hz), 3, 1);
}

long long hex_value(std::string_view text) {
    std::string t = trim(text);
    long long v = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), v, 16);
    // Block codes are never negative; a "-1" would be stored, then saved as 0 and lost.
    return r.ec == std::errc() && v >= 0 ? v : 0;
}

class Reader {
  public:
    Reader(SystemStore& store, GroupFiles& files, uint16_t flags, Progress& progress,
           const ReadTrace* trace)
        : store_(store), files_(files), flags_(flags), progress_(progress), trace_(trace) {}

    ReadStats run(const std::filesystem::path& path);

  private:
    void line(std::string& work);
    void conventional(std::string& work);
    void trunk(std::string& work);
    void group(std::string& work, bool trunked);
    void channel(std::string& work);
    void talkgroup(std::string& work);
    bool begin_row(bool trunked, const char* version_one_defaults, std::string& work);
    void end_row(std::string& out, const FieldViews& w, int service_field, int first, int last);
    void fleet_map(const std::string& work);
    void site(std::string& work);
    void bandplan(const std::string& work);
    void site_frequency(const std::string& work);
    void unit_id(const std::string& work);
    bool add_system(int index, int type_code, int counter);
    void area_state(const std::string& work);

    bool add(const std::string& parent, std::string key, std::string text) {
        // The store's node limit guards memory against hostile files as well.
        if (store_.size() > k_max_store_nodes) return false;
        std::string k = key;
        if (!store_.add_node(parent, std::move(key), std::move(text))) return false;
        if (trace_ && trace_->node) trace_->node(k, stats_.lines);
        return true;
    }
    bool have_group(bool trunked) const {
        return system_ > 0 && group_ >= 0 && group_ok_ && group_trunked_ == trunked;
    }

    SystemStore& store_;
    GroupFiles& files_;
    uint16_t flags_;
    Progress& progress_;
    const ReadTrace* trace_;
    ReadStats stats_;
    int version_ = 1;
    int system_ = 0;  // index of the current system (0 = none)
    int group_ = -1;  // group index within the current system
    bool group_ok_ = false;
    bool group_trunked_ = false;
    int channel_ = 0, site_ = 0, site_frequency_ = 0, unit_id_ = 0;
    std::string record_;
};

ReadStats Reader::run(const std::filesystem::path& path) {
    LineReader in(path);
    if (!in.is_open()) return stats_;
    stats_.opened = true;
    std::string raw, work;
    while (in.next(raw)) {
        ++stats_.lines;
        // Commas inside values become ";" before the tabs become the field separators.
        work.clear();
        work.reserve(raw.size());
        for (char c : raw) work += c == ',' ? ';' : c == '\t' ? ',' : c;
        line(work);
    }
    files_.close_appender();
    stats_.format_version = version_;
    progress_.status("Load Ok.");
    progress_.label("Finished Loading.");
    return stats_;
}

void Reader::line(std::string& work) {
    // A keyword followed by other text still counts, but that text is dropped: glued to
    // "Trunk" or "Conventional" it would become part of the system type, and the saved system
    // would not read back.
    auto is = [&work](std::string_view keyword) {
        if (!starts_with(work, keyword)) return false;
        if (work.size() > keyword.size() && work[keyword.size()] != ',')
            work.replace(0, std::min(work.find(','), work.size()), keyword);
        return true;
    };
    if (flags_ != k_read_trunked_only) {
        if (starts_with(work, "FormatVersion")) {
            if (contains(work, "2.")) version_ = 2;
            return;
        }
        if (is("Conventional")) return conventional(work);
        if (is("C-Group")) return group(work, false);
        if (is("C-Freq")) return channel(work);
        if (flags_ == k_read_conventional_only) return;
    }
    if (is("Trunk")) return trunk(work);
    if (is("FleetMap")) return fleet_map(work);
    if (is("Site")) return site(work);
    if (is("BandPlan_Mot")) return bandplan(work);
    if (is("BandPlan_P25")) {
        ++stats_.p25_bandplans;
        return;
    }
    if (is("T-Freq")) return site_frequency(work);
    if (is("T-Group")) return group(work, true);
    if (is("UnitIds")) return unit_id(work);
    if (is("TGID")) return talkgroup(work);
    if (is("AreaState")) return area_state(work);
    ++stats_.skipped_lines;
}

void Reader::conventional(std::string& work) {
    ++stats_.conventional_systems;
    group_ = -1;
    group_ok_ = false;
    channel_ = 0;
    replace_all_in_place(work, ",Conventional", ",Conventional,,,,,");
    auto index = store_.g_n_i(IndexKind::System, 0);
    system_ = 0;
    if (!index) {
        ++stats_.systems_rejected;
        return;
    }
    record_ = "SIN," + work;
    replace_all_in_place(record_, ",AgencyId=", ",");
    replace_all_in_place(record_, ",CountyId=", ",");
    // Files written by older tools spell the county prefix with a capital D.
    replace_all_in_place(record_, ",CountyID=", ",");
    replace_twice(record_, ",On,", ",1,");
    replace_twice(record_, ",Off,", ",0,");
    add_system(*index, 0, stats_.conventional_systems);
}

// Adds the system node for record_ under `index` and makes it the current system: side table,
// counters and the progress label ("Opening System: " + the kind's counter).
bool Reader::add_system(int index, int type_code, int counter) {
    std::string name = get_field(record_, 4);
    if (!add("", keys::system(index), record_)) {
        ++stats_.systems_rejected;
        return false;
    }
    system_ = index;
    store_.system_slot(system_, k_slot_type_code) = std::to_string(type_code);
    store_.system_slot(system_, k_slot_in_use) = "1";
    store_.system_slot(system_, k_slot_name) = name;
    ++stats_.systems_added;
    progress_.label("Opening System: " + std::to_string(counter));
    progress_.pump();
    return true;
}

void Reader::trunk(std::string& work) {
    ++stats_.trunked_systems;
    group_ = -1;
    group_ok_ = false;
    channel_ = site_ = unit_id_ = 0;
    system_ = 0;
    if (version_ == 1) work += ",0,Off,Auto,0,Search";
    const SystemTypeInfo* type = system_type_from_file_word(field(work, 6));
    if (!type || type->code == 0) {
        // A trunked type this edition does not know: the system and everything beneath it
        // are left out rather than stored without a type.
        ++stats_.systems_rejected;
        return;
    }
    // A closing comma lets the replacements reach the last field too (",Srch" at the end of
    // a line is the NAC field); it is removed again afterwards.
    std::string rest = work.size() > 5 ? work.substr(5) + "," : std::string(",");
    replace_all_in_place(rest, ",TrunkId=", ",");
    replace_all_in_place(rest, ",AgencyId=", ",");
    replace_twice(rest, ",On,", ",1,");
    replace_twice(rest, ",Off,", ",0,");
    replace_all_in_place(rest, ",Yes,", ",1,");
    replace_all_in_place(rest, ",Srch,", ",Search,");
    replace_all_in_place(rest, ",Analog+Digital,", ",Analog and Digital,");
    rest.pop_back();
    auto index = store_.g_n_i(IndexKind::System, 0);
    if (!index) {
        ++stats_.systems_rejected;
        return;
    }
    record_ = "SIN," + std::string(type->type_name) + rest;
    if (!add_system(*index, type->code, stats_.trunked_systems)) return;
    std::string key = keys::system(system_);
    add(key, keys::unit_id_holder(system_), std::string(templates::uid_holder_reader));
}

void Reader::group(std::string& work, bool trunked) {
    ++stats_.groups;
    ++group_;
    channel_ = 0;
    group_ok_ = false;
    group_trunked_ = trunked;
    if (system_ == 0 || group_ > 999) return;
    // A group of the other kind than its system would be saved as one of the system's kind,
    // its rows converted as the wrong kind of row.
    if (trunked == store_.is_conventional(system_)) {
        ++stats_.dropped_lines;
        return;
    }
    if (version_ == 1) work += ",Circle";
    group_ok_ = add(keys::system(system_), keys::group(system_, group_),
                    (trunked ? "TIN," : "GIN,") + work);
}

bool Reader::begin_row(bool trunked, const char* version_one_defaults, std::string& work) {
    if (!have_group(trunked)) {
        ++stats_.dropped_lines;
        return false;
    }
    ++channel_;  // rows stay numbered without gaps where lines were dropped
    if (version_ == 1) work += version_one_defaults;
    return true;
}

void Reader::end_row(std::string& out, const FieldViews& w, int service_field, int first,
                     int last) {
    out += ',';
    out += vocab::service_type_name(lenient_integer(w[service_field]));
    for (int f = first; f <= last; ++f) {
        out += ',';
        out += w[f];
    }
    files_.append_line(system_, group_, out);
    if (trace_ && trace_->row) trace_->row(system_, group_, channel_, stats_.lines);
}

void Reader::channel(std::string& work) {
    ++stats_.channels;
    if (!begin_row(false, ",Off,2,0,Off,Auto", work)) return;
    FieldViews w(work);
    auto [sq_mode, sq_code] = vocab::sq_from_tone_word(w[7]);
    std::string out = std::to_string(channel_);
    out.reserve(work.size() + 32);
    out += ',';
    out += mhz_from_hz_field(w[5]);
    for (std::string_view part :
         {w[3], w[4], w[6], std::string_view(sq_mode), std::string_view(sq_code)}) {
        out += ',';
        out += part;
    }
    end_row(out, w, 8, 9, 13);  // service type, then Attenuator .. Alert Level
}

void Reader::talkgroup(std::string& work) {
    ++stats_.talkgroups;
    if (!begin_row(true, ",2,0,Off,Auto", work)) return;
    replace_all_in_place(work, ",ALL,", ",All,");
    replace_all_in_place(work, ",ANALOG,", ",Analog,");
    replace_all_in_place(work, ",DIGITAL,", ",Digital,");
    FieldViews w(work);
    std::string out = std::to_string(channel_);
    out.reserve(work.size() + 32);
    for (int f : {5, 3, 4, 6}) {
        out += ',';
        out += w[f];
    }
    end_row(out, w, 7, 8, 11);  // service type, then Delay Time .. Alert Level
}

void Reader::fleet_map(const std::string& work) {
    if (system_ == 0) return;
    std::string rec = "FMP";
    for (int f = 2; f <= 9; ++f) rec += "," + std::to_string(hex_value(field(work, f)));
    std::string key = keys::fleet_map(system_);
    if (store_.exists(key))
        store_.set_node_text(key, rec);
    else
        add(keys::system(system_), key, rec);
    ++stats_.fleet_maps;
}

void Reader::site(std::string& work) {
    ++stats_.sites;
    ++site_;
    site_frequency_ = 0;
    if (system_ == 0 || site_ > 999) return;
    if (version_ == 1) work += ",Circle,Off";
    replace_all_in_place(work, "Circle,Off", "Circle,0");
    replace_all_in_place(work, "Circle,On", "Circle,1");
    replace_all_in_place(work, "Rectangles,Off", "Rectangles,0");
    replace_all_in_place(work, "Rectangles,On", "Rectangles,1");
    replace_all_in_place(work, ",Custom,", ",Custom/Rebanded,");
    replace_all_in_place(work, ",Sprinter,", ",Splinter,");
    replace_all_in_place(work, ",Wide,", ",Wide(standard),");
    add(keys::system(system_), keys::site(system_, site_), "SIT," + work);
}

void Reader::bandplan(const std::string& work) {
    ++stats_.bandplans;
    if (system_ == 0 || site_ < 1 || site_ > 999) return;
    std::string rec = "MCP,type";
    for (int row = 0; row < 4; ++row) {
        int f = 2 + row * 4;
        rec += "," + edge_mhz(field(work, f));
        rec += "," + edge_mhz(field(work, f + 1));
        rec += "," + step_khz(field(work, f + 2));
        rec += "," + std::string(field(work, f + 3));
    }
    std::string key = keys::bandplan(system_, site_);
    if (store_.exists(key))
        store_.set_node_text(key, rec);
    else
        add(keys::system(system_), key, rec);
}

void Reader::site_frequency(const std::string& work) {
    ++stats_.site_frequencies;
    ++site_frequency_;
    if (system_ == 0 || site_ < 1 || site_ > 999 || site_frequency_ > 999) return;
    std::string rec = "TFQ," + hz_to_mhz(lenient_integer(field(work, 5))) + "," +
                      std::string(field(work, 6)) + "," + std::string(field(work, 7));
    add(keys::site(system_, site_), keys::site_frequency(system_, site_, site_frequency_), rec);
}

void Reader::unit_id(const std::string& work) {
    ++stats_.unit_ids;
    ++unit_id_;
    if (system_ == 0 || unit_id_ > 9999) return;
    std::string rec = "UID," + std::string(field(work, 4)) + "," + std::string(field(work, 3)) +
                      "," + std::string(field(work, 5)) + "," + std::string(field(work, 6));
    add(keys::unit_id_holder(system_), keys::unit_id(system_, unit_id_), rec);
}

// A "Trunk" line carries no id (the scanner's files and ours leave it empty); the system's
// "AreaState" line that follows does. Taking it from there lets a saved file read back to the
// same id, so saving it again writes the same bytes.
void Reader::area_state(const std::string& work) {
    if (system_ == 0) return;
    std::string key = keys::system(system_);
    const std::string& rec = store_.get_node_text(key);
    if (get_field(rec, 1) == "Conventional" || !get_field(rec, 2).empty()) return;
    std::string_view id = field(work, 1);
    if (!starts_with(id, "TrunkId=")) return;
    id.remove_prefix(8);
    if (!id.empty()) store_.set_node_field(key, 2, id);
}

}  // namespace

ReadStats read_hpd(const std::filesystem::path& path, SystemStore& store, GroupFiles& files,
                   uint16_t flags, int list_number, Progress& progress, const ReadTrace* trace) {
    (void)list_number;  // lists are not stored in the records in this edition
    Reader reader(store, files, flags, progress, trace);
    return reader.run(path);
}

}  // namespace tarvex
