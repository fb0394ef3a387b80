#include "core/base/termination.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace tarvex {

namespace fs = std::filesystem;

namespace {

std::mutex& folders_mutex() {
    static std::mutex m;
    return m;
}
std::vector<fs::path>& folders() {
    static std::vector<fs::path> list;
    return list;
}

}  // namespace

void remove_on_termination(const fs::path& folder) {
    std::lock_guard lock(folders_mutex());
    folders().push_back(folder);
}

void forget_on_termination(const fs::path& folder) {
    std::lock_guard lock(folders_mutex());
    std::erase(folders(), folder);
}

void stop_now(int signal) {
    {
        std::lock_guard lock(folders_mutex());
        for (const auto& f : folders()) {
            // Twice: the main thread may still be adding a file while the first pass runs.
            for (int pass = 0; pass < 2; ++pass) {
                std::error_code ec;
                fs::remove_all(f, ec);
            }
        }
    }
    std::_Exit(128 + signal);
}

#ifndef _WIN32
void watch_termination(std::function<void(int signal)> on_stop) {
    static bool started = false;
    if (started) return;
    started = true;
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, on_stop = std::move(on_stop)] {
        int count = 0;
        for (;;) {
            int sig = 0;
            if (sigwait(&set, &sig) != 0) continue;
            if (++count > 1 || !on_stop) stop_now(sig);
            on_stop(sig);
        }
    }).detach();
}
#else
// Windows delivers console and log-off events differently; the run folders of a program ended
// there are swept by the next start.
void watch_termination(std::function<void(int)>) {}
#endif

}  // namespace tarvex
