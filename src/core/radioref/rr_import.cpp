#include "core/radioref/rr_import.h"

#include <cstdio>
#include <map>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_edacs.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/radioref/rr_codes.h"

namespace tarvex::radioref {

namespace {

constexpr std::string_view k_storage_full =
    "Out of storage space, reached storage limit (30000 objects).";

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

bool store_full(const SystemStore& store) {
    return store.size() > k_max_store_nodes;
}

std::string service_for(const std::vector<int>& tags, int untagged) {
    std::string_view name = tags.empty() ? std::string_view() : ServiceTagName(tags.front());
    if (name.empty()) name = ServiceTagName(untagged);
    return std::string(name);
}

bool has_location(std::string_view lat, std::string_view lon) {
    return lenient_number(lat) != 0 || lenient_number(lon) != 0;
}

std::string group_line(std::string_view name, std::string_view lat, std::string_view lon,
                       std::string_view range, bool trunked) {
    std::string line = "GIN,C-Group,CGroupId=0,AgencyId=0," + clean_rr_text(name) + ",Off,";
    if (has_location(lat, lon))
        line += fixed(lenient_number(lat), 6) + "," + fixed(lenient_number(lon), 6) + "," +
                fixed(lenient_number(range), 1);
    else
        line += "0.000000,-00.000000,0.0";
    if (trunked) line += ",,,";
    return line;
}

std::string alert_tail(const ImportOptions& o) {
    return o.alerts ? o.alert_tone + "," + o.alert_level : std::string("Off,Auto");
}

bool is_edacs(ScannerType t) {
    return t == ScannerType::edacs_standard || t == ScannerType::edacs_narrow;
}

// The running import: the new system and the groups made so far, by category or subcategory.
// When the store reaches its limit the import stops where it is: the message is told once,
// what was added stays, and the report counts what was left out.
struct Target {
    SystemStore& store;
    GroupFiles& files;
    Prompter& prompter;
    ImportReport& report;
    int system = 0;
    std::map<int, int> groups;  // category id -> group index
    std::map<int, int> rows;    // group index -> rows written
    bool full = false;

    // False once the store is full (telling so the first time).
    bool room() {
        if (full) return false;
        if (!store_full(store)) return true;
        full = true;
        report.message = std::string(k_storage_full);
        prompter.tell(report.message);
        return false;
    }

    // One line for everything of a kind the full store left out.
    void left_out(size_t count, std::string_view what) {
        if (count > 0)
            report.skipped.push_back(std::to_string(count) + " " + std::string(what) +
                                     ": the store is full");
    }

    // Field 0 of a row is its row number within the group, as the grids expect.
    void append(int group, const std::string& body) {
        if (rows[group] >= k_max_file_rows) {
            report.skipped.push_back("row beyond " + std::to_string(k_max_file_rows) +
                                     " in one group: " + body.substr(1, 40));
            return;
        }
        int row = ++rows[group];
        files.append_line(system, group, std::to_string(row) + body);
        ++report.rows;
    }

