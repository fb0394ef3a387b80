#pragma once
// The favorites-lists manager: the table of lists read from the card's configuration and the
// commands on it (upload, load, delete, apply, move, orphan scan, save). The window shows the
// table and passes the list number of the selector entry chosen (0 for none).
//
// Nothing on the card is overwritten before its backup copy exists: the configuration goes to
// "favorites_lists.backup", a list file to its ".bac" name; new files are written beside their
// target and renamed into place.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/card/card_copy.h"
#include "core/card/card_paths.h"
#include "core/card/favorites_config.h"

namespace tarvex {

class SystemStore;
class GroupFiles;
class Prompter;
class Progress;

inline constexpr std::string_view k_no_hpd_active = "No HPD file active, can not upload data.";
inline constexpr std::string_view k_select_favorite_file = "Please select a favorite file.";
inline constexpr std::string_view k_enter_list_name =
    "Please enter a name for the new Favorite List";
inline constexpr std::string_view k_select_favorite_list = "Please select Favorite List";
inline constexpr std::string_view k_existing_list_lost =
    "Warning, data in existing Favorite List will be lost, Continue?";
inline constexpr std::string_view k_all_list_data_lost =
    "Warning, all data in existing Favorite List will be lost, Continue?";
inline constexpr std::string_view k_overwrite_config =
    "Ok to overwrite favorites_lists.config file?";
inline constexpr std::string_view k_save_new_config = "Save new Favorites Config file?";
inline constexpr std::string_view k_shaving_file = "PLEASE WAIT - shaving file";
inline constexpr std::string_view k_save_ready = "Save ready";
inline constexpr std::string_view k_loading_file = "PLEASE WAIT loading file.";
inline constexpr std::string_view k_load_ok = "Load ok.";
// Numbers above 999 would give file names whose number no longer reads back.
inline constexpr int k_max_list_number = 999;

struct UploadChoice {
    bool existing = false;  // replace the list chosen in the selector, else add a new list
    int selected = 0;       // list number of the selector entry (0: none chosen)
    std::string name;       // name of a new list
    bool location = true, monitor = true;  // the two check boxes
};

// Empties the editor's data: every system with its group files. The editor passes its own
// clearing (which also resets its file name and flags) to load().
void clear_editor_data(SystemStore& store, GroupFiles& files);

class FavoritesManager {
  public:
    explicit FavoritesManager(CardFolders card, CopyFileFn copy = default_copy());

    const CardFolders& card() const { return card_; }
    std::filesystem::path config_path() const;

    // Reads the table from the card; refused file names are told, one message each.
    ConfigRead read_config(Prompter& prompter);
    const std::vector<FavoritesRow>& rows() const { return rows_; }
    const FavoritesRow* row(int number) const;
    // Lowest n = 1, 2, ... without a row; 0 when every number up to the limit is taken.
    int lowest_free_number() const;
    // The table differs from the configuration on the card.
    bool changed() const { return changed_; }

    bool upload(const UploadChoice& choice, SystemStore& store, GroupFiles& files,
                Prompter& prompter, Progress& progress);
    // Clears the editor's data (`clear_data`, or clear_editor_data when empty) and reads the
    // list into it. True when the list was read: the window rebuilds its tree and closes.
    bool load(int selected, SystemStore& store, GroupFiles& files,
              const std::function<void()>& clear_data, Prompter& prompter, Progress& progress);
    // True when the list is gone (its .bac copy and the configuration backup stay).
    bool delete_list(int selected, Prompter& prompter);
    bool apply(int selected, std::string_view name, bool location, bool monitor,
               Prompter& prompter);
    // Moves the row one place up (delta -1) or down (+1); false at either end.
    bool move(int selected, int delta);
    // Adds "Orphan " + number rows for list files without a row; returns their numbers.
    std::vector<int> orphan_scan();
    // Asks "Ok to overwrite favorites_lists.config file?" and saves with a backup on Yes.
    bool save_config(Prompter& prompter);
    // Closing: when the table changed, asks "Save new Favorites Config file?" and saves on Yes.
    void close(Prompter& prompter);

    // Writes the configuration (when `config` is not empty) and the whole store as the list file
    // `list` (when not empty). The list is written first, so a failed list never leaves a
    // configuration line behind that names a new, missing file.
    bool save_favie(const std::filesystem::path& config, const std::filesystem::path& list,
                    SystemStore& store, GroupFiles& files, Prompter& prompter, Progress& progress);

    // Adds a new list whose file is a copy of `source` (the service-search lists). Returns the
    // new list number, 0 when nothing was added.
    int add_list_from_file(std::string_view name, const std::filesystem::path& source,
                           bool location, bool monitor, Prompter& prompter);

  private:
    // A card never carries links; a favorites folder that is one could lead anywhere, so
    // nothing is read or written through it (told once per command).
    bool refuse_linked_folder(Prompter& prompter) const;
    FavoritesRow* find(int number);
    std::filesystem::path list_path(const FavoritesRow& row) const;
    // Copies an existing card file to its backup name first; false (told) when that failed.
    bool back_up(const std::filesystem::path& file, std::string_view backup_name,
                 Prompter& prompter);
    bool write_config(Prompter& prompter);

    CardFolders card_;
    CopyFileFn copy_;
    std::vector<FavoritesRow> rows_;
    bool changed_ = false;
};

}  // namespace tarvex
