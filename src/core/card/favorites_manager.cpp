#include "core/card/favorites_manager.h"

#include <algorithm>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/store_ops.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

bool is_regular(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(p, ec));
}

std::string save_error(const SafeFileWriter& out) {
    if (is_disk_full(std::error_code(out.error(), std::generic_category())))
        return std::string(k_disk_full);
    return "There was an error saving this file: " + std::to_string(out.error()) + " / " +
           out.error_text();
}

}  // namespace

void clear_editor_data(SystemStore& store, GroupFiles& files) {
    std::vector<int> systems;
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id)) {
        const std::string& key = store.key_of(id);
        if (starts_with(key, "SYS-")) systems.push_back(keys::system_of(key));
    }
    for (int s : systems) delete_system(store, files, s);
    store.clear_tree();
    files.kill_tempies();
}

FavoritesManager::FavoritesManager(CardFolders card, CopyFileFn copy)
    : card_(std::move(card)), copy_(copy ? std::move(copy) : default_copy()) {}

fs::path FavoritesManager::config_path() const {
    return child_ci(card_.favorites, k_config_name);
}

bool FavoritesManager::refuse_linked_folder(Prompter& prompter) const {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(card_.favorites, ec))) return false;
    prompter.tell("The favorites_lists folder on the card is a link, it is not used: " +
                      card_.favorites.string(),
                  "Warning");
    return true;
}

ConfigRead FavoritesManager::read_config(Prompter& prompter) {
    changed_ = false;
    if (refuse_linked_folder(prompter)) {
        rows_.clear();
        return ConfigRead{};
    }
    ConfigRead r = read_favorites_config(card_.favorites, rows_);
    for (const auto& name : r.refused) prompter.tell(refused_file_name_message(name), "Warning");
    if (r.refused_unlisted > 0)
        prompter.tell("Favorite List file names refused, " + std::to_string(r.refused_unlisted) +
                          " more point outside the favorites_lists folder.",
                      "Warning");
    changed_ = false;
    return r;
}

const FavoritesRow* FavoritesManager::row(int number) const {
    for (const auto& r : rows_)
        if (r.number == number) return &r;
    return nullptr;
}

FavoritesRow* FavoritesManager::find(int number) {
    for (auto& r : rows_)
        if (r.number == number) return &r;
    return nullptr;
}

int FavoritesManager::lowest_free_number() const {
    for (int n = 1; n <= k_max_list_number; ++n)
        if (!row(n)) return n;
    return 0;
}

fs::path FavoritesManager::list_path(const FavoritesRow& r) const {
    if (!is_safe_list_file_name(r.file)) return {};
    return child_ci(card_.favorites, r.file);
}

bool FavoritesManager::back_up(const fs::path& file, std::string_view backup_name,
                               Prompter& prompter) {
    if (!is_regular(file)) return true;  // nothing there yet, nothing to keep
    std::error_code ec = copy_(file, child_ci(card_.favorites, backup_name));
    if (!ec) return true;
    prompter.tell(copy_error_message(file, ec), "Error");
    return false;
}

bool FavoritesManager::write_config(Prompter& prompter) {
    if (refuse_linked_folder(prompter)) return false;
    std::error_code ec;
    fs::create_directories(card_.favorites, ec);
    fs::path path = config_path();
    if (!back_up(path, k_config_backup_name, prompter)) return false;
    SafeFileWriter out(path);
    for (const auto& line : favorites_config_lines(rows_)) out.write_line_crlf(line);
    if (!out.commit()) {
        prompter.tell(save_error(out), "Error");
        return false;
    }
    changed_ = false;
    return true;
}

bool FavoritesManager::save_favie(const fs::path& config, const fs::path& list, SystemStore& store,
                                  GroupFiles& files, Prompter& prompter, Progress& progress) {
    if (refuse_linked_folder(prompter)) return false;
    if (!list.empty()) {
        std::error_code ec;
        fs::create_directories(list.parent_path(), ec);
        int number = list_number_from_file(list.filename().string());
        if (!back_up(list, list_backup_name(number), prompter)) return false;
        std::string path = list.string();
        int format = 2;
        if (!write_hpd(path, store, files, 0, format, 0, false, prompter, progress)) return false;
    }
    if (!config.empty() && !write_config(prompter)) return false;
    return true;
}

bool FavoritesManager::upload(const UploadChoice& choice, SystemStore& store, GroupFiles& files,
                              Prompter& prompter, Progress& progress) {
    if (store.empty()) {
        prompter.tell(k_no_hpd_active);
        return false;
    }
    FavoritesRow* target = nullptr;
    bool added = false;
    if (choice.existing) {
        target = choice.selected > 0 ? find(choice.selected) : nullptr;
        if (!target) {
            prompter.tell(k_select_favorite_file);
            return false;
        }
        if (prompter.ask({std::string(k_existing_list_lost)}, "Warning", Buttons::YesNo) !=
            Answer::Yes)
            return false;
    } else {
        std::string name = clean_list_name(trim(choice.name));
        if (name.empty()) {
            prompter.tell(k_enter_list_name);
            return false;
        }
        int n = lowest_free_number();
        if (n == 0) {
            prompter.tell("No free Favorite List number left.");
            return false;
        }
        rows_.push_back(FavoritesRow{n, name, list_file_name(n), false, false});
        target = &rows_.back();
        added = true;
    }
    // The switches are applied to a copy first so that a failed save leaves the table as it was.
    FavoritesRow before = *target;
    target->location = choice.location;
    target->monitor = choice.monitor;
    int number = target->number;
    fs::path list = list_path(*target);
    progress.status(k_shaving_file);
    progress.pump();
    bool ok = !list.empty() && save_favie(config_path(), list, store, files, prompter, progress);
    if (!ok) {
        if (added) {
            rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                                       [&](const FavoritesRow& r) { return r.number == number; }),
                        rows_.end());
        } else if (FavoritesRow* r = find(number)) {
            *r = before;
        }
        return false;
    }
    progress.status(k_save_ready);
    return true;
}

