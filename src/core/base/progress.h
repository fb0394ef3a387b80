#pragma once
// Progress of long work (reading and writing databases). The window repaints its progress
// label and keeps processing events from `pump`; the command line and tests ignore it.
#include <string_view>

namespace tarvex {

class Progress {
  public:
    virtual ~Progress() = default;
    virtual void label(std::string_view text) {}   // the progress label ("Opening System: 3")
    virtual void status(std::string_view text) {}  // first panel of the status bar ("Load Ok.")
    virtual void pump() {}                         // let the user interface breathe
};

// The do-nothing progress for callers that have no window.
inline Progress& no_progress() {
    static Progress p;
    return p;
}

}  // namespace tarvex
