#pragma once

#include "card/card_geometry.h"
#include "model/assembly_choices.h"

#include <vector>

namespace zembra {

// The marks of a join on a strip of a card cut in its rests, in device pixels from the strip's
// start in reading direction: the zone the join takes (the tape's half, or the glue zone) and,
// at a strip's end, where the card is cut.
struct JoinMark {
    Span zone;
    bool atEnd = false; // at the strip's end: the cut is zone.to
};

// The joins of `strip`: at its start unless it opens the song, at its end unless it ends it.
std::vector<JoinMark> JoinMarksOf(const CardGeometry& geometry, const StripPlan& strip, const AssemblyChoices& choices);

} // namespace zembra
