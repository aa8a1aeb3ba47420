// The MIDI import editor driven through its own widgets, playing through the virtual device.
#include "playback_fixture.h"
#include "import_roll_fixture.h"
#include "scripted_prompts.h"

#include "midi/midi_out_port.h"
#include "midi/virtual_device.h"
#include "import_ui/import_edit_dialog.h"
#include "import/marked_track_walk.h"
#include "text/strings.h"
#include "import_ui/import_roll_canvas.h"
#include "services/command_ids.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <chrono>

namespace zembra {
namespace {

using namespace std::chrono_literals;
using test::RollTracks;

class ImportEditor : public PlaybackFixture {
protected:
    void open(int resolution = 96, int beats = 4, int transposition = 0, bool marks = false)
    {
        ASSERT_TRUE(doc.EnsureSongTrack());
        request = ImportEditRequest{tracks.span(), resolution, beats, transposition, marks, &view->playback().port(), &clock,
                                    doc.songTrack(), {}};
        dialog = std::make_unique<ImportEditDialog>(request);
        ASSERT_GT(dialog->Start(), 0);
        dialog->resize(900, 600);
        dialog->show();
        canvas = dialog->canvas();
        toolkit.virtualDevice().clear();
    }

    ImportRollState& roll() { return dialog->editor().state(); }

    template <class W>
    W* child(const char* name)
    {
        W* found = dialog->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void press(const char* name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }

    QPoint at(int i)
    {
        const ImportRollNote& note = roll().notes[static_cast<std::size_t>(i)];
        return {note.left - canvas->scrollX() + 1, note.top + 1};
    }

    void click(int i, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(canvas, Qt::LeftButton, modifiers, at(i));
    }

    void move(QPoint to, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(to), QPointF(canvas->mapToGlobal(to)), Qt::NoButton, buttons,
                          modifiers);
        QApplication::sendEvent(canvas, &event);
    }

    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(canvas, Qt::LeftButton, modifiers, from);
        move(to, Qt::LeftButton, modifiers);
        QTest::mouseRelease(canvas, Qt::LeftButton, modifiers, to);
    }

    void run(std::chrono::milliseconds span)
    {
        for (auto t = 0ms; t < span; t += 10ms) {
            toolkit.advance(10ms);
            toolkit.dispatchNotices();
            dialog->OnPlayTimer();
        }
    }

    std::vector<int> struckKeys()
    {
        std::vector<int> keys;
        for (const VirtualDevice::Sent& sent : toolkit.virtualDevice().sent()) {
            if ((sent.bytes[0] & 0xF0) == kNoteOn && sent.bytes[2] > 0) {
                keys.push_back(sent.bytes[1]);
            }
        }
        return keys;
    }

    RollTracks tracks;
    ImportEditRequest request;
    std::unique_ptr<ImportEditDialog> dialog;
    ImportRollCanvas* canvas = nullptr;
};

TEST_F(ImportEditor, ShowsItsControlsInTheProgramsLanguage)
{
    tracks.add({{0, 64}});
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Midi data for import"));
    EXPECT_EQ(child<QPushButton>("octaveUp")->text(), QStringLiteral("Oct. Up"));
    EXPECT_EQ(child<QPushButton>("deleteDuplicates")->text(), QStringLiteral("Del. overlapped"));
    EXPECT_EQ(child<QPushButton>("cancel")->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(child<QRadioButton>("allNotes")->isChecked());
    EXPECT_EQ(child<QComboBox>("transposition")->count(), 25);
    EXPECT_EQ(child<QComboBox>("transposition")->currentText(), QStringLiteral("0"));
    EXPECT_EQ(child<QComboBox>("timeSignature")->currentText(), QStringLiteral("4"));
    EXPECT_EQ(child<QLabel>("counts")->text(), QStringLiteral("importable note :  1 \nnon : 0"));
    EXPECT_FALSE(child<QPushButton>("undo")->isEnabled());
}

TEST_F(ImportEditor, SpeaksJapaneseOnAJapaneseSystem)
{
    const Language before = language();
    setLanguage(Language::Japanese);
    tracks.add({{0, 64}, {96, 61}});
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("MIDI　インポートデータの編集"));
    EXPECT_EQ(child<QPushButton>("octaveUp")->text(), QStringLiteral("↑ オクターブ上げる"));
    EXPECT_EQ(child<QPushButton>("cut")->text(), QStringLiteral("切取って詰める"));
    EXPECT_EQ(child<QPushButton>("cancel")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(child<QRadioButton>("canvasNotes")->text(), QStringLiteral("キャンバスの音のみ"));
    EXPECT_EQ(child<QLabel>("counts")->text(), QStringLiteral("取り込める音符 = 1 \n取り込めない音符 = 1"));
    setLanguage(before);
}

TEST_F(ImportEditor, StartsFromTheSettingsGivenAndFallsBackToZeroAndFour)
{
    tracks.add({{0, 64}});
    open(96, 3, -5);
    EXPECT_EQ(child<QComboBox>("transposition")->currentText(), QStringLiteral("-5"));
    EXPECT_EQ(child<QComboBox>("timeSignature")->currentText(), QStringLiteral("3"));
    open(96, 6, 40);
    EXPECT_EQ(child<QComboBox>("transposition")->currentText(), QStringLiteral("0"));
    EXPECT_EQ(child<QComboBox>("timeSignature")->currentText(), QStringLiteral("4"));
}

TEST_F(ImportEditor, DeletesTheSecondOfTwoEqualNotesAndSaysSo)
{
    tracks.add({{480, 64}, {960, 66}});
    tracks.add({{480, 64}});
    open(480);
    press("deleteDuplicates");
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("1 note is overlapped.  It's deleted."));
    EXPECT_EQ(roll().notes[2].left, kRollDeleted);
    EXPECT_EQ(roll().notes[2].trackIndex, 1);
    EXPECT_TRUE(child<QPushButton>("undo")->isEnabled());
    press("deleteDuplicates");
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("No overlapped note"));
    press("undo");
    EXPECT_TRUE(roll().notes[2].isLive());
    EXPECT_FALSE(child<QPushButton>("undo")->isEnabled());
}

