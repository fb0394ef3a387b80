// bulk and uid: the editing tools of tarvex-cli, on the same core functions as their windows.
#include <cstdio>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/editor/bulk_edit.h"
#include "core/editor/unit_ids.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/text_grid.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_bulk_help =
    "usage: tarvex-cli bulk FILE.hpd --talkgroups|--channels [--system N]\n"
    "                       [--lines all|N,N...] --set SETTING=VALUE... -o OUT.hpd\n"
    "The bulk edit: lists the channels (conventional systems) or talkgroups (trunked systems)\n"
    "of system N (default: all systems) as the \"Bulk Channel Edit\" window does, sets every\n"
    "SETTING (the window's caption, e.g. \"Alert Tone=3\") on the chosen lines (their 1-based\n"
    "positions in that list; default all) and writes OUT.hpd. Prints \"Lines changed: N\".\n"
    "Settings of channels: Mode, SQ Mode, Service Type, Attenuator, Delay Time, Volume Offset,\n"
    "Alert Tone, Alert Level; of talkgroups: Service Type, AudioType, Delay Time, Volume\n"
    "Offset, Alert Tone, Alert Level. Refusals print the window's message and exit 1.\n";

constexpr const char* k_uid_help =
    "usage: tarvex-cli uid export FILE.hpd --system N -o LIST.txt\n"
    "       tarvex-cli uid import FILE.hpd --system N LIST.txt -o OUT.hpd\n"
    "export writes the unit IDs of system N as a unit-ID list file (\"TARVEX UID LIST\n"
    "V=1.00\"); import replaces the unit IDs of system N with those of the list file and\n"
    "writes OUT.hpd.\n";

int usage_error(const std::string& text, const char* help) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", text.c_str(), help);
    return 2;
}

std::optional<int> system_number(const std::string& v) {
    auto n = parse_integer(v);
    if (!n || *n < 1 || *n > 999) return std::nullopt;
    return static_cast<int>(*n);
}

// "all" or 1-based positions separated by commas; false with a message when a position is not
// in the list.
bool pick_lines(const std::string& wanted, const std::vector<BulkLine>& list,
                std::vector<BulkLine>& out) {
    if (wanted.empty() || wanted == "all") {
        out = list;
        return true;
    }
    for (const std::string& part : split(wanted, ',')) {
        auto n = parse_integer(trim(part));
        if (!n || *n < 1 || *n > static_cast<long long>(list.size())) {
            std::fprintf(stderr, "Line %s is not in the list (1..%zu)\n", trim(part).c_str(),
                         list.size());
            return false;
        }
        out.push_back(list[static_cast<size_t>(*n - 1)]);
    }
    return true;
}

bool read_one(Workspace& ws, const std::string& file) {
    ReadOptions options;
    options.files = {file};
    return read_all(ws, options);
}

bool write_out(Workspace& ws, std::string out) {
    int format = 2;
    return write_hpd(out, *ws.store, *ws.files, 0, format, 0, false, ws.prompter, no_progress());
}

}  // namespace

int cmd_bulk(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_bulk_help, stdout);
        return 0;
    }
    std::string file, out, lines_spec = "all";
    std::optional<BulkKind> kind;
    int system = 0;
    std::vector<std::pair<std::string, std::string>> settings;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--talkgroups" || a == "--channels") {
            BulkKind k = a == "--channels" ? BulkKind::Channels : BulkKind::Talkgroups;
            if (kind && *kind != k)
                return usage_error("--talkgroups and --channels exclude each other", k_bulk_help);
            kind = k;
        } else if (a == "--system") {
            auto v = value();
            auto n = v ? system_number(*v) : std::nullopt;
            if (!n) return usage_error("--system takes a number from 1 to 999", k_bulk_help);
            system = *n;
        } else if (a == "--lines") {
            auto v = value();
            if (!v) return usage_error("--lines needs a value", k_bulk_help);
            lines_spec = *v;
        } else if (a == "-o" || a == "--output") {
            auto v = value();
            if (!v) return usage_error("-o needs a value", k_bulk_help);
            out = *v;
        } else if (a == "--set") {
            // One or more SETTING=VALUE words follow.
            size_t taken = 0;
            while (i + 1 < args.size() && !starts_with(args[i + 1], "-") &&
                   contains(args[i + 1], "=")) {
                const std::string& kv = args[++i];
                size_t eq = kv.find('=');
                settings.emplace_back(trim(kv.substr(0, eq)), trim(kv.substr(eq + 1)));
                ++taken;
            }
            if (taken == 0) return usage_error("--set needs SETTING=VALUE", k_bulk_help);
        } else if (starts_with(a, "-") && a.size() > 1) {
            return usage_error("unknown option '" + a + "'", k_bulk_help);
        } else if (file.empty()) {
            file = a;
        } else {
            return usage_error("only one FILE.hpd is read", k_bulk_help);
        }
    }
    if (file.empty() || out.empty() || !kind)
        return usage_error("bulk needs FILE.hpd, --talkgroups or --channels, and -o OUT.hpd",
                           k_bulk_help);

    Workspace ws;
    if (!read_one(ws, file)) return 1;
    std::vector<BulkLine> list = bulk_fill_list(*ws.files, *ws.store, *kind, system, ws.prompter);
    std::vector<BulkLine> ticked;
    if (!pick_lines(lines_spec, list, ticked)) return 1;
    BulkResult result = bulk_apply(*ws.files, *kind, ticked, settings, ws.prompter);
    if (!result.applied || result.write_failed) return 1;
    if (!write_out(ws, out)) return 1;
    std::printf("%s\n", bulk_changed_text(result.lines_changed()).c_str());
    return 0;
}

int cmd_uid(const Args& args) {
    if (wants_help(args) || args.empty()) {
        std::fputs(k_uid_help, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::string& verb = args[0];
    if (verb != "export" && verb != "import")
        return usage_error("unknown uid command '" + verb + "'", k_uid_help);
    std::vector<std::string> positional;
    std::string out;
    int system = 0;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--system" || a == "-o" || a == "--output") {
            if (i + 1 >= args.size()) return usage_error(a + " needs a value", k_uid_help);
            const std::string& v = args[++i];
            if (a == "--system") {
                auto n = system_number(v);
                if (!n) return usage_error("--system takes a number from 1 to 999", k_uid_help);
                system = *n;
            } else {
                out = v;
            }
        } else if (starts_with(a, "-") && a.size() > 1) {
            return usage_error("unknown option '" + a + "'", k_uid_help);
        } else {
            positional.push_back(a);
        }
    }
    const size_t want = verb == "export" ? 1 : 2;
    if (positional.size() != want || out.empty() || system == 0)
        return usage_error("wrong arguments for uid " + verb, k_uid_help);

    Workspace ws;
    if (!read_one(ws, positional[0])) return 1;
    TextGrid grid;
    if (verb == "export") {
        if (!show_unit_ids(*ws.store, system, grid, ws.prompter)) return 1;
        return write_unit_id_list(out, grid, ws.prompter) ? 0 : 1;
    }
    if (!read_unit_id_list(positional[1], grid, ws.prompter)) return 1;
    if (save_unit_ids(*ws.store, system, grid, ws.prompter) < 0) return 1;
    return write_out(ws, out) ? 0 : 1;
}

}  // namespace tarvex::cli
