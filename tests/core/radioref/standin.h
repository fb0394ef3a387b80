#pragma once
// Starts the RadioReference stand-in (tools/rr_standin.py) on a free loopback port for one test
// and stops it afterwards.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace tarvex::radioref::test {

class StandIn {
  public:
    explicit StandIn(bool with_captures = true, double slow_seconds = 3) {
#ifdef TARVEX_SOURCE_DIR
        std::string src = TARVEX_SOURCE_DIR;
        std::vector<std::string> args = {"python3",          src + "/tools/rr_standin.py",
                                         "--port",           "0",
                                         "--fixtures",       src + "/tests/fixtures/rr",
                                         "--slow",           std::to_string(slow_seconds),
                                         "--exit-with-stdin"};
#ifdef TARVEX_RR_DIR
        if (with_captures) {
            args.push_back("--captures");
            args.push_back(TARVEX_RR_DIR);
        }
#endif
        // Its standard input is a pipe only we hold: when this process ends, however it ends,
        // the stand-in sees the pipe close and stops (a crashed test leaves nothing running).
        int fds[2], in[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return;
        if (pipe2(in, O_CLOEXEC) != 0) {
            close(fds[0]);
            close(fds[1]);
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, "python3", &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        close(in[0]);
        keep_ = in[1];
        std::FILE* out = fdopen(fds[0], "r");
        char line[64] = {};
        if (pid_ && out && std::fgets(line, sizeof line, out) &&
            std::sscanf(line, "PORT %d", &port_) == 1)
            base_ = "http://127.0.0.1:" + std::to_string(port_) + "/soap2/";
        if (out) std::fclose(out);
#endif
    }
    ~StandIn() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (keep_ >= 0) close(keep_);
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    bool ok() const {
        return !base_.empty();
    }
    const std::string& base() const {
        return base_;
    }

  private:
    pid_t pid_ = 0;
    int keep_ = -1;  // our end of the stand-in's standard input
    int port_ = 0;
    std::string base_;
};

}  // namespace tarvex::radioref::test
