// rr: the RadioReference import without a window. The same core calls and imports as the
// import window, over the same Qt Network transport; credentials from the import settings
// unless given.
#ifdef TARVEX_CLI_WITH_PLATFORM
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/platform/password_store.h"
#include "app/platform/qt_http_client.h"
#include "app/platform/qt_settings_backend.h"
#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/store_keys.h"
#include "core/radioref/rr_codes.h"
#include "core/radioref/rr_import.h"
#include "core/radioref/rr_session.h"
#include "core/radioref/rr_settings.h"
#include "core/settings/settings.h"

namespace tarvex::cli {

namespace {

using namespace tarvex::radioref;

constexpr const char* k_rr_help =
    "usage: tarvex-cli rr [--base URL] [--user NAME --pass PASSWORD] COMMAND\n"
    "commands:\n"
    "  login                      prints the subscription's expiry\n"
    "  trs SID [-o OUT.hpd] [--sites all|N,N...] [--name TEXT] [--descr] [--no-blanks]\n"
    "      [--upper] [--afs] [--untagged N]\n"
    "                             imports one trunked system, every category and talkgroup\n"
    "  conv (--county CTID | --agency AID) SCID... [-o OUT.hpd] [--name TEXT] [--descr]\n"
    "      [--upper] [--untagged N]\n"
    "                             imports the frequencies of those subcategories\n"
    "  search county CTID FREQ [--tone T]\n"
    "  search state STID[,STID[,STID]] FREQ [--tone T]\n"
    "  search tag CTID TAG        one result row per line, columns separated by TAB\n"
    "  browse country COID | state STID | county CTID | agency AID | zip CODE\n"
    "                             the lists the import window shows at that step\n"
    "Without -o the imports print the store and group files as 'tarvex-cli dump' does.\n"
    "Credentials and the base URL default to the import settings; the password comes from\n"
    "--pass, else the system keychain (asked only where a session bus is running), else the\n"
    "import settings' \"pass\". The application key is the setting rr_app_key (8 decimal\n"
    "digits) or the program's own.\n"
    "Exit 0 done, 1 service or import failure, 2 wrong usage.\n";

int usage_error(const std::string& text) {
    std::fprintf(stderr, "tarvex-cli rr: %s\n%s", text.c_str(), k_rr_help);
    return 2;
}

std::optional<int> number(const std::string& s) {
    auto v = parse_integer(s);
    if (!v || *v < 0 || *v > 2147483647) return std::nullopt;
    return static_cast<int>(*v);
}

void out_line(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// The workspace as 'dump' prints it: the store in store order, then every group file.
void print_workspace(Workspace& ws) {
    const SystemStore& store = *ws.store;
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        auto parent = store.parent_of(id);
        out_line(store.key_of(id) + "\t" +
                 (parent != SystemStore::npos ? store.key_of(parent) : std::string()) + "\t" +
                 store.text_of(id));
    }
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(ws.files->folder()))
        if (e.path().extension() == ".tmp" && e.path().filename() != "temp.tmp")
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        out_line("# " + name);
        ws.files->for_each_line(keys::number_at(name, 9), keys::number_at(name, 13),
                                [](std::string_view line) { out_line(std::string(line)); });
    }
}

struct Common {
    std::string base, user, pass;
    bool user_given = false, pass_given = false;
    Args rest;
};

struct ImportArgs {
    std::string out, name, sites = "all";
    bool name_given = false;
    ImportOptions options;
    std::vector<std::string> positional;
    std::string county, agency;
};

// -1 parsed, else an exit code.
int parse_import(const Args& args, size_t from, ImportArgs& a, bool trunked) {
    for (size_t i = from; i < args.size(); ++i) {
        const std::string& s = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (s == "-o") {
            if (!value(a.out)) return usage_error("-o needs a file");
        } else if (s == "--name") {
            if (!value(a.name)) return usage_error("--name needs a text");
            a.name_given = true;
        } else if (s == "--descr") {
            a.options.use_alpha = false;
        } else if (s == "--upper") {
            a.options.upper = true;
        } else if (s == "--untagged") {
            if (!value(v) || !number(v) || ServiceTagName(*number(v)).empty())
                return usage_error("--untagged takes a service tag number");
            a.options.untagged_trunk = a.options.untagged_conv = *number(v);
        } else if (trunked && s == "--sites") {
            if (!value(a.sites)) return usage_error("--sites needs all or N,N...");
        } else if (trunked && s == "--no-blanks") {
            a.options.remove_blanks = true;
        } else if (trunked && s == "--afs") {
            a.options.afs = true;
        } else if (!trunked && (s == "--county" || s == "--agency")) {
            if (!value(s == "--county" ? a.county : a.agency))
                return usage_error(s + " needs an id");
        } else if (starts_with(s, "-")) {
            return usage_error("unknown option " + s);
        } else {
            a.positional.push_back(s);
        }
    }
    return -1;
}

