// The session's store commands: new systems, sites and groups, the browser pop-up's copy, paste
// and delete, unlocking channels, and the dispatch of session commands by id.
#include <algorithm>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/hpd/hpd_reader.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/store_ops.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

struct NewSystemDefaults {
    NewSystemKind kind;
    std::string_view line;
    std::string_view code;
};

constexpr NewSystemDefaults k_new_systems[] = {
    {NewSystemKind::Conventional,
     "SIN,Conventional,0,StateId=0,New System,Off,,Conventional,,,,,"
     ",Off,Off,0,Off,Off,400,Auto,8,,,",
     "0"},
    {NewSystemKind::Motorola,
     "SIN,Motorola,0,StateId=0,New MOT System,Off,,Motorola,0,Off,Auto,0,Search,None,None,0,"
     "Off,Off,Analog,Off,Off,On,,",
     "1"},
    {NewSystemKind::MotorolaRebanded,
     "SIN,Motorola,0,StateId=0,New System,Off,,Motorola,0,Off,Auto,0,Search,None,None,0,Off,"
     "Off,Analog,Off,Off,On,,",
     "1"},
    {NewSystemKind::Edacs,
     "SIN,Edacs Narrow/Wide,0,StateId=0,New EDA System,Off,,Edacs,0,Off,Auto,0,Search,None,"
     "None,0,Off,Off,Analog,Off,Off,On,,",
     "2"},
    {NewSystemKind::Ltr,
     "SIN,LTR,0,StateId=0,New LT System,Off,01/01/2010 10:00:00,LTR,0,Off,Auto,0,Search", "4"},
    {NewSystemKind::P25,
     "SIN,P25 Standard,0,StateId=0,New P25 System,Off,,P25 Standard,0,Off,Auto,0,Search,None,"
     "None,0,Off,Off,Analog,Off,Off,On,,",
     "5"},
    {NewSystemKind::P25X2Tdma,
     "SIN,P25 X2 TDMA,0,StateId=0,New TDMA System,Off,,P25X2_TDMA,0,Off,Auto,0,Search,None,"
     "None,0,Off,Off,Analog,Off,Off,On,,",
     "7"},
    {NewSystemKind::MotoTrbo,
     "SIN,MotoTRBO,0,StateId=0,New MotoTRBO System,Off,,MotoTRBO,0,Off,Auto,0,Search,None,"
     "None,0,Off,Off,Analog,Off,Off,On,,",
     "8"},
    {NewSystemKind::DmrOneFrequency,
     "SIN,DMR One Frequency,0,StateId=0,New DMR One Frequency System,Off,,DMR,0,Off,Auto,0,"
     "Search,None,None,0,Off,Off,Analog,Off,Off,On,,",
     "9"},
};

const NewSystemDefaults& defaults_of(NewSystemKind kind) {
    for (const auto& d : k_new_systems)
        if (d.kind == kind) return d;
    return k_new_systems[0];
}

constexpr std::string_view k_select_system = "Please select a system";
constexpr std::string_view k_click_system = "Please click on a system first.";
constexpr std::string_view k_not_trunk = "error, not a trunk system.";
constexpr std::string_view k_select_site_copy = "please select a site to copy";
constexpr std::string_view k_select_site_delete = "please select a site to delete.";
constexpr std::string_view k_select_group_copy = "please select a group/department to copy";
constexpr std::string_view k_select_group_delete = "please select a group/department to delete.";

}  // namespace

std::string_view default_system_line(NewSystemKind kind) {
    return defaults_of(kind).line;
}
std::string_view default_type_code(NewSystemKind kind) {
    return defaults_of(kind).code;
}

std::optional<NewSystemKind> new_system_kind(CommandId id) {
    switch (id) {
        case CommandId::NewConventionalSystem:
            return NewSystemKind::Conventional;
        case CommandId::NewMotorolaSystem:
            return NewSystemKind::Motorola;
        case CommandId::NewRebandedSystem:
            return NewSystemKind::MotorolaRebanded;
        case CommandId::NewEdacsSystem:
            return NewSystemKind::Edacs;
        case CommandId::NewLtrSystem:
            return NewSystemKind::Ltr;
        case CommandId::NewP25System:
            return NewSystemKind::P25;
        case CommandId::NewX2TdmaSystem:
            return NewSystemKind::P25X2Tdma;
        case CommandId::NewMotoTrboSystem:
            return NewSystemKind::MotoTrbo;
        case CommandId::NewDmrSystem:
            return NewSystemKind::DmrOneFrequency;
        default:
            return std::nullopt;
    }
}

namespace {
bool system_exists(const SystemStore& store, int s) {
    return s > 0 && store.exists(keys::system(s));
}
// The record decides, not the side table: a system typed in the editor may have changed kind.
bool is_trunked(const SystemStore& store, int s) {
    return get_field(store.get_node_text(keys::system(s)), 1) != "Conventional";
}
}  // namespace

