#include "core/editor/store_search.h"

#include <set>

#include "core/base/text.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

std::string_view field_view(std::string_view line, int n) {
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    size_t end = line.find(',', start);
    std::string_view f =
        line.substr(start, end == std::string_view::npos ? line.npos : end - start);
    while (!f.empty() && (f.back() == '\r' || f.back() == '\n')) f.remove_suffix(1);
    return f;
}

namespace {

constexpr int k_name_field = 4;  // of SIN, SIF and GIN records

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A frequency text in whole Hz; -1 when it holds no frequency (empty, not a number).
long long frequency_of(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return -1;
    bool dot = false;
    for (char c : text) {
        if (c == '.' && !dot) {
            dot = true;
            continue;
        }
        if (c < '0' || c > '9') return -1;
    }
    return mhz_to_hz(text);
}

class Search {
  public:
    Search(const SystemStore& store, const GroupFiles& files, const SearchQuery& query,
           size_t limit)
        : store_(store), files_(files), q_(query), limit_(limit) {
        // A whole number is also a conventional channel at that many megahertz.
        if (q_.kind == SearchKind::Talkgroup && q_.value >= 0 && q_.value <= 999999)
            whole_mhz_ = q_.value * 1000000;
        else if (q_.kind == SearchKind::Frequency)
            whole_mhz_ = q_.value;
    }

    void run() { walk(store_.first_root()); }
    StoreSearchResult result;

  private:
    bool full() {
        if (result.hits.size() < limit_) return false;
        result.truncated = true;
        return true;
    }
    bool names() const { return q_.kind == SearchKind::Name; }
    bool name_matches(std::string_view name) const {
        return names() && contains_folded(name, q_.folded);
    }
    bool frequency_matches(std::string_view text) const {
        return whole_mhz_ >= 0 && frequency_of(text) == whole_mhz_;
    }
    bool talkgroup_matches(std::string_view text) const {
        if (q_.kind != SearchKind::Talkgroup || q_.value < 0) return false;
        auto n = parse_integer(trimmed(text));
        return n && *n == q_.value;
    }

    void add(MatchKind kind, int group, int row, std::string_view name, std::string_view value) {
        StoreHit h;
        h.kind = kind;
        h.system = system_;
        h.group = group;
        h.site =
            group < 0 && (kind == MatchKind::Site || kind == MatchKind::SiteFrequency) ? site_ : 0;
        h.row = row;
        h.system_position = system_position_;
        h.system_name = system_name_;
        h.group_name = group < 0 ? std::string() : group_name_;
        h.name = name;
        h.value = value;
        result.hits.push_back(std::move(h));
    }

    // Depth first, children in their order: the order of the browser.
    void walk(SystemStore::NodeId first) {
        for (auto id = first; id != SystemStore::npos && !full(); id = store_.next_sibling(id)) {
            const std::string& key = store_.key_of(id);
            const std::string& text = store_.text_of(id);
            if (starts_with(key, "SYS-")) {
                system_ = keys::system_of(key);
                ++system_position_;
                system_name_ = field_view(text, k_name_field);
                site_name_.clear();
                conventional_ = store_.is_conventional(system_);
                if (name_matches(system_name_)) add(MatchKind::System, -1, 0, {}, {});
            } else if (starts_with(key, "SIT-")) {
                site_ = keys::site_of(key);
                site_name_ = field_view(text, k_name_field);
                if (name_matches(site_name_)) add(MatchKind::Site, -1, 0, site_name_, {});
            } else if (starts_with(key, "TFQ-")) {
                std::string_view f = trimmed(field_view(text, 1));
                if (frequency_matches(f)) add(MatchKind::SiteFrequency, -1, 0, site_name_, f);
            } else if (starts_with(key, "GRP-")) {
                group_name_ = field_view(text, k_name_field);
                int group = keys::group_of(key);
                if (name_matches(group_name_)) add(MatchKind::Group, group, 0, {}, {});
                rows(group);
                continue;  // a group's children are no rows
            }
            walk(store_.first_child(id));
        }
    }

    void rows(int group) {
        files_.for_each_line(system_, group, [&](std::string_view line) {
            if (full()) return;
            std::string_view value = trimmed(field_view(line, 1));
            std::string_view tag = field_view(line, 2);
            bool hit = names()
                           ? contains_folded(tag, q_.folded)
                           : (conventional_ ? frequency_matches(value) : talkgroup_matches(value));
            if (!hit) return;
            int row = static_cast<int>(lenient_integer(field_view(line, 0)));
            add(conventional_ ? MatchKind::Channel : MatchKind::Talkgroup, group, row, tag, value);
        });
    }

    const SystemStore& store_;
    const GroupFiles& files_;
    SearchQuery q_;
    size_t limit_;
    long long whole_mhz_ = -1;
    int system_ = 0, system_position_ = 0, site_ = 0;
    bool conventional_ = true;
    std::string system_name_, site_name_, group_name_;
};

}  // namespace

StoreSearchResult find_in_store(const SystemStore& store, const GroupFiles& files,
                                std::string_view text, size_t limit) {
    auto query = parse_search_query(text);
    if (!query || limit == 0) return {};
    Search search(store, files, *query, limit);
    search.run();
    return std::move(search.result);
}

std::string store_search_summary(const StoreSearchResult& result, std::string_view text) {
    if (result.hits.empty()) return "Nothing found for \"" + trim(text) + "\"";
    std::set<int> systems;
    for (const auto& h : result.hits) systems.insert(h.system);
    const size_t n = result.hits.size();
    std::string out = std::to_string(n) + (n == 1 ? " hit in " : " hits in ") +
                      std::to_string(systems.size()) +
                      (systems.size() == 1 ? " system" : " systems");
    if (result.truncated) out += " (first " + std::to_string(n) + " shown)";
    return out;
}

}  // namespace tarvex
