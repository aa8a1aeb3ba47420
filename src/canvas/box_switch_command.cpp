#include "canvas/box_switch_command.h"

#include "canvas/kelp_view.h"
#include "model/box_switch.h"
#include "services/chosen_box.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "text/string_ids.h"

namespace zembra {

namespace {
// Folding keeps more of the music than removing, and the counts say what moves.
constexpr bool kFoldByOctaves = true;
} // namespace

bool SwitchCanvasBox(CKelpView& view, const MusicBox& box, QWidget* parent)
{
    if (view.playing()) {
        return false;
    }
    if (view.song().box == box) {
        return true;
    }
    const BoxSwitchCount count = CountBoxSwitch(view.song(), box, kFoldByOctaves);
    if (count.folded + count.removed > 0) {
        const QString question =
            TextOf(str::kBoxSwitchQuestion).arg(Utf8(box.name)).arg(count.kept).arg(count.folded).arg(count.removed);
        if (prompts().ask(parent, question, QString(), Prompts::Buttons::YesNo, Prompts::Answer::Yes,
                          Prompts::Icon::Question) != Prompts::Answer::Yes) {
            return false;
        }
    }
    // A press or an arrow move begun on the old rows ends before the notes move.
    view.edits().SettleArrowMove();
    view.ClearPressedFlag();
    SwitchBox(view.song(), box, kFoldByOctaves);
    view.edits().Snapshot();
    view.Refresh();
    return true;
}

} // namespace zembra
