#pragma once

#include "monkey_dice.h"

#include <QPoint>
#include <Qt>

#include <map>
#include <string>
#include <string_view>

class QWidget;

namespace zembra {
class CKelpDoc;
class CKelpView;
class CMainFrame;
} // namespace zembra

namespace zembra::monkey {

class StepWatchdog;

// The hands of the exerciser: the real window with its view, the mouse and keys as a person
// holds them (a left button may stay down across steps), and the event loop the steps pump.
class MonkeyRig {
public:
    // unmasked: variants run although masked ("1" or "all" for every one, else names joined by commas).
    MonkeyRig(MonkeyDice& dice, CMainFrame& frame, CKelpView& view, CKelpDoc& doc, std::string unmasked);

    MonkeyDice& dice() { return m_dice; }
    CMainFrame& frame() { return m_frame; }
    CKelpView& view() { return m_view; }
    CKelpDoc& doc() { return m_doc; }

    // A client point of the canvas: mostly on the row band, often on a note, now and then
    // outside the window.
    QPoint RandomPoint();
    QPoint NearPoint(const QPoint& from);
    // On the note in the highest live slot, most often the newest one (the one an Undo takes
    // away); a random point when there is none.
    QPoint OnNewestNote();
    Qt::KeyboardModifiers RandomModifiers();

    void Press(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Move(const QPoint& to, Qt::KeyboardModifiers modifiers);
    void Release(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Key(int key, Qt::KeyboardModifiers modifiers);
    bool leftHeld() const { return (m_buttons & Qt::LeftButton) != 0; }
    // The left button went down on the canvas while idle, so the view took it as a press.
    bool pressTaken() const { return m_pressTaken; }
    const QPoint& pressPoint() const { return m_pressPoint; }
    // At the press: its canvas x, and whether it started a range playback drag (Shift or the
    // toggle-select mode, Ctrl or the zoom mode, on empty canvas).
    int pressCanvasX() const { return m_pressCanvasX; }
    bool pressStartsRange() const { return m_pressStartsRange; }
    bool pressOnNote() const { return m_pressOnNote; }
    // The undo counter just before the press: a pending arrow move may take its snapshot at the
    // press or at the release, the click or drag its own at the release.
    int undoCounterAtPress() const { return m_undoCounterAtPress; }
    // Selected notes were moved with the arrow keys and nothing since has taken their snapshot
    // for certain (the exerciser only keeps the mark across gestures that cannot take it).
    bool arrowMovePending() const { return m_arrowMovePending; }
    void setArrowMovePending(bool pending) { m_arrowMovePending = pending; }

    // Runs the event loop: whatever is pending now, or for a while when ms > 0 (timers fire,
    // playback moves on, notices arrive). Never sleeps.
    void Pump(int ms);
    // Paints the window now, as the screen would, so that the store is tidied and recounted.
    void Settle();

    // A variant of a gesture that meets a fault being mended elsewhere: true when the run skips it.
    bool Masked(std::string_view variant);
    const std::map<std::string, long>& maskedCounts() const { return m_masked; }
    // What the step did beyond its name, for the report of a failure (the watchdog's too).
    void Note(const std::string& text);
    void setWatchdog(StepWatchdog* watchdog) { m_watchdog = watchdog; }
    void AllowLongStep();
    // Carries out a command as its menu item does: a disabled one does nothing.
    void RunCommand(int id);
    // A command or key ran while the left button was held: such commands may end the press
    // (the button-pressed flag is cleared), so the release may count as one without a press.
    void MarkPressInterrupted()
    {
        if (leftHeld()) {
            m_pressInterrupted = true;
        }
    }
    bool pressInterrupted() const { return m_pressInterrupted; }
    const std::string& note() const { return m_note; }
    // A broken rule that only the gesture itself can see.
    void Fail(std::string text) { m_failure = std::move(text); }
    std::string TakeFailure() { return std::exchange(m_failure, {}); }
    void BeginStep(const char* gesture);

    // Canvas helpers over the view's song.
    int ToCanvasX(int clientX) const;
    bool AnyNoteBetween(int fromX, int toX) const;

private:
    void SendMouse(int type, const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

    MonkeyDice& m_dice;
    CMainFrame& m_frame;
    CKelpView& m_view;
    CKelpDoc& m_doc;
    const std::string m_unmasked;
    Qt::MouseButtons m_buttons = Qt::NoButton;
    QPoint m_last;
    bool m_pressTaken = false;
    QPoint m_pressPoint;
    int m_pressCanvasX = 0;
    bool m_pressStartsRange = false;
    bool m_pressOnNote = false;
    int m_undoCounterAtPress = 0;
    bool m_arrowMovePending = false;
    bool m_pressInterrupted = false;
    std::map<std::string, long> m_masked;
    std::string m_gesture;
    std::string m_note;
    StepWatchdog* m_watchdog = nullptr;
    std::string m_failure;
};

} // namespace zembra::monkey
