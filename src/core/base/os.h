#pragma once
// The few operating-system calls the core needs, in one place so that every other core source
// is plain standard C++ and builds for Windows and macOS as well as Linux. Paths are
// std::filesystem::path throughout: on Windows they are wide, and a narrow fopen of such a path
// would lose every character outside the ANSI code page.
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace tarvex::base {

// fopen for a path of any platform. The descriptor is not inherited by child processes (a
// program started from the editor must not keep a half-written file open).
std::FILE* open_file(const std::filesystem::path& path, const char* mode);

// Pushes what was written to f down to the disk; false when the device reports an error.
// Devices and pipes that cannot be synced count as success.
bool sync_file(std::FILE* f);

// A plain descriptor opened for appending (created when missing), for writers that open many
// small files once each, where stdio's extra calls per open add up. -1 on failure.
int open_append(const std::filesystem::path& path);
// Writes all of data (retrying short writes); false on any failure, such as a full disk.
bool write_all(int fd, const char* data, std::size_t size);
// false when closing reports an error (a deferred write failure on some file systems).
bool close_descriptor(int fd);

// The broken-down local time of t.
std::tm local_time(std::time_t t);

int current_process_id();
// True while a process with this id exists (including one of another user).
bool process_alive(int pid);

}  // namespace tarvex::base
