#pragma once
// Where a restored window goes: the saved place made to fit the screen it is shown on, so a
// place saved on a larger or since-removed monitor never hides the title bar or the status bar.
namespace tarvex {

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The saved rectangle shrunk to at most the available area (but not below the smallest useful
// window when the screen allows it) and moved so that all of it lies inside the area.
ScreenRect fit_window_place(ScreenRect saved, ScreenRect available, int min_width = 640,
                            int min_height = 480);

}  // namespace tarvex
