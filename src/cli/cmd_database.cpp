// dump, convert, check and info: the database commands of tarvex-cli.
#include <algorithm>
#include <cstdio>
#include <map>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/line_reader.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/hpd/hpd_check.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_dump_help =
    "usage: tarvex-cli dump [--conventional-only | --trunked-only] FILE...\n"
    "Reads the HPD files in order into one store (nothing cleared between files) and prints\n"
    "every store node (key, TAB, parent key, TAB, record line) in store order, then every group\n"
    "channel file by name: a line \"# \" + file name followed by its lines.\n";
constexpr const char* k_convert_help =
    "usage: tarvex-cli convert [--conventional-only | --trunked-only] [--system N]\n"
    "                          [--no-overwrite] -o OUT FILE...\n"
    "Reads the HPD files as dump does and writes them as one HPD file (format 2.03); prints the\n"
    "name written (with --no-overwrite an existing OUT is kept and \"_\" goes before \".hpd\").\n";
constexpr const char* k_check_help =
    "usage: tarvex-cli check [--conventional-only | --trunked-only] FILE...\n"
    "Lists every value that saving the files would change (file:line: kind field: \"as read\" ->\n"
    "\"as written\"), lines saving would drop or add, and a total. Identifier fields, which\n"
    "saving renumbers, are counted but not listed. Exit 1 when anything would change.\n";
constexpr const char* k_info_help =
    "usage: tarvex-cli info [--conventional-only | --trunked-only] FILE...\n"
    "Counts systems by type, sites, site frequencies, groups, channels, talkgroups and unit IDs.\n";

// Common start of every reading command: help, flags, files.
int prepare(const Args& in, const char* help, ReadOptions& options, Args& rest, bool files_needed) {
    if (wants_help(in)) {
        std::fputs(help, stdout);
        return 0;
    }
    rest = in;
    if (!take_read_flags(rest, options)) return 2;
    std::vector<std::string> remaining;
    for (const auto& a : rest) {
        if (starts_with(a, "-") && a.size() > 1) {
            remaining.push_back(a);
            continue;
        }
        options.files.push_back(a);
    }
    rest = remaining;
    if (files_needed && options.files.empty()) {
        std::fprintf(stderr, "tarvex-cli: no HPD file given\n%s", help);
        return 2;
    }
    return -1;
}

int unknown_option(const std::string& opt, const char* help) {
    std::fprintf(stderr, "tarvex-cli: unknown option '%s'\n%s", opt.c_str(), help);
    return 2;
}

}  // namespace

int cmd_dump(const Args& args) {
    ReadOptions options;
    Args rest;
    if (int rc = prepare(args, k_dump_help, options, rest, true); rc >= 0) return rc;
    if (!rest.empty()) return unknown_option(rest.front(), k_dump_help);
    Workspace ws;
    if (!read_all(ws, options)) return 1;
    const SystemStore& store = *ws.store;
    std::string out;
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        auto parent = store.parent_of(id);
        out += store.key_of(id);
        out += '\t';
        if (parent != SystemStore::npos) out += store.key_of(parent);
        out += '\t';
        out += store.text_of(id);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(ws.files->folder()))
        if (e.path().extension() == ".tmp" && e.path().filename() != "temp.tmp")
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        out = "# " + name + "\n";
        int s = keys::number_at(name, 9), g = keys::number_at(name, 13);
        ws.files->for_each_line(s, g, [&](std::string_view line) {
            out += line;
            out += '\n';
        });
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    return 0;
}