    // The group of a category, made when its first row comes: a category none of whose rows
    // is imported gets no group (an empty group would only use up the store's room).
    std::optional<int> group_for(int id, const std::string& line, const std::string& name) {
        if (auto it = groups.find(id); it != groups.end()) {
            if (it->second >= 0) return it->second;
            return std::nullopt;
        }
        if (static_cast<int>(groups.size()) >= k_max_groups) {
            report.skipped.push_back("group " + name + ": the system holds " +
                                     std::to_string(k_max_groups) + " groups");
            groups[id] = -1;
            return std::nullopt;
        }
        if (!room()) return std::nullopt;
        auto g = store.g_n_i(IndexKind::Group, system);
        if (!g || !store.add_node(keys::system(system), keys::group(system, *g), line)) {
            groups[id] = -1;
            report.skipped.push_back("group " + name + ": no free group index");
            return std::nullopt;
        }
        ++report.groups;
        groups[id] = *g;
        return *g;
    }
};

}  // namespace

std::string band_label(const TrsDetails& details) {
    if (details.bandplan.empty()) return {};
    double base = lenient_number(details.bandplan.front().base);
    std::string label;
    if (base >= 136.0) label = "VHF";
    if (base >= 200.0) label = "UHF";
    return label;
}

ScannerType decide_scanner_type(const TrsDetails& d) {
    std::string type = to_upper(TrunkTypeName(d.sType));
    std::string label = band_label(d);
    ScannerType t = ScannerType::mot_800;
    if (type == "LTR") t = ScannerType::ltr;
    if (type == "EDACS")
        t = d.sFlavor == 10 || d.sFlavor == 11 ? ScannerType::edacs_narrow
                                               : ScannerType::edacs_standard;
    if (type == "DMR") t = ScannerType::mototrbo;
    if (label == "VHF" || label == "UHF") t = ScannerType::mot_vhf_uhf;
    if (type == "PROJECT 25") t = d.sFlavor == 33 ? ScannerType::p25_x2 : ScannerType::p25_auto;
    return t;
}

std::string_view scanner_type_name(ScannerType t) {
    switch (t) {
        case ScannerType::mot_800:
            return "MOT 800/900";
        case ScannerType::mot_vhf_uhf:
            return "MOT VHF/UHF";
        case ScannerType::edacs_standard:
            return "EDACS STANDARD";
        case ScannerType::edacs_narrow:
            return "EDACS NARROW";
        case ScannerType::ltr:
            return "LTR";
        case ScannerType::p25_auto:
            return "P25 AUTO";
        case ScannerType::p25_x2:
            return "P25 X2";
        case ScannerType::mototrbo:
            return "MotoTRBO";
    }
    return "";
}

std::string clean_rr_text(std::string_view text) {
    std::string s = replace_all(text, "&amp;", "&");
    replace_all_in_place(s, "&quot;", "'");
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if ((c >= 1 && c <= 9) || (c >= 11 && c <= 31) || c >= 128) continue;
        out += ch == ',' ? ';' : ch == '"' ? '\'' : ch;
    }
    return out;
}

std::string clean_name(std::string_view text) {
    std::string out;
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127) continue;
        out += ch == '"' || ch == '=' ? '_' : ch;
    }
    return out;
}

std::string choose_alpha(std::string_view alpha, std::string_view descr, const ImportOptions& o) {
    std::string d = replace_all(comma_to_semicolon(descr), "\"", "'");
    std::string a;
    if (o.use_alpha) {
        a = std::string(alpha);
    } else {
        a = d;
        if (o.remove_blanks && static_cast<int>(a.size()) > o.alpha_length)
            a = replace_all(a, " ", "");
    }
    if (trim(a).empty()) a = d;
    if (static_cast<int>(a.size()) > o.alpha_length) a.resize(static_cast<size_t>(o.alpha_length));
    a = clean_rr_text(a);
    return o.upper ? to_upper(a) : a;
}

std::string ltr_six_digits(std::string_view v) {
    std::string s(v);
    if (s.size() == 4) return s.substr(0, 1) + "00" + s.substr(1);
    if (s.size() == 5) return s.substr(0, 2) + "0" + s.substr(2);
    return s;
}

std::string system_name_from_boxes(std::string_view first, std::string_view second, int option,
                                   int alpha_length) {
    auto cut = [alpha_length](std::string s) {
        if (static_cast<int>(s.size()) > alpha_length) s.resize(static_cast<size_t>(alpha_length));
        return s;
    };
    if (option == 1) return cut(comma_to_semicolon(replace_all(cut(std::string(first)), " ", "")));
    if (option == 2) return comma_to_semicolon(second);
    return {};
}

