#include "core/exchange/print_layout.h"

#include <algorithm>

#include "core/base/text.h"
#include "core/exchange/html_export.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex::print {

namespace {

constexpr std::string_view k_gap = "  ";

std::vector<int> visible(const Section& s) {
    if (!s.columns.empty()) {
        std::vector<int> cols;
        for (int c : s.columns)
            if (c >= 0 && c < s.grid.cols()) cols.push_back(c);
        return cols;
    }
    std::vector<int> cols(static_cast<size_t>(std::max(s.grid.cols(), 0)));
    for (size_t i = 0; i < cols.size(); ++i) cols[i] = static_cast<int>(i);
    return cols;
}

// Control characters would move the pen of a line printer and mean nothing on paper.
std::string printable(std::string_view text) {
    std::string out;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 32) out += c;
    return out;
}

std::string fit(std::string_view text, int width, bool right) {
    std::string t = printable(text).substr(0, static_cast<size_t>(width));
    std::string pad(static_cast<size_t>(width) - t.size(), ' ');
    return right ? pad + t : t + pad;
}

std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

std::vector<std::string> heading(const Section& s, std::string_view program) {
    std::vector<std::string> out;
    out.push_back(std::string(k_heading_start) + std::string(program) + " - " +
                  "System: " + s.system_name + " QK:" + s.quick_key);
    std::string second = "Group#: " + s.group_number + "   Groupname: " + s.group_name;
    if (s.kind != grid::GridKind::Channel) second += "   Type: " + s.system_type;
    out.push_back(second);
    out.push_back("Filename: " + s.file_name);
    for (auto& line : out) line = printable(line);
    return out;
}

Body body(const Section& s) {
    Body b;
    const auto cols = visible(s);
    const int last = s.grid.rows() > 0 ? grid::last_used_row(s.grid, s.kind) : 0;
    std::vector<int> width;
    for (int c : cols) {
        int w = s.grid.rows() > 0 ? static_cast<int>(printable(s.grid.at(0, c)).size()) : 0;
        for (int r = 1; r <= last; ++r)
            w = std::max(w, static_cast<int>(printable(s.grid.at(r, c)).size()));
        width.push_back(std::clamp(w, 1, k_max_column_width));
    }
    auto line_of = [&](int r) {
        std::string line;
        for (size_t i = 0; i < cols.size(); ++i) {
            if (i) line += k_gap;
            line += fit(s.grid.at(r, cols[i]), width[i], cols[i] == 0);
        }
        return rtrim(line);
    };
    if (s.grid.rows() > 0) b.titles = line_of(0);
    for (size_t i = 0; i < cols.size(); ++i) {
        if (i) b.rule += k_gap;
        b.rule += std::string(static_cast<size_t>(width[i]), '-');
    }
    for (int r = 1; r <= last; ++r) b.rows.push_back(line_of(r));
    return b;
}

std::vector<Page> paginate(const Section& s, int lines_per_page, std::string_view program) {
    const auto head = heading(s, program);
    const Body b = body(s);
    const int fixed = static_cast<int>(head.size()) + 3;  // blank line, titles, rule
    const int per_page = std::max(1, lines_per_page - fixed);
    std::vector<Page> pages;
    size_t next = 0;
    do {
        Page p;
        p.lines = head;
        p.lines.emplace_back();
        p.lines.push_back(b.titles);
        p.lines.push_back(b.rule);
        for (int n = 0; n < per_page && next < b.rows.size(); ++n)
            p.lines.push_back(b.rows[next++]);
        pages.push_back(std::move(p));
    } while (next < b.rows.size());
    return pages;
}

int widest_line(const Section& s, std::string_view program) {
    size_t w = 0;
    for (const auto& line : heading(s, program)) w = std::max(w, line.size());
    const Body b = body(s);
    w = std::max({w, b.titles.size(), b.rule.size()});
    for (const auto& r : b.rows) w = std::max(w, r.size());
    return static_cast<int>(w);
}

Section group_section(const SystemStore& store, const GroupFiles& files, int system, int group,
                      std::string_view file_name) {
    Section s;
    html::PageSource src = html::group_source(store, files, system, group, file_name, s.grid);
    s.system_name = src.system_name;
    s.group_name = src.group_name;
    s.file_name = src.file_name;
    s.kind = src.kind;
    s.quick_key = store.system_slot(system, k_slot_quick_key);
    s.system_type = get_field(store.get_node_text(keys::system(system)), 1);
    auto groups = html::groups_of(store, system);
    auto at = std::find(groups.begin(), groups.end(), group);
    s.group_number =
        at == groups.end() ? std::to_string(group) : std::to_string(at - groups.begin() + 1);
    return s;
}

void for_each_section(const SystemStore& store, const GroupFiles& files, int system,
                      std::string_view file_name, const std::function<bool(const Section&)>& visit,
                      const std::function<void(std::string_view)>& progress) {
    std::vector<int> systems = system > 0 ? std::vector<int>{system} : html::systems_of(store);
    for (int s : systems)
        for (int g : html::groups_of(store, s)) {
            if (progress)
                progress(std::string(k_wait) +
                         get_field(store.get_node_text(keys::group(s, g)), 4));
            if (!visit(group_section(store, files, s, g, file_name))) return;
        }
}

std::string error_text(std::string_view item, int number) {
    return std::string(k_error_start) + std::string(item) + std::string(k_error_middle) +
           std::to_string(number);
}

}  // namespace tarvex::print
