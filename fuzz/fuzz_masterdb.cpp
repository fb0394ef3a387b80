// The master database: the index "HPDB.config" and a state file through the line store, and
// importing every system of it into the store.
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "fuzz_support.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto folder = fuzz::scratch_folder() / "hpdb";
    std::filesystem::create_directories(folder);
    fuzz::write_input("hpdb/HPDB.config", data, size);
    HpdbIndex index = read_hpdb_index(folder);
    for (const auto& s : index.states) (void)state_file_name(s.number);

    MasterLineStore lines;
    if (!lines.load(folder / "HPDB.config", no_progress())) return 0;
    for (size_t i = 0; i < lines.systems().size(); ++i) lines.tick(i, true);
    RecordingPrompter prompter;
    SystemStore store(prompter);
    GroupFiles files(fuzz::scratch_folder() / "masterdb-groups");
    lines.import(store, files, prompter, no_progress());
    files.kill_tempies();
    return 0;
}
