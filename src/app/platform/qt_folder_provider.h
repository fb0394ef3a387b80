#pragma once
// The platform's folders for the core's data-folder layout, over QStandardPaths.
//
// - documents: QStandardPaths::DocumentsLocation (the home folder if the platform reports none).
// - app_data: QStandardPaths::GenericDataLocation, not AppDataLocation: the core appends
//   "norvane"/TARVEX (and "norvanesoap"/TARVEX) itself, and AppDataLocation would add the
//   organisation and application a second time. On Windows this is the local, non-roaming
//   AppData, the right home for a throw-away run temp folder; ~/.local/share on Linux,
//   ~/Library/Application Support on macOS.
// - common_app_data: %PROGRAMDATA% on Windows (where Uniden's Sentinel keeps its database);
//   elsewhere the first system-wide entry of GenericDataLocation (from $XDG_DATA_DIRS on Linux,
//   typically /usr/local/share; /Library/Application Support on macOS), /usr/share if none.
// - install_dir: QCoreApplication::applicationDirPath() (empty without an application object).
// - scratch: the RAM-backed folder of ram_scratch_folder() for the run temp folder (Linux), so
//   reading a database with thousands of groups does not wait on the disk.
//
// Environment (tests and CI, so nothing touches the user's real folders):
// - TARVEX_DATA_HOME: when set, documents is $TARVEX_DATA_HOME/Documents, app_data is
//   $TARVEX_DATA_HOME/AppData and common_app_data is $TARVEX_DATA_HOME/ProgramData.
#include <QString>
#include <filesystem>

#include "core/settings/folders.h"

namespace tarvex {

class QtFolderProvider : public FolderProvider {
  public:
    PlatformFolders folders() override;
};

// A Qt path ("/" separators) as a native filesystem path, without losing non-ASCII names.
std::filesystem::path to_fs_path(const QString& path);

}  // namespace tarvex
