#include "cli/workspace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/base/line_reader.h"
#include "core/base/os.h"
#include "core/base/progress.h"
#include "core/base/run_folders.h"
#include "core/base/termination.h"
#include "core/hpd/hpd_reader.h"
#include "core/settings/folders.h"

namespace tarvex::cli {

Workspace::Workspace() {
    // An explicit TMPDIR wins; otherwise RAM-backed scratch space where the platform has it.
    const char* tmpdir = std::getenv("TMPDIR");
    std::filesystem::path base =
        tmpdir && *tmpdir ? std::filesystem::path(tmpdir) : ram_scratch_folder();
    if (base.empty()) base = std::filesystem::temp_directory_path();
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    // Workspaces of runs that were killed are swept before this one claims its own.
    sweep_left_over_runs(base, "tarvex-cli-");
    folder_ = base / ("tarvex-cli-" + std::to_string(base::current_process_id()) + "-" +
                      std::to_string(stamp));
    claim_run_folder(folder_);
    remove_on_termination(folder_);
    files = std::make_unique<GroupFiles>(folder_);
    store = std::make_unique<SystemStore>(prompter);
}

Workspace::~Workspace() {
    store.reset();
    files.reset();
    forget_on_termination(folder_);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

bool take_read_flags(std::vector<std::string>& args, ReadOptions& out) {
    std::vector<std::string> rest;
    for (auto& a : args) {
        uint16_t f = a == "--conventional-only" ? k_read_conventional_only
                     : a == "--trunked-only"    ? k_read_trunked_only
                                                : 0xFFFF;
        if (f == 0xFFFF) {
            rest.push_back(a);
            continue;
        }
        if (out.flags != 0 && out.flags != f) {
            std::fprintf(stderr,
                         "tarvex-cli: --conventional-only and --trunked-only exclude each other\n");
            return false;
        }
        out.flags = f;
    }
    args = rest;
    return true;
}

bool read_all(Workspace& ws, const ReadOptions& options) {
    for (const auto& f : options.files) {
        if (auto why = not_a_file_reason(f); !why.empty()) {
            std::fprintf(stderr, "tarvex-cli: cannot read '%s': %s\n", f.c_str(), why.c_str());
            return false;
        }
        ReadStats stats = read_hpd(f, *ws.store, *ws.files, options.flags, 0, no_progress());
        if (!stats.opened) {
            std::fprintf(stderr, "tarvex-cli: cannot read '%s': permission denied or unreadable\n",
                         f.c_str());
            return false;
        }
        if (stats.problem != ReadProblem::none) {
            std::fprintf(stderr, "tarvex-cli: %s\n",
                         read_problem_text(f, stats, ws.files->folder()).c_str());
            return false;
        }
    }
    return true;
}

bool wants_help(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

}  // namespace tarvex::cli
