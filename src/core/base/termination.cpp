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
            // The main thread may still be adding files: a folder emptied under it fills again
            // and refuses to go. Renamed first, it gets no new files (they fail to open at the
            // old name), and what is in it can be removed for good.
            std::error_code ec;
            fs::path doomed = f;
            doomed += ".ending";
            fs::rename(f, doomed, ec);
            const fs::path& gone = ec ? f : doomed;
            for (int pass = 0; pass < 20 && fs::exists(gone, ec); ++pass) fs::remove_all(gone, ec);
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
