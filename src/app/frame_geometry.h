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

// The height inside a frame that adds `frameExtra` pixels (title bar and borders) so that the
// window is `outerHeight` high in all; never less than one pixel.
int InnerHeightForOuter(int outerHeight, int frameExtra);

// F6 and Shift+F6 move the keyboard focus round the window's panes (the canvas, then the
// toolbars): the pane after or before `current`; a focus outside every pane (-1) goes to the first.
int NextPane(int current, int count, bool forward);

} // namespace zembra
