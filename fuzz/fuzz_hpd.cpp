// The HPD reader on any bytes, then the writer on what was read: reading the written file again
// must give the same file once more (a save that does not read back loses data).
#include <string>
#include <vector>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "fuzz_support.h"

using namespace tarvex;

namespace {
std::vector<std::string> read_and_write(const std::filesystem::path& file, int run) {
    RecordingPrompter prompter;
    SystemStore store(prompter);
    GroupFiles files(fuzz::scratch_folder() / ("groups" + std::to_string(run)));
    read_hpd(file, store, files, k_read_all, 0, no_progress());
    auto lines = hpd_lines(store, files, 0);
    files.kill_tempies();
    return lines;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto input = fuzz::write_input("in.hpd", data, size);
    auto first = read_and_write(input, 1);
    std::string text;
    for (const auto& l : first) text += l + "\r\n";
    auto again =
        fuzz::write_input("again.hpd", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    auto second = read_and_write(again, 2);
    if (first != second) __builtin_trap();
    return 0;
}