int cmd_convert(const Args& args) {
    ReadOptions options;
    Args rest;
    if (int rc = prepare(args, k_convert_help, options, rest, false); rc >= 0) return rc;
    // -o and --system take values, which prepare() counted as files: take them back.
    std::string out_path;
    int system = 0;
    bool no_overwrite = false;
    std::vector<std::string> files;
    Args all = args;
    ReadOptions dummy;
    take_read_flags(all, dummy);
    for (size_t i = 0; i < all.size(); ++i) {
        const std::string& a = all[i];
        if (a == "-o" || a == "--output" || a == "--system") {
            if (i + 1 >= all.size()) {
                std::fprintf(stderr, "tarvex-cli: %s needs a value\n%s", a.c_str(), k_convert_help);
                return 2;
            }
            const std::string& v = all[++i];
            if (a == "--system") {
                auto n = parse_integer(v);
                if (!n || *n < 0 || *n > 999) {
                    std::fprintf(stderr, "tarvex-cli: --system takes a number from 0 to 999\n");
                    return 2;
                }
                system = static_cast<int>(*n);
            } else {
                out_path = v;
            }
        } else if (a == "--no-overwrite") {
            no_overwrite = true;
        } else if (starts_with(a, "-") && a.size() > 1) {
            return unknown_option(a, k_convert_help);
        } else {
            files.push_back(a);
        }
    }
    if (out_path.empty() || files.empty()) {
        std::fprintf(stderr, "tarvex-cli: convert needs -o OUT and at least one FILE\n%s",
                     k_convert_help);
        return 2;
    }
    options.files = files;
    Workspace ws;
    if (!read_all(ws, options)) return 1;
    int format = 2;
    if (!write_hpd(out_path, *ws.store, *ws.files, system, format, 0, no_overwrite, ws.prompter,
                   no_progress()))
        return 1;
    std::printf("%s\n", out_path.c_str());
    return 0;
}

int cmd_check(const Args& args) {
    ReadOptions options;
    Args rest;
    if (int rc = prepare(args, k_check_help, options, rest, true); rc >= 0) return rc;
    if (!rest.empty()) return unknown_option(rest.front(), k_check_help);
    for (const auto& f : options.files) {
        if (auto why = not_a_file_reason(f); !why.empty()) {
            std::fprintf(stderr, "tarvex-cli: cannot read '%s': %s\n", f.c_str(), why.c_str());
            return 1;
        }
    }
    Workspace ws;
    std::vector<std::filesystem::path> paths(options.files.begin(), options.files.end());
    CheckReport report = check_hpd_files(paths, options.flags, *ws.store, *ws.files);
    if (!report.problem.empty()) std::fprintf(stderr, "tarvex-cli: %s\n", report.problem.c_str());
    for (const auto& c : report.changes)
        std::printf("%s:%lld: %s %s: \"%s\" -> \"%s\"\n", c.file.c_str(), c.line, c.kind.c_str(),
                    c.field.c_str(), c.as_read.c_str(), c.as_written.c_str());
    for (const auto& d : report.dropped) std::printf("%s: not written\n", d.c_str());
    for (const auto& a : report.added) std::printf("added: %s\n", a.c_str());
    std::printf(
        "%zu values would change, %zu lines would not be written, %zu lines would be "
        "added (%lld identifier fields renumbered)\n",
        report.changes.size(), report.dropped.size(), report.added.size(),
        report.identifiers_renumbered);
    return report.any() ? 1 : 0;
}

int cmd_info(const Args& args) {
    ReadOptions options;
    Args rest;
    if (int rc = prepare(args, k_info_help, options, rest, true); rc >= 0) return rc;
    if (!rest.empty()) return unknown_option(rest.front(), k_info_help);
    Workspace ws;
    if (!read_all(ws, options)) return 1;
    const SystemStore& store = *ws.store;
    std::map<std::string, int> by_type;
    long long systems = 0, sites = 0, freqs = 0, groups = 0, channels = 0, talkgroups = 0, uids = 0;
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        const std::string& key = store.key_of(id);
        if (starts_with(key, "SYS-")) {
            ++systems;
            ++by_type[get_field(store.text_of(id), 1)];
        } else if (starts_with(key, "SIT-"))
            ++sites;
        else if (starts_with(key, "TFQ-"))
            ++freqs;
        else if (starts_with(key, "UDD-"))
            ++uids;
        else if (starts_with(key, "GRP-")) {
            ++groups;
            int s = keys::group_system_of(key), g = keys::group_of(key);
            bool conventional = store.is_conventional(s);
            ws.files->for_each_line(s, g, [&](std::string_view line) {
                if (get_field_plain(line, 1).empty()) return;
                (conventional ? channels : talkgroups)++;
            });
        }
    }
    std::printf("systems: %lld\n", systems);
    for (const auto& t : k_system_types)
        if (by_type.count(std::string(t.type_name)))
            std::printf("  %s: %d\n", std::string(t.type_name).c_str(),
                        by_type[std::string(t.type_name)]);
    std::printf(
        "sites: %lld\nsite frequencies: %lld\ngroups: %lld\nchannels: %lld\n"
        "talkgroups: %lld\nunit IDs: %lld\n",
        sites, freqs, groups, channels, talkgroups, uids);
    return 0;
}

}  // namespace tarvex::cli
