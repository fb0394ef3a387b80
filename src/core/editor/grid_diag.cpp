#include "core/editor/grid_diag.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "core/base/os.h"

namespace tarvex::grid {

std::string current_time_text() {
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = base::local_time(now);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string no_invoer(std::string_view routine, std::string_view time_text) {
    std::string line(time_text);
    line += ' ';
    line += routine;
    line += " no_invoer";
    return line;
}

std::string no_invoer(std::string_view routine) {
    return no_invoer(routine, current_time_text());
}

}  // namespace tarvex::grid
