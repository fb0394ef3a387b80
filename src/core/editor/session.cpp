// The session's state, selection and browser.
#include "core/editor/session.h"

#include <algorithm>
#include <set>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/run_folders.h"
#include "core/base/text.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace fs = std::filesystem;

// ---- file choosers and names ----

std::optional<std::string> ScriptedFileChooser::next(std::string_view title) {
    asked.emplace_back(title);
    if (answers_.empty()) return std::nullopt;
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}
std::optional<std::string> ScriptedFileChooser::open_file(std::string_view title, const fs::path&) {
    return next(title);
}
std::optional<std::string> ScriptedFileChooser::save_file(std::string_view title,
                                                          std::string_view) {
    return next(title);
}
std::optional<std::string> ScriptedFileChooser::choose_folder(std::string_view title) {
    return next(title);
}

bool accepted_hpd_name(std::string_view name) {
    return contains(name, ".hpd") || contains(name, ".HPD") || contains(name, ".txt");
}

std::string window_title(std::string_view base, std::string_view file_name) {
    std::string title(base);
    if (!file_name.empty()) title += " - file: " + std::string(file_name);
    return title;
}

std::string_view level_label(Level level) {
    switch (level) {
        case Level::System:
            return "SYSTEM";
        case Level::Site:
        case Level::SitesFolder:
            return "SITE";
        case Level::Group:
            return "GROUP";
        case Level::UnitIds:
            return "UID";
        case Level::Favorites:
            return "FAV";
        case Level::None:
            break;
    }
    return "";
}

// ---- the session ----

EditingSession::EditingSession(Prompter& prompter, DataFolders folders)
    : prompter_(prompter),
      progress_(&no_progress()),
      folders_(std::move(folders)),
      store_(std::make_unique<SystemStore>(prompter)),
      files_(std::make_unique<GroupFiles>(folders_.run_temp)) {
    claim_run_folder(folders_.run_temp);
}

EditingSession::~EditingSession() = default;

void EditingSession::apply_settings(const StartupSettings& values) {
    settings_ = values;
    request_browser();
}

void EditingSession::mark_changed(int system) {
    if (system > 0) store_->mark_changed(system);
    // A change made outside a recorded step cannot be undone to the saved state.
    if (!recording_) history_.lose_clean();
    set_changed(true);
    keep_recovery();
}

void EditingSession::clear_changed() {
    history_.set_clean();
    set_changed(false);
}

void EditingSession::set_file_name(std::string name) {
    file_name_ = std::move(name);
    keep_recovery();
    if (events.file_name) events.file_name(file_name_);
}

void EditingSession::status(std::string_view text) {
    if (events.status) events.status(text);
}

void EditingSession::write_back_editor() {
    if (editor.write_back) editor.write_back();
}
void EditingSession::close_editor() {
    if (editor.close) editor.close();
}
void EditingSession::reload_editor() {
    if (editor.reload) editor.reload();
}

bool EditingSession::ask_warning(std::vector<std::string> lines) {
    return prompter_.ask(lines, "Warning", Buttons::YesNoCancel) == Answer::Yes;
}

// ---- browser ----

void EditingSession::set_ordering(TreeOrdering ordering) {
    settings_.treesort = ordering;
    request_browser();
}

void EditingSession::request_browser() {
    browser_dirty_ = true;
    if (events.browser) events.browser();
}

// Every system belongs to one list in the several-files mode; systems that arrived another
// way (switching the mode on, imports) join the list in use, deleted ones leave theirs.
void EditingSession::adopt_systems(const std::vector<int>& systems) {
    if (hpd_files_.empty()) hpd_files_.push_back({file_name_, "", {}});
    int index = current_list_index();
    auto& target = hpd_files_[index >= 0 ? index : hpd_files_.size() - 1].systems;
    auto listed = [&](int s) {
        return std::any_of(hpd_files_.begin(), hpd_files_.end(), [s](const HpdFileEntry& e) {
            return std::find(e.systems.begin(), e.systems.end(), s) != e.systems.end();
        });
    };
    for (int s : systems)
        if (!listed(s)) target.push_back(s);
}

int EditingSession::current_list_index() const {
    if (selection_.level == Level::Favorites && selection_.list >= 1 &&
        selection_.list <= static_cast<int>(hpd_files_.size()))
        return selection_.list - 1;
    for (size_t i = 0; i < hpd_files_.size(); ++i) {
        const auto& s = hpd_files_[i].systems;
        if (selection_.system > 0 && std::find(s.begin(), s.end(), selection_.system) != s.end())
            return static_cast<int>(i);
    }
    return -1;
}

