// The HPD reader on any bytes, then the writer on what was read, twice more: from the second
// save on, saving what was read back must give the same file (a save that does not read back
// loses data). The first save may still change things the reader deliberately drops, such as
// rows five and six of a default Motorola bandplan the writer added.
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

namespace {
std::vector<std::string> save_and_read_back(const std::vector<std::string>& lines, int run) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    auto file = fuzz::write_input("again" + std::to_string(run) + ".hpd",
                                  reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return read_and_write(file, run);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto first = read_and_write(fuzz::write_input("in.hpd", data, size), 1);
    auto second = save_and_read_back(first, 2);
    if (second == first) return 0;
    auto third = save_and_read_back(second, 3);
    if (third != second) __builtin_trap();
    return 0;
}
