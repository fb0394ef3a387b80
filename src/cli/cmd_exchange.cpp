// csv and html: the CSV mapper's loading and saving, and the web page of a group.
#include <cstdio>

#include "cli/commands.h"
#include "cli/group_choice.h"
#include "cli/workspace.h"
#include "core/base/safe_file.h"
#include "core/exchange/csv_import.h"
#include "core/exchange/html_export.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_csv_help =
    "usage: tarvex-cli csv FILE [--must-frequency] [--must-comma] [--min-digits 2|3|4]\n"
    "                  [--must-dash] [--must-contain TEXT] [--must-divisible-16]\n"
    "                  [--assignments] -o OUT.csv\n"
    "Loads FILE as the CSV mapper does (character rules, the line filters of the flags, the\n"
    "14500-line limit, mode and switch words, automatic column assignment) and saves the table\n"
    "as \"Save As CSV\" does. --assignments prints each column's assignment: column number\n"
    "(1-based), TAB, assignment text.\n";
constexpr const char* k_html_help =
    "usage: tarvex-cli html FILE.hpd --system N --group G -o OUT.html\n"
    "Writes the web page of group G (its 1-based position under the system in the browser) of\n"
    "system N (1-based in store order), as \"Create HTML\" writes it for that grid.\n";

int usage_error(const std::string& what, const char* help) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", what.c_str(), help);
    return 2;
}

bool write_file(const std::string& path, const std::string& bytes) {
    SafeFileWriter out(path);
    out.write(bytes);
    if (out.commit()) return true;
    std::fprintf(stderr, "tarvex-cli: cannot write '%s': %s\n", path.c_str(),
                 out.error_text().c_str());
    return false;
}

}  // namespace

int cmd_csv(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_csv_help, stdout);
        return 0;
    }
    csv::LineFilters filters;
    std::string file, out;
    bool assignments = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (a == "--must-frequency") {
            filters.must_frequency = true;
        } else if (a == "--must-comma") {
            filters.must_comma = true;
        } else if (a == "--must-dash") {
            filters.must_dash = true;
        } else if (a == "--must-divisible-16") {
            filters.must_divisible_16 = true;
        } else if (a == "--assignments") {
            assignments = true;
        } else if (a == "--min-digits") {
            const std::string* v = value();
            if (!v || (*v != "2" && *v != "3" && *v != "4"))
                return usage_error("--min-digits takes 2, 3 or 4", k_csv_help);
            filters.min_digits = (*v)[0] - '0';
        } else if (a == "--must-contain") {
            const std::string* v = value();
            if (!v) return usage_error("--must-contain needs a text", k_csv_help);
            filters.must_contain = *v;
        } else if (a == "-o") {
            const std::string* v = value();
            if (!v) return usage_error("-o needs a file name", k_csv_help);
            out = *v;
        } else if (starts_with(a, "-") && a.size() > 1) {
            return usage_error("unknown option '" + a + "'", k_csv_help);
        } else if (file.empty()) {
            file = a;
        } else {
            return usage_error("one input file only", k_csv_help);
        }
    }
    if (file.empty()) return usage_error("no input file given", k_csv_help);
    if (out.empty()) return usage_error("no output file given (-o OUT.csv)", k_csv_help);

    csv::LoadResult loaded;
    if (!csv::load_csv_file(file, filters, loaded)) {
        std::fprintf(stderr, "tarvex-cli: cannot read '%s'\n", file.c_str());
        return 1;
    }
    if (loaded.too_large) std::fprintf(stderr, "%s\n", std::string(csv::k_too_large).c_str());
    if (assignments)
        for (int c = 0; c < loaded.table.cols(); ++c)
            std::printf("%d\t%s\n", c + 1, loaded.table.at(0, c).c_str());
    if (!write_file(csv::save_name(out), csv::save_text(loaded.table))) return 1;
    return 0;
}

int cmd_html(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_html_help, stdout);
        return 0;
    }
    std::string file, out;
    std::optional<int> system, group;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool has_value = i + 1 < args.size();
        if (a == "--system" || a == "--group") {
            auto n = has_value ? positive(args[++i]) : std::nullopt;
            if (!n) return usage_error(a + " takes a number from 1", k_html_help);
            (a == "--system" ? system : group) = n;
        } else if (a == "-o") {
            if (!has_value) return usage_error("-o needs a file name", k_html_help);
            out = args[++i];
        } else if (starts_with(a, "-") && a.size() > 1) {
            return usage_error("unknown option '" + a + "'", k_html_help);
        } else if (file.empty()) {
            file = a;
        } else {
            return usage_error("one HPD file only", k_html_help);
        }
    }
    if (file.empty() || !system || !group || out.empty())
        return usage_error("FILE.hpd, --system, --group and -o are needed", k_html_help);
    Workspace ws;
    ReadOptions options;
    options.files = {file};
    if (!read_all(ws, options)) return 1;
    auto s = system_at(*ws.store, *system);
    if (!s) return 1;
    auto g = group_at(*ws.store, *s, *group, *system);
    if (!g) return 1;
    TextGrid grid;
    html::PageSource source = html::group_source(*ws.store, *ws.files, *s, *g, file, grid);
    std::string error;
    if (!html::export_grid_html(out, source, &error)) {
        std::fprintf(stderr, "tarvex-cli: cannot write '%s': %s\n", out.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace tarvex::cli
