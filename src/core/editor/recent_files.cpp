#include "core/editor/recent_files.h"

#include <algorithm>

#include "core/settings/settings.h"

namespace tarvex {

namespace {
constexpr std::string_view k_section = "recent";
std::string key_of(size_t i) {
    return "file" + std::to_string(i);
}
}  // namespace

std::vector<std::string> read_recent_files(const Settings& settings) {
    std::vector<std::string> out;
    for (size_t i = 0; i < k_recent_files_max; ++i) {
        std::string path = settings.GetSetting(k_section, key_of(i), "x");
        if (path.empty() || std::find(out.begin(), out.end(), path) != out.end()) continue;
        out.push_back(std::move(path));
    }
    return out;
}

void write_recent_files(Settings& settings, const std::vector<std::string>& files) {
    // Every slot is written, so an entry taken off the list does not come back from an old key.
    for (size_t i = 0; i < k_recent_files_max; ++i)
        settings.SaveSetting(k_section, key_of(i), i < files.size() ? files[i] : std::string());
}

std::vector<std::string> with_recent_file(std::vector<std::string> files, const std::string& path) {
    if (path.empty()) return files;
    files = without_recent_file(std::move(files), path);
    files.insert(files.begin(), path);
    if (files.size() > k_recent_files_max) files.resize(k_recent_files_max);
    return files;
}

std::vector<std::string> without_recent_file(std::vector<std::string> files,
                                             const std::string& path) {
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    return files;
}

std::string recent_file_missing_message(const std::string& path) {
    return "The file " + path + " no longer exists; it was removed from the Recent Files list.";
}

}  // namespace tarvex
