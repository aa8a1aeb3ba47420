#pragma once

namespace zembra {

// Where the playback cursor is, in canvas pixels, after `beats` quarter notes of the clock since
// playback started at startX. A start between beats runs to the next beat first; while recording
// from the start the count-in comes first, so the cursor begins a lead-in before the song.
int PlaybackCursorX(int startX, int pixelsPerQuarter, int beats, int leadIn);

// The playback start for a click at canvas x during playback: the beat at or before it; -1 when
// the click is in the last bar of the music and is to be ignored.
int PlaybackStartForClick(int x, int musicLength, int pixelsPerQuarter, int beatsPerBar);

} // namespace zembra
