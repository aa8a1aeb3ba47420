#include "canvas/crank_controller.h"

#include "canvas/kelp_view.h"
#include "canvas/playback_controller.h"
#include "canvas/recording_controller.h"
#include "model/canvas_geometry.h"
#include "model/crank.h"
#include "services/paint_device_metrics.h"

#include <cmath>

namespace zembra {

namespace {

// One notch of a mouse wheel, in the eighths of a degree Qt counts.
constexpr int kWheelNotch = 120;

} // namespace

CrankController::CrankController(CKelpView& view, PlaybackController& playback, RecordingController& recorder)
    : m_view(view)
    , m_playback(playback)
{
    connect(&recorder, &RecordingController::controlChanged, this, [this] { Turn(1); });
    // Playing by the clock (a range dragged out with the mouse, say) takes over from the hand.
    connect(&playback, &PlaybackController::stateChanged, this, [this] {
        if (m_active && m_playback.playing()) {
            End();
        }
    });
}

void CrankController::Begin()
{
    if (m_active || m_playback.playing()) {
        return;
    }
    const SongState& song = m_view.song();
    const double barMm = PrintedBarMm(song, CheckMetrics(), song.barLengthMm, song.printOptions.fitSongToCard != 0);
    const double step = CrankTurn::StepPixels(song, barMm);
    if (step <= 0 || song.noteCount < 1) {
        return;
    }
    m_turn.Begin(0, step);
    m_wheelRest = 0;
    m_active = true;
    m_playback.SendMusicBoxProgram();
    m_view.setScrollX(0);
    m_view.setFocus(Qt::OtherFocusReason);
    FollowCursor();
    emit stateChanged();
}

void CrankController::End()
{
    if (!m_active) {
        return;
    }
    m_active = false;
    m_cursorShown = false;
    m_view.viewport()->update();
    emit stateChanged();
}

void CrankController::Toggle()
{
    if (m_active) {
        End();
    } else {
        Begin();
    }
}

void CrankController::Turn(int steps)
{
    if (!m_active || steps == 0) {
        return;
    }
    const SongState& song = m_view.song();
    for (int slot : m_turn.Turn(song, steps)) {
        m_playback.PreviewNote(song.notes[static_cast<std::size_t>(slot)]);
    }
    if (m_turn.RunOut(song)) {
        // The card has run through the box.
        End();
        return;
    }
    FollowCursor();
}

bool CrankController::Wheel(int angleDelta)
{
    if (!m_active) {
        return false;
    }
    // Fine-grained wheels and touch pads send parts of a notch: a step is taken once a whole
    // notch has gathered.
    m_wheelRest += angleDelta;
    const int notches = m_wheelRest / kWheelNotch;
    m_wheelRest -= notches * kWheelNotch;
    Turn(-notches);
    return true;
}

bool CrankController::Key(int key)
{
    if (!m_active) {
        return false;
    }
    switch (key) {
    case Qt::Key_Down:
        Turn(1);
        return true;
    case Qt::Key_Up:
        Turn(-1);
        return true;
    case Qt::Key_Escape:
        End();
        return true;
    default:
        return false;
    }
}

void CrankController::FollowCursor()
{
    const SongState& song = m_view.song();
    const int canvasX = static_cast<int>(std::floor(m_turn.position()));
    int c = CanvasToClientX(canvasX, m_view.scrollX());
    const int clientWidth = m_view.viewport()->width();
    // The card scrolls on as the cursor nears the right edge, or when it was turned back off the left.
    if (c > (clientWidth - 40) * 98 / 100 || c < CanvasToClientX(0, 0)) {
        m_view.setScrollX(std::max(0, canvasX - song.pixelsPerQuarter));
        c = CanvasToClientX(canvasX, m_view.scrollX());
    }
    m_cursorCanvasX = canvasX;
    m_cursorX = c;
    m_cursorShown = c < CanvasToClientX(song.canvasWidth, m_view.scrollX());
    m_view.viewport()->update();
}

} // namespace zembra