TEST_F(ImportEditor, OctaveUpTwiceOn120Writes127OnOk)
{
    MidiTrack& track = tracks.add({{0, 120}, {96, 64}});
    open();
    click(0);
    EXPECT_EQ(roll().selectedCount, 1);
    press("octaveUp");
    EXPECT_TRUE(dialog->OnCommand(cmd::kRollOctaveUp));
    press("ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(track.Event(0)->data1, 127);
    EXPECT_EQ(track.Event(2)->data1, 64);
    const ImportEditOutcome outcome = dialog->outcome();
    EXPECT_TRUE(outcome.accepted);
    EXPECT_TRUE(outcome.marksWritten);
}

TEST_F(ImportEditor, CancelWritesNothing)
{
    MidiTrack& track = tracks.add({{0, 120}, {96, 64}, {96, 64}});
    const std::vector<MidiEvent> before(track.EventArray().begin(), track.EventArray().begin() + track.Count());
    open();
    press("selectAll");
    press("octaveDown");
    press("deleteDuplicates");
    child<QComboBox>("transposition")->setCurrentIndex(0);
    press("cancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    const std::vector<MidiEvent> after(track.EventArray().begin(), track.EventArray().begin() + track.Count());
    EXPECT_EQ(after, before);
    EXPECT_FALSE(dialog->outcome().accepted);
    EXPECT_FALSE(dialog->outcome().marksWritten);
    EXPECT_EQ(dialog->outcome().transposition, 0);
}

TEST_F(ImportEditor, CutsTheBarsOfTheSelectedNotesAndLocksTheTimeSignature)
{
    // At 16 ticks per quarter a tick is a pixel: the notes sit at x 40, 100 and 210.
    tracks.add({{30, 64}, {90, 66}, {200, 69}});
    open(16);
    click(0);
    click(1, Qt::ShiftModifier);
    EXPECT_EQ(roll().selectedCount, 2);
    press("cut");
    EXPECT_EQ(roll().notes[0].left, kRollCut);
    EXPECT_EQ(roll().notes[1].left, kRollCut);
    EXPECT_EQ(roll().notes[2].left, 210 - 128);
    EXPECT_FALSE(child<QComboBox>("timeSignature")->isEnabled());
    press("undo");
    EXPECT_EQ(roll().notes[2].left, 210);
    EXPECT_TRUE(child<QComboBox>("timeSignature")->isEnabled());
    // Nothing selected: the bar under the last dragged band goes.
    drag(QPoint(150, 20), QPoint(170, 40));
    EXPECT_EQ(roll().selectedCount, 0);
    press("cut");
    EXPECT_EQ(roll().notes[2].left, 210 - 64);
    EXPECT_EQ(roll().notes[1].left, 100);
}

TEST_F(ImportEditor, BandSelectsShiftBandToggles)
{
    tracks.add({{0, 64}, {96, 64}, {192, 64}});
    open();
    const QPoint a = at(0);
    const QPoint b = at(1);
    drag(a - QPoint(3, 3), b + QPoint(4, 4));
    EXPECT_EQ(roll().selectedCount, 2);
    drag(b - QPoint(3, 3), at(2) + QPoint(4, 4), Qt::ShiftModifier);
    EXPECT_EQ(roll().notes[0].selected, 1);
    EXPECT_EQ(roll().notes[1].selected, 0);
    EXPECT_EQ(roll().notes[2].selected, 1);
    click(0, Qt::ShiftModifier);
    EXPECT_EQ(roll().notes[0].selected, 0);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(500, 5));
    EXPECT_EQ(roll().selectedCount, 0);
}

TEST_F(ImportEditor, ABandKeepsItsStartWhenTheRollScrollsUnderIt)
{
    tracks.add({{0, 64}, {96, 64}, {96 * 400, 64}});
    open();
    const QPoint start = at(0) - QPoint(3, 3);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, start);
    const QPoint edge(canvas->width() - 1, at(1).y() + 4);
    for (int i = 0; i < 3; ++i) {
        move(edge, Qt::LeftButton, Qt::NoModifier);
    }
    ASSERT_GT(canvas->scrollX(), 0);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, edge);
    // Both notes lie between the press, where the roll was, and the release.
    EXPECT_EQ(roll().notes[0].selected, 1);
    EXPECT_EQ(roll().notes[1].selected, 1);
    EXPECT_EQ(roll().notes[2].selected, 0);
}

