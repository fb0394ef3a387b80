#include "core/card/card_paths.h"

#include "core/base/text.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

bool equal_ci(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool is_link(const fs::path& p) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(p, ec));
}

}  // namespace

std::optional<fs::path> find_child_ci(const fs::path& dir, std::string_view name) {
    if (name.empty() || !is_safe_list_file_name(name)) return std::nullopt;
    std::error_code ec;
    fs::path exact = dir / std::string(name);
    if (fs::exists(fs::symlink_status(exact, ec))) {
        if (is_link(exact)) return std::nullopt;
        return exact;
    }
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!equal_ci(it->path().filename().string(), name)) continue;
        if (is_link(it->path())) return std::nullopt;
        return it->path();
    }
    return std::nullopt;
}

fs::path child_ci(const fs::path& dir, std::string_view name) {
    if (auto found = find_child_ci(dir, name)) return *found;
    return dir / std::string(name);
}

CardFolders card_folders_from_base(const fs::path& base) {
    CardFolders f;
    f.base = base;
    f.root = base.parent_path();
    f.favorites = child_ci(base, "favorites_lists");
    return f;
}

std::string list_file_name(int number) {
    return "favorites_000" + fmt3(number) + ".hpd";
}

std::string list_backup_name(int number) {
    return "favorites_000" + fmt3(number) + ".bac";
}

int list_number_from_file(std::string_view file_name) {
    if (file_name.size() <= 10) return 0;
    return static_cast<int>(lenient_integer(file_name.substr(10, 6)));
}

bool is_safe_list_file_name(std::string_view name) {
    if (name.empty() || name == "." || contains(name, "..")) return false;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == ':' || u < 0x20 || u == 0x7F) return false;
    }
    return !fs::path(std::string(name)).is_absolute();
}

std::string refused_file_name_message(std::string_view name) {
    return "Favorite List file name refused, it points outside the favorites_lists folder: " +
           std::string(name);
}

}  // namespace tarvex
