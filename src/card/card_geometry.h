#pragma once

#include "card/card_layout.h"
#include "card/card_sizes.h"
#include "model/print_metrics.h"
#include "model/song_state.h"

#include <vector>

namespace zembra {

// One strip as a page draws it.
struct StripPlan {
    int index = 0;     // strip on the page, from 0
    int firstBar = 0;  // bars placed before this strip
    int lead = 0;      // leader in device pixels: only the song's first strip has one
    int capacity = 0;  // bars the strip can hold
    int bars = 0;      // bars it holds (n); 0 for strips after the end of the music
    bool endsSong = false;
    // A strip cut in a rest: `lead` is then how far before the strip's start its first bar line
    // lies (negative: the bar began on the strip before), and `end` where the strip is cut, from
    // its start; -1 when the strip ends at its last bar line.
    int end = -1;
    // A strip of a card cut in its rests, joined to its neighbours.
    bool joined = false;
    // How far the song's last strip may run on after the music: what its blank leaves; -1 as far
    // as the page does.
    int tailRoom = -1;
    // A strip of an endless loop, which has no start.
    bool inLoop = false;
    // The strip the music starts on, with the leader, the arrow and the title block.
    bool opensSong() const { return firstBar == 0 && lead >= 0 && !inLoop; }
};

// Span of a bar along the strip, in device pixels.
struct Span {
    int from = 0;
    int to = 0;
};

// The start of the background tiling on a page: the x of the first tile and the running extent.
struct ImagePhase {
    int x = 0;
    int extent = 0;
};

// Where everything of the card lies on a page, in device pixels with y downward from the top of
// the printable area.
class CardGeometry {
public:
    CardGeometry(const SongState& song, const PrintMetrics& metrics, const CardLayout& layout);

    const PrintMetrics& metrics() const { return m_metrics; }
    const CardLayout& layout() const { return m_layout; }
    // The song's box's card in millimetres: strip width, row lines, mark.
    const CardSizes& sizes() const { return m_sizes; }
    int copies() const { return m_twoRows ? 2 : 1; }
    bool mirrored() const { return m_mirror; }
    int rowCount() const { return m_rowCount; }
    int pixelsPerBar() const { return m_pixelsPerBar; }
    int songBars() const { return m_songBars; }

    int MmX(double mm) const { return m_metrics.MmToDeviceX(mm); }
    int MmY(double mm) const { return m_metrics.MmToDeviceY(mm); }

    // The strips page `page` (from 1) draws, as the page loop walks them.
    std::vector<StripPlan> StripsOfPage(int page) const;
    // Capacity of strip s of page `page` and its leader.
    int Capacity(int page, int s) const;
    int Lead(int page, int s) const;

    int StripTop(int s, int c) const;
    // Bar b of the strip whose first bar is the song's bar `firstBar`.
    Span BarLeft(int b, int lead, int firstBar = 0) const;
    // How far bar boundary i of that strip lies from the strip's first bar line, in reading
    // direction. Every boundary is placed where the song's bars would end on one unbroken card,
    // rounded to the nearest pixel, so that no rounding adds up along the card.
    int BarEdge(int firstBar, int i) const;
    // The end of a strip's last bar, or where it is cut, measured from the strip's start in
    // reading direction.
    int StripEnd(const StripPlan& strip) const
    {
        return strip.end >= 0 ? strip.end : strip.lead + BarEdge(strip.firstBar, strip.bars);
    }
    // The length of the card a strip can hold: its leader and its capacity of bars, or as far as
    // it is cut.
    int StripLength(const StripPlan& strip) const
    {
        return strip.end >= 0 ? strip.end : strip.lead + BarEdge(strip.firstBar, strip.capacity);
    }
    // Where a note's hole centre lies from the strip's start, in reading direction.
    int HoleAlong(const PrintNote& note, const StripPlan& strip) const;
    // The unblanked stretch after the strip's last bar: one bar length, or what is left of the
    // printable width, after the song's last bar; none after the others.
    int TailOf(const StripPlan& strip) const;
    // Exact device pixels per bar: the bar length converted without rounding.
    double barPitch() const { return m_pitch; }
    int RowY(int y0, int k) const;
    int LineIndex(int rowFromTop) const;
    // The row of the scale (0 = bottom) whose line is k.
    int RowOfLine(int k) const;
    int MarkLeft(const PrintNote& note, int firstBar, int lead) const;
    // The note's leading edge from the strip's first bar line, in reading direction.
    int MarkAlong(const PrintNote& note, int firstBar) const;
    // The one rule for the strip a note's hole is on, for the printed card and the cutter alike:
    // the strip that holds the note's bar. A mark near the end of a strip's last bar reaches past
    // the bar line; it stays on its strip, which reaches as far as its marks do (StripExtent).
    bool HoleOnStrip(const PrintNote& note, const StripPlan& strip) const;
    // The marks a strip shows: its own holes, and after the song's last bar the start of the bar
    // that follows, as far as the strip's tail and the blanking leave it.
    bool MarkOnStrip(const PrintNote& note, const StripPlan& strip) const;
    // The stretch of card a strip's own marks need, half a mark of card around each, in reading
    // direction from the strip's leading end (negative: before it); from > to when it has none.
    Span MarksExtent(const StripPlan& strip, const std::vector<PrintNote>& printList) const;
    // The stretch of card a strip is: from its start (the leader's, or the first bar line) to the
    // end of its last bar and tail, and further where its marks need it, so that every hole keeps
    // card around it. A downbeat at a strip's start takes card from before the first bar line, a
    // mark at the end of the last bar from after the bar line.
    Span StripExtent(const StripPlan& strip, const std::vector<PrintNote>& printList) const;
    // Replaces an x measured from the card's leading end with where it lies on the page.
    int Flip(int x) const { return m_mirror ? m_metrics.horzRes - x : x; }

    // Card length printed before `page`, in device pixels.
    long long LengthBefore(int page) const;
    // Every strip of every page, and the number of them.
    int StripCount() const;
    // The number (from 1) of strip s of page `page` among all strips of the card.
    int StripNumber(int page, int s) const;
    ImagePhase PhaseOfPage(int page, int tileWidth) const;

    // Strips cut elsewhere than at bar lines (in the card's rests), every strip of the card in
    // order; the pages take them as many to a page as before. None: whole bars, as laid out.
    void UseStrips(std::vector<StripPlan> strips);
    bool stripsCut() const { return !m_cut.empty(); }
    // An endless loop of `bars` whole bars: the bars after its last are its first again.
    void SetLoopBars(int bars) { m_loopBars = bars; }
    // The number (from 1) a bar is shown with.
    int BarLabel(int bar) const { return (m_loopBars > 0 ? (bar % m_loopBars + m_loopBars) % m_loopBars : bar) + 1; }

private:
    PrintMetrics m_metrics;
    CardLayout m_layout;
    CardSizes m_sizes;
    int m_rowCount;
    int m_pixelsPerBar;
    int m_songBars;
    bool m_mirror;
    bool m_swap;
    bool m_twoRows;
    double m_pitch;
    std::vector<StripPlan> m_cut;
    int m_loopBars = 0;
};

} // namespace zembra
