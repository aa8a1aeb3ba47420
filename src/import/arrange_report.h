#pragma once

#include "import/arranger.h"

#include <string>

namespace zembra {

// The arranger's list of changes as text to read or save: a summary line, a header, and one
// line per change (bar.beat, the file's note, the note on the card, the change and its reason),
// tab-separated, in the program's language.
std::string ArrangeReportText(const ArrangeResult& result, int resolution, int beatsPerBar);

// The words for a change and a reason, in the program's language.
std::string ArrangeChangeText(ArrangeChange change);
std::string ArrangeReasonText(ArrangeReason reason);

// "3.2" for the second beat of the third bar.
std::string BarBeatText(std::uint32_t tick, int resolution, int beatsPerBar);

} // namespace zembra
