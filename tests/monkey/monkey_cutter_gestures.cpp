#include "monkey_cutter_gestures.h"

#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "monkey_rig.h"
#include "services/command_ids.h"

#include <QAction>

#include <string>
#include <vector>

namespace zembra::monkey {

namespace {

// What the canvas shows of the song: every slot's place and selection, and the card settings.
std::vector<int> Fingerprint(const SongState& song)
{
    std::vector<int> print{song.noteCount, song.selectedCount, song.barLengthMm, song.printOptions.mirrorCard,
                           song.printOptions.swapHighLow, song.printOptions.twoRows, song.printOptions.ruledLines};
    for (const NoteRecord& note : song.notes) {
        print.push_back(note.left);
        print.push_back(note.top);
        print.push_back(note.selected);
    }
    return print;
}

} // namespace

void CutterExport(MonkeyRig& rig)
{
    const std::vector<int> before = Fingerprint(rig.view().song());
    const std::string title = rig.view().song().title;
    const bool byKey = rig.dice().percent(40);
    rig.Note(std::string("cutter export by ") + (byKey ? "key" : "menu") +
             (rig.leftHeld() ? " while the left button is held" : ""));
    rig.frame().updateCommandStates();
    QAction* action = rig.frame().action(cmd::kExportCardCutter);
    if (action == nullptr) {
        rig.Fail("no action for the cutter export");
        return;
    }
    if (action->isEnabled()) {
        rig.MarkPressInterrupted();
    }
    // Laying out a long song and writing it takes a while under the sanitizers.
    rig.AllowLongStep();
    if (byKey) {
        rig.Key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    } else {
        action->trigger();
    }
    if (Fingerprint(rig.view().song()) != before || rig.view().song().title != title) {
        rig.Fail("the cutter export changed the song");
    }
}

} // namespace zembra::monkey
