#pragma once

#include "card/card_geometry.h"
#include "card/card_layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace zembra {

// Where a strip's number goes, in device pixels (right and bottom exclusive). `across`: the text
// reads across the strip, in the band after its last bar; otherwise it lies along the strip in its
// top margin, against the strip's end.
struct NumberBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool across = true;
    bool empty() const { return right <= left || bottom <= top; }
};

// A note's hole on the page: what the painter covers with the mark's disc and cross.
struct HoleBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The numbers "n / N" and the title that numbered strips carry where no hole can be: after the
// strip's last bar, beyond the reach of any mark the strip shows (a mark near the end of the last
// bar; after the song's last bar, the first marks of the next bar up to where the blanking starts),
// or, should the printable width end first, in the top margin above the first row line, where
// there are no holes at all.
class StripNumbers {
public:
    StripNumbers(const CardGeometry& geometry, const std::vector<PrintNote>& printList);

    int count() const { return m_count; }
    int NumberOf(int page, const StripPlan& strip) const { return m_geometry.StripNumber(page, strip.index); }
    NumberBox BoxOf(const StripPlan& strip, int copy) const;
    // The holes strip `strip` shows in copy `copy`, as far as the blanking after it leaves them.
    std::vector<HoleBox> HolesOf(const StripPlan& strip, int copy) const;
    // The font height of the number, in pixels.
    int FontPixels(const NumberBox& box) const;

private:
    // Where the strip's visible marks end after its last bar, from the strip's start.
    int HoleReach(const StripPlan& strip) const;

    const CardGeometry& m_geometry;
    const std::vector<PrintNote>& m_list;
    int m_count;
};

// The number of strips the song's card has with other options and bar length, as the print
// settings show it before the song takes them; 1 when the card cannot be laid out.
int StripCountWith(const SongState& song, const PrintOptions& options, int barLengthMm, const PrintMetrics& metrics);

// "3 / 7  Title": the strip's number, the number of strips and the song's title.
std::string StripNumberText(int number, int count, std::string_view title);

} // namespace zembra
