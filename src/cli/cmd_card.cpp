// card: the scanner's memory card from the command line, with the same core operations as the
// favorites-lists manager window.
#include <cstdio>
#include <optional>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/card/detect.h"
#include "core/card/drive_roots.h"
#include "core/card/favorites_manager.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#ifdef TARVEX_CLI_WITH_PLATFORM
#include "app/platform/drive_roots_qt.h"
#endif

namespace tarvex::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* k_help =
    "usage: tarvex-cli card detect [--root DIR]... [--work DIR]\n"
    "       tarvex-cli card lists --root DIR\n"
    "       tarvex-cli card upload --root DIR --name NAME [--list N] [--location on|off]\n"
    "                              [--monitor on|off] FILE.hpd\n"
    "       tarvex-cli card load --root DIR N -o OUT.hpd\n"
    "       tarvex-cli card delete --root DIR N\n"
    "       tarvex-cli card orphans --root DIR [--save]\n"
    "DIR is a drive root: the folder that holds the card's \"HomePatrol\" folder.\n"
    "detect probes each --root (without one: every mounted volume) and prints the status text;\n"
    "with --work it writes drivetest.txt and version.txt there. Exit 1 when no usable scanner.\n"
    "lists prints number, name, file, location control and monitor of every list.\n"
    "upload reads FILE.hpd and writes it as a new list NAME (the lowest free number), or over\n"
    "list N with --list; the configuration is backed up and rewritten.\n"
    "load writes list N as OUT.hpd. delete removes list N, keeping its .bac copy and\n"
    "favorites_lists.backup. orphans lists files without a configuration line; --save adds\n"
    "them to the configuration.\n"
    "Naming a list on the command line is the confirmation the window would ask for.\n";

// Messages to stderr; the questions are printed and answered Yes: the command itself is the
// user's confirmation.
class ConsentingPrompter : public Prompter {
  public:
    void tell(std::string_view text, std::string_view) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    Answer ask(const std::vector<std::string>& lines, std::string_view, Buttons) override {
        for (const auto& l : lines) std::fprintf(stderr, "%s\n", l.c_str());
        return Answer::Yes;
    }
};

struct Options {
    std::vector<std::string> roots;
    std::string work, name, out;
    std::optional<int> list;
    std::optional<bool> location, monitor;
    bool save = false;
    std::vector<std::string> rest;
};

int usage_error(const std::string& what) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", what.c_str(), k_help);
    return 2;
}

// Returns -1 when the options parsed, else the exit code.
int parse(const Args& args, size_t from, Options& o) {
    for (size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--root") {
            if (!value(v)) return usage_error("--root needs a folder");
            o.roots.push_back(v);
        } else if (a == "--work") {
            if (!value(o.work)) return usage_error("--work needs a folder");
        } else if (a == "--name") {
            if (!value(o.name)) return usage_error("--name needs a text");
        } else if (a == "-o" || a == "--output") {
            if (!value(o.out)) return usage_error("-o needs a file name");
        } else if (a == "--list") {
            auto n = value(v) ? parse_integer(v) : std::nullopt;
            if (!n || *n < 1 || *n > k_max_list_number)
                return usage_error("--list takes a list number");
            o.list = static_cast<int>(*n);
        } else if (a == "--location" || a == "--monitor") {
            if (!value(v) || (v != "on" && v != "off")) return usage_error(a + " takes on or off");
            (a == "--location" ? o.location : o.monitor) = v == "on";
        } else if (a == "--save") {
            o.save = true;
        } else if (starts_with(a, "-") && a.size() > 1) {
            return usage_error("unknown option '" + a + "'");
        } else {
            o.rest.push_back(a);
        }
    }
    return -1;
}

// The card behind --root, detected as the window does; nullopt (told) when it is no usable card.
std::optional<FavoritesManager> open_card(const Options& o, Prompter& prompter) {
    FixedDriveRoots roots({fs::path(o.roots.front())});
    Detection d = detect_hp1(roots, {}, nullptr);
    if (d.decision == CardDecision::NotFound) {
        prompter.tell(d.status);
        return std::nullopt;
    }
    if (d.decision == CardDecision::FirmwareTooOld) {
        prompter.tell(k_firmware_message);
        return std::nullopt;
    }
    FavoritesManager manager(d.folders());
    manager.read_config(prompter);
    return manager;
}

std::optional<int> list_number(const std::string& text) {
    auto n = parse_integer(text);
    if (!n || *n < 1 || *n > k_max_list_number) return std::nullopt;
    return static_cast<int>(*n);
}

