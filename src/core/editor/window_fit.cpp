#include "core/editor/window_fit.h"

#include <algorithm>

namespace tarvex {

ScreenRect fit_window_place(ScreenRect saved, ScreenRect available, int min_width, int min_height) {
    if (available.width <= 0 || available.height <= 0) return saved;
    ScreenRect r = saved;
    // A screen smaller than the smallest useful window gets the whole screen instead.
    r.width = std::clamp(r.width, std::min(min_width, available.width), available.width);
    r.height = std::clamp(r.height, std::min(min_height, available.height), available.height);
    // Whole window inside the area: the bottom edge (status bar) first, then the top edge
    // (title bar), which wins when both cannot be had.
    r.x = std::clamp(r.x, available.x, available.x + available.width - r.width);
    r.y = std::clamp(r.y, available.y, available.y + available.height - r.height);
    return r;
}

}  // namespace tarvex
