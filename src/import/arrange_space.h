#pragma once

#include <map>
#include <set>
#include <vector>

namespace zembra {

// Why a note cannot take a place on the card.
enum class ArrangeReason {
    None,
    OffComb,     // no row of the box has its pitch
    TooClose,    // its row sounds again too soon after another hole, or too soon before one
    Semitone,    // a hole a semitone away on the neighbouring row at the same time
    ChordFull,   // as many notes as the chord limit already sound at that time
    AboveMelody, // it would sound above the melody
    CanvasFull,  // the canvas holds no more notes
    Doubled,     // the same note already sounds at that time
};

// The holes placed so far, and the rules a new one must keep: one row repeats no sooner than
// `minDistance` canvas pixels, two holes at one time are never a semitone apart, and no more than
// `maxChord` sound at once.
class ArrangeSpace {
public:
    ArrangeSpace(std::vector<int> rowPitches, int minDistance, int maxChord, int maxNotes);

    // The row of `pitch`, -1 when the box has none.
    int RowOf(int pitch) const;
    // Why `pitch` cannot sound at `x`; None when it can.
    ArrangeReason Check(int x, int pitch) const;
    // Places the hole; Check must have said None.
    void Place(int x, int pitch);

    // The highest pitch placed at `x`, -1 when none.
    int HighestAt(int x) const;
    int count() const { return m_count; }

private:
    std::vector<int> m_rowPitches;
    int m_minDistance;
    int m_maxChord;
    int m_maxNotes;
    int m_count = 0;
    std::vector<std::set<int>> m_rowXs;     // per row, the x of its holes
    std::map<int, std::vector<int>> m_atX;  // per x, the pitches sounding there
};

} // namespace zembra
