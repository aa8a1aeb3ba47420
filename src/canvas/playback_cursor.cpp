#include "canvas/playback_cursor.h"

namespace zembra {

int PlaybackCursorX(int startX, int pixelsPerQuarter, int beats, int leadIn)
{
    if (pixelsPerQuarter <= 0) {
        return startX;
    }
    const int rest = startX % pixelsPerQuarter;
    const int offset = rest == 0 ? 0 : pixelsPerQuarter - rest;
    const int lead = startX != 0 ? 0 : leadIn;
    return startX - offset + beats * pixelsPerQuarter - lead;
}

int PlaybackStartForClick(int x, int musicLength, int pixelsPerQuarter, int beatsPerBar)
{
    if (x > musicLength - pixelsPerQuarter * beatsPerBar) {
        return -1;
    }
    if (x < 1) {
        x = 0;
    }
    if (pixelsPerQuarter > 0) {
        x -= x % pixelsPerQuarter;
    }
    return x;
}

} // namespace zembra
