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
#ifdef TARVEX_CLI_WITH_PLATFORM
int cmd_vc(const Args& args);
int cmd_rr(const Args& args);
#endif

}  // namespace tarvex::cli