void EditingSession::after_structure_change(int system, std::string_view select_key) {
    if (multi_mode() && system > 0) adopt_systems({system});
    if (!select_key.empty()) {
        // Selected at once, so a following command (New Site after a new system) finds it
        // before the window has rebuilt its browser.
        BrowserSelection parsed = parse_browser_key(select_key);
        selection_ = {};
        selection_.key = std::string(select_key);
        selection_.system = parsed.system;
        selection_.site = parsed.site;
        selection_.group = parsed.group;
        selection_.level = parsed.kind == SelectionKind::System  ? Level::System
                           : parsed.kind == SelectionKind::Site  ? Level::Site
                           : parsed.kind == SelectionKind::Group ? Level::Group
                                                                 : Level::None;
        store_->current_system = parsed.system;
        store_->current_group = parsed.group;
        if (events.selection) events.selection(selection_);
    }
    request_browser();
}

// ---- adding ----

std::optional<int> EditingSession::new_system(NewSystemKind kind) {
    write_back_editor();
    Change change(*this, "New System");
    auto index = store_->g_n_i(IndexKind::System, 0);
    if (!index) return std::nullopt;
    int s = *index;
    const auto& d = defaults_of(kind);
    std::string sys = keys::system(s);
    std::string line(d.line);
    if (!store_->add_node("", sys, line)) return std::nullopt;
    store_->system_slot(s, k_slot_in_use) = "1";
    store_->system_slot(s, k_slot_name) = get_field(line, 4);
    store_->system_slot(s, k_slot_type_code) = std::string(d.code);
    if (kind == NewSystemKind::Conventional) {
        store_->add_node(sys, keys::group(s, 0),
                         std::string(k_new_conventional_group_head) + std::to_string(s) +
                             std::string(k_new_group_tail));
    } else {
        store_->add_node(sys, keys::group(s, 0), std::string(k_new_trunk_group));
        store_->add_node(
            sys, keys::site(s, 1),
            std::string(kind == NewSystemKind::MotorolaRebanded ? templates::new_site_custom
                                                                : templates::new_site));
        store_->add_node(sys, keys::bandplan(s, 1), std::string(templates::bandplan_default));
        store_->add_node(sys, keys::unit_id_holder(s), std::string(templates::uid_holder_editor));
    }
    mark_changed(s);
    after_structure_change(s, sys);
    return s;
}

std::optional<int> EditingSession::new_site() {
    write_back_editor();
    Change change(*this, "New Site");
    int s = selection_.system;
    if (system_exists(*store_, s) && !is_trunked(*store_, s)) {
        prompter_.tell(k_not_trunk);
        return std::nullopt;
    }
    auto index = store_->g_n_i(IndexKind::Site, s);
    if (!index || !system_exists(*store_, s)) return std::nullopt;
    int t = *index;
    std::string sys = keys::system(s);
    store_->add_node(sys, keys::site(s, t), std::string(templates::new_site));
    if (!store_->exists(keys::bandplan(s, t)))
        store_->add_node(sys, keys::bandplan(s, t), std::string(templates::bandplan_default));
    mark_changed(s);
    after_structure_change(s, keys::site(s, t));
    return t;
}

std::optional<int> EditingSession::new_group() {
    write_back_editor();
    Change change(*this, "New Group");
    int s = selection_.system;
    auto index = store_->g_n_i(IndexKind::Group, s);
    if (!index || !system_exists(*store_, s)) return std::nullopt;
    int g = *index;
    if (g < 0 || g > k_last_new_group_index) return std::nullopt;
    store_->add_node(keys::system(s), keys::group(s, g),
                     std::string(k_new_group_head) + "Department: " + std::to_string(g) +
                         std::string(k_new_group_tail));
    mark_changed(s);
    after_structure_change(s, keys::group(s, g));
    return g;
}

// ---- copy, paste, delete ----

bool EditingSession::copy_system() {
    write_back_editor();
    int s = selection_.system;
    if (!system_exists(*store_, s)) {
        prompter_.tell(k_select_system);
        return false;
    }
    store_->copy.system = s;
    store_->copy.site = 0;
    store_->copy.group = -1;
    return true;
}

std::optional<int> EditingSession::paste_system() {
    write_back_editor();
    Change change(*this, "Paste System");
    int copied = store_->copy.system;
    if (!system_exists(*store_, copied)) {
        prompter_.tell("Please copy a system first.");
        return std::nullopt;
    }
    auto fresh = tarvex::paste_system(*store_, *files_, copied);
    if (!fresh) return std::nullopt;
    mark_changed(*fresh);
    after_structure_change(*fresh, keys::system(*fresh));
    return fresh;
}

