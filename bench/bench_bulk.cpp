// Bulk Channel Edit at its limit: 30,000 talkgroups in 100 group files (the scratch load stops
// there), listed, all set to a new alert tone in one Apply as one session step, and that step
// undone.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <memory>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/bulk_edit.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace fs = std::filesystem;
using namespace tarvex;

namespace {

struct Rig {
    fs::path dir = fs::temp_directory_path() / ("tarvex-bench-bulk-" + std::to_string(::getpid()));
    RecordingPrompter prompter;
    std::unique_ptr<EditingSession> session;

    Rig() {
        DataFolders f;
        f.data = dir / "data";
        f.run_temp = dir / "run";
        fs::create_directories(f.data);
        session = std::make_unique<EditingSession>(prompter, f);
        SystemStore& store = session->store();
        GroupFiles& files = session->files();
        for (int s = 1; s <= 4; ++s) {
            store.add_node("", keys::system(s), new_trunked_system("Motorola", "Bench"));
            store.system_slot(s, k_slot_type_code) = "1";
            for (int g = 0; g < 25; ++g) {
                store.add_node(keys::system(s), keys::group(s, g), new_group("Group"));
                for (int r = 1; r <= 300; ++r)
                    files.append_line(s, g,
                                      std::to_string(r) + "," + std::to_string(s * 10000 + r) +
                                          ",Talkgroup " + std::to_string(r) +
                                          ",Off,All,Law Dispatch,2,0,Off,Auto");
            }
        }
        files.close_appender();
        session->clear_changed();
    }
    ~Rig() {
        session.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Rig& rig() {
    static Rig r;
    return r;
}

void BM_BulkFillList30000(benchmark::State& state) {
    Rig& r = rig();
    for (auto _ : state) {
        auto lines = bulk_fill_list(r.session->files(), r.session->store(), BulkKind::Talkgroups, 0,
                                    r.prompter);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_BulkFillList30000)->Unit(benchmark::kMillisecond);

void BM_BulkApplyAndUndo30000(benchmark::State& state) {
    Rig& r = rig();
    EditingSession& session = *r.session;
    auto lines =
        bulk_fill_list(session.files(), session.store(), BulkKind::Talkgroups, 0, r.prompter);
    for (auto _ : state) {
        BulkResult result;
        {
            EditingSession::Change step(session, "Bulk edit: Alert Tone");
            result = bulk_apply(session.files(), BulkKind::Talkgroups, lines, {{"Alert Tone", "3"}},
                                r.prompter);
        }
        session.undo();
        benchmark::DoNotOptimize(result.changes.data());
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_BulkApplyAndUndo30000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
