// The session's undo: recording the steps and walking the history.
#include <map>
#include <utility>
#include <vector>

#include "core/base/prompter.h"
#include "core/editor/session.h"
#include "core/model/browser_tree.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

void EditingSession::begin_change(std::string label) {
    if (recording_) {
        ++recording_->depth;
        return;
    }
    if (!writing_back_) {
        // A cell or form the user is still editing is a change of its own, recorded before
        // this one starts.
        writing_back_ = true;
        write_back_editor();
        writing_back_ = false;
    }
    files_->close_appender();
    auto rec = std::make_unique<Recording>();
    rec->label = std::move(label);
    rec->depth = 1;
    rec->revision = store_->revision();
    if (!last_snapshot_ || last_snapshot_revision_ != rec->revision) {
        last_snapshot_ = store_->snapshot();
        last_snapshot_revision_ = rec->revision;
    }
    rec->store_before = last_snapshot_;
    rec->lists_before = hpd_files_;
    rec->select_before = selection_.key;
    recording_ = std::move(rec);
    files_->before_change = [this](int system, int group) {
        auto key = std::pair{system, group};
        if (recording_ && !recording_->files.count(key))
            recording_->files.emplace(key, files_->read_raw(system, group));
    };
}

void EditingSession::end_change() {
    if (!recording_) return;
    if (--recording_->depth > 0) return;
    std::unique_ptr<Recording> rec = std::move(recording_);
    files_->before_change = nullptr;
    files_->close_appender();

    UndoStep step;
    step.label = rec->label;
    if (store_->revision() != rec->revision) {
        last_snapshot_ = store_->snapshot();
        last_snapshot_revision_ = store_->revision();
        step.store_before = rec->store_before;
        step.store_after = last_snapshot_;
    }
    for (auto& [key, before] : rec->files) {
        std::optional<std::string> after = files_->read_raw(key.first, key.second);
        if (after == before) continue;
        step.files.push_back({key.first, key.second, std::move(before), std::move(after)});
    }
    if (hpd_files_ != rec->lists_before) {
        step.lists_changed = true;
        step.lists_before = std::move(rec->lists_before);
        step.lists_after = hpd_files_;
    }
    step.select_before = rec->select_before;
    step.select_after = selection_.key;
    if (step.empty()) {
        keep_recovery();
        return;
    }
    history_.push(std::move(step));
    set_changed(true);
    keep_recovery();
    if (events.history) events.history();
    notify_data_changed();
}

void EditingSession::apply_step(const UndoStep& step, bool forward) {
    files_->close_appender();
    if (const auto& snap = forward ? step.store_after : step.store_before) {
        store_->restore(*snap);
        last_snapshot_ = snap;
        last_snapshot_revision_ = store_->revision();
    }
    bool all_written = true;
    for (const auto& f : step.files)
        all_written =
            files_->write_raw(f.system, f.group, forward ? f.after : f.before) && all_written;
    if (!all_written)
        prompter_.tell("Not every group could be put back: the temp folder may be full.",
                       "Warning");
    if (step.lists_changed) hpd_files_ = forward ? step.lists_after : step.lists_before;
}

namespace {
// The key to select after an undo or redo: the step's own when its node is there, else the
// nearest node above it that is.
std::string key_to_select(const SystemStore& store, const std::string& key) {
    BrowserSelection parsed = parse_browser_key(key);
    switch (parsed.kind) {
        case SelectionKind::Group:
            if (store.exists(keys::group(parsed.system, parsed.group))) return key;
            break;
        case SelectionKind::Site:
            if (store.exists(keys::site(parsed.system, parsed.site))) return key;
            break;
        case SelectionKind::None:
            return {};
        default:
            break;
    }
    if (parsed.system > 0 && store.exists(keys::system(parsed.system)))
        return parsed.kind == SelectionKind::System || parsed.kind == SelectionKind::Group ||
                       parsed.kind == SelectionKind::Site
                   ? keys::system(parsed.system)
                   : key;
    return {};
}
}  // namespace

bool EditingSession::step(bool forward) {
    if (recording_) return false;
    write_back_editor();
    if (forward ? !history_.can_redo() : !history_.can_undo()) return false;
    const std::string key_before = selection_.key;
    std::optional<EditorPlace> place;
    if (editor.place) place = editor.place();
    close_editor();
    const UndoStep& taken = forward ? history_.redo_step() : history_.undo_step();
    apply_step(taken, forward);
    std::string key = key_to_select(*store_, forward ? taken.select_after : taken.select_before);
    if (forward)
        history_.stepped_forward();
    else
        history_.stepped_back();
    set_changed(!history_.at_clean());
    request_browser();
    if (key.empty())
        clear_selection();
    else
        select(key);
    // The grid reopens from its file at the top; the user stays where they were.
    place_after_step_ = key == key_before ? place : std::nullopt;
    keep_recovery();
    if (events.history) events.history();
    notify_data_changed();
    return true;
}

bool EditingSession::undo() {
    return step(false);
}

bool EditingSession::redo() {
    return step(true);
}

int EditingSession::subscribe(std::function<void()> listener) {
    const int id = next_listener_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void EditingSession::unsubscribe(int id) {
    listeners_.erase(id);
}

void EditingSession::notify_data_changed() {
    // A listener may unsubscribe (its window closes) while being told.
    std::vector<int> ids;
    for (const auto& [id, fn] : listeners_) ids.push_back(id);
    for (int id : ids)
        if (auto it = listeners_.find(id); it != listeners_.end() && it->second) it->second();
}

std::string EditingSession::undo_text() const {
    return history_.can_undo() ? "Undo " + history_.undo_step().label : "Undo";
}
std::string EditingSession::redo_text() const {
    return history_.can_redo() ? "Redo " + history_.redo_step().label : "Redo";
}

void EditingSession::reset_history() {
    history_.clear();
    place_after_step_.reset();
    notify_data_changed();
    last_snapshot_.reset();
    last_snapshot_revision_ = ~uint64_t{0};
    if (events.history) events.history();
}

void EditingSession::set_changed(bool changed) {
    if (changed_ == changed) return;
    changed_ = changed;
    keep_recovery();
    if (events.changed) events.changed(changed);
}

}  // namespace tarvex
