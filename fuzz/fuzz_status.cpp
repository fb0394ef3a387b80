// The scanner's status and reply lines as they arrive on the serial port.
#include <string>

#include "core/remote/status.h"

using namespace tarvex::remote;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view reply(reinterpret_cast<const char*>(data), size);
    std::string cleaned = clean_status_line(reply);
    for (int n = 0; n < 24; ++n) (void)status_field(cleaned, n);
    DisplayModel display;
    (void)apply_status(display, reply);
    (void)status_summary(display);
    return 0;
}
