// "loggrid.ini": the saved reception log, read, saved and read back to the same table.
#include "core/remote/reception_log.h"
#include "fuzz_support.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = fuzz::write_input("loggrid.ini", data, size);
    (void)remote::read_quoted_cells(std::string_view(reinterpret_cast<const char*>(data), size));
    remote::ReceptionLog log;
    if (!log.open_grid(file)) return 0;
    auto saved = fuzz::scratch_folder() / "loggrid-saved.ini";
    if (!log.save_grid(saved)) return 0;
    remote::ReceptionLog again;
    if (!again.open_grid(saved)) __builtin_trap();
    auto twice = fuzz::scratch_folder() / "loggrid-twice.ini";
    if (!again.save_grid(twice)) return 0;
    std::FILE* a = base::open_file(saved, "rb");
    std::FILE* b = base::open_file(twice, "rb");
    bool same = a && b;
    for (int ca, cb; same;) {
        ca = std::fgetc(a);
        cb = std::fgetc(b);
        if (ca != cb) same = false;
        if (ca == EOF) break;
    }
    if (a) std::fclose(a);
    if (b) std::fclose(b);
    if (!same) __builtin_trap();
    return 0;
}