std::string bandplan_line(const std::vector<Bandplan>& plan) {
    if (plan.size() >= 2 && plan[0].base == "851.025" && plan[1].base == "851.0125")
        return "MCP,type,851.0250,854.0000,25.0,440,851.0125,868.9875,25.0,0,,,,,,,,,,,,,,,,,";
    std::string line = "MCP,type";
    constexpr size_t rows = 6;
    for (size_t i = 0; i < rows; ++i) {
        if (i >= plan.size() || lenient_number(plan[i].base) <= 0) {
            line += ",,,,";
            continue;
        }
        double lower = lenient_number(plan[i].base);
        double step = lenient_number(plan[i].spacing);
        if (step >= 1000) step /= 1000;  // a spacing given in Hz
        long long offset = lenient_integer(plan[i].offset);
        // The upper edge ends one channel before the next row's first channel (760 closes the
        // last row), as the bandplan editor computes it.
        long long next = i + 1 < plan.size() && lenient_number(plan[i + 1].base) > 0
                             ? lenient_integer(plan[i + 1].offset)
                             : 760;
        double upper = lower + static_cast<double>(next - 1 - offset) * step / 1000.0;
        if (upper < lower) upper = lower;
        line += "," + fixed(lower, 4) + "," + fixed(upper, 4) + "," + fixed(step, 1) + "," +
                std::to_string(offset);
    }
    return line;
}

Squelch squelch_from_tone(std::string_view tone) {
    std::string t(tone);
    std::string mode;
    if (contains(t, "CSQ")) mode = "SEARCH";
    if (contains(t, " PL")) mode = "CTCSS";
    if (contains(t, " DPL")) mode = "DCS";
    if (contains(t, " NAC")) mode = "P25";
    if (contains(t, " DMR") || contains(t, " CC")) mode = "DMR";
    if (contains(t, " RAN")) mode = "NXDN";
    std::string code = t;
    for (std::string_view part : {" PL", " NAC", " DPL", " CC", " RAN"})
        replace_all_in_place(code, part, "");
    return {mode, trim(code)};
}

std::string ImportReport::summary() const {
    std::string s;
    if (!message.empty()) s += message + "\n";
    s += "Added: system " + std::to_string(system) + ", " + std::to_string(sites) + " sites, " +
         std::to_string(site_frequencies) + " site frequencies, " + std::to_string(bandplans) +
         " bandplans, " + std::to_string(groups) + " groups, " + std::to_string(rows) + " rows.";
    if (!skipped.empty()) {
        s += "\nSkipped " + std::to_string(skipped.size()) + ":";
        for (const auto& k : skipped) s += "\n  " + k;
    }
    return s;
}

// ---- trunked ----

