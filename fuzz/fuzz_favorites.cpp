// The favorites configuration: rows read from any bytes, written back, read again unchanged.
#include "core/card/favorites_config.h"
#include "fuzz_support.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto folder = fuzz::scratch_folder() / "favorites_lists";
    std::filesystem::create_directories(folder);
    // A few list files, so lines naming them are kept rather than dropped as missing.
    for (const char* name : {"f_000001.hpd", "f_000002.hpd", "f_000010.hpd"})
        if (!std::filesystem::exists(folder / name))
            fuzz::write_input("favorites_lists/" + std::string(name), nullptr, 0);
    fuzz::write_input("favorites_lists/favorites_lists.config", data, size);
    std::vector<FavoritesRow> rows;
    read_favorites_config(folder, rows);
    std::string text;
    for (const auto& l : favorites_config_lines(rows)) text += l + "\r\n";
    fuzz::write_input("favorites_lists/favorites_lists.config",
                      reinterpret_cast<const uint8_t*>(text.data()), text.size());
    std::vector<FavoritesRow> again;
    read_favorites_config(folder, again);
    if (again.size() != rows.size()) __builtin_trap();
    for (size_t i = 0; i < rows.size(); ++i)
        if (again[i].name != rows[i].name || again[i].file != rows[i].file) __builtin_trap();
    return 0;
}
