#pragma once
// Crash recovery: while a session has unsaved changes, its run folder holds everything needed
// to bring them back after the program died (killed, crashed, power lost). The group files are
// there already (every edit is written through); beside them the session keeps a snapshot of
// the store and of what it knows about its files in "session.recovery", rewritten whenever the
// store changed and removed once the changes are saved. A clean exit removes the whole folder.
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/undo_history.h"

namespace tarvex {

class SystemStore;

inline constexpr std::string_view k_recovery_file = "session.recovery";

struct RecoveryMeta {
    std::string file_name;  // the HPD file the session came from ("" for a new one)
    bool multi = false;     // several-files mode
    std::vector<HpdFileEntry> lists;
    bool operator==(const RecoveryMeta&) const = default;
};

// The snapshot as text: one record per line, tab-separated, ending with an end mark so that a
// cut-off file is recognised.
std::string recovery_text(const SystemStore& store, const RecoveryMeta& meta);
// Replaces the store's content with a snapshot; false (store emptied) when the file is missing,
// cut off or damaged.
bool read_recovery(const std::filesystem::path& file, SystemStore& store, RecoveryMeta& meta);

// "Recover unsaved changes from 2026-12-06 05:12?"
std::string recovery_question(std::time_t when);

// A left-over run folder that holds unsaved changes.
struct RecoverableRun {
    std::filesystem::path folder;
    std::time_t when = 0;  // when its snapshot was last written
};
// The left-over editor run folders under `parent` with a snapshot, newest first.
std::vector<RecoverableRun> recoverable_runs(const std::filesystem::path& parent);

}  // namespace tarvex
