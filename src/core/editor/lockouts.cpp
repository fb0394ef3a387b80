#include "core/editor/lockouts.h"

#include <map>

#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

bool locked(std::string_view v) {
    return v == "1" || v == "On";
}

constexpr int k_avoid_field = 5;   // of SIN, SIF and GIN lines
constexpr int k_avoid_column = 3;  // of channel and talkgroup lines

}  // namespace

std::string_view lockout_kind_name(LockoutKind kind) {
    switch (kind) {
        case LockoutKind::System:
            return "System";
        case LockoutKind::Site:
            return "Site";
        case LockoutKind::Group:
            return "Group";
        case LockoutKind::Channel:
            return "Channel";
        case LockoutKind::Talkgroup:
            return "Talkgroup";
    }
    return "";
}

std::vector<Lockout> find_lockouts(const SystemStore& store, const GroupFiles& files) {
    std::vector<Lockout> out;
    int system_position = 0;
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id)) {
        const std::string& key = store.key_of(id);
        if (!starts_with(key, "SYS-")) continue;
        ++system_position;
        const int s = keys::system_of(key);
        const bool conventional = store.is_conventional(s);
        RowPlace sys_place{s, -1, 0, system_position, 0};
        if (locked(get_field(store.text_of(id), k_avoid_field)))
            out.push_back(
                {LockoutKind::System, sys_place, key, "", get_field(store.text_of(id), 4)});
        int group_position = 0;
        for (auto c = store.first_child(id); c != SystemStore::npos; c = store.next_sibling(c)) {
            const std::string& ck = store.key_of(c);
            const std::string& text = store.text_of(c);
            if (starts_with(ck, "SIT-")) {
                if (locked(get_field(text, k_avoid_field))) {
                    RowPlace p = sys_place;
                    p.row = keys::site_of(ck);
                    out.push_back({LockoutKind::Site, p, ck, "", get_field(text, 4)});
                }
                continue;
            }
            if (!starts_with(ck, "GRP-")) continue;
            RowPlace gp{s, keys::group_of(ck), 0, system_position, ++group_position};
            if (locked(get_field(text, k_avoid_field)))
                out.push_back({LockoutKind::Group, gp, ck, "", get_field(text, 4)});
            files.for_each_line(gp.system, gp.group, [&](std::string_view line) {
                if (!locked(get_field_plain(line, k_avoid_column))) return;
                RowPlace rp = gp;
                rp.row = static_cast<int>(lenient_integer(get_field_plain(line, 0)));
                out.push_back({conventional ? LockoutKind::Channel : LockoutKind::Talkgroup, rp, "",
                               trim(get_field_plain(line, 1)), get_field_plain(line, 2)});
            });
        }
    }
    return out;
}

UnlockResult unlock(SystemStore& store, GroupFiles& files, const std::vector<Lockout>& entries) {
    UnlockResult result;
    std::map<std::pair<int, int>, std::set<int>> rows_by_group;
    for (const Lockout& e : entries) {
        if (e.kind == LockoutKind::Channel || e.kind == LockoutKind::Talkgroup) {
            rows_by_group[{e.at.system, e.at.group}].insert(e.at.row);
            continue;
        }
        const std::string& text = store.get_node_text(e.key);
        std::string v = get_field(text, k_avoid_field);
        if (!locked(v)) continue;
        store.set_node_field(e.key, k_avoid_field, v == "1" ? "0" : "Off");
        ++result.unlocked;
        result.systems.insert(e.at.system);
        result.structure = true;
    }
    for (const auto& entry : rows_by_group) {
        // Named, not a structured binding: the lambda below captures it (clang before 16
        // refuses to capture bindings).
        const auto& group = entry.first;
        const auto& rows = entry.second;
        int before = result.unlocked;
        files.rewrite(group.first, group.second, [&](std::string_view line) {
            int row = static_cast<int>(lenient_integer(get_field_plain(line, 0)));
            if (!rows.count(row) || !locked(get_field_plain(line, k_avoid_column)))
                return std::string(line);
            ++result.unlocked;
            return set_field(line, k_avoid_column, "Off");
        });
        if (result.unlocked > before) result.systems.insert(group.first);
    }
    return result;
}

int unlock_lockouts(EditingSession& session, const std::vector<Lockout>& entries) {
    UnlockResult r;
    {
        EditingSession::Change change(session, "Unlock");
        r = unlock(session.store(), session.files(), entries);
        for (int s : r.systems) session.mark_changed(s);
    }
    if (r.unlocked > 0 && session.editor.reload) session.editor.reload();
    if (r.structure) session.request_browser();
    return r.unlocked;
}

}  // namespace tarvex
