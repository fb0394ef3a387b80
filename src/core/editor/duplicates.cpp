#include "core/editor/duplicates.h"

#include <map>
#include <unordered_map>

#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/hpd/vocab.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

std::vector<GroupVisit> groups_in_store_order(const SystemStore& store) {
    std::vector<GroupVisit> out;
    int system_position = 0;
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id)) {
        const std::string& key = store.key_of(id);
        if (!starts_with(key, "SYS-")) continue;
        ++system_position;
        int s = keys::system_of(key);
        bool conventional = store.is_conventional(s);
        int group_position = 0;
        for (auto c = store.first_child(id); c != SystemStore::npos; c = store.next_sibling(c)) {
            const std::string& ck = store.key_of(c);
            if (!starts_with(ck, "GRP-")) continue;
            out.push_back({s, keys::group_of(ck), system_position, ++group_position, conventional});
        }
    }
    return out;
}

namespace {

// What the scanner would get: the frequency in whole Hz with the written tone word, or the
// talkgroup's value. Spellings that differ only on the way ("155.07" and "155.0700", "67.0"
// CTCSS written two ways) are the same channel to the scanner, so they are duplicates here.
std::string identity(std::string_view line, bool conventional, std::string& value,
                     std::string& tag) {
    value = trim(get_field_plain(line, 1));
    tag = get_field_plain(line, 2);
    if (value.empty()) return {};
    if (conventional) {
        long long hz = mhz_to_hz(value);
        if (hz <= 0) return {};
        return "C" + std::to_string(hz) + '\t' +
               vocab::tone_word(get_field_plain(line, 5), get_field_plain(line, 6));
    }
    // Numbers by value ("0123" is 123); AFS and unit-ID spellings as written. Not the
    // writer's cleaning, which holds everything above 65000 at 65000 and would make all of
    // those one talkgroup.
    if (auto n = parse_integer(value)) return "T" + std::to_string(*n);
    return "T" + value;
}

}  // namespace

std::vector<Duplicate> find_duplicates(const SystemStore& store, const GroupFiles& files,
                                       bool across) {
    std::vector<Duplicate> out;
    std::unordered_map<std::string, RowPlace> seen;
    int last_system = -1;
    for (const GroupVisit& g : groups_in_store_order(store)) {
        if (!across && g.system != last_system) seen.clear();
        last_system = g.system;
        files.for_each_line(g.system, g.group, [&](std::string_view line) {
            std::string value, tag;
            std::string id = identity(line, g.conventional, value, tag);
            if (id.empty()) return;
            RowPlace here{g.system, g.group,
                          static_cast<int>(lenient_integer(get_field_plain(line, 0))),
                          g.system_position, g.group_position};
            auto [it, fresh] = seen.try_emplace(std::move(id), here);
            if (!fresh) out.push_back({here, it->second, value, tag, !g.conventional});
        });
    }
    return out;
}

RowRemoval remove_rows(GroupFiles& files, const std::vector<RowPlace>& rows) {
    RowRemoval result;
    for (const RowPlace& r : rows)
        if (files.delete_line(r.system, r.group, r.row)) {
            ++result.removed;
            result.systems.insert(r.system);
        }
    return result;
}

int remove_duplicates(EditingSession& session, const std::vector<RowPlace>& rows) {
    RowRemoval r;
    {
        EditingSession::Change change(session, "Remove Duplicates");
        r = remove_rows(session.files(), rows);
        for (int s : r.systems) session.mark_changed(s);
    }
    if (r.removed > 0 && session.editor.reload) session.editor.reload();
    return r.removed;
}

}  // namespace tarvex
