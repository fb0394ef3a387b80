// align, case and tags: the alpha-tag transforms from the command line, the same core
// operations as the menus and the "Justify Alpha Tags:" window.
#include <cstdio>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/editor/alpha_tags.h"
#include "core/hpd/hpd_writer.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_help =
    "usage: tarvex-cli align left|center|right TEXT\n"
    "       tarvex-cli case up|low|sp TEXT\n"
    "       tarvex-cli tags FILE.hpd (--align left|center|right | --case up|low|sp)\n"
    "                  [--systems] [--sites] [--groups] [--channels] -o OUT.hpd\n"
    "align and case print TEXT transformed (justified to 30 characters; leading blanks kept).\n"
    "tags applies the transform to the chosen kinds of names over the whole file: system,\n"
    "site and group names, and the alpha tags of channels and talkgroups.\n";

int usage_error(const std::string& what) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", what.c_str(), k_help);
    return 2;
}

std::optional<int> align_code(const std::string& word) {
    if (word == "left") return grid::align_left;
    if (word == "center") return grid::align_center;
    if (word == "right") return grid::align_right;
    return std::nullopt;
}

std::optional<grid::CaseCode> case_code(const std::string& word) {
    if (word == "up") return grid::CaseCode::Upper;
    if (word == "low") return grid::CaseCode::Lower;
    if (word == "sp") return grid::CaseCode::Special;
    return std::nullopt;
}

int print_transformed(const std::string& text, const TagTransform& t) {
    std::string out = t(text);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

}  // namespace

int cmd_align(const Args& args) {
    if (wants_help(args)) return std::fputs(k_help, stdout), 0;
    if (args.size() != 2) return usage_error("align needs left|center|right and TEXT");
    auto code = align_code(args[0]);
    if (!code) return usage_error("unknown alignment '" + args[0] + "'");
    return print_transformed(args[1], TagTransform::alignment(*code));
}

int cmd_case(const Args& args) {
    if (wants_help(args)) return std::fputs(k_help, stdout), 0;
    if (args.size() != 2) return usage_error("case needs up|low|sp and TEXT");
    auto code = case_code(args[0]);
    if (!code) return usage_error("unknown case '" + args[0] + "'");
    return print_transformed(args[1], TagTransform::letter_case(*code));
}

int cmd_tags(const Args& args) {
    if (wants_help(args)) return std::fputs(k_help, stdout), 0;
    std::optional<TagTransform> transform;
    TagKinds kinds;
    std::string out;
    ReadOptions read;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--align" || a == "--case") {
            if (transform) return usage_error("give one --align or --case");
            auto v = value();
            if (!v) return usage_error(a + " needs a value");
            if (a == "--align") {
                auto code = align_code(*v);
                if (!code) return usage_error("unknown alignment '" + *v + "'");
                transform = TagTransform::alignment(*code);
            } else {
                auto code = case_code(*v);
                if (!code) return usage_error("unknown case '" + *v + "'");
                transform = TagTransform::letter_case(*code);
            }
        } else if (a == "--systems") {
            kinds.systems = true;
        } else if (a == "--sites") {
            kinds.sites = true;
        } else if (a == "--groups") {
            kinds.groups = true;
        } else if (a == "--channels") {
            kinds.channels = true;
        } else if (a == "-o" || a == "--output") {
            auto v = value();
            if (!v) return usage_error("-o needs a file name");
            out = *v;
        } else if (starts_with(a, "-") && a.size() > 1) {
            return usage_error("unknown option '" + a + "'");
        } else {
            read.files.push_back(a);
        }
    }
    if (read.files.size() != 1) return usage_error("tags needs one FILE.hpd");
    if (!transform) return usage_error("tags needs --align or --case");
    if (!kinds.any())
        return usage_error("tags needs at least one of --systems, --sites, --groups, --channels");
    if (out.empty()) return usage_error("tags needs -o OUT.hpd");
    Workspace ws;
    if (!read_all(ws, read)) return 1;
    TagCounts n = apply_alpha_tags(*ws.store, *ws.files, kinds, *transform);
    int format = 2;
    if (!write_hpd(out, *ws.store, *ws.files, 0, format, 0, false, ws.prompter, no_progress()))
        return 1;
    std::printf("%s\t%d systems, %d sites, %d groups, %d channel files\n", out.c_str(), n.systems,
                n.sites, n.groups, n.files);
    return 0;
}

}  // namespace tarvex::cli
