#include "monkey_feature_gestures.h"

#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/midi_in_port.h"
#include "midi/midi_toolkit.h"
#include "midi/virtual_input.h"
#include "monkey_rig.h"
#include "services/command_ids.h"

#include <QAction>
#include <QMenu>
#include <QtTest/QTest>

#include <iterator>
#include <string>

namespace zembra::monkey {

void OpenFile(MonkeyRig& rig)
{
    if (rig.leftHeld() && rig.Masked("song-replaced-while-left-held")) {
        return;
    }
    rig.RunCommand(cmd::kFileOpen);
}

void OpenRecentFile(MonkeyRig& rig)
{
    if (rig.leftHeld() && rig.Masked("song-replaced-while-left-held")) {
        return;
    }
    // The File menu fills its recent entries as it opens.
    rig.frame().updateRecentFiles();
    QList<QAction*> entries;
    for (QAction* action : rig.frame().recentFileActions()) {
        if (action->isVisible() && action->isEnabled() && !action->data().toString().isEmpty()) {
            entries << action;
        }
    }
    if (entries.isEmpty()) {
        OpenFile(rig);
        return;
    }
    QAction* entry = entries[rig.dice().below(static_cast<int>(entries.size()))];
    rig.Note("recent file " + entry->data().toString().toStdString());
    rig.MarkPressInterrupted();
    entry->trigger();
}

void Settings(MonkeyRig& rig)
{
    rig.RunCommand(cmd::kSettings);
}

void DistanceCheck(MonkeyRig& rig)
{
    rig.RunCommand(cmd::kDistanceCheck);
}

void CardOutput(MonkeyRig& rig)
{
    constexpr int kCommands[] = {cmd::kPrintPreview, cmd::kExportCardPdf, cmd::kPrint, cmd::kPrintSetup};
    // Laying out and writing every page of a long song is slow under the sanitizers.
    rig.AllowLongStep();
    rig.RunCommand(kCommands[rig.dice().below(static_cast<int>(std::size(kCommands)))]);
}

void Record(MonkeyRig& rig)
{
    // The keys of the two lower rows and the digits, as a person plays along.
    constexpr Qt::Key kKeys[] = {Qt::Key_A, Qt::Key_S, Qt::Key_D, Qt::Key_F, Qt::Key_G, Qt::Key_H, Qt::Key_J,
                                 Qt::Key_K, Qt::Key_L, Qt::Key_Z, Qt::Key_X, Qt::Key_C, Qt::Key_V, Qt::Key_B,
                                 Qt::Key_N, Qt::Key_M, Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                                 Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9};
    CKelpView& view = rig.view();
    if (rig.dice().percent(30)) {
        // The MIDI keyboard plays along: the virtual input is the first one the menu lists.
        view.recorder().OpenInput(view.recorder().input().IsOpen() ? -1 : 0);
    }
    rig.RunCommand(cmd::kRecording);
    const int presses = rig.dice().between(0, 12);
    for (int i = 0; i < presses; ++i) {
        if (view.recorder().input().IsOpen() && rig.dice().percent(30)) {
            const auto pitch = static_cast<std::uint8_t>(rig.dice().between(40, 100));
            MidiToolkit::shared().virtualInput().feed(kNoteOn, pitch, static_cast<std::uint8_t>(rig.dice().between(1, 127)));
            MidiToolkit::shared().virtualInput().feed(kNoteOn, pitch, 0);
        } else {
            QTest::keyClick(&view, kKeys[rig.dice().below(static_cast<int>(std::size(kKeys)))]);
        }
        rig.Pump(rig.dice().between(0, 40));
    }
    rig.Note("recorded " + std::to_string(presses) + " press(es)" + (view.recording() ? "" : ", not recording"));
    if (rig.dice().percent(80)) {
        rig.RunCommand(cmd::kStop);
    }
}

} // namespace zembra::monkey
