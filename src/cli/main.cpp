// tarvex-cli: the scriptable face of Tarvex. Messages that the desktop program shows in a
// message box go to stderr, one per line, with the same texts.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "core/base/termination.h"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION "0.0.0"
#endif

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
    {"bulk", tarvex::cli::cmd_bulk, "set settings of many channels or talkgroups at once"},
    {"uid", tarvex::cli::cmd_uid, "export or import a system's unit IDs as a list file"},
    {"align", tarvex::cli::cmd_align, "justify an alpha tag left, centred or right"},
    {"case", tarvex::cli::cmd_case, "convert an alpha tag to upper, lower or special case"},
    {"tags", tarvex::cli::cmd_tags, "justify or convert names and alpha tags of an HPD file"},
    {"bandplan", tarvex::cli::cmd_bandplan, "Motorola bandplan presets and upper edges"},
    {"coord", tarvex::cli::cmd_coord, "convert coordinates between the scanner's forms"},
    {"map", tarvex::cli::cmd_map, "write the map page of a position"},
    {"dupes", tarvex::cli::cmd_dupes, "list (and remove) duplicate channels and talkgroups"},
    {"lockouts", tarvex::cli::cmd_lockouts, "list (and unlock) avoided channels and talkgroups"},
    {"fill", tarvex::cli::cmd_fill, "print the frequencies of an easy fill"},
    {"dechex", tarvex::cli::cmd_dechex, "a talkgroup value in decimal, hexadecimal and AFS"},
    {"csv", tarvex::cli::cmd_csv, "load a CSV or text file as the CSV mapper does and save it"},
    {"html", tarvex::cli::cmd_html, "write the web page of a group"},
#ifdef TARVEX_CLI_WITH_PLATFORM
    {"vc", tarvex::cli::cmd_vc, "drive a scanner over its serial port and log receptions"},
    {"geocode", tarvex::cli::cmd_geocode, "look up an address, postal code, place or airport"},
    {"print", tarvex::cli::cmd_print, "print a group, a system or every system to a PDF file"},
    {"rr", tarvex::cli::cmd_rr, "import systems and search frequencies on RadioReference"},
#endif
};

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: tarvex-cli COMMAND [OPTIONS] ...\n"
                 "       tarvex-cli --version | --help\n\ncommands:\n");
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
    if (name == "--version" || name == "-v") {
        std::printf("tarvex-cli %s\n", TARVEX_VERSION);
        return 0;
    }
    tarvex::cli::Args args(argv + 2, argv + argc);
    for (const auto& c : k_commands)
        if (name == c.name) return c.run(args);
    std::fprintf(stderr, "tarvex-cli: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return 2;
}
