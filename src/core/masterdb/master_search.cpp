#include "core/masterdb/master_search.h"

#include "core/base/os.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <map>
#if !defined(_WIN32)
#include <string.h>  // memmem
#endif

#include "core/base/text.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

// Case folding of the database's single-byte text: ASCII and the Western European letters
// of Windows-1252 (so "CAÑON" finds "Cañon").
constexpr std::array<unsigned char, 256> make_fold() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 32);
    t[0x8A] = 0x9A;  // Š
    t[0x8C] = 0x9C;  // Œ
    t[0x8E] = 0x9E;  // Ž
    t[0x9F] = 0xFF;  // Ÿ
    return t;
}
constexpr auto k_fold = make_fold();

inline unsigned char fold(char c) {
    return k_fold[static_cast<unsigned char>(c)];
}

bool all_digits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A field of only digits as a number; -1 for anything else (or too long to be a value).
long long whole_number(std::string_view s) {
    if (!all_digits(s)) return -1;
    size_t b = s.find_first_not_of('0');
    if (b == std::string_view::npos) return 0;
    if (s.size() - b > 18) return -1;
    long long v = 0;
    for (size_t i = b; i < s.size(); ++i) v = v * 10 + (s[i] - '0');
    return v;
}

// MHz exactly as the HPD reader writes a channel's or site frequency's Hz field.
void mhz_as_read(std::string_view hz, std::string& out) {
    out = hz_to_mhz(lenient_integer(hz));
    if (starts_with(out, "00"))
        out.erase(0, 2);
    else if (starts_with(out, "0"))
        out.erase(0, 1);
}

// Fields 3 and 5 of an HPD line (the name and the value of every kind searched).
struct Fields {
    std::string_view name, value;
};

// A byte loop rather than memchr: the fields before the value are a few bytes each, shorter
// than a library call is worth.
Fields name_and_value(std::string_view line) {
    Fields f;
    const char* p = line.data();
    const char* end = p + line.size();
    for (int n = 0; p <= end && n <= 5; ++n) {
        const char* start = p;
        while (p < end && *p != '\t') ++p;
        if (n == 3) f.name = std::string_view(start, static_cast<size_t>(p - start));
        if (n == 5) f.value = std::string_view(start, static_cast<size_t>(p - start));
        ++p;
    }
    return f;
}

// The first place the bytes of `needle` appear in [begin, end), or null.
const char* find_bytes(const char* begin, const char* end, std::string_view needle) {
#if defined(_WIN32)
    const char* hit =
        std::search(begin, end, std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
    return hit == end ? nullptr : hit;
#else
    return static_cast<const char*>(
        memmem(begin, static_cast<size_t>(end - begin), needle.data(), needle.size()));
#endif
}

}  // namespace

enum class SearchedLine : uint8_t { Other, System, Site, SiteFrequency, Group, Channel, Talkgroup };

namespace {

using Line = SearchedLine;

// The kinds the search follows, told apart by their keyword and its tab, as the line store
// tells them apart (it sees the tab as its ",").
Line line_kind(std::string_view t) {
    auto is = [&](std::string_view keyword) {
        return t.size() > keyword.size() && t[keyword.size()] == '\t' &&
               std::memcmp(t.data(), keyword.data(), keyword.size()) == 0;
    };
    switch (t.empty() ? '\0' : t[0]) {
        case 'C':
            if (is("C-Freq")) return Line::Channel;
            if (is("C-Group")) return Line::Group;
            if (is("Conventional")) return Line::System;
            break;
        case 'T':
            if (is("TGID")) return Line::Talkgroup;
            if (is("T-Freq")) return Line::SiteFrequency;
            if (is("T-Group")) return Line::Group;
            if (is("Trunk")) return Line::System;
            break;
        case 'S':
            if (is("Site")) return Line::Site;
            break;
        default:
            break;
    }
    return Line::Other;
}

}  // namespace

bool contains_folded(std::string_view hay, std::string_view folded_needle) {
    const size_t m = folded_needle.size();
    if (m == 0 || hay.size() < m) return m == 0;
    const unsigned char first = static_cast<unsigned char>(folded_needle[0]);
    const size_t last = hay.size() - m;
    for (size_t i = 0; i <= last; ++i) {
        if (fold(hay[i]) != first) continue;
        size_t k = 1;
        while (k < m && fold(hay[i + k]) == static_cast<unsigned char>(folded_needle[k])) ++k;
        if (k == m) return true;
    }
    return false;
}

