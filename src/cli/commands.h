#pragma once
// The subcommands of tarvex-cli. Each takes the arguments after its own name and returns the
// exit code: 0 done, 1 refused or failed, 2 wrong usage.
#include <string>
#include <vector>

namespace tarvex::cli {

using Args = std::vector<std::string>;

int cmd_dump(const Args& args);
int cmd_convert(const Args& args);
int cmd_check(const Args& args);
int cmd_info(const Args& args);
int cmd_card(const Args& args);
int cmd_masterdb(const Args& args);
int cmd_bulk(const Args& args);
int cmd_uid(const Args& args);
int cmd_align(const Args& args);
int cmd_case(const Args& args);
int cmd_tags(const Args& args);
int cmd_bandplan(const Args& args);
int cmd_coord(const Args& args);
int cmd_map(const Args& args);
int cmd_dupes(const Args& args);
int cmd_lockouts(const Args& args);
int cmd_fill(const Args& args);
int cmd_dechex(const Args& args);
int cmd_csv(const Args& args);
int cmd_html(const Args& args);
#ifdef TARVEX_CLI_WITH_PLATFORM
int cmd_vc(const Args& args);
int cmd_geocode(const Args& args);
int cmd_print(const Args& args);
int cmd_rr(const Args& args);
#endif

}  // namespace tarvex::cli
