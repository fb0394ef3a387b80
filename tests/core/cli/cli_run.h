#pragma once
// Runs tarvex-cli as a script would: its exit code, what it printed on stdout, and stderr
// (kept in a file of the test's folder so both streams can be told apart).
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

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

// The same without a shell: each argument reaches the program as it is, blanks and quotes
// included.
inline CliRun cli_argv(const std::vector<std::string>& args, const TempDir& dir) {
    std::string out_file = (dir / "stdout.txt").string(), err_file = (dir / "stderr.txt").string();
    pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen(out_file.c_str(), "w", stdout);
        std::freopen(err_file.c_str(), "w", stderr);
        std::vector<char*> argv{const_cast<char*>(TARVEX_CLI_PATH)};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(TARVEX_CLI_PATH, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(out_file), read_file(err_file)};
}

// The bundled sample database.
inline std::string sample() {
    return (resources_dir() / "sample" / "sample.hpd").string();
}

}  // namespace tarvex::test
