#pragma once

#include "model/canvas_geometry.h"
#include "canvas/canvas_painter.h"
#include "canvas/canvas_palette.h"
#include "import/comb_fit.h"
#include "canvas/command_state.h"
#include "import/import_placement.h"
#include "canvas/keyboard_recorder.h"
#include "canvas/mouse_editor.h"
#include "canvas/undo_ring.h"
#include "model/hole_check.h"
#include "model/key_names.h"
#include "model/occupancy_grid.h"
#include "model/song_state.h"
#include "import_ui/canvas_settings_dialog.h"

#include <QAbstractScrollArea>
#include <QMenuBar>
#include <QTimer>
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
class CKelpDoc;
class InputDeviceMenu;
class MidiInPort;
class MidiOutPort;
class MidiToolkit;
class OutputDeviceMenu;
class SyncClock;

// A number as the status bar panes show it.
QString PaneNumber(int value);

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
    QString paneText(int pane) const { return m_panes[static_cast<std::size_t>(pane)]; }
    ViewFacts facts() const;
    bool playing() const { return m_playing; }
    // Set at the first real edit after the song was started, opened or saved.
    bool modified() const { return m_undo.modified(); }
    void setModified(bool modified);

    // Records the song as the newest undo step.
    void Snapshot();
    // Neither acts while playing or while a left-button press is in progress.
    void Undo();
    void Redo();
    const UndoRing& undoRing() const { return m_undo; }
    // Empties the undo ring and makes the current song its first state (after a file lands);
    // whatever the mouse or the arrow keys had begun on the old song is dropped.
    void RestartUndo();

    bool CopySelection();
    void CutSelection();
    void Paste();
    void DuplicateSelection();
    void ClearSelection();
    void QuantizeCommand(int noteValue);
    // Moves the notes the hole-spacing check flags by octaves, or deletes them; one undo step.
    void MendCloseHoles();
    void ArrowKey(int qtKey);

    // Playback. The view's creation in the main window: the clock it plays by, the menu bar that
    // takes the "&Midi" device menu before `before`; opens the output on the built-in synthesizer.
    void AttachToFrame(SyncClock* clock, QMenuBar* menuBar, QAction* before);
    // The frame is going: stop playing and forget its clock.
    void DetachFromFrame();
    void SetDocument(CKelpDoc* doc) { m_doc = doc; }
    SyncClock* clock() const { return m_clock; }
    // The import edit dialog that the import settings' ">>Editor" button runs; set by the shell.
    void setImportEditor(CanvasSettingsDialog::Editor editor) { m_importEditor = std::move(editor); }
    MidiOutPort& port() { return *m_port; }
    OutputDeviceMenu* deviceMenu() const { return m_deviceMenu; }
    // Opens the port on a device (-1: the built-in synthesizer), falling back to the first
    // device with voices; tells the user when nothing opens.
    bool OpenDevice(int device);
    int device() const { return m_device; }
    void OnDeviceMenu(int id);
    // A program change: appended to the song track when there is one, and sent at once.
    void SetProgram(int channel, int program);
    void Play();
    void Stop();
    void PlayRange(int fromX, int toX);
    // The 100-millisecond tick that moves the cursor; public so that tests drive it.
    void OnPlaybackTimer();
    void OnIdleTimer();
    int cursorX() const { return m_cursorX; }
    bool repeating() const { return m_repeat; }
    int playbackStartX() const { return m_startX; }
    std::size_t previewTileCount() const { return m_preview.tiles.size(); }

    // Carries out a command of the view; false when the view has no handler for it.
    bool OnCommand(int commandId);

    // Import of the document's MIDI tracks: the settings prompt, then the placing of the notes.
    bool ImportPrompt();
    void PlaceImportedNotes();
    // The notes of the document's tracks that can and cannot be placed at a transposition.
    ImportCounts CountImportable(int transposition, const ImportOptions& options = {}) const;
    // Every transposition of the document's tracks on a grid, best first.
    std::vector<FitRow> RankImport(const ImportOptions& options, const FitGrid& grid, const FileKey& key) const;
    // The options of the import being placed (as the import settings left them).
    const ImportOptions& importOptions() const { return m_importOptions; }
    // The settings command: title, author, grid, bar length, temporary transposition and tempo.
    void CanvasSettings();
    // Set when the import edit dialog was confirmed during this import: its cut markers count.
    bool cutMarkers() const { return m_cutMarkers; }
    void setCutMarkers(bool on) { m_cutMarkers = on; }
    // Keyboard recording: plays with a one-bar count-in and the metronome; each recording key, by
    // its Windows virtual-key code, makes a selected note where the clock has got to.
    void StartRecording();
    void RecordKey(int virtualKey);
    bool recording() const { return m_recording; }
    const KeyboardRecorder& recorder() const { return m_recorder; }
    // The MIDI keyboard: while recording its keys on the comb record as the keys do.
    MidiInPort& input();
    InputDeviceMenu* inputMenu() const { return m_inputMenu; }
    // Opens the input of an index (-1: none) and moves the menu's check mark; tells the user when it
    // does not open.
    bool OpenInput(int index);
    void OnInputMenu(int index);

