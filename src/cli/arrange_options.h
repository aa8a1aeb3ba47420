#pragma once

#include "import/arrange_import.h"

#include <QString>

#include <optional>

namespace zembra {

class OptionSet;

// --arrange, --melody-track and --max-chord, and the bar length the arrangement is made at.
struct ArrangeOptions {
    bool arrange = false;
    ArrangeChoices choices;         // the melody track counted from 0 among the tracks read
    int melodyTrackNumber = 0;      // as --melody-track names it, from 1; 0 when not given
    std::optional<int> barLengthMm; // --bar-mm N
    bool barAuto = false;           // --bar-mm auto: the shortest bar at which the melody keeps its notes
};

// Every command that imports a file declares them, beside the import's own options.
void DeclareArrangeOptions(OptionSet& options);

// --bar-mm N (0 to the longest bar) or auto. Only for commands that declare --bar-mm.
bool ReadBarLength(const OptionSet& options, std::optional<int>* barLengthMm, bool* automatic, QString* error);

// False with the message in `error` when a value cannot be used. `withBarLength`: the command has
// --bar-mm, which then arranges at that length; auto is refused without --arrange, since it is the
// arranger that names the length.
bool ReadArrangeOptions(const OptionSet& options, bool withBarLength, ArrangeOptions* arrange, QString* error);

} // namespace zembra
