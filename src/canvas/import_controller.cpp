#include "canvas/import_controller.h"

#include "import/import_options.h"

#include "services/chosen_box.h"
#include "import/arrange_offer.h"
#include "import/canvas_reach.h"
#include "import/melody.h"
#include "import/source_notes.h"
#include "import/canvas_settings_rules.h"
#include "import/import_settings.h"
#include "canvas/kelp_view.h"
#include "canvas/playback_controller.h"
#include "midi/sync_clock.h"
#include "canvas/canvas_document.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "import_ui/canvas_settings_dialog.h"
#include "services/paint_device_metrics.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <algorithm>
#include <utility>

namespace zembra {

ImportController::ImportController(CKelpView& view)
    : m_view(view)
{
}

ImportCounts ImportController::CountImportable(int transposition, const ImportOptions& options) const
{
    const CanvasDocument* doc = m_view.document();
    if (!doc) {
        return {};
    }
    const std::vector<const MidiTrack*> tracks = doc->importedTracks();
    return zembra::CountImportable(tracks, m_view.song(), transposition, m_editorMarks, options);
}

FitRequest ImportController::RequestFor(const ImportOptions& options, const FitGrid& grid) const
{
    const CanvasDocument* doc = m_view.document();
    FitRequest request;
    request.resolution = doc ? doc->resolution() : 0;
    request.cutMarkers = m_editorMarks;
    request.options = options;
    request.grid = grid;
    request.metrics = CheckMetrics();
    return request;
}

CanvasSettingsDialog::Figures ImportController::FiguresOf(int transposition, const ImportOptions& options,
                                                          const FitGrid& grid) const
{
    const CanvasDocument* doc = m_view.document();
    if (!doc) {
        return {};
    }
    const std::vector<const MidiTrack*> tracks = doc->importedTracks();
    // Counted on the box the grid names.
    const ImportCounts counts =
        zembra::CountImportable(tracks, *SongOnGrid(m_view.song(), grid), transposition, m_editorMarks, options);
    const CanvasReach reach = ReachOnCanvas(tracks, m_view.song(), RequestFor(options, grid), transposition);
    return {counts.importable, counts.notImportable, CanvasReachText(reach)};
}

ArrangeOutcome ImportController::ArrangeLive(const ArrangeChoices& choices, const ImportOptions& options,
                                            const FitGrid& grid)
{
    const CanvasDocument* doc = m_view.document();
    if (!doc) {
        return {};
    }
    if (!m_beforeArrange) {
        m_beforeArrange = std::make_unique<SongState>(m_view.song());
    }
    const std::unique_ptr<SongState> arranged = SongOnGrid(m_view.song(), grid);
    const std::uint32_t barTicks = static_cast<std::uint32_t>(std::max(0, doc->resolution() * grid.beatsPerBar));
    const std::vector<SourceNote> notes =
        ReadSourceNotes(doc->importedTracks(), m_editorMarks, barTicks, options);
    const ArrangeOutcome outcome = ArrangeOntoSong(*arranged, notes, doc->resolution(), CheckMetrics(), choices);
    m_view.song() = *arranged;
    m_view.UpdateScrollSizes();
    m_view.Repaint();
    return outcome;
}

std::vector<FitRow> ImportController::RankImport(const ImportOptions& options, const FitGrid& grid, const FileKey& key) const
{
    const CanvasDocument* doc = m_view.document();
    if (!doc) {
        return {};
    }
    FitRequest request = RequestFor(options, grid);
    request.key = key;
    return RankTranspositions(doc->importedTracks(), m_view.song(), request);
}

bool ImportController::ImportPrompt()
{
    CanvasDocument* doc = m_view.document();
    if (!doc || doc->importedTracks().empty()) {
        return false;
    }
    SongState& song = m_view.song();
    SyncClock* clock = m_view.playback().clock();
    m_importOptions = settings::LoadImportOptions();
    m_editorMarks = false;
    m_edited = false;
    m_placedAsSaved = false;
    m_beforeArrange.reset();
    m_arrangeChoices.reset();
    // A transposition belongs to the file it was chosen for: every file opens as it is.
    constexpr int kOpeningTransposition = 0;
    const ImportCounts counts = CountImportable(kOpeningTransposition, m_importOptions);
    const ImportSettings settings = MakeImportSettings(doc->FactsOfFile(), counts);
    const SettingsValues opening = ConfirmedUnchanged({settings.beatsPerBar, settings.barCount, settings.barLengthMm,
                                                       settings.pixelsPerQuarter, kOpeningTransposition});
    const FitGrid openingGrid{opening.beatsPerBar, opening.barCount, opening.barLengthMm, opening.pixelsPerQuarter};

    CanvasSettingsDialog::Setup setup;
    setup.caption = TextOf(str::kImportCaption);
    setup.info = Utf8(ImportInfoLine(counts));
    setup.reach = Utf8(CanvasReachText(ReachOnCanvas(doc->importedTracks(), song,
                                                     RequestFor(m_importOptions, openingGrid), kOpeningTransposition)));
    setup.transposeLabel = TextOf(str::kImportTranspositionLabel);
    setup.transposeHelp = TextOf(str::kImportTranspositionHelp);
    setup.keyName = Utf8(doc->KeyNameOfFile());
    setup.title = settings.title;
    setup.author = settings.author;
    setup.beatsPerBar = settings.beatsPerBar;
    setup.barCount = settings.barCount;
    setup.barLengthMm = settings.barLengthMm;
    setup.pixelsPerQuarter = settings.pixelsPerQuarter;
    setup.transposition = kOpeningTransposition;
    setup.tempo = doc->tempo();
    setup.cutMarkers = 0;
    setup.enabled.editor = true;
    setup.hideRedoAssignment = true;
    setup.resolution = doc->resolution();
    setup.editor = m_importEditor;
    setup.tracks = doc->TracksOfFile();
    setup.fit.key = FileKeyFromKeySignature(doc->KeySignatureOfFile());
    setup.fit.options = m_importOptions;
    setup.boxes = BoxChoices(song);
    setup.fit.rank = [this, key = setup.fit.key](const ImportOptions& options, const FitGrid& grid) {
        return RankImport(options, grid, key);
    };
    {
        // The melody may come from any track the file has, whatever the list leaves out.
        const std::uint32_t barTicks =
            static_cast<std::uint32_t>(std::max(0, doc->resolution() * settings.beatsPerBar));
        ImportOptions everyTrack = m_importOptions;
        everyTrack.leftOutTracks = 0;
        const std::vector<SourceNote> notes = ReadSourceNotes(doc->importedTracks(), false, barTicks, everyTrack);
        setup.arrange.tracks = MelodyTrackChoices(notes, setup.tracks);
        setup.arrange.defaultTrack = DefaultMelodyTrack(notes);
        setup.arrange.run = [this](const ArrangeChoices& choices, const ImportOptions& options, const FitGrid& grid) {
            return ArrangeLive(choices, options, grid);
        };
    }
    double documentTempo = doc->tempo();
    if (setup.editor) {
        // Counts after the editor's OK leave its marks out.
        setup.editor = [this, editor = setup.editor](int beats, int transposition, int cutMarkers,
                                                     const ImportOptions& options, const MusicBox& box) {
            const CanvasSettingsDialog::EditorChoice choice = editor(beats, transposition, cutMarkers, options, box);
            if (choice.accepted) {
                m_editorMarks = choice.cutMarkers != 0;
                m_edited = true;
            }
            return choice;
        };
    }
    const PlacedSong opened{opening, LimitSettingsText(settings.title), LimitSettingsText(settings.author),
                            setup.tempo, m_importOptions, false};
    const MusicBox openingBox = song.box;
    CanvasSettingsDialog dialog(setup, song, clock, &documentTempo,
                                [this](int transposition, const ImportOptions& options, const FitGrid& grid) {
                                    return FiguresOf(transposition, options, grid);
                                },
                                m_view.window());
    if (prompts().runDialog(dialog) != QDialog::Accepted) {
        if (m_beforeArrange) {
            song = *m_beforeArrange;
            m_beforeArrange.reset();
            m_view.UpdateScrollSizes();
            m_view.Repaint();
        }
        return false;
    }
    m_beforeArrange.reset();
    m_arrangeChoices = dialog.arrangement();
    m_importOptions = dialog.importOptions();
    settings::SaveImportOptions(m_importOptions);
    doc->setTempo(documentTempo);
    m_cutMarkers = dialog.cutMarkers() != 0;
    if (settings.ownFile) {
        doc->markOwnFile();
    }
    const PlacedSong confirmed{{song.beatsPerBar, song.barCount, song.barLengthMm, song.pixelsPerQuarter,
                                song.importTransposition},
                               song.title,
                               song.author,
                               dialog.tempo(),
                               m_importOptions,
                               m_edited};
    // On another box the canvas no longer holds the file as it was saved.
    // An arranged file is no longer the file as it was saved either.
    m_placedAsSaved =
        PlacedAsSaved(settings.ownFile, opened, confirmed) && song.box == openingBox && !m_arrangeChoices;
    if (clock) {
        clock->SetTempo(static_cast<std::uint32_t>(song.tempo));
    }
    song.temporaryTransposition = 0;
    m_view.UpdateScrollSizes();
    m_view.Repaint();
    return true;
}

bool ImportController::PlaceImportedNotes()
{
    const CanvasDocument* doc = m_view.document();
    if (!doc) {
        return false;
    }
    const std::vector<const MidiTrack*> tracks = doc->importedTracks();
    if (tracks.empty()) {
        return false;
    }
    SongState& song = m_view.song();
    zembra::PlaceImportedNotes(song, tracks, doc->resolution(), m_cutMarkers, m_importOptions);
    // The notes as the import read them stay for Edit > Arrange again while this song is on the
    // canvas; the tracks themselves go when the import ends.
    const std::uint32_t barTicks = static_cast<std::uint32_t>(std::max(0, doc->resolution() * song.beatsPerBar));
    m_view.arranger().Keep(
        {ReadSourceNotes(tracks, m_cutMarkers, barTicks, m_importOptions), doc->TracksOfFile(), doc->resolution()});
    m_cutMarkers = false;
    // The imported song is the first state of the undo ring: it cannot be undone.
    m_view.TakeNewSong();
    if (std::optional<ArrangeChoices> choices = std::exchange(m_arrangeChoices, std::nullopt)) {
        // The arrangement the dialog showed, on the transposition it left in the list: one undo
        // step back to the file as the import places it.
        choices->transposition = song.importTransposition;
        m_view.arranger().ArrangeKept(*choices);
    }
    m_view.Refresh();
    return std::exchange(m_placedAsSaved, false);
}

void ImportController::CanvasSettings()
{
    CanvasDocument* doc = m_view.document();
    SongState& song = m_view.song();
    SyncClock* clock = m_view.playback().clock();
    CanvasSettingsDialog::Setup setup;
    setup.info = TextOf(str::kCanvasSettingsInfo);
    setup.transposeLabel = TextOf(str::kTemporaryTranspositionLabel);
    setup.transposeHelp = TextOf(str::kTemporaryTranspositionHelp);
    setup.title = song.title;
    setup.author = song.author;
    setup.beatsPerBar = song.beatsPerBar;
    setup.barCount = song.barCount;
    setup.barLengthMm = song.barLengthMm;
    setup.pixelsPerQuarter = song.pixelsPerQuarter;
    setup.transposition = song.temporaryTransposition;
    setup.tempo = song.tempo;
    setup.cutMarkers = 0;
    setup.resolution = doc ? doc->resolution() : 0;
    setup.boxes = BoxChoices(song);
    setup.notesMove = true;
    // Notes the chosen box lacks fold by octaves as the import's option last said.
    setup.foldOnSwitch = settings::LoadImportOptions().foldOctaves;

    struct Grid {
        int pixelsPerQuarter, barCount, beatsPerBar, barLengthMm, importTransposition, temporaryTransposition;
        std::string title, author;
        double tempo;
        MusicBox box;
    };
    const Grid before{song.pixelsPerQuarter, song.barCount,          song.beatsPerBar,
                      song.barLengthMm,      song.importTransposition, song.temporaryTransposition,
                      song.title,            song.author,            song.tempo,
                      song.box};
    double documentTempo = doc ? doc->tempo() : song.tempo;
    CanvasSettingsDialog dialog(setup, song, clock, &documentTempo, {}, m_view.window());
    const bool confirmed = prompts().runDialog(dialog) == QDialog::Accepted;
    // The canvas plays on the clock's 96 ticks: what the dialog set for a file's resolution is
    // put back to the song's own tempo, which is also what a save writes.
    if (clock && song.tempo > 0) {
        clock->SetTempo(static_cast<std::uint32_t>(song.tempo));
    }
    m_view.ClearPressedFlag();
    if (!confirmed) {
        return;
    }
    if (doc) {
        doc->setTempo(documentTempo);
    }
    song.temporaryTransposition = song.importTransposition;
    song.importTransposition = before.importTransposition;
    m_view.UpdateScrollSizes();
    const bool changed = song.pixelsPerQuarter != before.pixelsPerQuarter || song.barCount != before.barCount ||
                         song.beatsPerBar != before.beatsPerBar || song.barLengthMm != before.barLengthMm ||
                         song.title != before.title || song.author != before.author ||
                         song.temporaryTransposition != before.temporaryTransposition || song.box != before.box;
    if (song.box != before.box) {
        RememberChosenBox(song.box); // the next start of the program opens on it
    }
    if (changed) {
        m_view.edits().Snapshot();
    } else if (song.tempo != before.tempo) {
        // The tempo goes into the saved file: a change of it alone is still a change to save.
        m_view.edits().setModified(true);
    }
    m_view.Refresh();
}

} // namespace zembra
