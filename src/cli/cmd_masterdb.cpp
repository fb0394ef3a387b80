// masterdb: Uniden's master database from the command line, with the same core operations as
// the import window.
#include <cstdio>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/hpd/hpd_writer.h"
#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"
#include "core/masterdb/master_search.h"

namespace tarvex::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* k_help =
    "usage: tarvex-cli masterdb states DIR\n"
    "       tarvex-cli masterdb systems DIR STATE\n"
    "       tarvex-cli masterdb import DIR STATE SYSTEM-ROW... -o OUT.hpd\n"
    "       tarvex-cli masterdb find DIR TEXT [--state N]\n"
    "DIR is a master database folder (HPDB.config and s_NNNNNN.hpd files); STATE is a state\n"
    "number as states prints it (not a position).\n"
    "states prints number, name, file and whether the file is present.\n"
    "systems prints row, system, type, first group and contents of the state's systems.\n"
    "import reads the systems of the given rows (as systems numbers them) and writes them\n"
    "as OUT.hpd, through import.hpd and the HPD reader as the window does.\n"
    "find searches every state file (or state N's) for TEXT and prints one match a line:\n"
    "STATE, ROW (as systems numbers it), SYSTEM, GROUP, NAME and VALUE, tab-separated,\n"
    "then \"N matches in S states\" on stderr. TEXT with a decimal point is a frequency in\n"
    "MHz (channels and site frequencies), a whole number a talkgroup, anything else part of a\n"
    "system, site, group, channel or talkgroup name (any case); quotes force a name (\"155\").\n"
    "Put -- before a TEXT that begins with \"-\".\n";

int usage_error(const std::string& what) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", what.c_str(), k_help);
    return 2;
}

std::optional<int> state_number(const std::string& text) {
    auto n = parse_integer(text);
    if (!n || *n < 0 || *n > 999999) return std::nullopt;
    return static_cast<int>(*n);
}

bool load_state(const fs::path& folder, int state, MasterLineStore& lines) {
    fs::path file = state_file_path(folder, state);
    if (lines.load(file, no_progress())) return true;
    std::fprintf(stderr, "State file not found: %s\n", file.string().c_str());
    return false;
}

int states(const fs::path& folder) {
    HpdbIndex index = read_hpdb_index(folder);
    if (!index.opened) {
        std::fprintf(stderr, "%s\n", std::string(k_no_database).c_str());
        return 1;
    }
    for (const auto& s : index.states) {
        std::error_code ec;
        bool present = fs::is_regular_file(state_file_path(folder, s.number), ec);
        std::printf("%d\t%s\t%s\t%s\n", s.number, s.name.c_str(), s.file_name.c_str(),
                    present ? "present" : "missing");
    }
    return 0;
}

int systems(const fs::path& folder, int state) {
    MasterLineStore lines;
    if (!load_state(folder, state, lines)) return 1;
    int row = 0;
    for (const auto& s : lines.systems())
        std::printf("%d\t%s\t%s\t%s\t%s\n", ++row, s.text.c_str(), s.kind.c_str(),
                    s.first_group.c_str(), s.data.c_str());
    return 0;
}

int import(const fs::path& folder, int state, const std::vector<std::string>& rows,
           std::string out) {
    MasterLineStore lines;
    if (!load_state(folder, state, lines)) return 1;
    for (const auto& r : rows) {
        auto n = parse_integer(r);
        if (!n || *n < 1 || static_cast<size_t>(*n) > lines.systems().size()) {
            std::fprintf(stderr, "tarvex-cli: no system row %s (the state has %zu)\n", r.c_str(),
                         lines.systems().size());
            return 1;
        }
        lines.tick(static_cast<size_t>(*n - 1), true);
    }
    Workspace ws;
    ReadStats stats = lines.import(*ws.store, *ws.files, ws.prompter, no_progress());
    remove_import_file(ws.files->folder());
    if (!stats.opened || stats.problem != ReadProblem::none) return 1;
    int format = 2;
    if (!write_hpd(out, *ws.store, *ws.files, 0, format, 0, false, ws.prompter, no_progress()))
        return 1;
    std::printf("%s\n", out.c_str());
    return 0;
}

void put_field(std::string_view text, char after) {
    // An empty field may have no storage at all, and fwrite must not be given a null pointer.
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc(after, stdout);
}

int find(const fs::path& folder, const std::string& text, std::optional<int> only_state) {
    auto query = parse_search_query(text);
    if (!query) return usage_error("find needs a TEXT to search for");
    HpdbIndex index = read_hpdb_index(folder);
    if (!index.opened) {
        std::fprintf(stderr, "%s\n", std::string(k_no_database).c_str());
        return 1;
    }
    std::vector<StateEntry> states = index.states;
    if (only_state) {
        // Like systems, any state number whose file is there, listed in the index or not.
        fs::path file = state_file_path(folder, *only_state);
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) {
            std::fprintf(stderr, "State file not found: %s\n", file.string().c_str());
            return 1;
        }
        states = {StateEntry{*only_state, {}, state_file_name(*only_state)}};
    }
    MasterSearch search(folder, std::move(states), std::move(*query));
    // A broad name can match most of the database's lines: write them in large blocks.
    static char out_buffer[1 << 16];
    std::setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
    char number[32];
    search.run([&](const MatchView& m) {
        std::snprintf(number, sizeof number, "%d\t%d\t", m.state, m.row);
        std::fputs(number, stdout);
        put_field(m.system, '\t');
        put_field(m.group, '\t');
        put_field(m.name, '\t');
        put_field(m.value, '\n');
    });
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", search_summary(search.matches(), search.states_matched()).c_str());
    return 0;
}

}  // namespace

int cmd_masterdb(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_help, stdout);
        return 0;
    }
    std::string out;
    std::vector<std::string> rest;
    std::optional<std::string> only_state;
    bool options_done = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (options_done) {
            rest.push_back(args[i]);
        } else if (args[i] == "--") {
            options_done = true;
        } else if (args[i] == "--state") {
            if (i + 1 >= args.size()) return usage_error("--state needs a state number");
            only_state = args[++i];
        } else if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 >= args.size()) return usage_error("-o needs a file name");
            out = args[++i];
        } else if (starts_with(args[i], "-") && args[i].size() > 1) {
            return usage_error("unknown option '" + args[i] + "'");
        } else {
            rest.push_back(args[i]);
        }
    }
    if (rest.size() < 2) return usage_error("masterdb needs a subcommand and a folder");
    const std::string& sub = rest[0];
    fs::path folder = rest[1];
    if (only_state && sub != "find") return usage_error("--state is an option of find only");
    if (sub == "states")
        return rest.size() == 2 ? states(folder) : usage_error("states takes DIR only");
    if (sub == "find") {
        if (rest.size() != 3) return usage_error("find takes DIR TEXT [--state N]");
        std::optional<int> state;
        if (only_state && !(state = state_number(*only_state)))
            return usage_error("--state needs a state number");
        return find(folder, rest[2], state);
    }
    if (sub != "systems" && sub != "import")
        return usage_error("unknown masterdb subcommand '" + sub + "'");
    auto state = rest.size() >= 3 ? state_number(rest[2]) : std::nullopt;
    if (!state) return usage_error(sub + " needs a STATE number");
    if (sub == "systems")
        return rest.size() == 3 ? systems(folder, *state) : usage_error("systems takes DIR STATE");
    if (rest.size() < 4 || out.empty())
        return usage_error("import needs SYSTEM-ROW... and -o OUT.hpd");
    return import(folder, *state, {rest.begin() + 3, rest.end()}, out);
}

}  // namespace tarvex::cli
