#include "app/frame_geometry.h"

#include <algorithm>

namespace zembra {

namespace {
constexpr int kFrameHeight = 626;
}

FrameRect InitialFrameRect(int screenWidth, int screenHeight, int rows, int rowHeight)
{
    const int wanted = HeightForRows(kFrameHeight, kFrameRows, rows, rowHeight, 0);
    return {0, 0, screenWidth, screenHeight <= wanted - 1 ? screenHeight : wanted};
}

int HeightForRows(int height, int oldRows, int newRows, int rowHeight, int availableHeight)
{
    int wanted = height + (newRows - oldRows) * rowHeight;
    if (newRows > oldRows && availableHeight > 0) {
        wanted = std::min(wanted, std::max(height, availableHeight));
    }
    return std::max(wanted, 1);
}

int InnerHeightForOuter(int outerHeight, int frameExtra)
{
    return outerHeight - frameExtra > 0 ? outerHeight - frameExtra : 1;
}

int NextPane(int current, int count, bool forward)
{
    if (count <= 0) {
        return -1;
    }
    if (current < 0 || current >= count) {
        return 0;
    }
    return forward ? (current + 1) % count : (current + count - 1) % count;
}

} // namespace zembra
