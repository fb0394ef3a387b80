// bandplan: the presets and the upper-edge calculation of the "Motorola Custom Plan:" dialog.
#include <cstdio>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/bandplan/bandplan.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_help =
    "usage: tarvex-cli bandplan preset rebanded|standard800|splinter800\n"
    "       tarvex-cli bandplan calc ROW...\n"
    "ROW is LOWER:UPPER:STEP:OFFSET (MHz, MHz, kHz, first channel number); any field may be\n"
    "empty, at most six rows. Both print the six rows as LOWER:UPPER:STEP:OFFSET; calc fills\n"
    "every empty upper edge the way \"Calculate Upper for VHF/UHF systems\" does.\n";

int usage_error(const std::string& what) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", what.c_str(), k_help);
    return 2;
}

void print_plan(const bandplan::Plan& plan) {
    for (const auto& row : plan) std::printf("%s\n", bandplan::format_row(row).c_str());
}

}  // namespace

int cmd_bandplan(const Args& args) {
    if (wants_help(args)) return std::fputs(k_help, stdout), 0;
    if (args.empty()) return usage_error("bandplan needs preset or calc");
    bandplan::Plan plan;
    if (args[0] == "preset") {
        if (args.size() != 2) return usage_error("preset needs one name");
        auto preset = bandplan::preset_from_name(args[1]);
        if (!preset) return usage_error("unknown preset '" + args[1] + "'");
        bandplan::apply_preset(plan, *preset);
        print_plan(plan);
        return 0;
    }
    if (args[0] != "calc") return usage_error("unknown bandplan subcommand '" + args[0] + "'");
    if (args.size() < 2 || args.size() > 1 + bandplan::k_rows)
        return usage_error("calc needs one to six rows");
    for (size_t i = 1; i < args.size(); ++i) {
        auto row = bandplan::parse_row(args[i]);
        if (!row) return usage_error("a row is LOWER:UPPER:STEP:OFFSET, not '" + args[i] + "'");
        if (row->step.empty()) row->step = "25.0";
        plan[i - 1] = *row;
    }
    bandplan::calculate_upper(plan);
    print_plan(plan);
    return 0;
}

}  // namespace tarvex::cli
