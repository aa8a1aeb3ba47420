#pragma once

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_palette.h"
#include "canvas/command_state.h"
#include "model/key_names.h"
#include "model/occupancy_grid.h"
#include "model/song_state.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>

#include <array>
#include <memory>

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

private:
    void Paint(QPainter& painter);
    void PaintGrid(QPainter& painter);
    bool PaintGridPass(QPainter& painter);
    void PaintTexts(QPainter& painter);
    void PaintNotes(QPainter& painter);
    void PaintRowNames(QPainter& painter);
    void PaintHint(QPainter& painter);
    void DrawTile(QPainter& painter, const NoteRecord& note, bool selected);
    void SetPane(int pane, const QString& text);
    void WritePanes();

    // Hooks into parts that arrive later; they do nothing yet.
    int DrawDistanceCheck(QPainter& painter);
    void MatchClockTempoToSong();
    void SendMusicBoxProgram();
    void ShowSplash();

    SongState m_song;
    OccupancyGrid m_grid;
    KeyNames m_keyNames;
    CanvasPalette m_colours;
    CanvasFonts m_fonts;
    QImage m_offscreen;
    std::array<QString, kPaneCount> m_panes;
    bool m_firstPaint = true;
    bool m_needsFullPaint = true;
    bool m_playing = false;
    bool m_recording = false;
    bool m_modified = false;
};

} // namespace zembra
