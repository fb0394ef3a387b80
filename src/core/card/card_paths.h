#pragma once
// Paths on the scanner's memory card. The card is a FAT drive written by the scanner, but it
// may be mounted on a case-sensitive file system and both "HomePatrol" and "Homepatrol" occur,
// so every folder and file of the card is looked up by name without regard to case.
//
// The card is untrusted input: a list file name read from the card must be a plain file name
// inside the favorites folder before anything reads, writes, copies or deletes it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// The entry of `dir` whose name equals `name` ignoring ASCII case (an exact match first);
// nullopt when there is none. Symbolic links are never returned: a card has none, and one
// planted there could lead outside it.
std::optional<std::filesystem::path> find_child_ci(const std::filesystem::path& dir,
                                                   std::string_view name);
// The existing entry as above, or dir / name for one that is to be created.
std::filesystem::path child_ci(const std::filesystem::path& dir, std::string_view name);

// The folders the card commands work in.
struct CardFolders {
    std::filesystem::path root;       // the drive root (or the folder standing for it)
    std::filesystem::path base;       // root/"HomePatrol": the card base folder
    std::filesystem::path favorites;  // base/"favorites_lists"
};
CardFolders card_folders_from_base(const std::filesystem::path& base);

inline constexpr std::string_view k_config_name = "favorites_lists.config";
inline constexpr std::string_view k_config_backup_name = "favorites_lists.backup";

// "favorites_000" + number formatted "000" + ".hpd" (7 gives favorites_000007.hpd).
std::string list_file_name(int number);
// Its ".bac" twin, the copy kept of a deleted list.
std::string list_backup_name(int number);
// The list number read back from a file name: the six characters from the 11th on, taken
// leniently as a number (0 when they are not one).
int list_number_from_file(std::string_view file_name);

// True for a plain file name that stays inside its folder: not empty, no "/" or "\", no drive
// letter or other ":", no ".." anywhere, no control characters, not absolute.
bool is_safe_list_file_name(std::string_view name);
// The message shown when a configuration names a file outside the favorites folder.
std::string refused_file_name_message(std::string_view name);

}  // namespace tarvex
