#include "core/model/record_line.h"

#include "core/base/text.h"

namespace tarvex {

namespace {
std::string_view strip_quotes(std::string_view f) {
    if (!f.empty() && f.front() == '"') f.remove_prefix(1);
    if (!f.empty() && f.back() == '"') f.remove_suffix(1);
    return f;
}

// Field n of the line with CR/LF removed, without allocating for the common case.
template <typename F>
auto with_field(std::string_view line, int n, F&& f) {
    std::string cleaned;
    if (line.find_first_of("\r\n") != std::string_view::npos) {
        cleaned = strip_line_ends(line);
        line = cleaned;
    }
    int index = 0;
    size_t start = 0;
    int last_index = 0;
    std::string_view found;
    bool have = false;
    while (true) {
        size_t hit = line.find(',', start);
        std::string_view part = line.substr(
            start, hit == std::string_view::npos ? std::string_view::npos : hit - start);
        if (index == n) {
            found = part;
            have = true;
        }
        if (hit == std::string_view::npos) {
            last_index = index;
            break;
        }
        start = hit + 1;
        ++index;
    }
    return f(found, have, last_index);
}
}  // namespace

std::string get_field(std::string_view line, int n, int expected_count) {
    if (line.empty() || n < 0) return {};
    return with_field(line, n, [&](std::string_view part, bool have, int last_index) {
        if (expected_count > 0 && last_index != expected_count) return std::string("0");
        return have ? std::string(strip_quotes(part)) : std::string();
    });
}

std::string get_field_plain(std::string_view line, int n) {
    if (line.empty() || n < 0) return {};
    return with_field(line, n, [](std::string_view part, bool have, int) {
        return have ? std::string(part) : std::string();
    });
}

std::string set_field(std::string_view line, int n, std::string_view value) {
    auto parts = split(line, ',');
    if (n < 0) return std::string(line);
    if (static_cast<int>(parts.size()) <= n) parts.resize(static_cast<size_t>(n) + 1);
    parts[static_cast<size_t>(n)] = std::string(value);
    return join(parts, ',');
}

std::string comma_to_semicolon(std::string_view text) {
    return replace_all(text, ",", ";");
}

std::string new_conventional_system(std::string_view name) {
    return "SIN,Conventional,0,StateId=0," + comma_to_semicolon(name) + ",Off," +
           std::string(templates::new_system_date) + ",Conventional";
}

std::string new_trunked_system(std::string_view system_type, std::string_view name) {
    std::string head = "SIN," + std::string(system_type) + ",0,StateId=0," +
                       comma_to_semicolon(name) + ",Off," +
                       std::string(templates::new_system_date) + ",";
    if (system_type == "Motorola") return head + "Motorola,0,Off,Auto,0,Search";
    return head + std::string(system_type);
}

std::string new_group(std::string_view name) {
    return "GIN,C-Group,CGroupId=0,AgencyId=0," + comma_to_semicolon(name) +
           ",Off,0.000000,-00.000000,0.0";
}

const SystemTypeInfo* system_type_from_file_word(std::string_view word) {
    if (word == "P25 Standard") return &k_system_types[5];
    for (const auto& t : k_system_types)
        if (t.file_word == word) return &t;
    return nullptr;
}

const SystemTypeInfo* system_type_from_name(std::string_view type_name) {
    for (const auto& t : k_system_types)
        if (t.type_name == type_name) return &t;
    return nullptr;
}

std::string file_word_for_system_type(std::string_view type_name) {
    // The same chain of replacements the scanner's own tools use, in this order; "P25
    // OneFreqTrunk" is an older spelling of the one-frequency type.
    static constexpr std::pair<std::string_view, std::string_view> chain[] = {
        {"P25 Standard", "P25Standard"},
        {"Edacs Narrow/Wide", "Edacs"},
        {"Edacs Scat", "Scat"},
        {"LTR", "Ltr"},
        {"P25 OneFreqTrunk", "P25OneFrequency"},
        {"P25 One Freq Trunk", "P25OneFrequency"},
        {"P25 X2 TDMA", "P25X2_TDMA"},
        {"MotoTRBO", "MotoTrbo"},
        {"DMR One Frequency", "DmrOneFrequency"},
    };
    std::string word(type_name);
    for (auto [from, to] : chain) replace_all_in_place(word, from, to);
    return word;
}

}  // namespace tarvex
