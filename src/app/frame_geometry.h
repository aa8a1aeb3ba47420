#pragma once

namespace zembra {

struct FrameRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const FrameRect&) const = default;
};

// The main window sits at the screen's top-left corner, as wide as the screen and 626 pixels
// high, or as high as a screen of 625 pixels or less.
FrameRect InitialFrameRect(int screenWidth, int screenHeight);

} // namespace zembra
