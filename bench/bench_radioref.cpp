// The client-side cost of the largest RadioReference answer the program meets: a statewide
// P25 system's every talkgroup (1.3 MB, 1,793 talkgroups in the captured answer). Decoding it,
// reading the talkgroups and importing them into the store and group files should take well
// under a second so that the wait is the network's, not ours.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/base/prompter.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "core/radioref/rr_import.h"
#include "core/radioref/rr_service.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvex;
using namespace tarvex::radioref;

std::string captured_talkgroups() {
    fs::path p = fs::path(TARVEX_RR_DIR) / "trs_talkgroups_p25.xml";
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void BM_DecodeTalkgroupAnswer(benchmark::State& state) {
    std::string bytes = captured_talkgroups();
    if (bytes.empty()) {
        state.SkipWithError("no captured answers");
        return;
    }
    for (auto _ : state) {
        SoapAnswer a = decode_soap(bytes);
        auto tgs = read_talkgroups(a.part);
        benchmark::DoNotOptimize(tgs.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeTalkgroupAnswer)->Unit(benchmark::kMillisecond);

void BM_DecodeAndImportEveryTalkgroup(benchmark::State& state) {
    std::string bytes = captured_talkgroups();
    if (bytes.empty()) {
        state.SkipWithError("no captured answers");
        return;
    }
    fs::path dir = fs::temp_directory_path() / "tarvex_bench_rr";
    for (auto _ : state) {
        RecordingPrompter prompter;
        SystemStore store{prompter};
        GroupFiles files{dir};
        auto tgs = read_talkgroups(decode_soap(bytes).part);
        TrsImport in;
        in.sid = 6673;
        in.name = "SARA";
        in.details.sType = 8;
        TrsSite site;
        site.siteNumber = 1;
        site.freqs = {{1, "851.05", "d", "", ""}};
        in.sites.push_back({site, site.freqs});
        for (auto& t : tgs) {
            TgCategory cat;
            cat.tgCid = t.tgCid;
            cat.tgCname = "Category " + std::to_string(t.tgCid);
            in.talkgroups.push_back({std::move(t), cat});
        }
        ImportReport r = import_trunked(in, {}, store, files, prompter);
        benchmark::DoNotOptimize(r.rows);
        files.kill_tempies();
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_DecodeAndImportEveryTalkgroup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
