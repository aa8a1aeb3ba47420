#pragma once

#include "model/canvas_geometry.h"
#include "canvas/arrange_controller.h"
#include "canvas/canvas_painter.h"
#include "canvas/canvas_palette.h"
#include "canvas/command_state.h"
#include "canvas/crank_controller.h"
#include "canvas/edit_controller.h"
#include "canvas/import_controller.h"
#include "canvas/mouse_editor.h"
#include "canvas/playback_controller.h"
#include "canvas/recording_controller.h"
#include "model/too_close.h"
#include "model/key_names.h"
#include "model/occupancy_grid.h"
#include "model/song_state.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>

#include <array>
#include <vector>

namespace zembra {

// Status bar panes the view writes, by their place in the status bar.
enum StatusPane {
    kPaneMessage = 0,
    kPaneX = 1,
    kPaneY = 2,
    kPaneNoteCount = 3,
    kPaneDistanceCheck = 4,
    kPaneTempo = 5,
    kPaneKey = 6,
    kPaneCount = 11,
};

class CanvasDocument;
class InputDeviceMenu;
class OutputDeviceMenu;
class SyncClock;

// A number as the status bar panes show it.
QString PaneNumber(int value);

// The canvas: paints the rows of the song's box by beats and bars and holds the song itself. It
// scrolls sideways through the song, and downwards only when its client is too short for the
// rows. Playback,
// recording and import are controllers it owns; the view turns events into their calls.
class CKelpView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CKelpView(QWidget* parent = nullptr);
    ~CKelpView() override;

    SongState& song() { return m_song; }
    const SongState& song() const { return m_song; }
    const OccupancyGrid& occupancy() const { return m_grid; }

    // A new song: the record and everything the view keeps beside it.
    void ResetSong();
    // Recomputes the canvas width and the scroll range from the song's grid.
    void UpdateScrollSizes();
    // Asks for a full repaint, which also tidies the note store.
    void Repaint();
    // Paints the client area into the off-screen copy now (the paint event shows that copy).
    void PaintOffscreen();
    const QImage& offscreen() const { return m_offscreen; }

    int scrollX() const;
    void setScrollX(int x);
    // How far the canvas is scrolled down: 0 whenever every row fits.
    int scrollY() const;
    QString paneText(int pane) const { return m_panes[static_cast<std::size_t>(pane)]; }
    ViewFacts facts() const;
    bool playing() const { return m_playback.playing(); }
    // Set at the first real edit after the song was started, opened or saved.
    bool modified() const { return m_edits.modified(); }

    // The view's creation in the main window: the clock it plays by and the "&Midi" menu the frame
    // built (none in tests); opens the output on the built-in synthesizer and starts a new song.
    void AttachToFrame(SyncClock* clock, OutputDeviceMenu* devices, InputDeviceMenu* inputs);
    // The frame is going: stop playing and forget its clock and document.
    void DetachFromFrame();
    void SetDocument(CanvasDocument* doc) { m_doc = doc; }
    CanvasDocument* document() const { return m_doc; }
    PlaybackController& playback() { return m_playback; }
    const PlaybackController& playback() const { return m_playback; }
    RecordingController& recorder() { return m_recorder; }
    CrankController& crank() { return m_crank; }
    const CrankController& crank() const { return m_crank; }
    ImportController& importer() { return m_importer; }
    EditController& edits() { return m_edits; }
    const EditController& edits() const { return m_edits; }
    MouseEditor& mouse() { return m_mouse; }
    const ImportController& importer() const { return m_importer; }
    ArrangeController& arranger() { return m_arranger; }
    const ArrangeController& arranger() const { return m_arranger; }
    bool recording() const { return m_playback.recording(); }
    std::size_t previewTileCount() const { return m_preview.tiles.size(); }

    // Carries out a command of the view; false when the view has no handler for it.
    bool OnCommand(int commandId);

    // For the controllers: a status pane's text, a press in progress dropped, a new song taken
    // (the mouse starts afresh and the undo ring with it), and a repaint with the commands'
    // availability checked again.
    void SetPane(int pane, const QString& text);
    void ClearPressedFlag();
    // The song on the canvas was replaced: ends a press and the hover and scrub marks.
    void ForgetGestures();
    void TakeNewSong();
    void Refresh();

signals:
    void paneChanged(int pane, const QString& text);
    // Something that decides the availability of commands may have changed.
    void stateChanged();
    // The song changed: a gesture or command ended in an undo step, an undo or redo was made, or
    // a change the undo ring does not hold (the tempo) marked the song modified.
    void songEdited();
    // The first paint is done: time for the start-up splash.
    void splashRequested();
    // The song's box has another number of rows: the band is taller or shorter by their height.
    void rowCountChanged(int oldRows, int newRows);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // One repaint onto the off-screen copy: the painter's steps, with the tidying of the note
    // store, the panes and the sound in between.
    void Paint(QPainter& painter);
    CanvasScene Scene() const;
    void PaintOverlay(QPainter& painter);
    Point ToCanvas(const QPoint& client) const;
    void Hover(const QPoint& client, Qt::KeyboardModifiers modifiers);
    void WritePanes();
    // Tells of a new number of rows and sets the downward scrolling for it.
    void FollowRowCount();
    void UpdateVerticalRange();
    // The off-screen copy holds every row: the client, or taller when the canvas scrolls down.
    QSize OffscreenSize() const;
    // The hole-spacing check's marks; its count for the pane.
    int DrawTooClose(QPainter& painter);

    SongState m_song;
    OccupancyGrid m_grid;
    KeyNames m_keyNames;
    CanvasPalette m_colours;
    CanvasFonts m_fonts;
    CanvasPainter m_painter{m_colours, m_fonts};
    QImage m_offscreen;
    std::array<QString, kPaneCount> m_panes;
    bool m_firstPaint = true;
    bool m_needsFullPaint = true;
    int m_shownRows = kDefaultRowCount;
    CanvasDocument* m_doc = nullptr;
    PlaybackController m_playback{*this};
    RecordingController m_recorder{*this, m_playback};
    CrankController m_crank{*this, m_playback, m_recorder};
    ImportController m_importer{*this};
    EditController m_edits{*this};
    ArrangeController m_arranger{*this};
    MouseEditor m_mouse;
    MouseEditor::Preview m_preview;
    std::vector<int> m_scrubSlots;
    std::vector<HolePair> m_checkList;
};

} // namespace zembra
