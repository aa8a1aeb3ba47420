#include "monkey_rig.h"

#include "app/context_help_mode.h"

#include "app/main_frame.h"
#include "model/canvas_geometry.h"
#include "canvas/kelp_view.h"
#include "monkey_gestures.h"
#include "step_watchdog.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest/QTest>

#include <algorithm>

namespace zembra::monkey {

MonkeyRig::MonkeyRig(MonkeyDice& dice, CMainFrame& frame, CKelpView& view, CKelpDoc& doc, std::string unmasked)
    : m_dice(dice)
    , m_frame(frame)
    , m_view(view)
    , m_doc(doc)
    , m_unmasked("," + std::move(unmasked) + ",")
{
}

QPoint MonkeyRig::RandomPoint()
{
    const QWidget* port = m_view.viewport();
    const SongState& song = m_view.song();
    // Client y of a canvas y: a box with more rows than the window holds scrolls down.
    const int sy = m_view.scrollY();
    const int roll = m_dice.below(100);
    if (roll < 35 && song.noteCount > 0) {
        // On (or at the edge of) a live note, so that presses hit notes and drags move them.
        const int end = song.UsedEnd();
        for (int tries = 0; tries < 8; ++tries) {
            const int i = m_dice.below(end);
            if (song.IsLive(i)) {
                const NoteRecord& n = song.notes[static_cast<std::size_t>(i)];
                const int x = CanvasToClientX(n.left, m_view.scrollX()) + m_dice.between(0, song.noteWidth);
                return {x, n.top - sy + m_dice.between(0, song.rowHeight)};
            }
        }
    }
    if (roll < 55 && song.pixelsPerQuarter > 0) {
        // On a beat line or just before one: notes that straddle a bar line, clicks exactly on
        // the beat after the last note, snapping at its edges.
        const int firstBeat = m_view.scrollX() / song.pixelsPerQuarter;
        const int beats = std::max(1, port->width() / song.pixelsPerQuarter);
        const int beat = firstBeat + m_dice.below(beats + 1);
        const int offset = m_dice.percent(50) ? 0 : -m_dice.between(1, song.noteWidth);
        const int x = CanvasToClientX(beat * song.pixelsPerQuarter + offset, m_view.scrollX());
        return {x, m_dice.between(kBandTop, song.bandBottom() - 1) - sy};
    }
    if (roll < 95) {
        return {m_dice.between(0, std::max(0, port->width() - 1)),
                m_dice.between(kBandTop - 12, song.bandBottom() + 12) - sy};
    }
    // Anywhere, even off the window: the row labels, above the band, past the edges.
    return {m_dice.between(-40, port->width() + 40), m_dice.between(-20, port->height() + 20)};
}

QPoint MonkeyRig::OnNewestNote()
{
    const SongState& song = m_view.song();
    for (int i = song.UsedEnd() - 1; i >= 0; --i) {
        if (song.IsLive(i)) {
            const NoteRecord& n = song.notes[static_cast<std::size_t>(i)];
            return {CanvasToClientX(n.left, m_view.scrollX()) + m_dice.between(0, song.noteWidth),
                    n.top - m_view.scrollY() + m_dice.between(0, song.rowHeight)};
        }
    }
    return RandomPoint();
}

QPoint MonkeyRig::NearPoint(const QPoint& from)
{
    if (m_dice.percent(15)) {
        return RandomPoint();
    }
    // Steps of a few pixels to a few bars; vertical-only and horizontal-only moves come often.
    const int reach = m_dice.percent(50) ? 12 : 300;
    const int dx = m_dice.percent(20) ? 0 : m_dice.between(-reach, reach);
    const int dy = m_dice.percent(20) ? 0 : m_dice.between(-reach / 2, reach / 2);
    return from + QPoint(dx, dy);
}

Qt::KeyboardModifiers MonkeyRig::RandomModifiers()
{
    constexpr Qt::KeyboardModifiers kMixes[] = {
        Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::ShiftModifier | Qt::ControlModifier,
        Qt::AltModifier, Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier};
    const int roll = m_dice.below(100);
    if (roll < 40) {
        return Qt::NoModifier;
    }
    return kMixes[m_dice.below(static_cast<int>(std::size(kMixes)))];
}

void MonkeyRig::SendMouse(int type, const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QWidget* port = m_view.viewport();
    QMouseEvent event(static_cast<QEvent::Type>(type), QPointF(at), port->mapToGlobal(QPointF(at)), button, m_buttons,
                      modifiers);
    QApplication::sendEvent(port, &event);
    m_last = at;
}

void MonkeyRig::Press(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (button == Qt::LeftButton) {
        m_pressInterrupted = false;
        m_undoCounterAtPress = m_view.edits().undoRing().undoCounter();
        // In context-help mode the click asks for the guide; the canvas sees neither press nor release.
        m_pressTaken = !m_view.playing() && m_view.viewport()->rect().contains(at) && !m_frame.contextHelp().active();
        m_pressPoint = at;
        m_pressCanvasX = ToCanvasX(at.x());
        const SongState& song = m_view.song();
        const bool additive = (modifiers & Qt::ShiftModifier) || song.toggleSelectMode;
        const bool ctrl = (modifiers & Qt::ControlModifier) || song.zoomMode;
        m_pressOnNote = song.HitTest(m_pressCanvasX, at.y() + m_view.scrollY()) >= 0;
        m_pressStartsRange = m_pressTaken && additive && ctrl && !m_pressOnNote;
    }
    m_buttons |= button;
    SendMouse(QEvent::MouseButtonPress, at, button, modifiers);
}

void MonkeyRig::Move(const QPoint& to, Qt::KeyboardModifiers modifiers)
{
    SendMouse(QEvent::MouseMove, to, Qt::NoButton, modifiers);
}

void MonkeyRig::Release(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    m_buttons &= ~Qt::MouseButtons(button);
    SendMouse(QEvent::MouseButtonRelease, at, button, modifiers);
    if (button == Qt::LeftButton) {
        m_pressTaken = false;
    }
}

void MonkeyRig::Key(int key, Qt::KeyboardModifiers modifiers)
{
    // Through the shortcut map first, as a key typed into the window: the frame's accelerators
    // take what they carry and the canvas gets the rest.
    QTest::keyClick(&m_view, static_cast<Qt::Key>(key), modifiers);
}

void MonkeyRig::Pump(int ms)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (ms > 0) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void MonkeyRig::Settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_view.viewport()->repaint();
}

