#include "card/card_sizes.h"

#include <cmath>

namespace zembra {

namespace {

// Sizes are given to a hundredth of a millimetre; a difference of them is taken to a thousandth,
// so that what is left after the rows is the margin as written, free of the subtraction's
// rounding (69.6 − 6 − 32 × 1.8 is 6, not 5.99999…).
double thousandths(double mm)
{
    return std::round(mm * 1000.0) / 1000.0;
}

} // namespace

CardSizes CardSizesOf(const MusicBox& box)
{
    CardSizes sizes;
    const MusicBoxSizes& s = box.sizes;
    sizes.rows = static_cast<int>(box.notes.size());
    sizes.stripWidthMm = s.stripWidthMm;
    sizes.firstRowMm = s.firstRowMm;
    sizes.rowPitchMm = s.rowPitchMm;
    sizes.bottomMarginMm = thousandths(s.stripWidthMm - s.firstRowMm - (sizes.rows - 1) * s.rowPitchMm);
    if (box.id != DefaultBox().id) {
        sizes.markMm = s.holeMm;
        sizes.halfMarkMm = s.holeMm / 2;
    }
    return sizes;
}

} // namespace zembra
