// tarvex-cli: the scriptable face of Tarvex. Messages that the desktop program shows in a
// message box go to stderr, one per line, with the same texts.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "core/base/termination.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const tarvex::cli::Args&);
    const char* summary;
};

constexpr Command k_commands[] = {
    {"dump", tarvex::cli::cmd_dump, "print the store and group files read from HPD files"},
    {"convert", tarvex::cli::cmd_convert, "read HPD files and write them as one HPD file"},
    {"check", tarvex::cli::cmd_check, "list every value that saving would change"},
    {"info", tarvex::cli::cmd_info, "count systems, sites, groups, channels and talkgroups"},
    {"card", tarvex::cli::cmd_card, "detect the memory card and manage its favorites lists"},
    {"masterdb", tarvex::cli::cmd_masterdb, "list and import systems of Uniden's master database"},
    {"dupes", tarvex::cli::cmd_dupes, "list (and remove) duplicate channels and talkgroups"},
    {"lockouts", tarvex::cli::cmd_lockouts, "list (and unlock) avoided channels and talkgroups"},
    {"fill", tarvex::cli::cmd_fill, "print the frequencies of an easy fill"},
    {"dechex", tarvex::cli::cmd_dechex, "a talkgroup value in decimal, hexadecimal and AFS"},
#ifdef TARVEX_CLI_WITH_PLATFORM
    {"vc", tarvex::cli::cmd_vc, "drive a scanner over its serial port and log receptions"},
#endif
};

void usage(std::FILE* out) {
    std::fprintf(out, "usage: tarvex-cli COMMAND [OPTIONS] ...\n\ncommands:\n");
    for (const auto& c : k_commands) std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
    std::fprintf(out, "\n'tarvex-cli COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    // SIGTERM, SIGINT and SIGHUP remove the command's scratch folder as a normal end does.
    tarvex::watch_termination();
    if (argc < 2) {
        usage(stderr);
        return 2;
    }
    std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        usage(stdout);
        return 0;
    }
    tarvex::cli::Args args(argv + 2, argv + argc);
    for (const auto& c : k_commands)
        if (name == c.name) return c.run(args);
    std::fprintf(stderr, "tarvex-cli: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return 2;
}