class Client {
  public:
    Client(const Common& c, Settings& settings) : conn_(http_, prompter_) {
        conn_.base_url = c.base.empty() ? stored_base_url(settings) : c.base;
        if (conn_.base_url.back() != '/') conn_.base_url += '/';
        AppKey key = stored_app_key(settings);
        conn_.app_key = key.key;
        key_error_ = key.error;
        user_ = c.user_given ? c.user : settings.GetImportSetting(k_key_user, "x");
        // The window's way: the keychain first, then the import settings.
        if (c.pass_given)
            pass_ = c.pass;
        else if (!user_.empty())
            pass_ = PasswordStore(settings).read(user_);
    }
    // False (with its message on stderr) when the service cannot be reached or refuses us.
    bool login() {
        if (!key_error_.empty()) {
            std::fprintf(stderr, "%s\n", key_error_.c_str());
            return false;
        }
        if (user_.empty() || pass_.empty()) {
            std::fprintf(stderr, "Please enter your RadioReference user name and password.\n");
            return false;
        }
        LoginResult r = radioref::login(conn_, user_, pass_);
        if (!r.logged_in) {
            if (!r.status.empty()) std::fprintf(stderr, "%s\n", r.status.c_str());
            return false;
        }
        lists_ = std::move(r.lists);
        return true;
    }
    SoapConnection& conn() { return conn_; }
    const std::string& expiry() const { return conn_.expiry; }

  private:
    QtHttpClient http_;
    StreamPrompter prompter_{stderr};
    SoapConnection conn_;
    std::string user_, pass_, key_error_;
    LookupLists lists_;
};

int finish_import(Workspace& ws, const ImportReport& r, const std::string& out) {
    if (!r.ok) return 1;
    std::fprintf(stderr, "%s\n", r.summary().c_str());
    if (out.empty()) {
        print_workspace(ws);
        return 0;
    }
    std::string path = out;
    int format = 0;
    if (!write_hpd(path, *ws.store, *ws.files, 0, format, 0, false, ws.prompter, no_progress()))
        return 1;
    return 0;
}

int cmd_trs(Client& client, const Args& args) {
    ImportArgs a;
    if (int rc = parse_import(args, 1, a, true); rc >= 0) return rc;
    if (a.positional.size() != 1 || !number(a.positional[0]))
        return usage_error("trs takes one system id");
    int sid = *number(a.positional[0]);
    std::vector<size_t> picks;
    if (a.sites != "all") {
        for (const auto& p : split(a.sites, ',')) {
            auto n = number(trim(p));
            if (!n || *n < 1) return usage_error("--sites takes all or positions 1, 2, ...");
            picks.push_back(static_cast<size_t>(*n));
        }
    }
    if (!client.login()) return 1;
    SoapConnection& c = client.conn();
    auto sites = getTrsSites(c, sid);
    auto details = sites ? getTrsDetails(c, sid) : std::nullopt;
    auto cats = details ? getTrsTalkgroupCats(c, sid) : std::nullopt;
    if (!sites || !details || !cats) return 1;
    TrsImport in;
    in.sid = sid;
    in.details = *details;
    in.name = system_name_from_boxes(a.name_given ? a.name : details->sName, "", 1,
                                     a.options.alpha_length);
    if (picks.empty())
        for (size_t i = 1; i <= sites->size(); ++i) picks.push_back(i);
    for (size_t p : picks) {
        if (p > sites->size()) {
            std::fprintf(stderr, "The system has %zu sites; there is no site %zu.\n", sites->size(),
                         p);
            return 1;
        }
        const TrsSite& s = (*sites)[p - 1];
        in.sites.push_back({s, s.freqs});
    }
    for (const auto& cat : *cats) {
        auto tgs = getTrsTalkgroups(c, sid, cat.tgCid);
        if (!tgs) return 1;
        for (auto& tg : *tgs) in.talkgroups.push_back({std::move(tg), cat});
    }
    Workspace ws;
    CountyLookup county = [&c](int ctid) { return getCountyInfo(c, ctid); };
    return finish_import(
        ws, import_trunked(in, a.options, *ws.store, *ws.files, ws.prompter, county), a.out);
}

