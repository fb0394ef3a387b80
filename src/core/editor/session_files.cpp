// The session's file commands: open, add, save, close, quick save, dropped files and the
// several-files mode.
#include <algorithm>
#include <cstdio>
#include <set>

#include "core/base/line_reader.h"
#include "core/base/os.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/store_ops.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace fs = std::filesystem;
// ---- files ----

void EditingSession::reset_all() {
    close_editor();
    files_->close_appender();
    files_->kill_tempies();
    store_->clear_tree();
    for (int s = 0; s <= k_max_systems; ++s) store_->clear_system_slots(s, 0);
    store_->reset_all_change_counters();
    store_->copy = {};
    hpd_files_.clear();
    shown_systems_.clear();
    clear_selection();
    reset_history();
    edited_groups_.clear();
}

std::optional<std::string> EditingSession::choose_open(FileChooser& chooser, std::string_view title,
                                                       const fs::path& start) {
    auto path = chooser.open_file(title, start.empty() ? folders_.data : start);
    if (!path || !accepted_hpd_name(*path)) return std::nullopt;
    return path;
}

namespace {
bool readable(const std::string& path) {
    if (!not_a_file_reason(path).empty()) return false;
    std::FILE* f = base::open_file(path, "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}
}  // namespace

bool EditingSession::read_file(const std::string& path, uint16_t flags, std::vector<int>* added) {
    if (!readable(path)) {
        prompter_.tell("Cannot open file: " + path);
        return false;
    }
    std::set<int> before;
    for (auto id = store_->first_root(); id != SystemStore::npos; id = store_->next_sibling(id))
        before.insert(keys::system_of(store_->key_of(id)));
    ReadStats stats = read_hpd_or_nothing(path, *store_, *files_, flags, 0, *progress_);
    if (stats.problem != ReadProblem::none)
        prompter_.tell(read_problem_text(path, stats, files_->folder()), "Error");
    std::vector<int> fresh;
    for (auto id = store_->first_root(); id != SystemStore::npos; id = store_->next_sibling(id)) {
        int s = keys::system_of(store_->key_of(id));
        if (!before.count(s)) fresh.push_back(s);
    }
    if (added) *added = fresh;
    notify_data_changed();
    return stats.opened && !read_unusable(stats);
}

namespace {
std::string file_part(const std::string& path) {
    return fs::path(path).filename().string();
}
}  // namespace

namespace {
const std::vector<std::string> k_open_question = {"This will delete all data.",
                                                  "If not saved, data is lost!", "Continue?"};
}  // namespace

bool EditingSession::open_hpd(FileChooser& chooser) {
    if (changed_ && !ask_warning(k_open_question)) return false;
    auto path = choose_open(chooser, "Open HPD File", {});
    if (!path) return false;
    return open_confirmed(*path);
}

bool EditingSession::open_hpd_path(const std::string& path) {
    if (!accepted_hpd_name(path)) return false;
    if (changed_ && !ask_warning(k_open_question)) return false;
    return open_confirmed(path);
}

bool EditingSession::open_confirmed(const std::string& path) {
    if (!accepted_hpd_name(path)) return false;
    // The open data goes only once the new file is known to be there.
    if (!readable(path)) {
        prompter_.tell("Cannot open file: " + path);
        return false;
    }
    reset_all();
    std::vector<int> added;
    read_file(path, k_read_all, &added);
    store_->reset_all_change_counters();
    if (multi_mode()) hpd_files_.push_back({path, file_part(path), added});
    set_file_name(path);
    clear_changed();
    request_browser();
    return true;
}

bool EditingSession::confirm_replace() {
    return !changed_ || ask_warning(k_open_question);
}

void EditingSession::clear_data() {
    reset_all();
    set_file_name({});
    clear_changed();
    request_browser();
}

std::vector<int> EditingSession::systems_arrived() {
    std::vector<int> fresh;
    for (auto id = store_->first_root(); id != SystemStore::npos; id = store_->next_sibling(id)) {
        const std::string& key = store_->key_of(id);
        if (starts_with(key, "SYS-") && !shown_systems_.count(keys::system_of(key)))
            fresh.push_back(keys::system_of(key));
    }
    for (int s : fresh) mark_changed(s);
    request_browser();
    return fresh;
}

bool EditingSession::add_hpd(FileChooser& chooser, uint16_t flags, const fs::path& start_folder) {
    auto path = choose_open(chooser, "Add HPD File", start_folder);
    if (!path) return false;
    return add_hpd_path(*path, flags);
}

bool EditingSession::add_hpd_path(const std::string& path, uint16_t flags) {
    if (!accepted_hpd_name(path)) return false;
    write_back_editor();
    Change change(*this, "Add HPD File");
    std::vector<int> added;
    if (!read_file(path, flags, &added)) return false;
    for (int s : added) mark_changed(s);
    if (added.empty()) return true;
    if (multi_mode()) adopt_systems(added);
    if (file_name_.empty()) set_file_name(path);
    request_browser();
    return true;
}

int EditingSession::import_hpd_folder(FileChooser& chooser) {
    auto folder = chooser.choose_folder("Choose a folder:");
    if (!folder) return 0;
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(*folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        if (it->is_regular_file(ec) && (ext == ".hpd" || ext == ".HPD"))
            found.push_back(it->path());
    }
    if (found.empty()) {
        prompter_.tell("no hpd files found at selected location");
        return 0;
    }
    std::sort(found.begin(), found.end());
    write_back_editor();
    Change change(*this, "Add HPD Files");
    int read = 0;
    for (const auto& p : found) {
        progress_->label("Please wait opening file: " + p.filename().string());
        progress_->pump();
        std::vector<int> added;
        if (!read_file(p.string(), k_read_all, &added)) continue;
        ++read;
        for (int s : added) mark_changed(s);
        if (multi_mode()) adopt_systems(added);
    }
    request_browser();
    return read;
}

void EditingSession::queue_files(std::vector<std::string> paths, bool first_opens) {
    bool opens = first_opens;
    for (auto& p : paths) {
        queue_.emplace_back(std::move(p), opens);
        opens = false;
    }
}

bool EditingSession::load_next_queued() {
    if (queue_.empty()) return false;
    auto [path, opens] = queue_.front();
    queue_.pop_front();
    if (opens) {
        // Refusing to replace the open data refuses the whole drop; a file that cannot be
        // opened passes the opening on to the next one.
        if (changed_ && !ask_warning(k_open_question)) {
            queue_.clear();
            return false;
        }
        if (!open_confirmed(path) && !queue_.empty()) queue_.front().second = true;
    } else if (multi_mode()) {
        multi_add_path(path);
    } else {
        add_hpd_path(path);
    }
    return !queue_.empty();
}

bool EditingSession::save_hpd(FileChooser& chooser) {
    write_back_editor();
    std::string path = file_name_;
    if (path.empty()) {
        auto chosen = chooser.save_file("Save HPD File", "");
        if (!chosen || !accepted_hpd_name(*chosen)) return false;
        path = *chosen;
    }
    return save_to(path);
}

bool EditingSession::save_hpd_as(FileChooser& chooser) {
    write_back_editor();
    auto chosen = chooser.save_file("Save HPD File As", file_part(file_name_));
    if (!chosen || !accepted_hpd_name(*chosen)) return false;
    return save_to(*chosen);
}

bool EditingSession::editor_unwritten() {
    write_back_editor();
    if (!editor.unwritten || !editor.unwritten()) return false;
    prompter_.tell(std::string(k_unwritten_edits), "Warning");
    return true;
}

bool EditingSession::save_to(std::string path) {
    if (editor_unwritten() || !confirm_marked_values("Save")) return false;
    int format = 2;
    if (!write_hpd(path, *store_, *files_, 0, format, 0, false, prompter_, *progress_))
        return false;
    set_file_name(path);
    clear_changed();
    status("Saved: " + path);
    return true;
}

bool EditingSession::write_systems(const std::string& path, const std::vector<int>& systems) {
    if (editor_unwritten()) return false;
    if (systems.empty()) {
        prompter_.tell("Nothing to Save");
        return false;
    }
    std::set<int> wanted(systems.begin(), systems.end());
    SafeFileWriter out{fs::path(path)};
    bool header_done = false;
    for (auto id = store_->first_root(); id != SystemStore::npos; id = store_->next_sibling(id)) {
        int s = keys::system_of(store_->key_of(id));
        if (!wanted.count(s)) continue;
        progress_->label("Saving System: " + store_->key_of(id));
        progress_->pump();
        for (const auto& line : hpd_lines(*store_, *files_, s)) {
            bool header = starts_with(line, "TargetModel") || starts_with(line, "FormatVersion");
            if (header && header_done) continue;
            out.write_line_crlf(line);
        }
        header_done = true;
    }
    if (!out.commit()) {
        prompter_.tell("There was an error saving this file: " + std::to_string(out.error()) +
                       " / " + out.error_text());
        return false;
    }
    return true;
}

bool EditingSession::close_system() {
    int s = selection_.system;
    if (s <= 0 || !store_->exists(keys::system(s))) {
        prompter_.tell("Please click on a system first.");
        return false;
    }
    if (changed_ && !ask_warning({"This will delete the selected System.",
                                  "If not saved, data is lost!", "Continue?"}))
        return false;
    close_editor();
    delete_system(*store_, *files_, s);
    forget_system(s);
    clear_selection();
    clear_changed();
    request_browser();
    return true;
}

bool EditingSession::close_all() {
    if (!ask_warning({"This will delete all Systems.", "If not saved, data is lost!", "Continue?"}))
        return false;
    reset_all();
    set_file_name("");
    clear_changed();
    request_browser();
    return true;
}

std::vector<std::string> EditingSession::quick_save_all() {
    write_back_editor();
    if (store_->empty()) {
        prompter_.tell("Nothing to Save");
        return {};
    }
    std::vector<std::pair<int, std::string>> systems;
    for (auto id = store_->first_root(); id != SystemStore::npos; id = store_->next_sibling(id)) {
        const std::string& key = store_->key_of(id);
        if (starts_with(key, "SYS-"))
            systems.emplace_back(keys::system_of(key), get_field(store_->text_of(id), 4));
    }
    auto written = tarvex::save_individual_systems(folders_.data, systems, *store_, *files_,
                                                   prompter_, *progress_);
    store_->reset_all_change_counters();
    status("Done saving");
    return written;
}

// ---- several files ----

void EditingSession::set_multi_mode(bool on) {
    settings_.multihpd = on;
    if (on && hpd_files_.empty() && !store_->empty()) hpd_files_.push_back({file_name_, "", {}});
    request_browser();
}

void EditingSession::new_hpd() {
    hpd_files_.push_back({"", "", {}});
    request_browser();
}

bool EditingSession::multi_add_hpd(FileChooser& chooser) {
    auto path = choose_open(chooser, "Add HPD file", {});
    if (!path) return false;
    return multi_add_path(*path);
}

bool EditingSession::multi_add_path(const std::string& path) {
    if (!accepted_hpd_name(path)) return false;
    write_back_editor();
    Change change(*this, "Add HPD File");
    std::vector<int> added;
    if (!read_file(path, k_read_all, &added)) return false;
    hpd_files_.push_back({path, file_part(path), added});
    for (int s : added) mark_changed(s);
    request_browser();
    return true;
}

bool EditingSession::remove_hpd() {
    int index = selection_.level == Level::Favorites ? selection_.list - 1 : -1;
    if (index < 0 || index >= static_cast<int>(hpd_files_.size())) {
        prompter_.tell("Click on Fav file first");
        return false;
    }
    if (!ask_warning({"This will remove the selected HPD file from the browser.",
                      "If not saved, data is lost!", "Continue?"}))
        return false;
    close_editor();
    Change change(*this, "Remove HPD");
    std::vector<int> systems = hpd_files_[index].systems;
    for (int s : systems) {
        delete_system(*store_, *files_, s);
        forget_system(s);
    }
    hpd_files_.erase(hpd_files_.begin() + index);
    clear_selection();
    request_browser();
    return true;
}

bool EditingSession::save_all_hpd_files(FileChooser& chooser) {
    write_back_editor();
    bool all = true;
    for (auto& entry : hpd_files_) {
        if (entry.systems.empty()) continue;
        if (entry.path.empty()) {
            auto chosen = chooser.save_file("Save HPD File", entry.name);
            if (!chosen || !accepted_hpd_name(*chosen)) {
                all = false;
                continue;
            }
            entry.path = *chosen;
            if (entry.name.empty()) entry.name = file_part(entry.path);
        }
        if (!write_systems(entry.path, entry.systems)) all = false;
    }
    if (all) clear_changed();
    status("Done saving");
    request_browser();
    return all;
}

std::vector<std::string> EditingSession::save_individual_systems(const std::vector<int>& systems,
                                                                 FileChooser& chooser) {
    write_back_editor();
    std::vector<std::pair<int, std::string>> ticked;
    for (int s : systems)
        if (s > 0 && store_->exists(keys::system(s)))
            ticked.emplace_back(s, get_field(store_->get_node_text(keys::system(s)), 4));
    // Nothing ticked is told before any folder is asked for.
    if (ticked.empty())
        return tarvex::save_individual_systems({}, ticked, *store_, *files_, prompter_, *progress_);
    auto folder = chooser.choose_folder("Choose a folder:");
    if (!folder) return {};
    return tarvex::save_individual_systems(*folder, ticked, *store_, *files_, prompter_,
                                           *progress_);
}

void EditingSession::forget_system(int system) {
    for (auto& entry : hpd_files_) std::erase(entry.systems, system);
    if (store_->copy.system == system) store_->copy = {};
    if (store_->copy.paste_target == system) store_->copy.paste_target = 0;
}

}  // namespace tarvex
