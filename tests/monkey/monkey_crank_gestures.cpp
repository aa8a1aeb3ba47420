#include "monkey_crank_gestures.h"

#include "app/context_help_mode.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/midi_in_port.h"
#include "midi/midi_toolkit.h"
#include "midi/virtual_input.h"
#include "monkey_rig.h"
#include "services/command_ids.h"

#include <QApplication>
#include <QWheelEvent>

#include <string>

namespace zembra::monkey {

namespace {

enum class Way { Forward, Back, Either };

// One turn of the hand; which way the card should have moved.
Way TurnOnce(MonkeyRig& rig)
{
    CKelpView& view = rig.view();
    switch (rig.dice().below(5)) {
    case 0: {
        // A wheel notch or a part of one, either way, over some point of the canvas.
        const int angle = rig.dice().percent(70) ? -120 : rig.dice().between(-240, 240);
        const QPointF at = rig.RandomPoint();
        QWheelEvent event(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          rig.dice().percent(80) ? Qt::NoModifier : rig.RandomModifiers(), Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
        return angle < 0 ? Way::Forward : angle > 0 ? Way::Back : Way::Either;
    }
    case 1:
    case 2:
        rig.Key(Qt::Key_Down, Qt::NoModifier);
        return Way::Forward;
    case 3:
        rig.Key(Qt::Key_Up, Qt::NoModifier);
        return Way::Back;
    default:
        if (!view.recorder().input().IsOpen()) {
            // The virtual input is the first one the MIDI menu lists.
            view.recorder().OpenInput(0);
        }
        MidiToolkit::shared().virtualInput().feed(
            static_cast<std::uint8_t>(kControlChange | rig.dice().below(16)),
            static_cast<std::uint8_t>(rig.dice().below(120)), static_cast<std::uint8_t>(rig.dice().below(128)));
        rig.Pump(0);
        return Way::Forward;
    }
}

} // namespace

void Crank(MonkeyRig& rig)
{
    CKelpView& view = rig.view();
    if (!view.crank().active() || rig.dice().percent(10)) {
        rig.MarkPressInterrupted();
        rig.RunCommand(cmd::kCrank);
    }
    const int turns = rig.dice().between(0, 30);
    int made = 0;
    for (; made < turns && view.crank().active(); ++made) {
        const double before = view.crank().position();
        const Way way = TurnOnce(rig);
        if (!view.crank().active()) {
            break;
        }
        const double after = view.crank().position();
        if ((way == Way::Forward && after < before) || (way == Way::Back && after > before)) {
            rig.Fail("the crank turned the card the wrong way: from " + std::to_string(before) + " to " +
                     std::to_string(after));
            return;
        }
        if (view.playing()) {
            rig.Fail("the clock plays while the crank is turned by hand");
            return;
        }
    }
    rig.Note(std::to_string(made) + " turn(s)" + (view.crank().active() ? ", still cranking" : ""));
    if (view.crank().active() && rig.dice().percent(50)) {
        switch (rig.dice().below(3)) {
        case 0:
            rig.RunCommand(cmd::kStop);
            break;
        case 1:
            // In the help mode of Shift+F1, the first Escape leaves that mode; the next one ends the crank.
            if (rig.frame().contextHelp().active()) {
                rig.Key(Qt::Key_Escape, Qt::NoModifier);
                if (rig.frame().contextHelp().active()) {
                    rig.Fail("Escape did not leave the help mode while cranking");
                    return;
                }
            }
            rig.Key(Qt::Key_Escape, Qt::NoModifier);
            break;
        default:
            rig.RunCommand(cmd::kCrank);
            break;
        }
        if (view.crank().active()) {
            rig.Fail("the crank went on after it was ended");
        }
    }
}

} // namespace zembra::monkey
