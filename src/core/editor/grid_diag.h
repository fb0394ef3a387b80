#pragma once
// Diagnostics of grid routines reached without a grid: one line for the diagnostic list,
// "12:34:56 g_align_text no_invoer".
#include <string>
#include <string_view>

namespace tarvex::grid {

// The local time of day, "HH:MM:SS".
std::string current_time_text();
std::string no_invoer(std::string_view routine, std::string_view time_text);
std::string no_invoer(std::string_view routine);  // at the current time

}  // namespace tarvex::grid