int cmd_conv(Client& client, const Args& args) {
    ImportArgs a;
    if (int rc = parse_import(args, 1, a, false); rc >= 0) return rc;
    if (a.county.empty() == a.agency.empty())
        return usage_error("conv takes either --county CTID or --agency AID");
    auto id = number(a.county.empty() ? a.agency : a.county);
    if (!id) return usage_error("the county or agency id is a number");
    if (a.positional.empty()) return usage_error("conv takes one or more subcategory ids");
    std::vector<int> scids;
    for (const auto& p : a.positional) {
        auto n = number(p);
        if (!n) return usage_error("subcategory ids are numbers");
        scids.push_back(*n);
    }
    if (!client.login()) return 1;
    SoapConnection& c = client.conn();
    std::vector<Category> cats;
    if (!a.county.empty()) {
        auto info = getCountyInfo(c, *id, true);
        if (!info) return 1;
        cats = info->cats;
    } else {
        auto info = getAgencyInfo(c, *id);
        if (!info) return 1;
        cats = info->cats;
    }
    ConvImport in;
    if (a.name_given) in.name = system_name_from_boxes(a.name, "", 1, a.options.alpha_length);
    for (int scid : scids) {
        const Subcat* found = nullptr;
        for (const auto& cat : cats)
            for (const auto& sc : cat.subcats)
                if (sc.scid == scid) found = &sc;
        if (!found) {
            std::fprintf(stderr, "Subcategory %d is not listed for %s %d.\n", scid,
                         a.county.empty() ? "agency" : "county", *id);
            return 1;
        }
        auto freqs = getSubcatFreqs(c, scid);
        if (!freqs) return 1;
        for (auto& f : *freqs) in.freqs.push_back({std::move(f), *found});
    }
    Workspace ws;
    return finish_import(ws, import_conventional(in, a.options, *ws.store, *ws.files, ws.prompter),
                         a.out);
}

void print_rows(const std::vector<SearchRow>& rows, CountyNames& counties) {
    for (const auto& r : rows) out_line(join(search_columns(r, counties), '\t'));
}

int cmd_search(Client& client, const Args& args) {
    if (args.size() < 2) return usage_error("search takes county, state or tag");
    const std::string& kind = args[1];
    std::string tone;
    Args pos;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--tone") {
            if (i + 1 >= args.size()) return usage_error("--tone needs a value");
            tone = args[++i];
        } else if (starts_with(args[i], "-") && !number(args[i].substr(1))) {
            return usage_error("unknown option " + args[i]);
        } else {
            pos.push_back(args[i]);
        }
    }
    if (tone == "None") tone.clear();
    if (pos.size() != 2) return usage_error("search " + kind + " takes an id and a value");
    if (kind == "county" || kind == "state") {
        std::string freq = complete_frequency(pos[1]);
        if (lenient_number(freq) <= 0) {
            std::fprintf(stderr, "Please enter a frequency\n");
            return 1;
        }
        std::vector<int> ids;
        for (const auto& p : split(pos[0], ',')) {
            auto n = number(trim(p));
            if (!n) return usage_error("ids are numbers");
            ids.push_back(*n);
        }
        if (ids.empty() || (kind == "county" && ids.size() != 1) || ids.size() > 3)
            return usage_error("search county takes one county, search state up to three states");
        if (!client.login()) return 1;
        CountyNames counties(client.conn());
        for (int id : ids) {
            auto rows = kind == "county" ? searchCountyFreq(client.conn(), id, freq, tone)
                                         : searchStateFreq(client.conn(), id, freq, tone);
            if (!rows) return 1;
            print_rows(*rows, counties);
        }
        return 0;
    }
    if (kind == "tag") {
        auto ctid = number(pos[0]);
        int tag = number(pos[1]).value_or(service_tag_number(pos[1]));
        if (!ctid || ServiceTagName(tag).empty())
            return usage_error("search tag takes a county id and a service tag number or name");
        if (!client.login()) return 1;
        auto rows = getCountyFreqsByTag(client.conn(), *ctid, tag);
        if (!rows) return 1;
        CountyNames counties(client.conn());
        for (auto& r : *rows) r.ctid = *ctid;
        print_rows(*rows, counties);
        return 0;
    }
    return usage_error("search takes county, state or tag");
}

