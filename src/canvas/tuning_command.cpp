#include "canvas/tuning_command.h"

#include "canvas/kelp_view.h"

namespace zembra {

bool SetCanvasTuning(CKelpView& view, Tuning tuning)
{
    if (view.song().tuning == tuning) {
        return false;
    }
    // An arrow move under way is its own undo step, not part of this one.
    view.edits().SettleArrowMove();
    view.song().tuning = tuning;
    view.edits().Snapshot();
    view.playback().ApplyTuning();
    return true;
}

} // namespace zembra