std::optional<SearchQuery> parse_search_query(std::string_view text) {
    std::string t = trim(text);
    SearchQuery q;
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"') {
        t = t.substr(1, t.size() - 2);
        if (t.empty()) return std::nullopt;
        for (char c : t) q.folded += static_cast<char>(fold(c));
        return q;
    }
    if (t.empty()) return std::nullopt;
    size_t dot = t.find('.');
    std::string_view whole = std::string_view(t).substr(0, dot);
    std::string_view fraction =
        dot == std::string::npos ? std::string_view() : std::string_view(t).substr(dot + 1);
    bool digits_only = (whole.empty() || all_digits(whole)) &&
                       (fraction.empty() || all_digits(fraction)) &&
                       whole.size() + fraction.size() > 0;
    if (digits_only && dot == std::string::npos) {
        q.kind = SearchKind::Talkgroup;
        q.value = whole_number(whole);
        return q;
    }
    if (digits_only) {
        q.kind = SearchKind::Frequency;
        // Hz are whole: a seventh decimal that is not zero is no frequency of the file.
        bool exact = fraction.size() <= 6 ||
                     fraction.substr(6).find_first_not_of('0') == std::string_view::npos;
        long long mhz = whole.empty() ? 0 : whole_number(whole);
        if (!exact || mhz < 0 || mhz > 999999999) return q;  // value stays -1
        long long hz = mhz;
        for (size_t k = 0; k < 6; ++k) hz = hz * 10 + (k < fraction.size() ? fraction[k] - '0' : 0);
        q.value = hz;
        return q;
    }
    for (char c : t) q.folded += static_cast<char>(fold(c));
    return q;
}

SearchMatch SearchMatch::from(const MatchView& m) {
    SearchMatch s;
    s.state = m.state;
    s.row = m.row;
    s.kind = m.kind;
    s.system = m.system;
    s.group = m.group;
    s.name = m.name;
    s.value = m.value;
    return s;
}

MasterSearch::MasterSearch(fs::path folder, std::vector<StateEntry> states, SearchQuery query)
    : folder_(std::move(folder)), states_(std::move(states)), query_(std::move(query)) {
    if (query_.kind != SearchKind::Name && query_.value >= 0)
        digits_ = std::to_string(query_.value);
}

MasterSearch::~MasterSearch() {
    close_file();
}

const StateEntry* MasterSearch::current_state() const {
    return next_state_ == 0 ? nullptr : &states_[next_state_ - 1];
}

void MasterSearch::close_file() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool MasterSearch::open_next() {
    while (next_state_ < states_.size()) {
        const StateEntry& s = states_[next_state_++];
        fs::path path = state_file_path(folder_, s.number);
        std::error_code ec;
        // A folder in the place of a state file would open on some systems and fail on read.
        if (fs::is_regular_file(path, ec)) file_ = base::open_file(path, "rb");
        if (!file_) {
            unreadable_.push_back(s.number);
            continue;
        }
        if (buffer_.empty()) buffer_.resize(k_buffer);
        carry_ = 0;
        skipping_ = false;
        state_matched_ = false;
        row_ = 0;
        system_.clear();
        group_.clear();
        site_.clear();
        return true;
    }
    return false;
}

bool MasterSearch::step(const MatchSink& sink) {
    if (!file_ && !open_next()) return false;
    char* data = buffer_.data();
    size_t got = std::fread(data + carry_, 1, k_buffer - carry_, file_);
    if (got == 0) {
        // The end of the file (or a read error, which ends the file as well): its last line
        // may lack a line end.
        if (carry_ > 0 && !skipping_) scan(data, data + carry_, sink);
        close_file();
        return !finished();
    }
    char* end = data + carry_ + got;
    char* p = data;
    if (skipping_) {
        char* nl = static_cast<char*>(std::memchr(p, '\n', end - p));
        if (!nl) {
            carry_ = 0;
            return true;
        }
        p = nl + 1;
        skipping_ = false;
    }
    // Complete lines now; the unfinished one waits for the next read.
    char* last_nl = end;
    while (last_nl > p && last_nl[-1] != '\n') --last_nl;
    if (last_nl > p) scan(p, last_nl, sink);
    size_t rest = static_cast<size_t>(end - last_nl);
    if (last_nl == p && p == data && rest == k_buffer) {
        // A line longer than the buffer: its beginning counts, the rest is passed over.
        scan(data, end, sink);
        skipping_ = true;
        carry_ = 0;
        return true;
    }
    std::memmove(data, last_nl, rest);
    carry_ = rest;
    return true;
}

void MasterSearch::run(const MatchSink& sink) {
    while (step(sink)) {
    }
}