void print_cats(const std::vector<Category>& cats) {
    for (const auto& c : cats) {
        out_line(std::to_string(c.cid) + "\t" + c.cName);
        for (const auto& s : c.subcats) out_line("\t" + std::to_string(s.scid) + "\t" + s.scName);
    }
}

void print_systems(const std::vector<TrsEntry>& systems) {
    out_line("Trunk Systems:");
    for (const auto& t : systems) out_line(std::to_string(t.sid) + "\t" + t.sName);
}

void print_agencies(const std::vector<Agency>& agencies) {
    out_line("Agency:");
    for (const auto& a : agencies) out_line(std::to_string(a.aid) + "\t" + a.aName);
}

int cmd_browse(Client& client, const Args& args) {
    if (args.size() != 3) return usage_error("browse takes a kind and an id");
    const std::string& kind = args[1];
    auto id = number(args[2]);
    if (!id) return usage_error("the id is a number");
    if (kind != "country" && kind != "state" && kind != "county" && kind != "agency" &&
        kind != "zip")
        return usage_error("browse takes country, state, county, agency or zip");
    if (!client.login()) return 1;
    SoapConnection& c = client.conn();
    if (kind == "country") {
        auto info = getCountryInfo(c, *id);
        if (!info) return 1;
        out_line("States:");
        for (const auto& s : info->states) out_line(std::to_string(s.stid) + "\t" + s.stateName);
        print_agencies(info->agencies);
    } else if (kind == "state") {
        auto info = getStateInfo(c, *id);
        if (!info) return 1;
        out_line("Counties:");
        for (const auto& ct : info->counties)
            out_line(std::to_string(ct.ctid) + "\t" + ct.countyName);
        print_systems(info->systems);
        print_agencies(info->agencies);
    } else if (kind == "county") {
        auto info = getCountyInfo(c, *id);
        if (!info) return 1;
        out_line("Categories:");
        print_cats(info->cats);
        print_systems(info->systems);
        print_agencies(info->agencies);
    } else if (kind == "agency") {
        auto info = getAgencyInfo(c, *id);
        if (!info) return 1;
        out_line("Categories:");
        print_cats(info->cats);
    } else {
        auto zip = getZipcodeInfo(c, *id);
        if (!zip) return 1;
        auto county = getCountyInfo(c, zip->ctid);
        out_line(std::to_string(zip->stid) + "\t" + state_name(zip->stid));
        out_line(std::to_string(zip->ctid) + "\t" +
                 (county && !county->countyName.empty() ? county->countyName : "Unknown"));
        out_line(zip->city + "\t" + zip->lat + "\t" + zip->lon);
    }
    return 0;
}

}  // namespace

int cmd_rr(const Args& all) {
    if (wants_help(all) || all.empty()) {
        std::fputs(k_rr_help, all.empty() ? stderr : stdout);
        return all.empty() ? 2 : 0;
    }
    Common common;
    for (size_t i = 0; i < all.size(); ++i) {
        const std::string& a = all[i];
        bool takes = a == "--base" || a == "--user" || a == "--pass";
        if (takes && common.rest.empty()) {
            if (i + 1 >= all.size()) return usage_error(a + " needs a value");
            const std::string& v = all[++i];
            if (a == "--base") common.base = v;
            if (a == "--user") common.user = v, common.user_given = true;
            if (a == "--pass") common.pass = v, common.pass_given = true;
        } else {
            common.rest.push_back(a);
        }
    }
    if (common.rest.empty()) return usage_error("a command is missing");
    const std::string& cmd = common.rest.front();
    if (cmd != "login" && cmd != "trs" && cmd != "conv" && cmd != "search" && cmd != "browse")
        return usage_error("unknown command " + cmd);
    if (cmd == "login" && common.rest.size() != 1) return usage_error("login takes no arguments");

    int argc = 1;
    char name[] = "tarvex-cli";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);
    QtSettingsBackend main_store(QtSettingsBackend::Store::main);
    QtSettingsBackend import_store(QtSettingsBackend::Store::import);
    Settings settings(main_store, import_store);
    Client client(common, settings);
    if (cmd == "login") {
        if (!client.login()) return 1;
        out_line("Subscription expires on: " + client.expiry());
        return 0;
    }
    if (cmd == "trs") return cmd_trs(client, common.rest);
    if (cmd == "conv") return cmd_conv(client, common.rest);
    if (cmd == "search") return cmd_search(client, common.rest);
    return cmd_browse(client, common.rest);
}

}  // namespace tarvex::cli
#endif
