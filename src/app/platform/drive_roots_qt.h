#pragma once
// The card's candidate drive roots from the platform.
//
// - Folders the user added (setting section "card", key "drive_folders", one folder per line)
//   come first: an explicit choice wins over whatever else is mounted.
// - Windows: the drive letters D: to Z: in order (A: to C: are never probed), as the scanner is
//   reached through a drive letter there.
// - Elsewhere: every mounted, ready volume (QStorageInfo::mountedVolumes), in the order the
//   platform reports them, leaving out the kernel's pseudo file systems.
#include <QStringList>
#include <filesystem>
#include <vector>

#include "core/card/drive_roots.h"

namespace tarvex {

class Settings;

inline constexpr const char* k_card_section = "card";
inline constexpr const char* k_drive_folders_key = "drive_folders";

class QtDriveRoots : public DriveRoots {
  public:
    explicit QtDriveRoots(Settings* settings = nullptr) : settings_(settings) {}
    std::vector<std::filesystem::path> roots() override;
    std::string drive_list() override;

    // The user's own folders as stored in the setting.
    static QStringList user_folders(const Settings& settings);
    static void set_user_folders(Settings& settings, const QStringList& folders);

  private:
    Settings* settings_;
};

}  // namespace tarvex
