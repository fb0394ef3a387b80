#pragma once
// Backups of the scanner's data (to a new folder on the card or on the computer) and the
// service-search lists added as new favorites lists.
#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/card/card_copy.h"
#include "core/card/card_paths.h"

namespace tarvex {

class Prompter;
class Progress;
class FavoritesManager;

enum class BackupKind {
    FavoritesOnCard,      // favorites_lists -> card favorites_lists/backup<stamp>
    FavoritesCopyToPc,    // favorites_lists -> data/hp1_favorites<stamp>
    FavoritesBackupToPc,  // favorites_lists -> data/favbackup<stamp>
    WholeCard,            // the card base folder with all subfolders -> data/hp1backup_<stamp>
    Audio,                // the card's AUDIO folder with all subfolders -> data/hp1_audio_<stamp>
};

struct BackupPlan {
    std::string question;  // asked Yes/No first
    std::filesystem::path source, target;
    bool whole_tree = false;   // folders: copy every subfolder too
    std::string final_prefix;  // final message = prefix + target
};

// The current date, "_" and the time, without "-", ":", "/" and "\" ("12062024_134510").
std::string backup_stamp(std::chrono::system_clock::time_point now);

BackupPlan backup_plan(BackupKind kind, const CardFolders& card,
                       const std::filesystem::path& data_folder, std::string_view stamp);

struct BackupResult {
    bool done = false;       // the final message was shown
    bool disk_full = false;  // stopped with "Error, Disk is Full"; copied files stay
    int files_copied = 0;
    std::filesystem::path target;
};

// Asks, creates the target folder and copies, showing "Copying: " + file name for each file of
// a favorites backup. A full target stops with "Error, Disk is Full"; what was copied stays.
// Symbolic links on the card are skipped, so a backup never reaches outside the card.
BackupResult run_backup(
    BackupKind kind, const CardFolders& card, const std::filesystem::path& data_folder,
    Prompter& prompter, Progress& progress, const CopyFileFn& copy = default_copy(),
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// The eight service-search buttons, in order: caption and file (in the service-search folder).
struct ServiceSearchList {
    std::string_view caption, file;
};
inline constexpr std::array<ServiceSearchList, 8> k_service_search_lists{{
    {"CB", "cb.hpd"},
    {"FRS", "frs.hpd"},
    {"GMRS", "gmrs.hpd"},
    {"Marine VHF", "MarineVHF.hpd"},
    {"Railroad", "railroad.hpd"},
    {"HAM 2 Meter", "HAM2meter.hpd"},
    {"HAM 70 cm", "HAM70cm.hpd"},
    {"Airband", "Airband.hpd"},
}};

// Button `index` (0..7): a new list named after the caption (location control "Off", monitor
// "On") whose file is a copy of the service-search file; the configuration is written. Returns
// the new list number, 0 when nothing was added.
int upload_service_search(FavoritesManager& manager, int index,
                          const std::filesystem::path& service_search_folder, Prompter& prompter);

}  // namespace tarvex
