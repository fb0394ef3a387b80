#include "core/editor/alpha_tags.h"

#include <fstream>
#include <set>
#include <system_error>
#include <vector>

#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace fs = std::filesystem;

std::string TagTransform::operator()(std::string_view text) const {
    return is_case ? grid::convert_case(text, case_code) : grid::align_text(text, align, width);
}

std::string transform_tag_field(std::string_view line, const TagTransform& t) {
    std::vector<std::string> fields = split(strip_line_ends(line), ',');
    if (fields.size() < 3) return std::string(line);
    fields[2] = t(fields[2]);
    return join(fields, ',');
}

bool transform_group_file(GroupFiles& files, int system, int group, const TagTransform& t) {
    if (system < 0 || system > 999 || group < 0 || group > 999) return false;
    return transform_group_file(files, GroupFiles::file_name(system, group), t);
}

bool transform_group_file(GroupFiles& files, std::string_view file_name, const TagTransform& t) {
    // Lines a reader is still appending must be on disk before the file is read here.
    files.close_appender();
    const fs::path folder = files.folder();
    const fs::path target = folder / std::string(file_name);
    const fs::path temp = folder / "temp.tmp";
    std::error_code ec;
    if (file_name.empty() || file_name == "temp.tmp" || !fs::is_regular_file(target, ec))
        return false;
    fs::remove(temp, ec);
    {
        std::ifstream in(target, std::ios::binary);
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!in || !out) return false;
        std::string line;
        while (std::getline(in, line)) {
            line = strip_line_ends(line);
            out << transform_tag_field(line, t) << '\n';
        }
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return false;
        }
    }
    // A rename replaces the file in one step, so the group never exists half rewritten.
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool justify_group_file(GroupFiles& files, int system, int group, int code) {
    return transform_group_file(files, system, group, TagTransform::alignment(code));
}

bool case_group_file(GroupFiles& files, int system, int group, grid::CaseCode code) {
    return transform_group_file(files, system, group, TagTransform::letter_case(code));
}

bool justify_node(SystemStore& store, std::string_view key, int field, const TagTransform& t) {
    if (!store.exists(key)) return false;
    const std::string& line = store.get_node_text(key);
    std::string value = get_field_plain(line, field);
    std::string changed = t(value);
    if (changed != value) store.set_node_field(key, field, comma_to_semicolon(changed));
    return true;
}

int transform_system_groups(SystemStore& store, GroupFiles& files, int system,
                            const TagTransform& t) {
    int done = 0;
    for (const std::string& key : store.child_keys(keys::system(system)))
        if (starts_with(key, "GRP-"))
            done += transform_group_file(files, system, keys::group_of(key), t) ? 1 : 0;
    return done;
}

int alpha_tags_all_groups(EditingSession& session, const TagTransform& t) {
    int system = session.selection().system;
    if (system <= 0) system = session.store().current_system;
    if (system <= 0) return 0;
    session.write_back();
    int done = transform_system_groups(session.store(), session.files(), system, t);
    if (done > 0) session.mark_changed(system);
    if (session.editor.reload) session.editor.reload();
    return done;
}

TagCounts apply_alpha_tags(SystemStore& store, GroupFiles& files, const TagKinds& kinds,
                           const TagTransform& t) {
    TagCounts counts;
    if (kinds.systems)
        for (int s = 1; s <= 500; ++s)
            counts.systems += justify_node(store, keys::system(s), k_name_field, t) ? 1 : 0;
    auto names_of = [&](std::string_view prefix) {
        std::vector<std::string> found;
        for (auto id = store.first_in_store(); id != SystemStore::npos;
             id = store.next_in_store(id))
            if (starts_with(store.key_of(id), prefix)) found.push_back(store.key_of(id));
        int n = 0;
        for (const auto& key : found) n += justify_node(store, key, k_name_field, t) ? 1 : 0;
        return n;
    };
    if (kinds.sites) counts.sites = names_of("SIT-");
    if (kinds.groups) counts.groups = names_of("GRP-");
    if (kinds.channels) {
        std::error_code ec;
        fs::remove(files.folder() / "temp.tmp", ec);
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(files.folder(), ec))
            if (entry.path().extension() == ".tmp") names.insert(entry.path().filename().string());
        for (const auto& name : names) counts.files += transform_group_file(files, name, t) ? 1 : 0;
    }
    return counts;
}

TagCounts apply_alpha_tags(EditingSession& session, const TagKinds& kinds, const TagTransform& t) {
    session.write_back();
    SystemStore& store = session.store();
    TagCounts counts = apply_alpha_tags(store, session.files(), kinds, t);
    if (counts.systems + counts.sites + counts.groups + counts.files > 0) {
        for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id))
            if (starts_with(store.key_of(id), "SYS-"))
                session.mark_changed(keys::system_of(store.key_of(id)));
        if (counts.systems + counts.sites + counts.groups > 0) {
            // The browser shows names; the side table keeps the system names too.
            for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id))
                if (starts_with(store.key_of(id), "SYS-"))
                    store.system_slot(keys::system_of(store.key_of(id)), k_slot_name) =
                        get_field(store.text_of(id), k_name_field);
            session.request_browser();
        }
    }
    if (session.editor.reload) session.editor.reload();
    return counts;
}

}  // namespace tarvex
