#include "core/base/os.h"

#include <cerrno>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace tarvex::base {

#ifdef _WIN32

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    std::FILE* f = _wfopen(path.c_str(), wmode.c_str());
    // Not inherited by child processes. (The 'N' mode letter would do it, but not every C
    // runtime the program may be linked with knows it.)
    if (f) {
        auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
        if (handle != INVALID_HANDLE_VALUE) SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    }
    return f;
}

bool sync_file(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
    return _commit(_fileno(f)) == 0 || errno == EBADF || errno == EINVAL;
}

int open_append(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
        int n = _write(fd, data, chunk);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool close_descriptor(int fd) {
    return _close(fd) == 0;
}

std::tm local_time(std::time_t t) {
    std::tm out{};
    localtime_s(&out, &t);
    return out;
}

int current_process_id() {
    return _getpid();
}

bool process_alive(int pid) {
    if (pid <= 0) return false;
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    bool alive = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    CloseHandle(h);
    return alive;
}

#else

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
#if defined(__GLIBC__) || defined(__FreeBSD__) || defined(__OpenBSD__) || defined(__NetBSD__)
    // 'e': O_CLOEXEC at open, with no window for a fork in another thread.
    std::string m(mode);
    m += 'e';
    return std::fopen(path.c_str(), m.c_str());
#else
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (f) ::fcntl(::fileno(f), F_SETFD, FD_CLOEXEC);
    return f;
#endif
}

bool sync_file(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
    return ::fsync(::fileno(f)) == 0 || errno == EINVAL || errno == EROFS;
}

int open_append(const std::filesystem::path& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool close_descriptor(int fd) {
    return ::close(fd) == 0;
}

std::tm local_time(std::time_t t) {
    std::tm out{};
    localtime_r(&t, &out);
    return out;
}

int current_process_id() {
    return static_cast<int>(::getpid());
}

bool process_alive(int pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

#endif

}  // namespace tarvex::base
