#pragma once
// Alpha-tag formatting over more than one grid: the group channel files of a system ("All
// Groups in System", "All Departments") and the whole store (the "Justify Alpha Tags:" window).
// The open grid's own scope ("Current Group") is the grid editor's, through g_align_text and
// change_case, so it is undone like any other grid edit.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/editor/grid_text.h"

namespace tarvex {

class EditingSession;
class GroupFiles;
class SystemStore;

// One transform: an alignment (grid::align_left/center/right) or a case conversion.
struct TagTransform {
    bool is_case = false;
    int align = grid::align_left;
    grid::CaseCode case_code = grid::CaseCode::Upper;
    int width = grid::k_justify_width;

    static TagTransform alignment(int code) { return {false, code, grid::CaseCode::Upper}; }
    static TagTransform letter_case(grid::CaseCode code) { return {true, 0, code}; }
    std::string operator()(std::string_view text) const;
};

// Field 2 of a channel or talkgroup line (its alpha tag) through the transform; the other
// fields are split on "," and joined again unchanged. Lines of fewer than three fields stay.
std::string transform_tag_field(std::string_view line, const TagTransform& t);

// Rewrites one group channel file of the temp folder through "temp.tmp" (a leftover one is
// deleted first). Indexes outside 0..999 and a missing file change nothing. Returns whether a
// file was rewritten.
bool justify_group_file(GroupFiles& files, int system, int group, int code);
bool case_group_file(GroupFiles& files, int system, int group, grid::CaseCode code);
bool transform_group_file(GroupFiles& files, int system, int group, const TagTransform& t);
// The same for a file named inside the temp folder ("GRP-999-001-004.tmp").
bool transform_group_file(GroupFiles& files, std::string_view file_name, const TagTransform& t);

// Field `field` of a store node's record line through the transform; false when there is no
// such node.
bool justify_node(SystemStore& store, std::string_view key, int field, const TagTransform& t);
// The name field of SIN, SIF and GIN lines.
inline constexpr int k_name_field = 4;

// Every group file of the system's groups. Returns the files rewritten.
int transform_system_groups(SystemStore& store, GroupFiles& files, int system,
                            const TagTransform& t);

// "All Groups in System" / "All Departments" from the menus: the open group is written back,
// every group of the current system rewritten, the open group loaded again; the session is
// marked changed. Returns the files rewritten (0 when no system is chosen).
int alpha_tags_all_groups(EditingSession& session, const TagTransform& t);

// The "Justify Alpha Tags:" window's selections.
struct TagKinds {
    bool systems = false;   // "System Names"
    bool sites = false;     // "Site Names"
    bool groups = false;    // "Group Names"
    bool channels = false;  // "Conv frequencies Names" and "Talkgroup Names"
    bool any() const { return systems || sites || groups || channels; }
};
struct TagCounts {
    int systems = 0, sites = 0, groups = 0, files = 0;
};
// "Apply": system names (SYS-001..SYS-500), site names (SIT-), group names (GRP-), then every
// "*.tmp" group file of the temp folder, in that order.
TagCounts apply_alpha_tags(SystemStore& store, GroupFiles& files, const TagKinds& kinds,
                           const TagTransform& t);
// The same for the session: the open editor is written back first and reloaded afterwards,
// every touched system counts as changed and the browser shows the new names.
TagCounts apply_alpha_tags(EditingSession& session, const TagKinds& kinds, const TagTransform& t);

// Captions of the window.
inline constexpr std::string_view k_justify_title = "Justify Alpha Tags:";
inline constexpr std::string_view k_click_grid_first = "Please click on a grid first";

}  // namespace tarvex
