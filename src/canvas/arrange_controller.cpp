#include "canvas/arrange_controller.h"

#include "canvas/edit_controller.h"
#include "canvas/kelp_view.h"
#include "import/melody.h"
#include "import_ui/arrange_again_dialog.h"
#include "import_ui/arrange_changes_dialog.h"
#include "services/paint_device_metrics.h"
#include "services/prompts.h"

#include <utility>

namespace zembra {

ArrangeController::ArrangeController(CKelpView& view)
    : m_view(view)
{
}

void ArrangeController::Keep(ArrangeSource source)
{
    m_source = std::move(source);
    m_last.reset();
}

void ArrangeController::Forget()
{
    m_source = {};
    m_last.reset();
}

ArrangeOutcome ArrangeController::ArrangeKept(const ArrangeChoices& choices)
{
    m_view.edits().SettleArrowMove();
    const ArrangeOutcome outcome =
        ArrangeOntoSong(m_view.song(), m_source.notes, m_source.resolution, CheckMetrics(), choices);
    m_last = choices;
    m_view.edits().Snapshot();
    m_view.UpdateScrollSizes();
    m_view.Refresh();
    return outcome;
}

bool ArrangeController::ArrangeAgain()
{
    if (!kept()) {
        return false;
    }
    ArrangeChoices opening;
    if (m_last) {
        opening = *m_last;
    } else {
        opening.melodyTrack = DefaultMelodyTrack(m_source.notes);
    }
    ArrangeAgainDialog dialog(MelodyTrackChoices(m_source.notes, m_source.tracks), opening, m_view.window());
    const bool confirmed = prompts().runDialog(dialog) == QDialog::Accepted;
    m_view.ClearPressedFlag();
    if (!confirmed) {
        return false;
    }
    const ArrangeOutcome outcome = ArrangeKept(dialog.choices());
    ArrangeChangesDialog changes(outcome.result, outcome.resolution, outcome.beatsPerBar, m_view.window());
    prompts().runDialog(changes);
    return true;
}

} // namespace zembra