namespace {

std::string system_line(ScannerType t, int sid, const std::string& name, const std::string& date,
                        std::string& slot10) {
    std::string head = ",StateId=0," + name + ",Off," + date + ",";
    std::string id = std::to_string(sid);
    switch (t) {
        case ScannerType::mot_800:
        case ScannerType::mot_vhf_uhf:
            slot10 = "1";
            return "SIN,Motorola," + id + head + "Motorola,0,Off,Auto,0,Search";
        case ScannerType::edacs_standard:
        case ScannerType::edacs_narrow:
            slot10 = "2";
            return "SIN,Edacs Narrow/Wide," + id + head + "Edacs Narrow/Wide";
        case ScannerType::ltr:
            slot10 = "4";
            return "SIN,LTR," + id + head + "Motorola";
        case ScannerType::p25_auto:
            slot10 = "5";
            return "SIN,P25 Standard," + id + head + "P25 Standard";
        case ScannerType::p25_x2:
            slot10 = "7";
            return "SIN,P25 X2 TDMA," + id + head + "P25 X2 TDMA";
        case ScannerType::mototrbo:
            slot10 = "8";
            return "SIN,MotoTRBO," + id + head + "DMR";
    }
    return {};
}

bool site_is_custom(const TrsImport& in, const TrsSite& site, ScannerType t, std::string& tail) {
    std::string type = to_upper(TrunkTypeName(in.details.sType));
    const std::string standard = ",AUTO,Standard,Wide,Circle,0,,,,,,,,,,,,";
    const std::string custom = ",AUTO,Custom/Rebanded,Wide,Circle,0,,,,,,,,,,,,";
    tail = standard;
    if (!in.details.bandplan.empty() || !site.bandplan.empty()) tail = custom;
    if (type == "PROJECT 25") tail = standard;
    if (site.rebanded == 1 && type == "MOTOROLA") tail = custom;
    if (site.splinter == 1 && type == "MOTOROLA") tail = ",AUTO,Splinter,Wide,Circle,0,,,,,,,,,,,,";
    if (is_edacs(t) && (in.details.sFlavor == 10 || in.details.sFlavor == 11))
        tail = ",AUTO,Standard,Narrow,Circle,0,,,,,,,,,,,,";
    return tail == custom;
}

bool frequency_wanted(const SiteFreq& f, const ImportOptions& o) {
    if (o.cc_all) return true;
    if (f.use == "d") return o.cc_pri;
    if (f.use == "a") return o.cc_alt;
    return true;
}

void add_site(const TrsImport& in, const ChosenSite& chosen, ScannerType t, const ImportOptions& o,
              Target& target, const CountyLookup& county) {
    SystemStore& store = target.store;
    ImportReport& report = target.report;
    const TrsSite& site = chosen.site;
    std::string label = "site " + std::to_string(site.siteNumber) + " " + site.siteDescr;
    if (target.system < 1) {
        target.prompter.tell("error , can not add site.");
        report.skipped.push_back(label + ": no system");
        return;
    }
    double lat = lenient_number(site.lat), lon = lenient_number(site.lon);
    double range = lenient_number(site.range);
    long long ctid = lenient_integer(site.siteCtid);
    if (lat == 0 && lon == 0 && ctid >= 1 && county) {
        if (auto c = county(static_cast<int>(ctid))) {
            lat = lenient_number(c->lat);
            lon = lenient_number(c->lon);
            range = lenient_number(c->range);
        }
    }
    if (range == 0) range = 25;
    std::string name = clean_name(site.siteDescr);
    if (name.size() > 64) name.resize(64);
    if (!target.room()) return;
    auto index = store.g_n_i(IndexKind::Site, target.system);
    if (!index) {
        report.skipped.push_back(label + ": no free site index");
        return;
    }
    int n = target.system, s = *index;
    std::string tail;
    bool custom = site_is_custom(in, site, t, tail);
    std::string line = "SIF,Site,SiteId=" + std::to_string(site.siteNumber) +
                       ",TrunkId=" + std::to_string(in.sid) + "," + name + ",Off," + fixed(lat, 6) +
                       "," + fixed(lon, 6) + "," + fixed(range, 1) + tail;
    if (!store.add_node(keys::system(n), keys::site(n, s), line)) {
        report.skipped.push_back(label + ": could not be added");
        return;
    }
    ++report.sites;
    if (custom) {
        const auto& plan = in.details.bandplan.empty() ? site.bandplan : in.details.bandplan;
        store.add_node(keys::system(n), keys::bandplan(n, s), bandplan_line(plan));
        ++report.bandplans;
    }
    bool with_lcn = is_edacs(t) || t == ScannerType::ltr;
    int written = 0;
    for (size_t i = 0; i < chosen.freqs.size(); ++i) {
        const SiteFreq& f = chosen.freqs[i];
        long long hz = mhz_to_hz(f.freq);
        if (hz <= 0) {
            report.skipped.push_back(label + ": frequency \"" + f.freq + "\" is not a frequency");
            continue;
        }
        if (!frequency_wanted(f, o)) continue;
        if (!target.room()) {
            target.left_out(chosen.freqs.size() - i, "site frequencies of " + label);
            return;
        }
        if (written >= k_max_site_frequencies) {
            report.skipped.push_back(label + ": frequency " + hz_to_mhz(hz) + " beyond " +
                                     std::to_string(k_max_site_frequencies) + " per site");
            continue;
        }
        ++written;
        std::string tfq = "TFQ," + hz_to_mhz(hz) + ",";
        // The service's channel number where it has one: EDACS and LTR sites trunk by it.
        if (with_lcn) tfq += std::to_string(f.lcn > 0 ? f.lcn : written) + ",";
        store.add_node(keys::site(n, s), keys::site_frequency(n, s, written), tfq);
        ++report.site_frequencies;
    }
}

std::string talkgroup_value(const Talkgroup& tg, ScannerType t, const ImportOptions& o) {
    std::string v = trim(tg.tgDec);
    if (v.empty() || v == "0") {
        std::string alt = trim(tg.tgSubfleet);
        if (!alt.empty()) v = alt;
    }
    if (v.empty()) v = "0";
    if (t == ScannerType::ltr) v = ltr_six_digits(v);
    if (is_edacs(t) && o.afs) {
        if (auto afs = grid::afs_from_decimal(static_cast<int>(lenient_integer(v)))) v = *afs;
    }
    return v;
}

std::string audio_type(std::string_view mode) {
    std::string m = to_upper(mode);
    if (m == "A") return "Analog";
    if (m == "D") return "Digital";
    return "All";
}

bool common_checks(int tg_filters_ticked, SystemStore& store, Prompter& prompter,
                   ImportReport& report) {
    if (tg_filters_ticked < 1) {
        report.message = "Error: all tg filters are disabled";
        prompter.tell(report.message);
        return false;
    }
    if (store_full(store)) {
        report.message = std::string(k_storage_full);
        prompter.tell(report.message);
        return false;
    }
    return true;
}

std::optional<int> new_system(SystemStore& store, Prompter& prompter, ImportReport& report) {
    auto index = store.g_n_i(IndexKind::System, 0);
    if (!index || *index < 1) {
        report.message = "Error, can not create new system: " + std::to_string(index.value_or(0));
        prompter.tell(report.message);
        return std::nullopt;
    }
    store.system_slot(*index, k_slot_in_use) = "1";
    return index;
}

}  // namespace