TEST_F(ImportEditor, TranspositionAndTimeSignatureRedrawTheCounts)
{
    tracks.add({{0, 61}, {96, 64}});
    open();
    EXPECT_EQ(child<QLabel>("counts")->text(), QStringLiteral("importable note :  1 \nnon : 1"));
    QComboBox* transposition = child<QComboBox>("transposition");
    transposition->setCurrentIndex(transposition->findText(QStringLiteral("-1")));
    EXPECT_EQ(roll().transposition, -1);
    EXPECT_EQ(child<QLabel>("counts")->text(), QStringLiteral("importable note :  2 \nnon : 0"));
    QComboBox* beats = child<QComboBox>("timeSignature");
    beats->setCurrentIndex(beats->findText(QStringLiteral("3")));
    EXPECT_EQ(roll().beatsPerBar, 3);
    press("ok");
    EXPECT_EQ(dialog->outcome().transposition, -1);
    EXPECT_EQ(dialog->outcome().beatsPerBar, 3);
}

TEST_F(ImportEditor, PlaysAllNotesOrOnlyTheCanvasOnes)
{
    tracks.add({{0, 64}, {96, 61}, {192, 62}});
    open();
    press("play");
    ASSERT_TRUE(dialog->playing());
    EXPECT_FALSE(child<QPushButton>("undo")->isEnabled());
    EXPECT_FALSE(dialog->CommandEnabled(cmd::kRollUndo));
    run(3000ms);
    EXPECT_EQ(struckKeys(), (std::vector<int>{64, 61, 62}));
    EXPECT_FALSE(dialog->playing()) << "the end of the roll stops the playback";

    toolkit.virtualDevice().clear();
    QTest::mouseClick(child<QRadioButton>("canvasNotes"), Qt::LeftButton);
    press("play");
    run(3000ms);
    EXPECT_EQ(struckKeys(), (std::vector<int>{64, 62}));
}

TEST_F(ImportEditor, ThePlayLineMovesAndStopClearsIt)
{
    tracks.add({{0, 64}, {96 * 16, 64}});
    open();
    press("play");
    run(1000ms);
    ASSERT_TRUE(canvas->playLine().has_value());
    // Two quarter notes at 120 beats per minute: 32 pixels from the start.
    EXPECT_NEAR(*canvas->playLine(), 32, 2);
    press("stop");
    EXPECT_FALSE(dialog->playing());
    EXPECT_FALSE(canvas->playLine().has_value());
}

TEST_F(ImportEditor, CtrlShiftDragPlaysTheRangeAndAClickWhilePlayingRestarts)
{
    tracks.add({{0, 64}, {96, 65}, {192, 67}, {288, 69}});
    open();
    const QPoint second = at(1);
    drag(second - QPoint(2, 2), at(2) + QPoint(2, 2), Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(dialog->playing());
    EXPECT_EQ(dialog->playStartX(), second.x() - 2);
    EXPECT_EQ(roll().selectedCount, 0);
    run(3000ms);
    EXPECT_EQ(struckKeys(), (std::vector<int>{65, 67}));

    press("play");
    toolkit.virtualDevice().clear();
    // The notes are at x 10, 26, 42 and 58; a click at 40 plays from the quarter at 32.
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(40, 380));
    EXPECT_TRUE(dialog->playing());
    EXPECT_EQ(dialog->playStartX(), 32);
    run(3000ms);
    EXPECT_EQ(struckKeys(), (std::vector<int>{67, 69}));
}

