// Reading and writing large databases: the figures in the README come from here.
// Group channel files live in the run temp folder; set TMPDIR to choose the file system the
// benchmark measures (the figures name the one they were taken on).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bench_samples.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "hpd_generator.h"

namespace fs = std::filesystem;
using namespace tarvex;

namespace {

fs::path bench_dir() {
    return tarvex::bench::scratch_dir("hpd");
}

// The large generated database: 900 systems, 27000 groups, 500000 channel and talkgroup rows.
const fs::path& large_file(hpdgen::Counts* counts = nullptr) {
    static hpdgen::Counts c;
    static fs::path path = [] {
        fs::path p = bench_dir() / "large.hpd";
        c = hpdgen::generate_hpd(p, hpdgen::Options{});
        return p;
    }();
    if (counts) *counts = c;
    return path;
}

struct Loaded {
    RecordingPrompter prompter;
    std::unique_ptr<GroupFiles> files;
    std::unique_ptr<SystemStore> store;
    ReadStats stats;
    explicit Loaded(const fs::path& file, const std::string& name) {
        fs::path run = bench_dir() / name;
        fs::remove_all(run);
        files = std::make_unique<GroupFiles>(run);
        store = std::make_unique<SystemStore>(prompter);
        stats = read_hpd(file, *store, *files, 0, 0, no_progress());
    }
};

void BM_ReadHpd(benchmark::State& state) {
    hpdgen::Counts counts;
    const fs::path& file = large_file(&counts);
    for (auto _ : state) {
        Loaded db(file, "read");
        benchmark::DoNotOptimize(db.store->size());
    }
    state.SetItemsProcessed(state.iterations() * counts.lines);
    state.counters["lines"] = static_cast<double>(counts.lines);
}
BENCHMARK(BM_ReadHpd)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteHpd(benchmark::State& state) {
    hpdgen::Counts counts;
    Loaded db(large_file(&counts), "write");
    std::string out = (bench_dir() / "written.hpd").string();
    for (auto _ : state) {
        std::string path = out;
        int format = 2;
        write_hpd(path, *db.store, *db.files, 0, format, 0, false, db.prompter, no_progress());
    }
    state.SetItemsProcessed(state.iterations() * counts.lines);
}
BENCHMARK(BM_WriteHpd)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NextFreeIndexOnFullStore(benchmark::State& state) {
    RecordingPrompter prompter;
    SystemStore store(prompter);
    // 999 systems with 29 groups each: a store at its 30000-node limit.
    for (int s = 1; s <= 999 && store.size() < 30000; ++s) {
        std::string sys = "SYS-" + fmt3(s);
        store.add_node("", sys, "SIN,Conventional");
        for (int g = 0; g < 29 && store.size() < 30000; ++g)
            store.add_node(sys, "GRP-999-" + fmt3(s) + "-" + fmt3(g), "GIN");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.g_n_i("group", 500));
        benchmark::DoNotOptimize(store.g_n_i("site", 500));
        benchmark::DoNotOptimize(store.g_n_i("system", 0));
    }
    state.counters["nodes"] = static_cast<double>(store.size());
}
BENCHMARK(BM_NextFreeIndexOnFullStore)->Unit(benchmark::kMicrosecond);

void BM_ScratchLoad(benchmark::State& state) {
    Loaded db(large_file(), "scratch");
    for (auto _ : state) {
        auto entries = db.files->laad_van_tempie("TID-", db.prompter);
        benchmark::DoNotOptimize(entries.size());
        state.counters["entries"] = static_cast<double>(entries.size());
    }
}
BENCHMARK(BM_ScratchLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CliConvert(benchmark::State& state) {
    hpdgen::Counts counts;
    const fs::path& file = large_file(&counts);
    std::string cmd = std::string(TARVEX_CLI_PATH) + " convert -o " +
                      (bench_dir() / "cli.hpd").string() + " " + file.string() + " > /dev/null";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("tarvex-cli convert failed");
    }
    state.SetItemsProcessed(state.iterations() * counts.lines);
}
BENCHMARK(BM_CliConvert)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_ReadRealMasterDatabase(benchmark::State& state) {
    fs::path dir = fs::path(TARVEX_SAMPLES_DIR) / "hpdb";
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        state.SkipWithError("real master database not present");
        return;
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".hpd") files.push_back(e.path());
    // Each state file into a fresh store; with range(0) == 1 the clearing of the previous
    // store's group files is timed too.
    bool time_clearing = state.range(0) == 1;
    long long lines = 0;
    for (auto _ : state) {
        lines = 0;
        for (const auto& f : files) {
            if (!time_clearing) state.PauseTiming();
            fs::path run = bench_dir() / "masterdb";
            fs::remove_all(run, ec);
            RecordingPrompter prompter;
            GroupFiles group_files(run);
            SystemStore store(prompter);
            if (!time_clearing) state.ResumeTiming();
            lines += read_hpd(f, store, group_files, 0, 0, no_progress()).lines;
        }
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_ReadRealMasterDatabase)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