void MasterSearch::scan(const char* begin, const char* end, const MatchSink& sink) {
    // A frequency or talkgroup can only be on a line that holds its digits: one fast search
    // of the buffer for them spares looking into the fields of nearly every other line.
    const bool by_value = !digits_.empty();
    const char* hit = by_value ? find_bytes(begin, end, digits_) : nullptr;
    const char* p = begin;
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* stop = nl ? nl : end;
        if (by_value) {
            if (hit && hit < p) hit = find_bytes(p, end, digits_);
            may_hold_value_ = hit && hit < stop;
        }
        size_t len = static_cast<size_t>(stop - p);
        if (len > 0 && p[len - 1] == '\r') --len;
        line(std::string_view(p, len), sink);
        p = nl ? nl + 1 : end;
    }
}

void MasterSearch::line(std::string_view t, const MatchSink& sink) {
    Line kind = line_kind(t);
    if (kind != Line::Other) return line_of(kind, t, sink);
    // The line store drops every CR before it looks at a line; a CR inside a keyword would
    // otherwise hide a system from the search that the window counts (and shift every row).
    if (!std::memchr(t.data(), '\r', std::min<size_t>(t.size(), 16))) return;
    std::string clean;
    for (char c : t)
        if (c != '\r') clean += c;
    kind = line_kind(clean);
    if (kind != Line::Other) line_of(kind, clean, sink);
}

void MasterSearch::line_of(Line kind, std::string_view t, const MatchSink& sink) {
    const bool by_name = query_.kind == SearchKind::Name;
    // Most lines are channels and talkgroups: pass over those the query cannot match before
    // looking at their fields.
    switch (kind) {
        case Line::SiteFrequency:
            if (query_.kind != SearchKind::Frequency || !may_hold_value_) return;
            break;
        case Line::Channel:
            if (!by_name && (query_.kind != SearchKind::Frequency || !may_hold_value_)) return;
            break;
        case Line::Talkgroup:
            if (!by_name && (query_.kind != SearchKind::Talkgroup || !may_hold_value_)) return;
            break;
        default:
            break;
    }
    Fields f = name_and_value(t);
    switch (kind) {
        case Line::System:
            ++row_;
            system_.assign(f.name);
            group_.clear();
            site_.clear();
            if (by_name && contains_folded(f.name, query_.folded))
                report(MatchKind::System, {}, {}, {}, sink);
            break;
        case Line::Site:
            site_.assign(f.name);
            if (by_name && contains_folded(f.name, query_.folded))
                report(MatchKind::Site, {}, site_, {}, sink);
            break;
        case Line::SiteFrequency:
            if (whole_number(f.value) == query_.value) {
                mhz_as_read(f.value, value_);
                report(MatchKind::SiteFrequency, {}, site_, value_, sink);
            }
            break;
        case Line::Group:
            group_.assign(f.name);
            if (by_name && contains_folded(f.name, query_.folded))
                report(MatchKind::Group, group_, {}, {}, sink);
            break;
        case Line::Channel:
            if (by_name ? contains_folded(f.name, query_.folded)
                        : whole_number(f.value) == query_.value) {
                mhz_as_read(f.value, value_);
                report(MatchKind::Channel, group_, f.name, value_, sink);
            }
            break;
        case Line::Talkgroup:
            if (by_name ? contains_folded(f.name, query_.folded)
                        : whole_number(f.value) == query_.value)
                report(MatchKind::Talkgroup, group_, f.name, f.value, sink);
            break;
        case Line::Other:
            break;
    }
}

void MasterSearch::report(MatchKind kind, std::string_view group, std::string_view name,
                          std::string_view value, const MatchSink& sink) {
    // Lines before the first system belong to no system: nothing could import them.
    if (row_ == 0) return;
    if (!state_matched_) {
        state_matched_ = true;
        ++states_matched_;
    }
    ++matches_;
    MatchView m;
    m.state = states_[next_state_ - 1].number;
    m.row = row_;
    m.kind = kind;
    m.system = system_;
    m.group = group;
    m.name = name;
    m.value = value;
    if (sink) sink(m);
}

std::string search_summary(long long matches, int states) {
    return std::to_string(matches) + " matches in " + std::to_string(states) + " states";
}

std::vector<StateRows> systems_to_import(const std::vector<SearchMatch>& matches) {
    std::vector<StateRows> out;
    std::map<int, size_t> at;  // state -> its entry in out
    for (const auto& m : matches) {
        if (!m.ticked || m.row < 1) continue;
        auto [it, added] = at.emplace(m.state, out.size());
        if (added) out.push_back(StateRows{m.state, {}});
        out[it->second].rows.push_back(m.row);
    }
    for (auto& s : out) {
        std::sort(s.rows.begin(), s.rows.end());
        s.rows.erase(std::unique(s.rows.begin(), s.rows.end()), s.rows.end());
    }
    return out;
}

}  // namespace tarvex
