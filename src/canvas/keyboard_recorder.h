#pragma once

#include "canvas/key_map.h"
#include "model/song_state.h"

#include <cstdint>

namespace zembra {

// Playing notes onto the canvas while it plays with a metronome: each key of the map, or each key
// of a MIDI keyboard that is a row's pitch, makes a selected note where the clock has got to.
class KeyboardRecorder {
public:
    enum class Outcome {
        Ignored,   // not a recording key: nothing sounds, nothing is made
        Placed,    // a new selected note
        Outside,   // it sounded, but fell before the song (the count-in) and made no note
        StoreFull, // it sounded, but the note store is full
    };
    struct Result {
        Outcome outcome = Outcome::Ignored;
        int row = KeyMap::kNoRow;
        int slot = kNoFreeSlot;
    };

    // The count-in: one bar before the song.
    static int LeadIn(const SongState& song);
    // Remembers the note count, so that Stop knows whether the take added anything.
    void Begin(const SongState& song);
    // True when the song holds another number of notes than when recording began.
    bool TakeChanged(const SongState& song) const;
    int countAtStart() const { return m_countAtStart; }

    // The canvas x of a clock position: the ticks are scaled to pixels in unsigned arithmetic and
    // the lead (the count-in when playing from the start) comes off after, so that the count-in
    // gives negative places. Playback that started at startX has its tick 0 there.
    static int PlaceOf(int pixelsPerQuarter, std::uint32_t ticks, std::uint16_t resolution, int startX, int lead);

    // The row a key records onto, or kNoRow.
    int RowOfKey(int virtualKey) const { return m_keys.RowOf(virtualKey); }
    // The row a MIDI key records onto: the row of that pitch, or kNoRow.
    static int RowOfPitch(const SongState& song, int pitch);

    // Makes the note of a row at canvas x: snapped to the active grid, normalised onto its row and
    // added to the selection.
    static Result PlaceRow(SongState& song, int row, int x);
    Result RecordKey(SongState& song, int virtualKey, int x) const;

    const KeyMap& keyMap() const { return m_keys; }
    void ResetKeys() { m_keys.Build(); }

private:
    KeyMap m_keys;
    int m_countAtStart = 0;
};

} // namespace zembra
