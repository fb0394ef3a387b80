#pragma once
// The few operating-system calls the core needs, in one place so that every other core source
// is plain standard C++ and builds for Windows and macOS as well as Linux.
#include <ctime>

namespace tarvex::base {

// The broken-down local time of t.
std::tm local_time(std::time_t t);

int current_process_id();
// True while a process with this id exists (including one of another user).
bool process_alive(int pid);

}  // namespace tarvex::base
