#pragma once

#include "import/arrange_import.h"
#include "import/arrange_offer.h"
#include "import/import_options.h"
#include "import/comb_fit.h"
#include "midi/midi_bytes.h"
#include "import/canvas_settings_rules.h"
#include "import/track_list.h"
#include "model/music_box.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace zembra {

class ArrangePanel;
class CombFitPanel;
class ImportTrackList;

struct SongState;
class SyncClock;

// The song parameters that shape the canvas: title, author, time signature, bars, bar length on
// the card, screen scale, a transposition and the playback tempo. Two uses: the canvas's own
// settings, and the settings of a file being imported (with the editor button and live counts).
// On OK the values go straight into the song and into the document's tempo.
class CanvasSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // What the import edit dialog gives back to the import settings.
    struct EditorChoice {
        bool accepted = false;
        int beatsPerBar = 4;
        int transposition = 0;
        int cutMarkers = 0;
    };
    // Runs the import edit dialog from the dialog's time signature, transposition, marks, import
    // options and box.
    using Editor = std::function<EditorChoice(int beatsPerBar, int transposition, int cutMarkers,
                                              const ImportOptions& options, const MusicBox& box)>;
    // The import use's fit to the comb: ranks the transpositions under the options on the grid
    // the dialog shows. None: the dialog has no fit panel.
    using Ranker = std::function<std::vector<FitRow>(const ImportOptions& options, const FitGrid& grid)>;
    struct Fit {
        Ranker rank;
        FileKey key;
        ImportOptions options;
    };
    // The import use's arrangement for the box: arranges the file under the options on the grid
    // the dialog shows and places it on the canvas. No `run`: the dialog has no arrange panel.
    using ArrangeRunner =
        std::function<ArrangeOutcome(const ArrangeChoices& choices, const ImportOptions& options, const FitGrid& grid)>;
    struct Arrange {
        ArrangeRunner run;
        std::vector<MelodyTrackChoice> tracks;
        int defaultTrack = -1;
    };

    struct Setup {
        QString caption;          // empty: the table's caption
        QString info;             // empty: the table's "Setting info."
        QString reach;            // the import use's words on what the canvas leaves out, under the info
        QString transposeLabel;
        QString transposeHelp;
        QString keyName;          // the file's key, shown beside the transposition
        std::string title;
        std::string author;
        int beatsPerBar = 4;
        int barCount = 24;
        int barLengthMm = 50;
        int pixelsPerQuarter = 24;
        int transposition = 0;
        double tempo = kDefaultTempo;
        int cutMarkers = 0;
        SettingsEnabled enabled;
        bool hideRedoAssignment = false;
        int resolution = 0;       // ticks per quarter of the document's MIDI data; 0 before any
        Editor editor;            // the import use's ">>Editor" button; none: the button is unavailable
        Fit fit;                  // its options' tracks are those the track list starts without
        Arrange arrange;
        std::vector<TrackSummary> tracks; // the import use's tracks of the file; none: no track list
        // The boxes the song may be arranged for, the song's own first (BoxChoices); none: the
        // dialog offers no choice of box. In the import use the counts, the fit and the editor
        // follow the chosen box (FitGrid::box), and the import lands on it.
        std::vector<MusicBox> boxes;
        // The canvas use: before OK the dialog says what moving the song's notes to the chosen box
        // does to them, folding by octaves when `foldOnSwitch` is set.
        bool notesMove = false;
        bool foldOnSwitch = false;
    };
    // What the import use says under its lists: the notes that can and cannot be placed, and the
    // words on what the canvas leaves out (CanvasReachText).
    struct Figures {
        int importable = 0;
        int notImportable = 0;
        std::string reach;
    };
    // The figures at a transposition under the import options on the grid the lists show.
    using Counter = std::function<Figures(int transposition, const ImportOptions& options, const FitGrid& grid)>;

    CanvasSettingsDialog(const Setup& setup, SongState& song, SyncClock* clock, double* documentTempo,
                         Counter counter, QWidget* parent = nullptr);

    // The dialog's tempo, as the slider sets it.
    double tempo() const { return m_tempo; }
    int cutMarkers() const { return m_cutMarkers; }
    QString info() const;
    // The import options the fit panel and the track list show; the setup's where there are none.
    ImportOptions importOptions() const;
    // The box chosen in the list; the song's when the dialog offers no choice.
    const MusicBox& chosenBox() const;
    CombFitPanel* fitPanel() const { return m_fitPanel; }
    ImportTrackList* trackList() const { return m_trackList; }
    ArrangePanel* arrangePanel() const { return m_arrangePanel; }
    // The choices of the arrangement the canvas shows; none when the file was not arranged.
    std::optional<ArrangeChoices> arrangement() const;

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* makeList(const char* name, std::span<const std::string_view> entries, int selected, bool enabled);
    void onTranspositionChanged(int index);
    void applySlider();
    void showTempo(double tempo);
    void setClockTempo(std::uint32_t tempo);
    void copySelection();
    void openEditor();
    int currentEntry(QComboBox* list, int fallback) const;
    FitGrid currentGrid() const;
    int currentTransposition() const;
    // The counts and the words again, after the transposition, an option or the tracks changed.
    void recount();
    // The words on what the canvas leaves out again, after the grid changed.
    void reach();
    void showInfo();
    void refreshFit();
    // After another box was chosen: the counts and the fit of the import, or what becomes of the
    // song's notes.
    void onBoxChanged();
    void showBoxSwitch();
    QWidget* makeFitPanel();
    QWidget* makeArrangePanel();
    // After an arrangement: its transposition in the list and what it says of the bar length.
    void showArrangement(const ArrangeOutcome& outcome);
    void takeAdvisedBarLength();

    Setup m_setup;
    SongState& m_song;
    SyncClock* m_clock;
    double* m_documentTempo;
    Counter m_counter;
    double m_openingTempo;
    double m_tempo;
    int m_cutMarkers;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_author = nullptr;
    QComboBox* m_beats = nullptr;
    QComboBox* m_bars = nullptr;
    QComboBox* m_barLength = nullptr;
    QComboBox* m_scale = nullptr;
    QComboBox* m_transposition = nullptr;
    QComboBox* m_box = nullptr;
    QLabel* m_boxSwitch = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_readout = nullptr;
    QLabel* m_info = nullptr;
    QString m_countsLine;
    QString m_reach;
    QPushButton* m_editor = nullptr;
    CombFitPanel* m_fitPanel = nullptr;
    ImportTrackList* m_trackList = nullptr;
    ArrangePanel* m_arrangePanel = nullptr;
    QPushButton* m_takeBarLength = nullptr;
    QLabel* m_barAdvice = nullptr;
    int m_advisedBarLength = -1;
};

} // namespace zembra
