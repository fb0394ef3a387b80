// The session's undo on a store at its 30000-node limit: what deleting a system and undoing it
// cost, and what an edit that leaves the store alone costs (it must not copy the store).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"

namespace fs = std::filesystem;
using namespace tarvex;

namespace {

struct FullSession {
    fs::path dir = fs::temp_directory_path() / ("tarvex-bench-undo-" + std::to_string(::getpid()));
    RecordingPrompter prompter{Answer::Yes};
    std::unique_ptr<EditingSession> session;
    FullSession() {
        DataFolders f;
        f.data = dir / "data";
        f.run_temp = dir / "run";
        fs::create_directories(f.data);
        session = std::make_unique<EditingSession>(prompter, f);
        SystemStore& store = session->store();
        // 999 systems with 29 groups each, each group with a small channel file.
        for (int s = 1; s <= 999 && store.size() < k_max_store_nodes; ++s) {
            std::string sys = "SYS-" + fmt3(s);
            store.add_node("", sys, "SIN,Conventional,,,System " + std::to_string(s));
            for (int g = 0; g < 29 && store.size() < k_max_store_nodes; ++g) {
                store.add_node(sys, "GRP-999-" + fmt3(s) + "-" + fmt3(g),
                               "GIN,C-Group,,,Department " + std::to_string(g));
                if (s <= 20)
                    session->files().write_lines(s, g, {"1,155.5,Channel,Off", "2,460.1,Two,Off"});
            }
        }
        session->clear_changed();
    }
    ~FullSession() {
        session.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

}  // namespace

void BM_DeleteSystemAndUndoOnFullStore(benchmark::State& state) {
    FullSession full;
    for (auto _ : state) {
        full.session->remove_system(7);
        full.session->undo();
    }
    state.counters["nodes"] = static_cast<double>(full.session->store().size());
}
BENCHMARK(BM_DeleteSystemAndUndoOnFullStore)->Unit(benchmark::kMillisecond);

void BM_UndoStepOfDeleteOnFullStore(benchmark::State& state) {
    FullSession full;
    full.session->remove_system(7);
    for (auto _ : state) {
        full.session->undo();
        state.PauseTiming();
        full.session->redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoStepOfDeleteOnFullStore)->Unit(benchmark::kMillisecond);

void BM_FileOnlyChangeOnFullStore(benchmark::State& state) {
    FullSession full;
    int n = 0;
    for (auto _ : state) {
        EditingSession::Change change(*full.session, "Edit cell");
        full.session->files().write_lines(3, 1, {"1,155.5,Tag " + std::to_string(n++) + ",Off"});
    }
}
BENCHMARK(BM_FileOnlyChangeOnFullStore)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
