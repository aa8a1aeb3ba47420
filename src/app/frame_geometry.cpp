#include "app/frame_geometry.h"

namespace zembra {

namespace {
constexpr int kFrameHeight = 626;
}

FrameRect InitialFrameRect(int screenWidth, int screenHeight)
{
    return {0, 0, screenWidth, screenHeight <= kFrameHeight - 1 ? screenHeight : kFrameHeight};
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
