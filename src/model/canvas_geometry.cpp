#include "model/canvas_geometry.h"

#include <algorithm>

namespace zembra {

ScrollSizes ComputeScrollSizes(const SongState& song, int clientWidth)
{
    ScrollSizes sizes;
    if (song.beatsPerBar <= 0) {
        return sizes;
    }
    sizes.valid = true;
    sizes.canvasWidth = song.pixelsPerQuarter * song.beatsPerBar * song.barCount;
    const int bar = song.pixelsPerQuarter * song.beatsPerBar;
    sizes.totalWidth = sizes.canvasWidth + 40;
    sizes.page = sizes.totalWidth;
    if (bar > 0) {
        const int pageOfBars = (clientWidth / bar - 1) * bar;
        if (sizes.totalWidth >= pageOfBars) {
            sizes.page = pageOfBars;
        }
    }
    sizes.line = bar;
    return sizes;
}

int VerticalScrollRange(const SongState& song, int clientHeight)
{
    // The lowest row's lower line is drawn at bandBottom, so the band needs one pixel more.
    if (clientHeight > song.bandBottom()) {
        return 0;
    }
    return std::max(0, song.bandBottom() + kCanvasFootHeight - clientHeight);
}

Rgb AdjustColour(Rgb colour, int percent)
{
    if (percent < -100 || percent > 100) {
        return colour;
    }
    auto scale = [percent](int channel) { return std::min(255, channel * (100 + percent) / 100); };
    return {scale(colour.red), scale(colour.green), scale(colour.blue)};
}

int NoteValueAt(int x, int pixelsPerQuarter)
{
    struct Grid {
        int divisor;
        int value;
        int minimumScale;
    };
    static constexpr Grid kGrids[] = {{1, 4, 0}, {2, 8, 0}, {4, 16, 0}, {8, 32, 48}, {16, 64, 96}};
    for (const Grid& grid : kGrids) {
        const int step = pixelsPerQuarter / grid.divisor;
        if (pixelsPerQuarter < grid.minimumScale || step <= 0) {
            continue;
        }
        if (x % step == 0) {
            return grid.value;
        }
    }
    return 0;
}

} // namespace zembra
