#pragma once
// "Find in Database…": one text searched over everything open in the editor — the names of
// systems, sites and groups in the store, the site frequencies, and every channel and
// talkgroup row of the group files. The text is read as the master-database search reads it
// (a number with a decimal point a frequency, a whole number a talkgroup, anything else part
// of a name), so both searches answer the same text the same way.
//
// A row is a channel or a talkgroup by its system's type, never by how its value looks: a
// conventional channel at a whole megahertz is written "463". A whole number therefore finds
// talkgroups of trunked systems by their number and channels of conventional systems at that
// many megahertz.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/masterdb/master_search.h"

namespace tarvex {

class SystemStore;
class GroupFiles;

struct StoreHit {
    MatchKind kind = MatchKind::System;
    int system = 0;           // store indexes, to open the hit
    int group = -1;           // -1 for system, site and site-frequency hits
    int site = 0;             // the site of site and site-frequency hits
    int row = 0;              // the grid row of a channel or talkgroup, else 0
    int system_position = 0;  // the system's place among the open systems, from 1
    std::string system_name, group_name;
    std::string name;   // the site, channel or talkgroup name (alpha tag)
    std::string value;  // frequency or talkgroup as the file holds it; empty for names
};

struct StoreSearchResult {
    std::vector<StoreHit> hits;
    bool truncated = false;  // stopped at the limit
};

// Every hit in the order of the browser: systems as listed, in each its sites (with their
// frequencies) and groups, and a group's rows in file order. A text that is no query (blank,
// empty quotes) finds nothing.
StoreSearchResult find_in_store(const SystemStore& store, const GroupFiles& files,
                                std::string_view text, size_t limit = k_max_listed_matches);

// "N hits in S systems", or "Nothing found for TEXT"; "(first N shown)" when truncated.
std::string store_search_summary(const StoreSearchResult& result, std::string_view text);

// Field n of a comma-separated record or row line, as it is (no copy, no quote stripping).
std::string_view field_view(std::string_view line, int n);

}  // namespace tarvex
