// dupes, lockouts, fill and dechex: the editing tools of the Options and Tools menus, for
// scripts and checks.
#include <cstdio>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/editor/dec_hex.h"
#include "core/editor/duplicates.h"
#include "core/editor/easy_fill.h"
#include "core/editor/lockouts.h"
#include "core/hpd/hpd_writer.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_dupes_help =
    "usage: tarvex-cli dupes FILE.hpd [--across] [--remove -o OUT.hpd]\n"
    "Lists every duplicate channel (same frequency, SQ Mode and SQ Code) and talkgroup (same\n"
    "value), one per line: SYSTEM, GROUP, ROW, VALUE, FIRST-SYSTEM, FIRST-GROUP, FIRST-ROW,\n"
    "tab-separated (SYSTEM the system's place in store order, GROUP the group's place in its\n"
    "system, both from 1). The first in store order is kept. Within each system unless\n"
    "--across. --remove -o OUT.hpd writes the file without the duplicates.\n";
constexpr const char* k_lockouts_help =
    "usage: tarvex-cli lockouts FILE.hpd [--unlock -o OUT.hpd]\n"
    "Lists the avoided channels and talkgroups: SYSTEM, GROUP, ROW, VALUE, tab-separated.\n"
    "--unlock -o OUT.hpd writes the file with all of them unlocked.\n";
constexpr const char* k_fill_help =
    "usage: tarvex-cli fill START END STEP\n"
    "Prints the frequencies (MHz) an easy fill from START to END MHz in steps of STEP kHz\n"
    "produces, one per line.\n";
constexpr const char* k_dechex_help =
    "usage: tarvex-cli dechex VALUE\n"
    "VALUE in decimal, hexadecimal (0x...) or EDACS AFS (AA-FFS). Prints \"DEC\", \"HEX\" and,\n"
    "for values up to 2047, \"AFS\", each followed by a TAB and the value, one per line.\n";

// FILE, a switch, and the output after -o; false (with usage) on anything else.
struct ToolArgs {
    std::string file, out;
    bool flag = false, action = false;
};

int parse(const Args& args, const char* help, const char* flag, const char* action, ToolArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o") {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "tarvex-cli: -o needs a value\n%s", help);
                return 2;
            }
            out.out = args[++i];
        } else if (flag && a == flag) {
            out.flag = true;
        } else if (a == action) {
            out.action = true;
        } else if (starts_with(a, "-") && a.size() > 1) {
            std::fprintf(stderr, "tarvex-cli: unknown option '%s'\n%s", a.c_str(), help);
            return 2;
        } else if (out.file.empty()) {
            out.file = a;
        } else {
            std::fprintf(stderr, "tarvex-cli: one FILE only\n%s", help);
            return 2;
        }
    }
    if (out.file.empty()) {
        std::fprintf(stderr, "tarvex-cli: no HPD file given\n%s", help);
        return 2;
    }
    if (out.action != !out.out.empty()) {
        std::fprintf(stderr, "tarvex-cli: %s and -o OUT.hpd go together\n%s", action, help);
        return 2;
    }
    return -1;
}

std::string place(const RowPlace& p) {
    return std::to_string(p.system_position) + '\t' + std::to_string(p.group_position) + '\t' +
           std::to_string(p.row);
}

bool write_out(Workspace& ws, std::string path) {
    int format = 2;
    return write_hpd(path, *ws.store, *ws.files, 0, format, 0, false, ws.prompter, no_progress());
}

}  // namespace

int cmd_dupes(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_dupes_help, stdout);
        return 0;
    }
    ToolArgs a;
    if (int rc = parse(args, k_dupes_help, "--across", "--remove", a); rc >= 0) return rc;
    Workspace ws;
    if (!read_all(ws, {0, {a.file}})) return 1;
    auto dupes = find_duplicates(*ws.store, *ws.files, a.flag);
    std::string out;
    for (const auto& d : dupes) out += place(d.at) + '\t' + d.value + '\t' + place(d.first) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (!a.action) return 0;
    std::vector<RowPlace> rows;
    for (const auto& d : dupes) rows.push_back(d.at);
    RowRemoval removed = remove_rows(*ws.files, rows);
    if (!write_out(ws, a.out)) return 1;
    std::fprintf(stderr, "%d duplicates removed\n", removed.removed);
    return 0;
}

int cmd_lockouts(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_lockouts_help, stdout);
        return 0;
    }
    ToolArgs a;
    if (int rc = parse(args, k_lockouts_help, nullptr, "--unlock", a); rc >= 0) return rc;
    Workspace ws;
    if (!read_all(ws, {0, {a.file}})) return 1;
    std::vector<Lockout> rows;
    for (auto& l : find_lockouts(*ws.store, *ws.files))
        if (l.kind == LockoutKind::Channel || l.kind == LockoutKind::Talkgroup)
            rows.push_back(std::move(l));
    std::string out;
    for (const auto& l : rows) out += place(l.at) + '\t' + l.value + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (!a.action) return 0;
    UnlockResult r = unlock(*ws.store, *ws.files, rows);
    if (!write_out(ws, a.out)) return 1;
    std::fprintf(stderr, "%d unlocked\n", r.unlocked);
    return 0;
}

int cmd_fill(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_fill_help, stdout);
        return 0;
    }
    if (args.size() != 3) {
        std::fprintf(stderr, "tarvex-cli: fill needs START END STEP\n%s", k_fill_help);
        return 2;
    }
    FrequencyFill f = plan_frequency_fill(args[0], args[1], args[2]);
    if (!f.error.empty()) {
        std::fprintf(stderr, "%s\n", f.error.c_str());
        return 1;
    }
    std::string out;
    for (const auto& t : frequency_texts(f.hz)) out += t + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int cmd_dechex(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_dechex_help, stdout);
        return 0;
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "tarvex-cli: dechex needs one VALUE\n%s", k_dechex_help);
        return 2;
    }
    DecHex v = convert_dec_hex(args[0]);
    if (!v.error.empty()) {
        std::fprintf(stderr, "%s\n", v.error.c_str());
        return 1;
    }
    std::printf("DEC\t%lld\nHEX\t%s\n", v.decimal, v.hex.c_str());
    if (v.afs) std::printf("AFS\t%s\n", v.afs->c_str());
    return 0;
}

}  // namespace tarvex::cli