ImportReport import_trunked(const TrsImport& in, const ImportOptions& o, SystemStore& store,
                            GroupFiles& files, Prompter& prompter, const CountyLookup& county) {
    ImportReport report;
    if (in.sites.empty()) {
        report.message = "Please select at least one site.";
        prompter.tell(report.message);
        return report;
    }
    if (!common_checks(in.tg_filters_ticked, store, prompter, report)) return report;
    ScannerType t = decide_scanner_type(in.details);
    if ((t == ScannerType::ltr || is_edacs(t)) && in.sites.size() > 1 && o.warn_lcn)
        prompter.tell(
            "Warning: You selected more than one site, your scanner may not trunk this "
            "system properly.\rPlease select only one site.",
            "Edacs/LTR LCN warning");
    auto index = new_system(store, prompter, report);
    if (!index) return report;
    int n = *index;
    std::string date =
        in.details.lastUpdated.empty() ? "10-10-2001 10:10:10" : in.details.lastUpdated;
    std::string slot10;
    std::string name = clean_rr_text(in.name);
    std::string line = system_line(t, in.sid, name, date, slot10);
    if (!store.add_node("", keys::system(n), line)) {
        report.message = "Error, can not create new system: " + std::to_string(n);
        prompter.tell(report.message);
        return report;
    }
    store.system_slot(n, k_slot_type_code) = slot10;
    store.system_slot(n, k_slot_name) = name;
    store.add_node(keys::system(n), keys::unit_id_holder(n),
                   std::string(templates::uid_holder_editor));
    report.system = n;
    report.ok = true;

    Target target{store, files, prompter, report, n, {}, {}};
    for (size_t i = 0; i < in.sites.size(); ++i) {
        add_site(in, in.sites[i], t, o, target, county);
        if (target.full) {
            target.left_out(in.sites.size() - i - 1, "sites");
            break;
        }
    }

    for (size_t i = 0; i < in.talkgroups.size(); ++i) {
        const Talkgroup& tg = in.talkgroups[i].tg;
        const TgCategory& cat = in.talkgroups[i].category;
        auto g = target.group_for(
            cat.tgCid, group_line(cat.tgCname, cat.lat, cat.lon, cat.range, true), cat.tgCname);
        if (target.full) {
            target.left_out(in.talkgroups.size() - i, "talkgroups");
            break;
        }
        if (!g) {
            report.skipped.push_back("talkgroup " + tg.tgDec + " " + tg.tgAlpha + ": no group");
            continue;
        }
        std::string body = "," + talkgroup_value(tg, t, o) + "," +
                           choose_alpha(tg.tgAlpha, tg.tgDescr, o) + ",Off," +
                           audio_type(tg.tgMode) + "," + service_for(tg.tags, o.untagged_trunk) +
                           ",2,0," + alert_tail(o);
        target.append(*g, body);
    }
    files.close_appender();
    return report;
}

