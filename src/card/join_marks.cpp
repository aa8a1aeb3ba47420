#include "card/join_marks.h"

#include <algorithm>

namespace zembra {

std::vector<JoinMark> JoinMarksOf(const CardGeometry& geometry, const StripPlan& strip, const AssemblyChoices& choices)
{
    std::vector<JoinMark> marks;
    if (!strip.joined || strip.bars <= 0) {
        return marks;
    }
    // The tape covers as much card on either side of a butt joint; an overlap's glue zone lies
    // before the cut, and the next strip's start is glued over it.
    const double zoneMm = choices.join == JoinKind::Overlap ? std::clamp(choices.overlapMm, kMinOverlapMm, kMaxOverlapMm)
                                                            : kTapeZoneMm;
    const int zone = geometry.MmX(zoneMm);
    if (!strip.opensSong()) {
        marks.push_back({{0, zone}, false});
    }
    if (strip.end >= 0) {
        marks.push_back({{strip.end - zone, strip.end}, true});
    }
    return marks;
}

} // namespace zembra
