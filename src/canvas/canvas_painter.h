#pragma once

#include "canvas/canvas_palette.h"
#include "canvas/mouse_editor.h"
#include "model/too_close.h"
#include "model/key_names.h"
#include "model/song_state.h"

#include <QImage>

class QPainter;

namespace zembra {

// What one paint of the canvas reads. A step that needs more of the program's state (the hole
// check's list, the key of an imported file) gets it through a field here, so that the view
// stays the only one who knows where that state lives.
struct CanvasScene {
    const SongState& song;
    const KeyNames& keyNames;
    int scrollX = 0;
    // The too-close check's sorted notes and its distance in canvas pixels, while the check is on.
    const std::vector<HolePair>* checkList = nullptr;
    int minHoleDistance = 0;
};

// Draws the canvas: the steps of a repaint onto the off-screen copy, and the marks that mouse
// work puts over that copy on screen. It reads the song and never changes it; tidying the note
// store, the panes and the sound stay with the view, which calls these steps in their order.
class CanvasPainter {
public:
    // The colours and fonts belong to the view (they follow the system palette); the painter
    // reads them at every paint.
    CanvasPainter(const CanvasPalette& colours, const CanvasFonts& fonts);

    // The steps of a repaint, in the order the view calls them. Every step paints over what the
    // steps before it left, so a new step goes where its marks must lie: under the notes, between
    // the notes and the row names, or over everything.

    // Background, row, beat and bar lines and the bar numbers. `target` is the image `painter`
    // draws on: a pixel on each line is read back and the grid painted again, up to four times,
    // because a busy display may drop lines.
    void PaintGrid(QPainter& painter, const QImage& target, const CanvasScene& scene);
    // The title, the author line and the bar-length scale.
    void PaintTexts(QPainter& painter, const CanvasScene& scene);
    // Under the notes: the pairs of notes on one row that lie too close to sound.
    void PaintCloseHoleMarks(QPainter& painter, const CanvasScene& scene);
    // The live notes as tiles, unselected first; the store must be tidied before.
    void PaintNotes(QPainter& painter, const CanvasScene& scene, int clientWidth);
    // The row names at the left edge, fixed while scrolling, and below them the key of the
    // temporary transposition.
    void PaintRowNames(QPainter& painter, const CanvasScene& scene);
    // The first paint's word on how to make a note.
    void PaintHint(QPainter& painter, const CanvasScene& scene);

    // Over the off-screen copy, on screen.

    // The outline of a selection being scaled, in canvas pixels.
    void PaintZoomBox(QPainter& painter, const MouseEditor::Box& box, int scrollX);
    // The moving tiles with their note-value label, or the rubber band.
    void PaintPreview(QPainter& painter, const MouseEditor::Preview& preview, int scrollX);
    // The note under the mouse: a pressed-in or raised outline and its name above it.
    void PaintHover(QPainter& painter, const NoteRecord& note, const CanvasScene& scene);
    // A note sounded by scrubbing: filled in the note-name colour, its name above it.
    void PaintScrubbed(QPainter& painter, const NoteRecord& note, const CanvasScene& scene);
    // The playback cursor under the beat at client x `clientX`; during the count-in (a negative
    // canvas x) the beats left before the song starts instead.
    void PaintCursor(QPainter& painter, int clientX, int canvasX, int pixelsPerQuarter);

    // The palette changed: make the tiles afresh at the next paint of the notes.
    void ForgetTiles() { m_tile = QImage(); }

private:
    bool PaintGridPass(QPainter& painter, const QImage& target, const CanvasScene& scene);
    QImage TileImage(const SongState& song, bool selected) const;
    void DrawTile(QPainter& painter, const NoteRecord& note, bool selected, int scrollX, int clientWidth);
    void DrawNoteName(QPainter& painter, const NoteRecord& note, int scrollX);

    const CanvasPalette& m_colours;
    const CanvasFonts& m_fonts;
    QImage m_tile;
    QImage m_selectedTile;
    QColor m_tileColours;
};

} // namespace zembra
