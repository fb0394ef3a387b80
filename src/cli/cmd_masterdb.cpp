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

namespace tarvex::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* k_help =
    "usage: tarvex-cli masterdb states DIR\n"
    "       tarvex-cli masterdb systems DIR STATE\n"
    "       tarvex-cli masterdb import DIR STATE SYSTEM-ROW... -o OUT.hpd\n"
    "DIR is a master database folder (HPDB.config and s_NNNNNN.hpd files); STATE is a state\n"
    "number as states prints it (not a position).\n"
    "states prints number, name, file and whether the file is present.\n"
    "systems prints row, system, type, first group and contents of the state's systems.\n"
    "import reads the systems of the given rows (as systems numbers them) and writes them\n"
    "as OUT.hpd, through import.hpd and the HPD reader as the window does.\n";

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

}  // namespace

int cmd_masterdb(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_help, stdout);
        return 0;
    }
    std::string out;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
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
    if (sub == "states")
        return rest.size() == 2 ? states(folder) : usage_error("states takes DIR only");
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