int detect(const Options& o) {
    std::unique_ptr<DriveRoots> roots;
    if (!o.roots.empty()) {
        std::vector<fs::path> paths(o.roots.begin(), o.roots.end());
        roots = std::make_unique<FixedDriveRoots>(paths);
    } else {
#ifdef TARVEX_CLI_WITH_PLATFORM
        roots = std::make_unique<QtDriveRoots>(nullptr);
#else
        return usage_error("detect needs --root in this build");
#endif
    }
    Detection d = detect_hp1(*roots, o.work.empty() ? fs::path() : fs::path(o.work), nullptr);
    std::printf("%s\n", d.status.c_str());
    if (d.decision == CardDecision::FirmwareTooOld)
        std::fprintf(stderr, "%s\n", std::string(k_firmware_message).c_str());
    return d.decision == CardDecision::Accepted ? 0 : 1;
}

void print_rows(const FavoritesManager& m) {
    for (const auto& r : m.rows())
        std::printf("%d\t%s\t%s\t%s\t%s\n", r.number, r.name.c_str(), r.file.c_str(),
                    r.location ? "On" : "Off", r.monitor ? "On" : "Off");
}

int upload(const Options& o, ConsentingPrompter& prompter) {
    if (o.rest.size() != 1) return usage_error("upload needs one FILE.hpd");
    if (!o.list && o.name.empty()) return usage_error("upload needs --name NAME or --list N");
    auto manager = open_card(o, prompter);
    if (!manager) return 1;
    Workspace ws;
    ReadOptions read;
    read.files = o.rest;
    if (!read_all(ws, read)) return 1;
    UploadChoice c;
    c.existing = o.list.has_value();
    c.selected = o.list.value_or(0);
    c.name = o.name;
    const FavoritesRow* row = c.existing ? manager->row(c.selected) : nullptr;
    c.location = o.location.value_or(row ? row->location : true);
    c.monitor = o.monitor.value_or(row ? row->monitor : true);
    size_t before = manager->rows().size();
    if (!manager->upload(c, *ws.store, *ws.files, prompter, no_progress())) return 1;
    const FavoritesRow* written =
        c.existing ? manager->row(c.selected)
                   : (manager->rows().size() > before ? &manager->rows().back() : nullptr);
    if (written) std::printf("%d\t%s\n", written->number, written->file.c_str());
    return 0;
}

int load(const Options& o, ConsentingPrompter& prompter) {
    if (o.rest.size() != 1 || o.out.empty()) return usage_error("load needs N and -o OUT.hpd");
    auto n = list_number(o.rest[0]);
    if (!n) return usage_error("N must be a list number");
    auto manager = open_card(o, prompter);
    if (!manager) return 1;
    Workspace ws;
    if (!manager->load(*n, *ws.store, *ws.files, {}, prompter, no_progress())) return 1;
    std::string out = o.out;
    int format = 2;
    if (!write_hpd(out, *ws.store, *ws.files, 0, format, 0, false, prompter, no_progress()))
        return 1;
    std::printf("%s\n", out.c_str());
    return 0;
}

}  // namespace

int cmd_card(const Args& args) {
    if (args.empty()) return usage_error("card needs a subcommand");
    if (wants_help(args)) {
        std::fputs(k_help, stdout);
        return 0;
    }
    Options o;
    if (int rc = parse(args, 1, o); rc >= 0) return rc;
    const std::string& sub = args[0];
    if (sub == "detect") return o.rest.empty() ? detect(o) : usage_error("detect takes no files");
    if (sub != "lists" && sub != "upload" && sub != "load" && sub != "delete" && sub != "orphans")
        return usage_error("unknown card subcommand '" + sub + "'");
    if (o.roots.size() != 1) return usage_error(sub + " needs one --root DIR");
    ConsentingPrompter prompter;
    if (sub == "upload") return upload(o, prompter);
    if (sub == "load") return load(o, prompter);
    if (sub == "delete") {
        if (o.rest.size() != 1 || !list_number(o.rest[0])) return usage_error("delete needs N");
        auto manager = open_card(o, prompter);
        return manager && manager->delete_list(*list_number(o.rest[0]), prompter) ? 0 : 1;
    }
    if (!o.rest.empty()) return usage_error(sub + " takes no files");
    auto manager = open_card(o, prompter);
    if (!manager) return 1;
    if (sub == "lists") {
        print_rows(*manager);
        return 0;
    }
    auto added = manager->orphan_scan();
    for (int n : added) {
        const FavoritesRow* r = manager->row(n);
        std::printf("%d\t%s\t%s\n", n, r->name.c_str(), r->file.c_str());
    }
    if (o.save && !added.empty()) {
        if (!manager->save_config(prompter)) return 1;
    }
    return 0;
}

}  // namespace tarvex::cli
