#pragma once

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_palette.h"
#include "canvas/command_state.h"
#include "canvas/mouse_editor.h"
#include "canvas/undo_ring.h"
#include "model/key_names.h"
#include "model/occupancy_grid.h"
#include "model/song_state.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>

#include <array>
#include <memory>
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

// The canvas: paints the song's 33 rows by beats and bars and holds the song itself.
class CKelpView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CKelpView(QWidget* parent = nullptr);
    ~CKelpView() override;

    SongState& song() { return m_song; }
    const SongState& song() const { return m_song; }
    const OccupancyGrid& occupancy() const { return m_grid; }
    const KeyNames& keyNames() const { return m_keyNames; }

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
    QString paneText(int pane) const { return m_panes[static_cast<std::size_t>(pane)]; }
    ViewFacts facts() const;
    bool playing() const { return m_playing; }
    // Set at the first real edit after the song was started, opened or saved.
    bool modified() const { return m_undo.modified(); }
    void setModified(bool modified);

    // Records the song as the newest undo step.
    void Snapshot();
    void Undo();
    void Redo();
    const UndoRing& undoRing() const { return m_undo; }
    // Empties the undo ring and makes the current song its first state (after a file lands).
    void RestartUndo();

    bool CopySelection();
    void CutSelection();
    void Paste();
    void DuplicateSelection();
    void ClearSelection();
    void QuantizeCommand(int noteValue);
    void ArrowKey(int qtKey);
    bool arrowMovePending() const { return m_arrowMovePending; }
    const MouseEditor& mouseEditor() const { return m_mouse; }
    std::size_t previewTileCount() const { return m_preview.tiles.size(); }
    // The clipboard holds notes in the program's own format.
    bool clipboardHasNotes() const;

    // Carries out a command of the view; false when the view has no handler for it.
    bool OnCommand(int commandId);

signals:
    void paneChanged(int pane, const QString& text);
    // Something that decides the availability of commands may have changed.
    void stateChanged();
    // The first paint is done: time for the start-up splash.
    void splashRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Paint(QPainter& painter);
    void PaintGrid(QPainter& painter);
    bool PaintGridPass(QPainter& painter);
    void PaintTexts(QPainter& painter);
    void PaintNotes(QPainter& painter);
    void PaintRowNames(QPainter& painter);
    void PaintHint(QPainter& painter);
    void DrawTile(QPainter& painter, const NoteRecord& note, bool selected);
    QImage TileImage(bool selected) const;
    void SetPane(int pane, const QString& text);
    void PaintOverlay(QPainter& painter);
    void DrawNoteName(QPainter& painter, const NoteRecord& note);
    Point ToCanvas(const QPoint& client) const;
    void Hover(const QPoint& client, Qt::KeyboardModifiers modifiers);
    void ClearPressedFlag();
    void AfterEdit(bool snapshot);
    void WritePanes();

    // Hooks into parts that arrive later; they do nothing yet.
    int DrawDistanceCheck(QPainter& painter);
    void MatchClockTempoToSong();
    void SendMusicBoxProgram();
    void ShowSplash();
    void PreviewNote(const NoteRecord& note);
    void SilenceOutput();
    void RestartPlaybackAt(int canvasX);
    void PlayRange(int fromX, int toX);

    SongState m_song;
    OccupancyGrid m_grid;
    KeyNames m_keyNames;
    CanvasPalette m_colours;
    CanvasFonts m_fonts;
    QImage m_offscreen;
    QImage m_tile;
    QImage m_selectedTile;
    QColor m_tileColours;
    std::array<QString, kPaneCount> m_panes;
    bool m_firstPaint = true;
    bool m_needsFullPaint = true;
    bool m_playing = false;
    bool m_recording = false;
    UndoRing m_undo;
    MouseEditor m_mouse;
    MouseEditor::Preview m_preview;
    std::vector<int> m_scrubSlots;
    bool m_arrowMovePending = false;
    bool m_rangePlay = false;
};

} // namespace zembra