BrowserTree EditingSession::build_browser() {
    std::string previous = selection_.key;
    BrowserTree tree;
    if (multi_mode()) {
        std::set<int> listed;
        for (auto& entry : hpd_files_) {
            std::erase_if(entry.systems, [&](int s) { return !store_->exists(keys::system(s)); });
            listed.insert(entry.systems.begin(), entry.systems.end());
        }
        std::vector<int> strays;
        for (auto id = store_->first_root(); id != SystemStore::npos;
             id = store_->next_sibling(id)) {
            int s = keys::system_of(store_->key_of(id));
            if (starts_with(store_->key_of(id), "SYS-") && !listed.count(s)) strays.push_back(s);
        }
        if (!strays.empty() || hpd_files_.empty()) adopt_systems(strays);
        std::vector<FavoritesListView> views;
        for (const auto& entry : hpd_files_) views.push_back({entry.name, entry.systems});
        tree = create_browser_tree_met_favie(*store_, ordering(), views, previous);
    } else {
        tree = create_browser_tree(*store_, ordering(), previous);
    }
    shown_systems_.clear();
    for (auto id = store_->first_root(); id != SystemStore::npos; id = store_->next_sibling(id))
        if (starts_with(store_->key_of(id), "SYS-"))
            shown_systems_.insert(keys::system_of(store_->key_of(id)));
    browser_dirty_ = false;
    // The builder forgets the current system; selecting the node again restores it, as a
    // click on it would.
    Selection keep = selection_;
    if (tree.selected_key.empty()) {
        selection_ = {};
    } else {
        BrowserSelection parsed = parse_browser_key(tree.selected_key);
        selection_.key = tree.selected_key;
        selection_.system = parsed.system;
        store_->current_system = parsed.system;
        store_->current_group = parsed.group;
    }
    if (events.selection && (keep.key != selection_.key)) events.selection(selection_);
    return tree;
}

std::vector<std::string> EditingSession::highlight_keys(CommandId highlight) const {
    std::vector<std::string> out;
    auto switched_on = [](const std::string& v) { return v == "1" || v == "On"; };
    auto trunked = [&](int s) {
        return get_field(store_->get_node_text(keys::system(s)), 1) != "Conventional";
    };
    for (auto id = store_->first_in_store(); id != SystemStore::npos;
         id = store_->next_in_store(id)) {
        const std::string& key = store_->key_of(id);
        const std::string& text = store_->text_of(id);
        bool sys = starts_with(key, "SYS-"), grp = starts_with(key, "GRP-"),
             sit = starts_with(key, "SIT-");
        bool hit = false;
        switch (highlight) {
            case CommandId::HighlightChangedSystems:
                hit = sys && store_->change_counter(keys::system_of(key)) > 0;
                break;
            case CommandId::HighlightSystems:
                hit = sys;
                break;
            case CommandId::HighlightGroups:
                hit = grp;
                break;
            case CommandId::HighlightSites:
                hit = sit;
                break;
            case CommandId::HighlightLockOutSystems:
                hit = sys && switched_on(get_field(text, 5));
                break;
            case CommandId::HighlightLockOutSites:
                hit = sit && switched_on(get_field(text, 5));
                break;
            case CommandId::HighlightLockOutGroups:
                hit = grp && switched_on(get_field(text, 5));
                break;
            case CommandId::HighlightTrunkGroups:
                hit = grp && trunked(keys::group_system_of(key));
                break;
            case CommandId::HighlightConvGroups:
                hit = grp && !trunked(keys::group_system_of(key));
                break;
            default:
                return out;
        }
        if (hit) out.push_back(key);
    }
    return out;
}

// ---- selection ----

const Selection& EditingSession::select(std::string_view browser_key) {
    write_back_editor();
    BrowserSelection parsed = parse_browser_key(browser_key);
    Selection s;
    s.key = std::string(browser_key);
    switch (parsed.kind) {
        case SelectionKind::None:
            s = {};
            break;
        case SelectionKind::FavoritesList:
            s.level = Level::Favorites;
            break;
        case SelectionKind::UnitIds:
            s.level = Level::UnitIds;
            break;
        case SelectionKind::System:
            s.level = Level::System;
            break;
        case SelectionKind::Group:
            s.level = Level::Group;
            break;
        case SelectionKind::Site:
            s.level = Level::Site;
            break;
        case SelectionKind::SitesFolder:
            s.level = Level::SitesFolder;
            break;
    }
    s.system = parsed.system;
    s.site = parsed.site;
    s.group = parsed.group;
    s.list = parsed.list;
    selection_ = s;
    store_->current_system = s.system;
    store_->current_group = s.group;
    if (events.selection) events.selection(selection_);
    return selection_;
}

void EditingSession::clear_selection() {
    selection_ = {};
    store_->current_system = 0;
    store_->current_group = -1;
    if (events.selection) events.selection(selection_);
}

}  // namespace tarvex