bool EditingSession::delete_current_system() {
    write_back_editor();
    int s = selection_.system;
    if (!system_exists(*store_, s)) {
        prompter_.tell(k_select_system);
        return false;
    }
    if (!ask_warning({"This will remove the selected System from the browser.",
                      "If not saved, data is lost!", "Continue?"}))
        return false;
    return remove_system(s);
}

bool EditingSession::remove_system(int system) {
    Change change(*this, "Delete System");
    if (!system_exists(*store_, system)) return false;
    close_editor();
    delete_system(*store_, *files_, system);
    forget_system(system);
    if (selection_.system == system) clear_selection();
    mark_changed();
    request_browser();
    return true;
}

int EditingSession::delete_systems(const std::vector<int>& systems) {
    write_back_editor();
    std::vector<int> present;
    for (int s : systems)
        if (system_exists(*store_, s)) present.push_back(s);
    if (present.empty()) {
        prompter_.tell("Please select one or more systems.");
        return 0;
    }
    if (!ask_warning({"This will remove the selected System from the browser.",
                      "If not saved, data is lost!", "Continue?"}))
        return 0;
    close_editor();
    Change change(*this, "Delete Systems");
    for (int s : present) {
        delete_system(*store_, *files_, s);
        forget_system(s);
    }
    clear_selection();
    mark_changed();
    request_browser();
    return static_cast<int>(present.size());
}

bool EditingSession::copy_site() {
    write_back_editor();
    if (selection_.level != Level::Site || selection_.site <= 0 ||
        !store_->exists(keys::site(selection_.system, selection_.site))) {
        prompter_.tell(k_select_site_copy);
        return false;
    }
    store_->copy.system = selection_.system;
    store_->copy.site = selection_.site;
    return true;
}

std::optional<int> EditingSession::paste_site() {
    write_back_editor();
    Change change(*this, "Paste Site");
    const CopyBuffer& copy = store_->copy;
    if (copy.site <= 0 || !store_->exists(keys::site(copy.system, copy.site))) {
        prompter_.tell(k_select_site_copy);
        return std::nullopt;
    }
    int target = selection_.system;
    if (system_exists(*store_, target) && !is_trunked(*store_, target)) {
        prompter_.tell(k_not_trunk);
        return std::nullopt;
    }
    store_->copy.paste_target = target;
    auto fresh = tarvex::paste_site(*store_, copy.system, target, copy.site);
    if (!fresh) return std::nullopt;
    mark_changed(target);
    after_structure_change(target, keys::site(target, *fresh));
    return fresh;
}

bool EditingSession::delete_current_site() {
    write_back_editor();
    int s = selection_.system, t = selection_.site;
    if (selection_.level != Level::Site || t <= 0 || !store_->exists(keys::site(s, t))) {
        prompter_.tell(k_select_site_delete);
        return false;
    }
    if (!ask_warning({"This will delete the current site, data will be lost! Continue?"}))
        return false;
    return remove_site(s, t);
}

bool EditingSession::remove_site(int system, int site) {
    Change change(*this, "Delete Site");
    if (!store_->exists(keys::site(system, site))) return false;
    close_editor();
    delete_site(*store_, system, site);
    if (store_->copy.system == system && store_->copy.site == site) store_->copy.site = 0;
    mark_changed(system);
    after_structure_change(system, keys::system(system));
    return true;
}

bool EditingSession::copy_group() {
    write_back_editor();
    if (selection_.level != Level::Group || selection_.group < 0 ||
        !store_->exists(keys::group(selection_.system, selection_.group))) {
        prompter_.tell(k_select_group_copy);
        return false;
    }
    store_->copy.system = selection_.system;
    store_->copy.group = selection_.group;
    return true;
}

std::optional<int> EditingSession::paste_group() {
    write_back_editor();
    Change change(*this, "Paste Group");
    const CopyBuffer copy = store_->copy;
    if (copy.group < 0 || !store_->exists(keys::group(copy.system, copy.group))) {
        prompter_.tell(k_select_group_copy);
        return std::nullopt;
    }
    int target = selection_.system;
    // Channel rows and talkgroup rows have different columns: a group only fits a system of
    // its own kind.
    if (system_exists(*store_, target) &&
        is_trunked(*store_, target) != is_trunked(*store_, copy.system)) {
        prompter_.tell(is_trunked(*store_, target)
                           ? "A conventional group can only be pasted into a conventional system."
                           : "A trunk group can only be pasted into a trunk system.");
        return std::nullopt;
    }
    store_->copy.paste_target = target;
    auto fresh = tarvex::paste_group(*store_, *files_, copy.system, target, copy.group);
    if (!fresh) return std::nullopt;
    mark_changed(target);
    after_structure_change(target, keys::group(target, *fresh));
    return fresh;
}

