// Loading a master-database state file into the importer's line store and listing its systems.
// The largest state file of the sample database (Texas, about 36,000 lines) should take well
// under 0.3 s so that choosing a state feels immediate.
//
// Searching the whole sample database (62 state files, 36 MB) for each kind of query, beside
// reading the same bytes (in this process, and with cat): the search should take under 0.1 s
// from a warm cache and cost no more than a few times the reading.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/progress.h"
#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"
#include "core/masterdb/master_search.h"

#include "bench_samples.h"

namespace {

namespace fs = std::filesystem;

using tarvex::bench::largest_state_file;

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

fs::path sample_database() {
    fs::path folder = fs::path(TARVEX_SAMPLES_DIR) / "hpdb";
    std::error_code ec;
    return fs::exists(folder / "HPDB.config", ec) ? folder : fs::path();
}

double peak_rss_mb() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return static_cast<double>(use.ru_maxrss) / 1024.0;  // kB on Linux
}

// 0: a frequency (95 channels), 1: a talkgroup, 2: a common word in names (about 9,000
// matches), 3: a name found nowhere (every name compared to the end).
constexpr const char* k_queries[] = {"155.475", "47021", "sheriff", "zzqx"};

void BM_SearchWholeDatabase(benchmark::State& state) {
    fs::path folder = sample_database();
    if (folder.empty()) {
        state.SkipWithError("no sample master database");
        return;
    }
    const char* text = k_queries[state.range(0)];
    auto states = tarvex::read_hpdb_index(folder).states;
    auto query = tarvex::parse_search_query(text);
    long long matches = 0;
    for (auto _ : state) {
        tarvex::MasterSearch search(folder, states, *query);
        search.run([](const tarvex::MatchView& m) { benchmark::DoNotOptimize(m.row); });
        matches = search.matches();
    }
    state.SetLabel(text);
    state.counters["matches"] = static_cast<double>(matches);
    state.counters["peak_rss_MB"] = peak_rss_mb();
}
BENCHMARK(BM_SearchWholeDatabase)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

std::vector<fs::path> state_files(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& s : tarvex::read_hpdb_index(folder).states) {
        fs::path p = tarvex::state_file_path(folder, s.number);
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) files.push_back(p);
    }
    return files;
}

// The same files read through the same 1 MiB buffer, and nothing else.
void BM_ReadWholeDatabase(benchmark::State& state) {
    fs::path folder = sample_database();
    if (folder.empty()) {
        state.SkipWithError("no sample master database");
        return;
    }
    auto files = state_files(folder);
    std::vector<char> buffer(tarvex::MasterSearch::k_buffer);
    long long bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const auto& f : files) {
            std::FILE* in = std::fopen(f.c_str(), "rb");
            if (!in) continue;
            size_t n;
            while ((n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
                bytes += static_cast<long long>(n);
            std::fclose(in);
        }
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ReadWholeDatabase)->Unit(benchmark::kMillisecond);

// cat of the same files to /dev/null (its process start included), for the README's figure.
void BM_CatWholeDatabase(benchmark::State& state) {
    fs::path folder = sample_database();
    if (folder.empty()) {
        state.SkipWithError("no sample master database");
        return;
    }
    std::string command = "cat";
    for (const auto& f : state_files(folder)) command += " '" + f.string() + "'";
    command += " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
}
BENCHMARK(BM_CatWholeDatabase)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
