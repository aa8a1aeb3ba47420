#pragma once

#include "canvas/crank_turn.h"

#include <QObject>

namespace zembra {

class CKelpView;
class PlaybackController;
class RecordingController;

// Play > Crank: the card moves only while the user turns — the mouse wheel over the canvas, the
// Down and Up keys, or any control change on the MIDI input in use — and the holes sound as they
// pass the comb. Nothing here waits: every step is one call from an event, and between steps the
// program is simply idle.
class CrankController : public QObject {
    Q_OBJECT

public:
    CrankController(CKelpView& view, PlaybackController& playback, RecordingController& recorder);

    void Begin();
    void End();
    // The Play > Crank item: begins, or ends what is going on.
    void Toggle();
    bool active() const { return m_active; }
    // Turns the card `steps` steps (negative: back).
    void Turn(int steps);
    // A wheel's angle (120 a notch; towards the user, negative, turns forward). True when taken.
    bool Wheel(int angleDelta);
    // Down turns forward, Up back, Escape ends. True when taken.
    bool Key(int key);
    double position() const { return m_turn.position(); }
    // The cursor: drawn while cranking and on the canvas; its client and canvas x.
    bool cursorShown() const { return m_active && m_cursorShown; }
    int cursorX() const { return m_cursorX; }
    int cursorCanvasX() const { return m_cursorCanvasX; }

signals:
    void stateChanged();

private:
    void FollowCursor();

    CKelpView& m_view;
    PlaybackController& m_playback;
    CrankTurn m_turn;
    bool m_active = false;
    int m_wheelRest = 0;
    bool m_cursorShown = false;
    int m_cursorX = 0;
    int m_cursorCanvasX = 0;
};

} // namespace zembra