ImportReport import_conventional(const ConvImport& in, const ImportOptions& o, SystemStore& store,
                                 GroupFiles& files, Prompter& prompter) {
    ImportReport report;
    if (in.freqs.empty()) {
        report.message = "Please select at least one frequency for import.";
        prompter.tell(report.message);
        return report;
    }
    if (!common_checks(in.tg_filters_ticked, store, prompter, report)) return report;
    auto index = new_system(store, prompter, report);
    if (!index) return report;
    int n = *index;
    std::string name = in.name.empty() ? std::string("New System") : clean_rr_text(in.name);
    if (!store.add_node(
            "", keys::system(n),
            "SIN,Conventional,0,StateId=0," + name + ",Off,01/01/2010 10:00:00,Conventional")) {
        report.message = "Error, can not create new system: " + std::to_string(n);
        prompter.tell(report.message);
        return report;
    }
    store.system_slot(n, k_slot_type_code) = "0";
    store.system_slot(n, k_slot_name) = name;
    report.system = n;
    report.ok = true;
    Target target{store, files, prompter, report, n, {}, {}};
    for (size_t i = 0; i < in.freqs.size(); ++i) {
        const Frequency& f = in.freqs[i].freq;
        const Subcat& sc = in.freqs[i].subcat;
        long long hz = mhz_to_hz(f.out);
        if (hz <= 0) {
            report.skipped.push_back("frequency \"" + f.out + "\" " + f.alpha +
                                     ": not a frequency");
            continue;
        }
        auto g = target.group_for(sc.scid, group_line(sc.scName, sc.lat, sc.lon, sc.range, false),
                                  sc.scName);
        if (target.full) {
            target.left_out(in.freqs.size() - i, "frequencies");
            break;
        }
        if (!g) {
            report.skipped.push_back("frequency " + f.out + " " + f.alpha + ": no group");
            continue;
        }
        Squelch sq = squelch_from_tone(f.tone);
        std::string service = service_for(f.tags, o.untagged_conv);
        std::string alpha = choose_alpha(f.alpha, f.descr, o);
        std::string tones;
        if (sq.mode == "CTCSS" || sq.mode == "DCS" || sq.mode == "P25")
            tones = sq.mode + "," + sq.code;
        else if (sq.mode == "NXDN")
            tones = ",";
        else
            tones = "All,Search";
        target.append(*g, "," + hz_to_mhz(hz) + "," + alpha + ",Off,AUTO," + tones + "," + service +
                              ",Off,2,0," + alert_tail(o));
    }
    files.close_appender();
    return report;
}

}  // namespace tarvex::radioref
