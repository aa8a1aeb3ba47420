#pragma once

#include "card/card_geometry.h"

#include <span>
#include <vector>

namespace zembra {

namespace card {

// Bar numbers: in the bottom margin below the reach of the last row's holes, just after the bar
// line they name.
inline constexpr double kBarNumberGapMm = 0.5;
inline constexpr double kBarNumberBoxMm = 8.0;
inline constexpr double kBarNumberFontMm = 2.5;
inline constexpr double kBarNumberClearMm = 0.4;

} // namespace card

// A bar's number on the page, in device pixels (right and bottom exclusive): the box starts just
// after the bar line it names, in reading direction (`towardsLeft` on a mirrored card).
struct BarNumberBox {
    int number = 0; // the song's bar, from 1
    int barLine = 0; // page x of the bar line
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool towardsLeft = false;
};

// Where the bar numbers of a strip go: along its bottom margin, below the reach of the last row's
// holes and above the strip's edge, so that they never lie among the rows. `every` 1 numbers
// every bar, 4 the bars 1, 5, 9, ...; a number whose box would run into the next shown number, past
// the strip's end, or into a stretch kept for other marks (the feed arrow, the author) is left out.
class BarNumbers {
public:
    BarNumbers(const CardGeometry& geometry, int every);

    // `keepOut`: stretches along the strip, from its leading end in reading direction, where the
    // bottom margin already carries something.
    std::vector<BarNumberBox> BoxesOf(const StripPlan& strip, int copy, std::span<const Span> keepOut = {}) const;
    // The bottom margin's marks on the song's first strip: the feed arrow and, `authorPx` long,
    // the author line.
    std::vector<Span> FirstStripKeepOut(const StripPlan& strip, int authorPx) const;
    int FontPixels() const;
    bool Shows(int bar) const;

private:
    const CardGeometry& m_geometry;
    int m_every;
};

} // namespace zembra
