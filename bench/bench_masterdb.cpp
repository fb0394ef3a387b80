// Loading a master-database state file into the importer's line store and listing its systems.
// The largest state file of the sample database (Texas, about 36,000 lines) should take well
// under 0.3 s so that choosing a state feels immediate.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/base/progress.h"
#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"

namespace {

namespace fs = std::filesystem;

fs::path largest_state_file() {
    fs::path folder = fs::path(TARVEX_SAMPLES_DIR) / "hpdb";
    fs::path best;
    std::uintmax_t best_size = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".hpd") continue;
        auto size = it->file_size(ec);
        if (!ec && size > best_size) {
            best_size = size;
            best = it->path();
        }
    }
    return best;
}

void BM_LoadLargestStateAndListSystems(benchmark::State& state) {
    fs::path file = largest_state_file();
    if (file.empty()) {
        state.SkipWithError("no sample master database");
        return;
    }
    tarvex::MasterLineStore store;
    for (auto _ : state) {
        store.load(file, tarvex::no_progress());
        benchmark::DoNotOptimize(store.systems().size());
    }
    state.counters["lines"] = static_cast<double>(store.lines().size());
    state.counters["systems"] = static_cast<double>(store.systems().size());
}
BENCHMARK(BM_LoadLargestStateAndListSystems)->Unit(benchmark::kMillisecond);

void BM_ReadIndex(benchmark::State& state) {
    fs::path folder = fs::path(TARVEX_SAMPLES_DIR) / "hpdb";
    for (auto _ : state) benchmark::DoNotOptimize(tarvex::read_hpdb_index(folder).states.size());
}
BENCHMARK(BM_ReadIndex)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
