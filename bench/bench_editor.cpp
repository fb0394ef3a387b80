// The editor's windows with the largest data they hold: a group of 9999 rows opened in the grid
// editor, and the browser built for a store of 30000 nodes (the store's limit). Runs on Qt's
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>

#include "app/editor/browser_model.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "bench_samples.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_columns.h"
#include "core/editor/session.h"
#include "core/model/browser_tree.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

namespace fs = std::filesystem;
using namespace tarvex;

namespace {

fs::path bench_dir() {
    return tarvex::bench::scratch_dir("editor");
}

struct Rig {
    RecordingPrompter prompter;
    MemorySettingsBackend main_backend, import_backend;
    Settings settings{main_backend, import_backend};
    std::unique_ptr<EditingSession> session;

    Rig() {
        DataFolders folders;
        folders.data = bench_dir() / "data";
        folders.run_temp =
            bench_dir() / ("run" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(folders.run_temp);
        session = std::make_unique<EditingSession>(prompter, folders);
    }

    // A conventional system whose groups each hold `rows` channels.
    void add_big_system(int system, int groups, int rows) {
        SystemStore& store = session->store();
        store.add_node("", keys::system(system), new_conventional_system("Big County"));
        store.system_slot(system, k_slot_in_use) = "1";
        store.system_slot(system, k_slot_type_code) = "0";
        for (int g = 0; g < groups; ++g) {
            store.add_node(keys::system(system), keys::group(system, g),
                           new_group("Group " + std::to_string(g)));
            std::vector<std::string> lines;
            lines.reserve(rows);
            for (int r = 1; r <= rows; ++r)
                lines.push_back(std::to_string(r) + "," + hz_to_mhz(150000000 + r * 12500) +
                                ",Channel " + std::to_string(r) +
                                ",Off,NFM,CTCSS,127.3,Law Dispatch,Off,2,0,Off,Auto");
            session->files().write_lines(system, g, lines);
        }
    }
};

// Reading a 9999-row group file into the grid model and showing it in its view.
void BM_LoadLargestGroupIntoGridModel(benchmark::State& state) {
    Rig rig;
    rig.add_big_system(1, 1, grid::k_max_rows);
    GridView view;
    GridModel model;
    view.setModel(&model);
    view.resize(1200, 700);
    view.show();
    for (auto _ : state) {
        TextGrid grid;
        grid::load_group_grid(rig.session->files(), 1, 0, grid::GridKind::Channel, grid);
        model.replace(std::move(grid));
        view.scrollToTop();
        view.repaint();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_LoadLargestGroupIntoGridModel)->Unit(benchmark::kMillisecond);

// What a click on another 9999-row group costs in the grid editor: the shown group is left
// (written back) and the other is loaded, titled and shown.
void BM_SwitchBetweenLargestGroups(benchmark::State& state) {
    Rig rig;
    rig.add_big_system(1, 2, grid::k_max_rows);
    GridEditor editor(*rig.session, rig.settings);
    editor.resize(1200, 700);
    editor.show();
    int group = 0;
    for (auto _ : state) {
        editor.open_group(1, group);
        editor.repaint();
        group = 1 - group;
        benchmark::DoNotOptimize(editor.model()->rowCount());
    }
    state.counters["rows"] = editor.model()->rowCount();
}
BENCHMARK(BM_SwitchBetweenLargestGroups)->Unit(benchmark::kMillisecond);

// One typed cell in a 9999-row group: every edit is written through to the group's file and
// recorded as an undo step, so this is the price of each Enter.
void BM_EditCellInLargestGroup(benchmark::State& state) {
    Rig rig;
    rig.add_big_system(1, 1, grid::k_max_rows);
    GridEditor editor(*rig.session, rig.settings);
    editor.open_group(1, 0);
    int n = 0;
    for (auto _ : state) {
        QModelIndex cell = editor.model()->index(n % 500, 2);
        editor.model()->setData(cell, QStringLiteral("Tag %1").arg(n++));
    }
    state.counters["rows"] = editor.model()->rowCount();
}
BENCHMARK(BM_EditCellInLargestGroup)->Unit(benchmark::kMillisecond);

// The browser for a full store: 100 systems with a site, its frequencies, a unit-ID holder
// and 292 groups each, 30000 nodes; built from the store, put into the model and shown with
// every system open.
void BM_BuildBrowserForFullStore(benchmark::State& state) {
    Rig rig;
    SystemStore& store = rig.session->store();
    for (int s = 1; s <= 100; ++s) {
        std::string sys = keys::system(s);
        store.add_node("", sys, new_trunked_system("Motorola", "System " + std::to_string(s)));
        store.system_slot(s, k_slot_in_use) = "1";
        store.system_slot(s, k_slot_type_code) = "1";
        store.add_node(sys, keys::site(s, 1), std::string(templates::new_site));
        for (int f = 1; f <= 5; ++f)
            store.add_node(keys::site(s, 1), keys::site_frequency(s, 1, f), "TFQ,851.0125,0,0");
        store.add_node(sys, keys::unit_id_holder(s), std::string(templates::uid_holder_editor));
        for (int g = 0; g < 292; ++g)
            store.add_node(sys, keys::group(s, g), new_group("Talkgroups " + std::to_string(g)));
    }
    QTreeView tree;
    tree.setUniformRowHeights(true);
    tree.setHeaderHidden(true);
    BrowserModel model;
    tree.setModel(&model);
    tree.resize(300, 700);
    tree.show();
    for (auto _ : state) {
        BrowserTree built = create_browser_tree(store, TreeOrdering::None);
        model.set_tree(std::move(built));
        for (int r = 0; r < model.rowCount(); ++r) tree.expand(model.index(r, 0));
        tree.doItemsLayout();
        tree.repaint();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["nodes"] = static_cast<double>(store.size());
}
BENCHMARK(BM_BuildBrowserForFullStore)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(bench_dir(), ec);
    return 0;
}
