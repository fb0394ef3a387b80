// libFuzzer target: the CSV mapper's loader over any bytes, then everything that consumes its
// table (assignment, Send to Grid conversion, save and clipboard texts).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/exchange/csv_import.h"
#include "core/exchange/send_to_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tarvex::csv::LineFilters filters;
    filters.must_frequency = size % 2 == 1;
    filters.must_divisible_16 = size % 3 == 1;
    tarvex::csv::LoadResult r = tarvex::csv::load_csv(bytes, filters);
    if (r.table.cols() > 0) r.table.at(0, 0) = "Frequency (MHz)";
    (void)tarvex::csv::to_channel_rows(r.table);
    (void)tarvex::csv::save_text(r.table);
    (void)tarvex::csv::clipboard_text(r.table, tarvex::csv::whole_table(r.table));
    return 0;
}