bool EditingSession::delete_current_group() {
    write_back_editor();
    int s = selection_.system, g = selection_.group;
    if (selection_.level != Level::Group || g < 0 || !store_->exists(keys::group(s, g))) {
        prompter_.tell(k_select_group_delete);
        return false;
    }
    if (!ask_warning({"This will delete the selected Group/Department.",
                      "If not saved, data is lost!", "Continue?"}))
        return false;
    close_editor();
    Change change(*this, "Delete Group");
    delete_group(*store_, *files_, s, g);
    if (store_->copy.system == s && store_->copy.group == g) store_->copy.group = -1;
    mark_changed(s);
    after_structure_change(s, keys::system(s));
    return true;
}

// ---- options ----

int EditingSession::unlock_channels() {
    int s = selection_.system;
    if (!system_exists(*store_, s)) {
        prompter_.tell(k_click_system);
        return 0;
    }
    write_back_editor();
    Change change(*this, "Unlock Channels");
    int changed_rows = 0;
    for (const auto& key : store_->child_keys(keys::system(s))) {
        if (!starts_with(key, "GRP-")) continue;
        int g = keys::group_of(key);
        if (!files_->exists(s, g)) continue;
        files_->rewrite(s, g, [&](std::string_view line) {
            if (get_field_plain(line, 3) != "On") return std::string(line);
            ++changed_rows;
            return set_field(line, 3, "Off");
        });
    }
    if (changed_rows > 0) {
        mark_changed(s);
        reload_editor();
    }
    return changed_rows;
}

void EditingSession::toggle_hp2_model() {
    settings_.hp2model = !settings_.hp2model;
}

// ---- dispatch ----

bool EditingSession::run(CommandId id, FileChooser& chooser) {
    if (handler_of(id) != Handler::Session || !is_available(id)) return false;
    if (auto kind = new_system_kind(id)) {
        new_system(*kind);
        return true;
    }
    switch (id) {
        case CommandId::OpenHpd:
            open_hpd(chooser);
            break;
        case CommandId::AddHpd:
            add_hpd(chooser);
            break;
        case CommandId::SaveHpd:
            save_hpd(chooser);
            break;
        case CommandId::SaveHpdAs:
            save_hpd_as(chooser);
            break;
        case CommandId::SaveAllHpd:
            save_all_hpd_files(chooser);
            break;
        case CommandId::RemoveHpd:
            remove_hpd();
            break;
        case CommandId::CloseSystem:
            close_system();
            break;
        case CommandId::CloseAll:
            close_all();
            break;
        case CommandId::QuickSaveAll:
            quick_save_all();
            break;
        case CommandId::NewHpd:
            new_hpd();
            break;
        case CommandId::MultiAddHpd:
            multi_add_hpd(chooser);
            break;
        case CommandId::NewSite:
            new_site();
            break;
        case CommandId::NewGroup:
            new_group();
            break;
        case CommandId::ImportConventionalHpd:
            add_hpd(chooser, k_read_conventional_only);
            break;
        case CommandId::ImportTrunkedHpd:
            add_hpd(chooser, k_read_trunked_only);
            break;
        case CommandId::ImportDatabaseFile:
            add_hpd(chooser, k_read_all, folders_.master_database);
            break;
        case CommandId::ImportHpdFolder:
            import_hpd_folder(chooser);
            break;
        case CommandId::ToggleHp2Model:
            toggle_hp2_model();
            break;
        case CommandId::SortNone:
            set_ordering(TreeOrdering::None);
            break;
        case CommandId::SortByName:
            set_ordering(TreeOrdering::ByName);
            break;
        case CommandId::SortBySystemType:
            set_ordering(TreeOrdering::BySystemType);
            break;
        case CommandId::SortByQuickKey:
            set_ordering(TreeOrdering::QuickKey);
            break;
        case CommandId::SortByQuickKeyUniden:
            set_ordering(TreeOrdering::QuickKeyUniden);
            break;
        case CommandId::CopySystem:
            copy_system();
            break;
        case CommandId::PasteSystem:
            paste_system();
            break;
        case CommandId::DeleteSystem:
            delete_current_system();
            break;
        case CommandId::CopySite:
            copy_site();
            break;
        case CommandId::PasteSite:
            paste_site();
            break;
        case CommandId::DeleteSite:
            delete_current_site();
            break;
        case CommandId::CopyGroup:
            copy_group();
            break;
        case CommandId::PasteGroup:
            paste_group();
            break;
        case CommandId::DeleteGroup:
            delete_current_group();
            break;
        case CommandId::UnlockChannels:
            unlock_channels();
            break;
        default:
            return false;
    }
    return true;
}

}  // namespace tarvex
