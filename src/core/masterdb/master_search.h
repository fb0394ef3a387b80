#pragma once
// Searching the whole master database at once: every state file is read once, in large
// buffers, and its lines are looked at as they pass. No line store is built and no group file
// written; the system, group and site a line belongs to are tracked on the way, so a match can
// name them and the system's row as the import window numbers it (the row MasterLineStore
// gives the same system), ready for an import.
//
// One query text, three kinds of match: a number with a decimal point is a frequency in MHz
// (channels and site frequencies of exactly that frequency), a whole number a talkgroup, and
// anything else a part of a system, site, group, channel or talkgroup name (case does not
// matter). Quotes around the text force the name kind.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/masterdb/hpdb_index.h"

namespace tarvex {

enum class SearchKind : uint8_t { Frequency, Talkgroup, Name };

struct SearchQuery {
    SearchKind kind = SearchKind::Name;
    // Whole Hz for a frequency, the number for a talkgroup; -1 when the text can be no value
    // of the file (a fraction of a Hz, a number too long), so nothing matches.
    long long value = -1;
    std::string folded;  // the name kind: the text as compared, case folded
};

// Nothing (no query) for a text that is empty or blank, or only a pair of quotes.
std::optional<SearchQuery> parse_search_query(std::string_view text);
// Whether `hay` holds the already folded needle, case not mattering (ASCII and the Western
// European letters of Windows-1252); an empty needle is everywhere.
bool contains_folded(std::string_view hay, std::string_view folded_needle);

enum class MatchKind : uint8_t { System, Site, SiteFrequency, Group, Channel, Talkgroup };

// One match while it is being reported; the texts live only until the sink returns.
struct MatchView {
    int state = 0;  // the state number
    int row = 0;    // the system's row in its state file, from 1
    MatchKind kind = MatchKind::System;
    std::string_view system;  // the names as the file holds them
    std::string_view group;   // empty for system, site and site-frequency matches
    std::string_view name;    // channel, talkgroup or site (also for a site frequency)
    std::string_view value;   // MHz for channels and site frequencies, the talkgroup as held
};

struct SearchMatch {
    int state = 0;
    int row = 0;
    MatchKind kind = MatchKind::System;
    std::string system, group, name, value;
    bool ticked = false;

    static SearchMatch from(const MatchView& m);
};

using MatchSink = std::function<void(const MatchView&)>;

enum class SearchedLine : uint8_t;  // the kinds of HPD line the search follows

// The search of a whole database (or one state of it), in steps small enough to run between
// the events of a window: each step reads at most one buffer of one state file.
class MasterSearch {
  public:
    static constexpr size_t k_buffer = size_t(1) << 20;  // also the longest line looked at

    MasterSearch(std::filesystem::path folder, std::vector<StateEntry> states, SearchQuery query);
    ~MasterSearch();
    MasterSearch(const MasterSearch&) = delete;
    MasterSearch& operator=(const MasterSearch&) = delete;

    // Searches the next slice, reporting its matches in file order; false once every state
    // has been searched.
    bool step(const MatchSink& sink);
    // Every remaining step at once.
    void run(const MatchSink& sink);

    bool finished() const { return next_state_ >= states_.size() && !file_; }
    long long matches() const { return matches_; }
    // States with at least one match.
    int states_matched() const { return states_matched_; }
    // States whose file is missing or cannot be read (a folder in its place, say).
    const std::vector<int>& unreadable_states() const { return unreadable_; }
    // The state being read, or the last one read; null before the first step.
    const StateEntry* current_state() const;
    size_t states_done() const { return next_state_ - (file_ ? 1 : 0); }
    size_t states_total() const { return states_.size(); }

  private:
    bool open_next();
    void close_file();
    void scan(const char* begin, const char* end, const MatchSink& sink);
    void line(std::string_view text, const MatchSink& sink);
    void line_of(SearchedLine kind, std::string_view text, const MatchSink& sink);
    void report(MatchKind kind, std::string_view group, std::string_view name,
                std::string_view value, const MatchSink& sink);

    std::filesystem::path folder_;
    std::vector<StateEntry> states_;
    SearchQuery query_;
    size_t next_state_ = 0;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    size_t carry_ = 0;       // bytes of an unfinished line kept at the buffer's start
    bool skipping_ = false;  // inside the rest of an overlong line
    long long matches_ = 0;
    int states_matched_ = 0;
    bool state_matched_ = false;
    std::vector<int> unreadable_;
    // What the passing lines belong to, copied since the buffer moves under them.
    int row_ = 0;
    std::string system_, group_, site_, value_;
    std::string digits_;           // a frequency's Hz or a talkgroup, as the file writes them
    bool may_hold_value_ = false;  // the current line holds those digits
};

// "N matches in S states", as the command line ends its output and the window its search.
std::string search_summary(long long matches, int states);

// The systems the ticked matches belong to, each once: per state (in the order the matches
// come) the rows in ascending order.
struct StateRows {
    int state = 0;
    std::vector<int> rows;
};
std::vector<StateRows> systems_to_import(const std::vector<SearchMatch>& matches);

// The longest list of matches the window keeps; a search beyond it stops there.
inline constexpr size_t k_max_listed_matches = 100000;

}  // namespace tarvex
