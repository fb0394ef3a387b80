#pragma once
// Runs tarvex-cli as a script would: its exit code, what it printed on stdout, and stderr
// (kept in a file of the test's folder so both streams can be told apart).
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/test_support.h"

namespace tarvex::test {

struct CliRun {
    int code = -1;
    std::string out, err;
};

// `env` goes before the program, as the shell reads it ("env -u DISPLAY ", "ulimit -f 64; ").
inline CliRun cli(const std::string& args, const TempDir& dir, const std::string& env = {}) {
    std::string err_file = (dir / "stderr.txt").string();
    std::string cmd = env + std::string(TARVEX_CLI_PATH) + " " + args + " 2>" + err_file;
    CliRun r;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        std::array<char, 4096> buf;
        size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
        int status = ::pclose(p);
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    r.err = read_file(err_file);
    return r;
}

// The bundled sample database.
inline std::string sample() {
    return (resources_dir() / "sample" / "sample.hpd").string();
}

}  // namespace tarvex::test