signals:
    void paneChanged(int pane, const QString& text);
    // Something that decides the availability of commands may have changed.
    void stateChanged();
    // The song changed: a gesture or command ended in an undo step, an undo or redo was made, or
    // a change the undo ring does not hold (the tempo) marked the song modified.
    void songEdited();
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
    // One repaint onto the off-screen copy: the painter's steps, with the tidying of the note
    // store, the panes and the sound in between.
    void Paint(QPainter& painter);
    CanvasScene Scene() const;
    void SetPane(int pane, const QString& text);
    void PaintOverlay(QPainter& painter);
    Point ToCanvas(const QPoint& client) const;
    static bool ClipboardHoldsNotes();
    void Hover(const QPoint& client, Qt::KeyboardModifiers modifiers);
    void ClearPressedFlag();
    // The song on the canvas was replaced: ends a press, the hover and scrub marks and a pending
    // arrow move.
    void ForgetGestures();
    // Records an arrow move not yet recorded as an undo step of its own, before another edit
    // changes the song.
    void SettleArrowMove();
    void AfterEdit(bool snapshot);
    void WritePanes();

    // The hole-spacing check's marks; its count for the pane.
    int DrawDistanceCheck(QPainter& painter);
    void MatchClockTempoToSong();
    void SendMusicBoxProgram();
    void ShowSplash();
    void PreviewNote(const NoteRecord& note);
    void SilenceOutput();
    void RestartPlaybackAt(int canvasX);
    bool OpenPort(int device);
    // Records the device in use and gives it the music box program.
    void UseDevice(int device);
    // Opens the port on a device as the device menu does, moving its check mark; false when it
    // does not open.
    bool SwitchToDevice(int device);
    bool BuildAndStart();
    void SendAtOnce(const struct MidiEvent& event);
    bool BuildPlaybackTrack();
    void PrepareClock();
    void StartPlayback();
    void RestartFromStart();
    void OnEndOfMaterial();
    void EndPlaybackState();
    void PaintCursor(QPainter& painter);
    MidiToolkit& toolkit() const;
    void BuildInputMenu();
    void RecordKeyEvent(const QKeyEvent& event);
    void RecordRow(int row);
    int RecordingPlace() const;
    void SoundKey(int key, int velocity);
    void OnInputEvent(const struct MidiEvent& event);

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
    bool m_playing = false;
    bool m_recording = false;
    CKelpDoc* m_doc = nullptr;
    SyncClock* m_clock = nullptr;
    std::unique_ptr<MidiOutPort> m_port;
    CanvasSettingsDialog::Editor m_importEditor;
    bool m_editorMarks = false;
    ImportOptions m_importOptions;
    OutputDeviceMenu* m_deviceMenu = nullptr;
    QTimer* m_playTimer = nullptr;
    QTimer* m_idleTimer = nullptr;
    int m_device = -1;
    bool m_repeat = false;
    int m_startX = 0;
    int m_startXSeen = 0;
    int m_endX = 0;
    int m_leadIn = 0;
    int m_startBeats = 0;
    int m_cursorX = 0;
    int m_cursorCanvasX = 0;
    bool m_cursorShown = false;
    bool m_tickBusy = false;
    KeyboardRecorder m_recorder;
    std::unique_ptr<MidiInPort> m_input;
    InputDeviceMenu* m_inputMenu = nullptr;
    UndoRing m_undo;
    MouseEditor m_mouse;
    MouseEditor::Preview m_preview;
    std::vector<int> m_scrubSlots;
    bool m_arrowMovePending = false;
    bool m_clipboardHasNotes = false;
    bool m_rangePlay = false;
    std::vector<HolePair> m_checkList;
    bool m_cutMarkers = false;
};

} // namespace zembra
