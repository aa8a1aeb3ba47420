#include "app/frame_geometry.h"

namespace zembra {

namespace {
constexpr int kFrameHeight = 626;
}

FrameRect InitialFrameRect(int screenWidth, int screenHeight)
{
    return {0, 0, screenWidth, screenHeight <= kFrameHeight - 1 ? screenHeight : kFrameHeight};
}

} // namespace zembra
