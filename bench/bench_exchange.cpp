// The CSV mapper on the largest file it takes (14,500 lines), Send to Grid of a full table, and
// the web page and print layout of the largest group (9,999 rows).
#include <benchmark/benchmark.h>

#include <string>

#include "core/editor/grid_columns.h"
#include "core/exchange/csv_import.h"
#include "core/exchange/html_export.h"
#include "core/exchange/print_layout.h"
#include "core/exchange/send_to_grid.h"

using namespace tarvex;

namespace {

// A messy export at the line limit: header, channel lines, every tenth line junk.
const std::string& big_export() {
    static const std::string text = [] {
        std::string t = "Frequency,Name,Mode,Tone,Skip\r\n";
        for (int i = 1; i < csv::k_max_lines; ++i) {
            if (i % 10 == 0) {
                t += "---- page " + std::to_string(i / 10) + " ----\r\n";
                continue;
            }
            t += std::to_string(150 + i % 700) + "." + std::to_string(1000 + i % 9000) +
                 ",Channel number " + std::to_string(i) + ",fm,100.0,OFF\r\n";
        }
        return t;
    }();
    return text;
}

TextGrid big_group() {
    TextGrid g;
    grid::setup_grid(g, grid::GridKind::Channel, 10001);
    for (int r = 1; r <= 9999; ++r) {
        auto row = grid::default_row(grid::GridKind::Channel);
        row[0] = std::to_string(r);
        row[1] = "155." + std::to_string(1000 + r % 9000);
        row[2] = "Alpha tag of row " + std::to_string(r);
        g.row(r) = row;
    }
    return g;
}

void BM_LoadCsvAtTheLineLimit(benchmark::State& state) {
    csv::LineFilters f;
    f.must_frequency = true;
    for (auto _ : state) benchmark::DoNotOptimize(csv::load_csv(big_export(), f));
    state.SetItemsProcessed(state.iterations() * csv::k_max_lines);
}
BENCHMARK(BM_LoadCsvAtTheLineLimit)->Unit(benchmark::kMillisecond);

void BM_SendFullTableToGrid(benchmark::State& state) {
    csv::LoadResult r = csv::load_csv(big_export());
    r.table.at(0, 1) = "Tag/Name";
    for (auto _ : state) benchmark::DoNotOptimize(csv::to_channel_rows(r.table));
    state.SetItemsProcessed(state.iterations() * (r.table.rows() - 1));
}
BENCHMARK(BM_SendFullTableToGrid)->Unit(benchmark::kMillisecond);

void BM_HtmlPageOfTheLargestGroup(benchmark::State& state) {
    TextGrid g = big_group();
    html::PageSource s;
    s.grid = &g;
    for (auto _ : state) benchmark::DoNotOptimize(html::page_lines(s));
}
BENCHMARK(BM_HtmlPageOfTheLargestGroup)->Unit(benchmark::kMillisecond);

void BM_PrintLayoutOfTheLargestGroup(benchmark::State& state) {
    print::Section s;
    s.grid = big_group();
    for (auto _ : state) benchmark::DoNotOptimize(print::paginate(s, 80, "Tarvex"));
}
BENCHMARK(BM_PrintLayoutOfTheLargestGroup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