bool MonkeyRig::Masked(std::string_view variant)
{
    if (!IsMaskedUntilMended(variant) || m_unmasked == ",1," || m_unmasked == ",all," ||
        m_unmasked.find("," + std::string(variant) + ",") != std::string::npos) {
        return false;
    }
    ++m_masked[std::string(variant)];
    Note("masked " + std::string(variant));
    return true;
}

void MonkeyRig::AllowLongStep()
{
    if (m_watchdog) {
        m_watchdog->Extend(std::chrono::seconds(60));
    }
}

void MonkeyRig::BeginStep(const char* gesture)
{
    m_gesture = gesture;
    m_note.clear();
}

void MonkeyRig::Note(const std::string& text)
{
    m_note += m_note.empty() ? text : "; " + text;
    if (m_watchdog) {
        m_watchdog->Describe(m_gesture + ": " + m_note);
    }
}

int MonkeyRig::ToCanvasX(int clientX) const
{
    return ClientToCanvasX(clientX, m_view.scrollX());
}

bool MonkeyRig::AnyNoteBetween(int fromX, int toX) const
{
    const SongState& song = m_view.song();
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        const int left = song.notes[static_cast<std::size_t>(i)].left;
        if (song.IsLive(i) && left >= fromX && (toX == 0 || left <= toX)) {
            return true;
        }
    }
    return false;
}

void MonkeyRig::RunCommand(int id)
{
    Note("command " + std::to_string(id) + (leftHeld() ? " while the left button is held" : ""));
    if (QAction* action = m_frame.action(id)) {
        m_frame.updateCommandStates();
        if (action->isEnabled()) {
            MarkPressInterrupted();
        }
        action->trigger();
    }
}

} // namespace zembra::monkey
