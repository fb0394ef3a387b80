// The editing tools on large data: alpha tags over every group file of a big store, the map
// page of every location, and the coordinate conversions.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/base/prompter.h"
#include "core/editor/alpha_tags.h"
#include "core/location/coordinates.h"
#include "core/location/map_page.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace fs = std::filesystem;
using namespace tarvex;

namespace {

// 400 group files of 250 channel rows: 100,000 alpha tags.
struct BigFiles {
    fs::path folder = fs::temp_directory_path() / "tarvex-bench-tags";
    RecordingPrompter prompter;
    SystemStore store{prompter};
    GroupFiles files{folder};
    BigFiles() {
        store.add_node("", "SYS-001", "SIN,Conventional,1,StateId=0,Bench,0");
        for (int g = 0; g < 400; ++g) {
            store.add_node("SYS-001", keys::group(1, g),
                           "GIN,C-Group,CGroupId=0,AgencyId=0,Group " + std::to_string(g) +
                               ",Off,40.2096,-74.01,5.0");
            for (int r = 1; r <= 250; ++r)
                files.append_line(1, g,
                                  std::to_string(r) + ",155.0000,county fire dispatch " +
                                      std::to_string(r) + ",Off,FM,None,,0,Off,2,0,Off,Auto");
        }
        files.close_appender();
    }
    ~BigFiles() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

void BM_CenterEveryTagOfAStore(benchmark::State& state) {
    BigFiles big;
    TagKinds kinds;
    kinds.channels = kinds.groups = true;
    for (auto _ : state) {
        TagCounts n = apply_alpha_tags(big.store, big.files, kinds,
                                       TagTransform::alignment(grid::align_center));
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_CenterEveryTagOfAStore)->Unit(benchmark::kMillisecond);

void BM_MapPageOfEveryGroup(benchmark::State& state) {
    BigFiles big;
    for (auto _ : state) {
        auto points = location::build_group_location_list(big.store);
        std::string html = location::all_locations_page_html(points, location::MapLibrary{});
        benchmark::DoNotOptimize(html);
    }
}
BENCHMARK(BM_MapPageOfEveryGroup)->Unit(benchmark::kMillisecond);

void BM_CoordinateRoundTrip(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = location::decimal_to_text("40.2096", 2);
        benchmark::DoNotOptimize(location::compact_to_decimal(text, false));
    }
}
BENCHMARK(BM_CoordinateRoundTrip);

}  // namespace

BENCHMARK_MAIN();
