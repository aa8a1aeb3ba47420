#pragma once

#include "model/song_state.h"

#include <vector>

namespace zembra {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
};

// The new left edge of a note when a selection is scaled about `anchor`: the factor is
// (x - anchor) / span in single precision, the distance is truncated toward zero.
int ScaledLeft(int left, int anchor, int span, int x);

// The rules of mouse editing on the canvas. The song changes only at the release: presses record,
// moves only describe a preview.
class MouseEditor {
public:
    struct PreviewTile {
        int left = 0; // canvas
        int top = 0;
        bool selectedLook = false;
    };

    struct Preview {
        enum class Kind { None, Notes, Band } kind = Kind::None;
        std::vector<PreviewTile> tiles;
        // The finest note value the dragged note's would-be left lies on, 0 for none, and where.
        int noteValue = 0;
        int labelLeft = 0;
        int labelTop = 0;
        Point bandFrom; // client
        Point bandTo;
        // What the X and Y panes show: canvas x and y - 50.
        Point pane;
    };

    struct ReleaseOutcome {
        bool wasPressed = false;
        bool snapshot = false;
        bool rangePlay = false;
        int rangeFrom = 0;
        int rangeTo = 0;
        // Notes pushed off the canvas by a shift after drag.
        int shiftedOff = 0;
        // A release that ended no press: the modes were cleared and the output should fall silent.
        bool modesCleared = false;
    };

    // Right-button release: a new unselected note in the band under the point, snapped and
    // normalised. The slot, or kNoFreeSlot when the store is full (nothing changes then).
    static int CreateNote(SongState& song, Point canvas);

    void Press(SongState& song, Point canvas, Point client, Modifiers modifiers, int scrollX);
    // The preview for a mouse move while pressed; Kind::None when the point has not moved since
    // the last preview.
    Preview Move(const SongState& song, Point canvas, Point client);
    // A release that ends no press also asks for the snapshot of a pending arrow move and clears
    // `arrowMovePending`. A pending arrow move the caller records itself before the press: the
    // move and the click or drag are two undo steps, and the press already changes the selection.
    ReleaseOutcome Release(SongState& song, Point canvas, Point client, bool& arrowMovePending);
    // Ends a press without applying it (a command ran meanwhile); the paste anchor stays.
    void CancelPress();

    bool pressed() const { return m_pressed; }
    bool zoomDrag() const { return m_zoomDrag; }
    int hitIndex() const { return m_hitIndex; }
    int zoomAnchor() const { return m_zoomAnchor; }
    int zoomSpan() const { return m_zoomSpan; }
    Point pressPoint() const { return m_pressPoint; }
    // The canvas x of the last release on the canvas: where the next paste puts its leftmost note.
    int pasteAnchorX() const { return m_releasePoint.x; }
    void setPasteAnchorX(int x) { m_releasePoint.x = x; }
    // The bounding box of the selection being scaled, in canvas pixels.
    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    Box zoomBox() const { return m_zoomBox; }

    int hoverIndex = -1;

private:
    bool PrepareScaling(const SongState& song);
    void ApplyDrag(SongState& song);
    void ApplyScaling(SongState& song, int x);
    void SelectInBand(SongState& song, bool toggle);
    int ShiftAfterDrag(SongState& song);

    bool m_pressed = false;
    bool m_pressOnNote = false;
    bool m_zoomDrag = false;
    bool m_additive = false;
    bool m_ctrl = false;
    int m_hitIndex = -1;
    int m_selectedAtPress = 0;
    Point m_pressPoint;
    Point m_pressClient;
    Point m_releasePoint;
    Point m_releaseClient;
    Point m_lastMove;
    int m_zoomAnchor = 0;
    int m_zoomSpan = 0;
    Box m_zoomBox;
};

} // namespace zembra
