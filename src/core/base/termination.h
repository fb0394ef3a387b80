#pragma once
// Ending the process on SIGTERM, SIGINT or SIGHUP as tidily as a normal exit: the run's scratch
// folders are removed instead of being left in RAM-backed space. A watcher thread waits for the
// signals (nothing runs inside a signal handler), so whatever it does may use the whole library.
#include <filesystem>
#include <functional>

namespace tarvex {

// Starts the watcher. Call it first thing in main, before any other thread exists (the signals
// are blocked in the calling thread and every thread started after it). `on_stop` runs on the
// watcher thread for the first signal; without it the process removes its folders and exits
// with 128 + the signal. A second signal always ends the process at once.
void watch_termination(std::function<void(int signal)> on_stop = nullptr);

// Folders removed by stop_now (and by the default stop).
void remove_on_termination(const std::filesystem::path& folder);
void forget_on_termination(const std::filesystem::path& folder);
// Removes the registered folders and ends the process with 128 + signal.
[[noreturn]] void stop_now(int signal);

}  // namespace tarvex
