// The session's side of crash recovery: keeping the snapshot current and taking over a dead
// run's unsaved changes at start-up.
#include <system_error>

#include "core/base/prompter.h"
#include "core/base/run_folders.h"
#include "core/base/safe_file.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace fs = std::filesystem;

void EditingSession::keep_recovery() {
    if (recording_ || folders_.run_temp.empty()) return;
    const fs::path file = folders_.run_temp / std::string(k_recovery_file);
    if (!changed_) {
        if (recovery_written_) {
            std::error_code ec;
            fs::remove(file, ec);
            recovery_written_ = false;
        }
        return;
    }
    RecoveryMeta meta{file_name_, multi_mode(), hpd_files_};
    if (recovery_written_ && recovery_revision_ == store_->revision() && recovery_meta_ == meta)
        return;
    SafeFileWriter out(file);
    out.write(recovery_text(*store_, meta));
    // A full scratch disk must not stop the editing; the snapshot is tried again next change.
    if (!out.commit()) return;
    recovery_written_ = true;
    recovery_revision_ = store_->revision();
    recovery_meta_ = std::move(meta);
}

bool EditingSession::recover_from(const fs::path& folder) {
    reset_all();
    RecoveryMeta meta;
    if (!read_recovery(folder / std::string(k_recovery_file), *store_, meta)) {
        reset_all();
        prompter_.tell("The unsaved changes in " + folder.string() + " could not be read back.",
                       "Warning");
        return false;
    }
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.extension() != ".tmp" || p.filename() == "temp.tmp") continue;
        std::error_code copy_ec;
        fs::copy_file(p, files_->folder() / p.filename(), fs::copy_options::overwrite_existing,
                      copy_ec);
        if (copy_ec) {
            reset_all();
            prompter_.tell("The unsaved changes in " + folder.string() +
                               " could not be copied: " + copy_ec.message(),
                           "Warning");
            return false;
        }
    }
    settings_.multihpd = meta.multi;
    hpd_files_ = std::move(meta.lists);
    file_name_ = std::move(meta.file_name);
    if (events.file_name) events.file_name(file_name_);
    history_.lose_clean();
    changed_ = false;
    set_changed(true);
    request_browser();
    return true;
}

bool EditingSession::offer_recovery() {
    const fs::path parent = folders_.run_temp.parent_path();
    bool recovered = false;
    for (const auto& run : recoverable_runs(parent)) {
        // Once one run is back, the others wait for the next start rather than be lost.
        if (recovered) continue;
        std::error_code ec;
        if (prompter_.ask({recovery_question(run.when)}, "Recover", Buttons::YesNo) ==
            Answer::Yes) {
            // A run that could not be taken over keeps its folder for another try.
            if (!recover_from(run.folder)) continue;
            recovered = true;
        }
        fs::remove_all(run.folder, ec);
    }
    for (const auto& left : left_over_runs(parent, "temp")) {
        std::error_code ec;
        if (!fs::exists(left / std::string(k_recovery_file), ec)) fs::remove_all(left, ec);
    }
    sweep_stale_parts(folders_.data);
    sweep_stale_parts(folders_.data_temp);
    return recovered;
}

}  // namespace tarvex
