#pragma once

#include "import/import_options.h"
#include "import/import_roll_editor.h"

#include <QDialog>

#include <span>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace zembra {

class MidiOutPort;
class MidiTrack;
class ImportRollCanvas;
class SyncClock;

// What the MIDI import editor starts from: the imported tracks and their facts, and where it
// plays (all optional: without them Play does nothing).
struct ImportEditRequest {
    std::span<MidiTrack* const> tracks;
    int resolution = 480;
    int beatsPerBar = 4;
    int transposition = 0;
    bool marksWritten = false;
    MidiOutPort* port = nullptr;
    SyncClock* clock = nullptr;
    MidiTrack* playTrack = nullptr;
    // How the canvas import will read the tracks (folding, drums left out): the roll shows that.
    ImportOptions options;
    // The box the canvas import places on: its notes are the roll's canvas notes.
    MusicBox box = DefaultBox();
};

// What the import settings take back: on OK the chosen transposition and time signature, and
// that the tracks now carry the editor's marks.
struct ImportEditOutcome {
    bool accepted = false;
    int beatsPerBar = 4;
    int transposition = 0;
    bool marksWritten = false;
};

// The MIDI import edit dialog: a piano roll of the imported tracks with octave moves, whole-bar
// cuts, duplicate deletion, one undo and playback; OK writes the edits into the tracks.
class ImportEditDialog : public QDialog {
    Q_OBJECT

public:
    ImportEditDialog(const ImportEditRequest& request, QWidget* parent = nullptr);
    ~ImportEditDialog() override;

    // Builds the roll; 0 when the tracks hold no note (the dialog must then not be shown).
    int Start();

    ImportRollEditor& editor() { return m_editor; }
    ImportRollCanvas* canvas() const { return m_canvas; }
    bool playing() const { return m_playing; }
    ImportEditOutcome outcome() const { return m_outcome; }
    int playStartX() const { return m_playStart; }
    int playEndX() const { return m_playEnd; }

    // The editor's commands (octave up and down, cut, undo); false for any other id.
    bool OnCommand(int commandId);
    bool CommandEnabled(int commandId) const;

    void Play();
    void Stop();
    // The 10-millisecond tick of playback; public so that tests drive it.
    void OnPlayTimer();

    void accept() override;
    void reject() override;

private:
    void BuildControls();
    void AfterEdit();
    void UpdateControls();
    void OctaveUp();
    void OctaveDown();
    void CutBars();
    void DeleteDuplicates();
    void UndoEdit();
    void SelectAll();
    void TranspositionChosen(int index);
    void TimeSignatureChosen(int index);
    void PlayRange(int fromX, int toX);
    void RestartAt(int rollX);
    void StartPlaying();
    void HaltPlayback();
    void RestorePort();
    void SyncScrollBar();
    void SelectCombos();

    ImportEditRequest m_request;
    ImportRollEditor m_editor;
    ImportEditOutcome m_outcome;
    ImportRollCanvas* m_canvas = nullptr;
    QScrollBar* m_scroll = nullptr;
    QComboBox* m_transposition = nullptr;
    QComboBox* m_beats = nullptr;
    QLabel* m_counts = nullptr;
    QPushButton* m_octaveUp = nullptr;
    QPushButton* m_octaveDown = nullptr;
    QPushButton* m_cut = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_duplicates = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_selectAll = nullptr;
    QRadioButton* m_allNotes = nullptr;
    QRadioButton* m_canvasNotes = nullptr;
    QTimer* m_playTimer = nullptr;
    bool m_playing = false;
    int m_playStart = 0;
    int m_playEnd = 0;
    bool m_rangePlay = false;
    std::uint32_t m_playTicks = 0;
    // The tracks this dialog took off the port to play the roll, put back when it closes.
    std::vector<MidiTrack*> m_detached;
    bool m_playTrackWasAttached = false;
    bool m_portTaken = false;
};

// Runs the editor modally (through the program's prompts) and says how it ended. A file without
// notes is reported and ends as cancelled.
ImportEditOutcome RunImportEditor(QWidget* parent, const ImportEditRequest& request);

} // namespace zembra
