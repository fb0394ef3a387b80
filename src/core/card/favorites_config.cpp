#include "core/card/favorites_config.h"

#include <unordered_set>

#include "core/base/line_reader.h"
#include "core/base/text.h"
#include "core/card/card_paths.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

// A hostile configuration must not make the table grow without bound, nor keep the reader
// looking for list files (or the user reading refusals) for minutes: list numbers end at 999,
// so a configuration with many more lines than that is damaged.
constexpr size_t k_max_config_rows = 10000;
constexpr size_t k_max_refused_listed = 10;

}  // namespace

std::string FavoritesRow::key() const {
    return "a-" + pad_number(number, 6);
}

ConfigRead read_favorites_config(const fs::path& favorites_folder,
                                 std::vector<FavoritesRow>& rows) {
    ConfigRead r;
    rows.clear();
    auto config = find_child_ci(favorites_folder, "favorites_lists.config");
    if (!config) return r;
    LineReader in(*config);
    if (!in.is_open()) return r;
    r.opened = true;
    std::string line;
    if (!in.next(line)) return r;  // line 1: the target model
    if (!in.next(line)) return r;
    r.version = contains(line, "2.") ? 2 : 1;
    std::unordered_set<int> numbers;
    size_t list_lines = 0;
    while (in.next(line) && list_lines < k_max_config_rows) {
        line = strip_line_ends(line);
        if (!starts_with(line, "F-List")) continue;
        ++list_lines;
        auto fields = split(line, '\t');
        fields.resize(5);
        if (r.version == 1) fields[4] = "On";
        const std::string& file = fields[2];
        if (!is_safe_list_file_name(file)) {
            if (r.refused.size() < k_max_refused_listed)
                r.refused.push_back(file);
            else
                ++r.refused_unlisted;
            continue;
        }
        if (!find_child_ci(favorites_folder, file)) {
            ++r.missing_files;
            continue;
        }
        FavoritesRow row;
        row.number = list_number_from_file(file);
        if (!numbers.insert(row.number).second) {
            ++r.duplicates;
            continue;
        }
        row.name = fields[1];
        row.file = file;
        row.location = fields[3] == "On";
        row.monitor = fields[4] == "On";
        rows.push_back(std::move(row));
    }
    return r;
}

std::vector<std::string> favorites_config_lines(const std::vector<FavoritesRow>& rows) {
    std::vector<std::string> lines{"TargetModel HomePatrol-1", "FormatVersion   2.00"};
    for (const auto& row : rows) {
        if (row.file.empty()) continue;
        lines.push_back("F-List\t" + clean_list_name(row.name) + "\t" + row.file + "\t" +
                        (row.location ? "On" : "Off") + "\t" + (row.monitor ? "On" : "Off"));
    }
    return lines;
}

std::string clean_list_name(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return out;
}

}  // namespace tarvex