TEST_F(ImportEditor, ScrollBarWheelAndEdgesScrollTheRoll)
{
    tracks.add({{0, 64}, {96 * 400, 64}});
    open();
    QScrollBar* bar = child<QScrollBar>("scroll");
    const int width = canvas->width();
    EXPECT_EQ(bar->singleStep(), width / 10);
    EXPECT_EQ(bar->pageStep(), width * 8 / 10);
    EXPECT_EQ(bar->maximum(), 400 * 16 + 20 - width);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(canvas->scrollX(), width / 10);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(canvas->scrollX(), width / 10 + width * 8 / 10);

    QWheelEvent wheel(QPointF(100, 100), QPointF(canvas->mapToGlobal(QPoint(100, 100))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    EXPECT_EQ(canvas->scrollX(), 2 * (width / 10) + width * 8 / 10);
    EXPECT_EQ(bar->value(), canvas->scrollX());

    const int before = canvas->scrollX();
    for (int i = 0; i < 3; ++i) {
        move(QPoint(width - 1, 100), Qt::NoButton, Qt::NoModifier);
    }
    EXPECT_EQ(canvas->scrollX(), before + width / 10);
    for (int i = 0; i < 3; ++i) {
        move(QPoint(0, 100), Qt::NoButton, Qt::NoModifier);
    }
    EXPECT_EQ(canvas->scrollX(), before);
}

TEST_F(ImportEditor, PaintsNotesByScaleAndSelectionAndMagnifiesWithCtrl)
{
    tracks.add({{0, 64}, {96, 61}});
    open();
    const ImportRollPainter::Colours& colours = canvas->painter().colours();
    QImage shot = canvas->grab().toImage();
    EXPECT_EQ(shot.pixelColor(at(0)), colours.onScale);
    EXPECT_EQ(shot.pixelColor(at(1)), colours.offScale);
    click(0);
    shot = canvas->grab().toImage();
    EXPECT_EQ(shot.pixelColor(at(0)), colours.selectedOnScale);

    // Ctrl over the roll: a square at the pointer shows the scale-2 roll, whose notes are 6 wide.
    const ImportRollNote& zoomed = roll().zoomNotes[1];
    const QPoint pointer(200, 150);
    move(pointer, Qt::NoButton, Qt::ControlModifier);
    EXPECT_EQ(canvas->magnifierRect(), QRect(pointer, QSize(120, 120)));
    move(QPoint((zoomed.left + 120) / 2 + 1, (zoomed.top + 120) / 2 - 10), Qt::NoButton, Qt::ControlModifier);
    const QRect lens = canvas->magnifierRect();
    shot = canvas->grab().toImage();
    const QPoint noteInLens = lens.topLeft() + QPoint(zoomed.left - (2 * lens.left() - 120),
                                                      zoomed.top - (2 * lens.top() - 120));
    EXPECT_EQ(shot.pixelColor(noteInLens + QPoint(4, 4)), colours.offScale);
    EXPECT_NE(shot.pixelColor(noteInLens + QPoint(7, 4)), colours.offScale);
    move(pointer, Qt::NoButton, Qt::NoModifier);
    EXPECT_TRUE(canvas->magnifierRect().isEmpty());
}

TEST_F(ImportEditor, AFileWithoutNotesIsReportedAndCancelled)
{
    MidiTrack& track = tracks.add({});
    track.Append(MidiEvent{0, kProgramChange, 10, 0, 0});
    ASSERT_TRUE(doc.EnsureSongTrack());
    const ImportEditOutcome outcome =
        RunImportEditor(nullptr, ImportEditRequest{tracks.span(), 96, 4, 0, false, &view->playback().port(), &clock, nullptr, {}});
    EXPECT_FALSE(outcome.accepted);
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_EQ(scripted->messages()[0], QStringLiteral("Warning! non of  note in this file."));
    for (const auto& asked : scripted->asked()) {
        EXPECT_NE(asked.kind, ScriptedPrompts::Asked::Kind::Dialog);
    }
}

TEST_F(ImportEditor, RunsThroughThePromptsAndReturnsTheOutcome)
{
    MidiTrack& track = tracks.add({{0, 64}, {0, 64}});
    scripted->pushDialog([](QDialog& d) {
        auto& editor = static_cast<ImportEditDialog&>(d);
        QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("deleteDuplicates")), Qt::LeftButton);
        QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        return editor.result();
    });
    const ImportEditOutcome outcome =
        RunImportEditor(nullptr, ImportEditRequest{tracks.span(), 96, 4, 2, false, &view->playback().port(), &clock, nullptr, {}});
    EXPECT_TRUE(outcome.accepted);
    EXPECT_TRUE(outcome.marksWritten);
    EXPECT_EQ(outcome.transposition, 2);
    // Both strikes come first, then their releases: the second strike is the deleted one.
    EXPECT_EQ(track.Event(0)->data1, 64);
    EXPECT_EQ(track.Event(1)->data1, kDeletionMarkKey);
}

} // namespace
} // namespace zembra
