// Find in Database over everything open in the editor: the largest state file of the sample
// master database (Texas, 861 systems) read into the store, and the large generated database
// (900 systems, 27000 groups, 500000 rows: the store's limit). One search per kind of text: a
// frequency, a talkgroup or whole megahertz, a name. The goal is under 100 ms per search on
// the largest real file, so a search feels immediate.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_samples.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/editor/store_search.h"
#include "core/hpd/hpd_reader.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "hpd_generator.h"

namespace fs = std::filesystem;
using namespace tarvex;

namespace {

fs::path bench_dir() {
    return tarvex::bench::scratch_dir("find");
}

using tarvex::bench::largest_state_file;

struct Open {
    RecordingPrompter prompter;
    std::unique_ptr<GroupFiles> files;
    std::unique_ptr<SystemStore> store;
    ReadStats stats;
    Open(const fs::path& file, const std::string& name) {
        fs::path run = bench_dir() / name;
        fs::remove_all(run);
        files = std::make_unique<GroupFiles>(run);
        store = std::make_unique<SystemStore>(prompter);
        stats = read_hpd(file, *store, *files, 0, 0, no_progress());
    }
};

// Opened once per process: the searches measure searching, not reading.
Open* texas() {
    static std::unique_ptr<Open> open = [] {
        fs::path file = largest_state_file();
        return file.empty() ? nullptr : std::make_unique<Open>(file, "texas");
    }();
    return open.get();
}

Open* generated() {
    static std::unique_ptr<Open> open = [] {
        fs::path file = bench_dir() / "large.hpd";
        hpdgen::generate_hpd(file, hpdgen::Options{});
        return std::make_unique<Open>(file, "large");
    }();
    return open.get();
}

const char* const k_texts[] = {"154.43", "1234", "sheriff"};

void run(benchmark::State& state, Open* db) {
    const char* text = k_texts[state.range(0)];
    state.SetLabel(text);
    size_t hits = 0;
    for (auto _ : state) {
        auto result = find_in_store(*db->store, *db->files, text);
        hits = result.hits.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["systems"] = db->stats.systems_added;
    state.counters["rows"] = static_cast<double>(db->stats.channels + db->stats.talkgroups);
}

void BM_FindInLargestStateFile(benchmark::State& state) {
    Open* db = texas();
    if (!db) {
        state.SkipWithError("no sample master database");
        return;
    }
    run(state, db);
}
BENCHMARK(BM_FindInLargestStateFile)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_FindInGeneratedFullStore(benchmark::State& state) {
    run(state, generated());
}
BENCHMARK(BM_FindInGeneratedFullStore)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
