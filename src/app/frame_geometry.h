#pragma once

namespace zembra {

// The rows and the row height that the window's 626 pixels were made for.
inline constexpr int kFrameRows = 33;
inline constexpr int kFrameRowHeight = 12;

struct FrameRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const FrameRect&) const = default;
};

// The main window sits at the screen's top-left corner, as wide as the screen and 626 pixels
// high for the 33 rows of the default box, or as high as a screen too short for that. A box with
// other rows makes the window taller or shorter by their band's height.
FrameRect InitialFrameRect(int screenWidth, int screenHeight, int rows = kFrameRows, int rowHeight = kFrameRowHeight);

// The window's height once the song's box has `newRows` rows instead of `oldRows`: it changes
// by the band's height, so that a window the user sized keeps its room below the band. A taller
// band does not take the window past `availableHeight` (0: no limit), where the canvas scrolls
// instead; a window already taller than that does not grow. Never less than one pixel.
int HeightForRows(int height, int oldRows, int newRows, int rowHeight, int availableHeight);

// The height inside a frame that adds `frameExtra` pixels (title bar and borders) so that the
// window is `outerHeight` high in all; never less than one pixel.
int InnerHeightForOuter(int outerHeight, int frameExtra);

// F6 and Shift+F6 move the keyboard focus round the window's panes (the canvas, then the
// toolbars): the pane after or before `current`; a focus outside every pane (-1) goes to the first.
int NextPane(int current, int count, bool forward);

} // namespace zembra
