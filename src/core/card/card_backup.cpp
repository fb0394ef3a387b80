#include "core/card/card_backup.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "core/base/os.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/card/favorites_manager.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

bool is_link(const fs::directory_entry& e) {
    std::error_code ec;
    return e.is_symlink(ec);
}

// The files to copy, in name order; with `whole_tree` every level, relative to `source`.
// Links are left out: a card never carries one, and following one could leave the card.
std::vector<fs::path> files_to_copy(const fs::path& source, bool whole_tree,
                                    std::vector<fs::path>& folders) {
    std::vector<fs::path> files;
    std::error_code ec;
    if (whole_tree) {
        fs::recursive_directory_iterator it(source, fs::directory_options::none, ec), end;
        for (; !ec && it != end; it.increment(ec)) {
            if (is_link(*it)) {
                it.disable_recursion_pending();
                continue;
            }
            fs::path rel = it->path().lexically_relative(source);
            if (it->is_directory(ec))
                folders.push_back(rel);
            else if (it->is_regular_file(ec))
                files.push_back(rel);
        }
    } else {
        fs::directory_iterator it(source, ec), end;
        for (; !ec && it != end; it.increment(ec))
            if (!is_link(*it) && it->is_regular_file(ec)) files.push_back(it->path().filename());
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    return files;
}

}  // namespace

std::string backup_stamp(std::chrono::system_clock::time_point now) {
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    const std::tm local = base::local_time(t);
    char text[32];
    std::strftime(text, sizeof text, "%m/%d/%Y_%H:%M:%S", &local);
    std::string stamp;
    for (const char* p = text; *p; ++p)
        if (*p != '-' && *p != ':' && *p != '/' && *p != '\\') stamp += *p;
    return stamp;
}

BackupPlan backup_plan(BackupKind kind, const CardFolders& card, const fs::path& data,
                       std::string_view stamp) {
    std::string s(stamp);
    switch (kind) {
        case BackupKind::FavoritesOnCard:
            return {"Backup fav files on HP_1?", card.favorites, card.favorites / ("backup" + s),
                    false, "Backup saved under:"};
        case BackupKind::FavoritesCopyToPc:
            return {"Copy Favorite List from HP-1 to your PC?", card.favorites,
                    data / ("hp1_favorites" + s), false, "Copy saved under:"};
        case BackupKind::FavoritesBackupToPc:
            return {"Backup Favorite List from HP-1 to your PC?", card.favorites,
                    data / ("favbackup" + s), false, "Backup saved under:"};
        case BackupKind::WholeCard:
            return {"Backup HP1 to your PC? (Will take 1-2 minutes) ", card.base,
                    data / ("hp1backup_" + s), true, "Done, saved under: "};
        case BackupKind::Audio:
            return {"Copy Audio files from HP-1 to your PC?", child_ci(card.base, "AUDIO"),
                    data / ("hp1_audio_" + s), true, "Audio backup saved under:"};
    }
    return {};
}

BackupResult run_backup(BackupKind kind, const CardFolders& card, const fs::path& data_folder,
                        Prompter& prompter, Progress& progress, const CopyFileFn& copy,
                        std::chrono::system_clock::time_point now) {
    BackupPlan plan = backup_plan(kind, card, data_folder, backup_stamp(now));
    BackupResult result;
    result.target = plan.target;
    if (prompter.ask({plan.question}, "Warning", Buttons::YesNo) != Answer::Yes) return result;
    std::error_code ec;
    // A linked folder on the card could lead anywhere: it is not followed.
    if (!fs::is_directory(fs::symlink_status(plan.source, ec))) {
        prompter.tell("Folder not found: " + plan.source.string(), "Error");
        return result;
    }
    fs::create_directories(plan.target, ec);
    if (!fs::is_directory(plan.target, ec)) {
        prompter.tell("Can not create folder: " + plan.target.string(), "Error");
        return result;
    }
    std::vector<fs::path> folders;
    auto files = files_to_copy(plan.source, plan.whole_tree, folders);
    for (const auto& f : folders) fs::create_directories(plan.target / f, ec);
    const CopyFileFn& do_copy = copy ? copy : CopyFileFn(copy_file_safely);
    for (const auto& f : files) {
        progress.status("Copying: " + f.string());
        progress.pump();
        std::error_code err = do_copy(plan.source / f, plan.target / f);
        if (err) {
            result.disk_full = is_disk_full(err);
            prompter.tell(copy_error_message(plan.source / f, err), "Error");
            return result;
        }
        ++result.files_copied;
    }
    prompter.tell(plan.final_prefix + plan.target.string());
    result.done = true;
    return result;
}

int upload_service_search(FavoritesManager& manager, int index, const fs::path& folder,
                          Prompter& prompter) {
    if (index < 0 || index >= static_cast<int>(k_service_search_lists.size())) return 0;
    const auto& list = k_service_search_lists[static_cast<size_t>(index)];
    return manager.add_list_from_file(list.caption, folder / std::string(list.file), false, true,
                                      prompter);
}

}  // namespace tarvex
