#pragma once
// Finding the scanner's memory card and identifying the scanner. Only a scanner whose
// firmware uses file format 2 (firmware 2.x, or any HomePatrol-2) is accepted.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/card/card_paths.h"

namespace tarvex {

class DriveRoots;
class Settings;

inline constexpr std::string_view k_not_found_status =
    "HP1 not found, please plug USB cable in, select MASS STORAGE DEVICE and try again by "
    "pressing 'Detect HP1' button.";
inline constexpr std::string_view k_firmware_message =
    "Please update your HP-1 to firmware V2 before using TARVEX V2";

struct ScannerInfo {
    std::filesystem::path root;  // the drive the card was found on
    std::filesystem::path base;  // root/"HomePatrol" as it is spelt on the card
    int file_format = 1;
    bool hp2 = false;
    std::string firmware, serial, hpinfo, database_date;
};

enum class CardDecision {
    NotFound,        // no root carries HomePatrol/HomePatrol.info with an identity line
    Accepted,        // file format 2 or a HomePatrol-2: the card commands may run
    FirmwareTooOld,  // a HomePatrol-1 with firmware 1.x: refused with k_firmware_message
};

struct Detection {
    CardDecision decision = CardDecision::NotFound;
    ScannerInfo info;                          // the scanner used (the first found)
    std::vector<std::filesystem::path> found;  // every root that carries a scanner
    std::string status;                        // the manager's status text
    std::vector<std::string> probe_lines;      // "path / error number / error text"
    CardFolders folders() const { return card_folders_from_base(info.base); }
};

// Identity of the scanner whose card is mounted at `root`; false when the root has no
// "HomePatrol/HomePatrol.info" with a valid identity line. `probe_line` receives the
// diagnostic line for "drivetest.txt".
bool read_scanner_info(const std::filesystem::path& root, ScannerInfo& info,
                       std::string& probe_line);

// "HP-1/2 detected at drive ..." for a found scanner.
std::string detected_status(const ScannerInfo& info);

// Probes every root in order. With a working folder, rewrites its "drivetest.txt" and appends
// to its "version.txt"; with settings, stores firmware, serial, identity line and database date
// under "general". Diagnostic files that cannot be written are skipped silently.
Detection detect_hp1(DriveRoots& roots, const std::filesystem::path& working_folder,
                     Settings* settings);

}  // namespace tarvex