bool FavoritesManager::load(int selected, SystemStore& store, GroupFiles& files,
                            const std::function<void()>& clear_data, Prompter& prompter,
                            Progress& progress) {
    const FavoritesRow* r = selected > 0 ? row(selected) : nullptr;
    if (!r) {
        prompter.tell(k_select_favorite_file);
        return false;
    }
    if (refuse_linked_folder(prompter)) return false;
    fs::path path = list_path(*r);
    if (path.empty() || !is_regular(path)) {
        prompter.tell("File not found: " + r->file, "Error");
        return false;
    }
    if (clear_data)
        clear_data();
    else
        clear_editor_data(store, files);
    progress.status(k_loading_file);
    progress.pump();
    ReadStats stats = read_hpd_or_nothing(path, store, files, k_read_all, r->number, progress);
    if (!stats.opened) {
        prompter.tell("File not found: " + r->file, "Error");
        return false;
    }
    if (stats.problem != ReadProblem::none) {
        prompter.tell(read_problem_text(path, stats, files.folder()), "Error");
        if (read_unusable(stats)) return false;
    }
    progress.status(k_load_ok);
    return true;
}

bool FavoritesManager::delete_list(int selected, Prompter& prompter) {
    auto it = std::find_if(rows_.begin(), rows_.end(), [&](const FavoritesRow& r) {
        return selected > 0 && r.number == selected;
    });
    if (it == rows_.end()) {
        prompter.tell(k_select_favorite_list);
        return false;
    }
    if (prompter.ask({std::string(k_all_list_data_lost)}, "Warning", Buttons::YesNo) != Answer::Yes)
        return false;
    if (refuse_linked_folder(prompter)) return false;
    FavoritesRow removed = *it;
    size_t position = static_cast<size_t>(it - rows_.begin());
    fs::path list = list_path(removed);
    if (list.empty()) return false;
    rows_.erase(it);
    auto restore = [&] { rows_.insert(rows_.begin() + static_cast<long>(position), removed); };
    if (!back_up(list, list_backup_name(removed.number), prompter) || !write_config(prompter)) {
        restore();
        return false;
    }
    std::error_code ec;
    fs::remove(list, ec);
    return true;
}

bool FavoritesManager::apply(int selected, std::string_view name, bool location, bool monitor,
                             Prompter& prompter) {
    FavoritesRow* r = selected > 0 ? find(selected) : nullptr;
    if (!r) {
        prompter.tell(k_select_favorite_list);
        return false;
    }
    r->name = clean_list_name(name);
    r->location = location;
    r->monitor = monitor;
    changed_ = true;
    return true;
}

bool FavoritesManager::move(int selected, int delta) {
    auto it = std::find_if(rows_.begin(), rows_.end(),
                           [&](const FavoritesRow& r) { return r.number == selected; });
    if (it == rows_.end() || (delta != -1 && delta != 1)) return false;
    long i = it - rows_.begin();
    long j = i + delta;
    if (j < 0 || j >= static_cast<long>(rows_.size())) return false;
    std::swap(rows_[static_cast<size_t>(i)], rows_[static_cast<size_t>(j)]);
    changed_ = true;
    return true;
}

std::vector<int> FavoritesManager::orphan_scan() {
    std::vector<std::string> names;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(card_.favorites, ec))) return {};
    fs::directory_iterator it(card_.favorites, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!is_regular(it->path())) continue;
        std::string name = it->path().filename().string();
        if (to_lower(it->path().extension().string()) != ".hpd") continue;
        if (!starts_with(to_lower(name), "favorites_") || !is_safe_list_file_name(name)) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    std::vector<int> added;
    for (const auto& name : names) {
        int n = list_number_from_file(name);
        if (n <= 0 || row(n)) continue;
        rows_.push_back(FavoritesRow{n, "Orphan " + std::to_string(n), name, false, false});
        added.push_back(n);
        changed_ = true;
    }
    return added;
}

bool FavoritesManager::save_config(Prompter& prompter) {
    if (prompter.ask({std::string(k_overwrite_config)}, "Warning", Buttons::YesNo) != Answer::Yes)
        return false;
    return write_config(prompter);
}

void FavoritesManager::close(Prompter& prompter) {
    if (!changed_) return;
    if (prompter.ask({std::string(k_save_new_config)}, "Warning", Buttons::YesNo) == Answer::Yes)
        write_config(prompter);
}

int FavoritesManager::add_list_from_file(std::string_view name, const fs::path& source,
                                         bool location, bool monitor, Prompter& prompter) {
    if (!is_regular(source)) {
        prompter.tell("File not found: " + source.string(), "Error");
        return 0;
    }
    int n = lowest_free_number();
    if (n == 0) {
        prompter.tell("No free Favorite List number left.");
        return 0;
    }
    if (refuse_linked_folder(prompter)) return 0;
    std::error_code ec;
    fs::create_directories(card_.favorites, ec);
    fs::path target = child_ci(card_.favorites, list_file_name(n));
    if (!back_up(target, list_backup_name(n), prompter)) return 0;
    ec = copy_(source, target);
    if (ec) {
        prompter.tell(copy_error_message(source, ec), "Error");
        return 0;
    }
    rows_.push_back(FavoritesRow{n, clean_list_name(name), list_file_name(n), location, monitor});
    if (!write_config(prompter)) {
        rows_.pop_back();
        return 0;
    }
    return n;
}

}  // namespace tarvex
