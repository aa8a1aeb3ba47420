// The canvas side of opening a file and of the settings command: the settings dialog in both
// its uses, and the placing of a file's notes on the canvas.
#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "import/import_settings.h"
#include "canvas/kelp_view.h"
#include "midi/sync_clock.h"
#include "song/kelp_doc.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "import_ui/canvas_settings_dialog.h"
#include "ui/device_metrics.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

namespace zembra {

ImportCounts CKelpView::CountImportable(int transposition, const ImportOptions& options) const
{
    if (!m_doc) {
        return {};
    }
    const std::vector<const MidiTrack*> tracks = m_doc->importedTracks();
    return zembra::CountImportable(tracks, m_song, transposition, m_editorMarks, options);
}

std::vector<FitRow> CKelpView::RankImport(const ImportOptions& options, const FitGrid& grid, const FileKey& key) const
{
    if (!m_doc) {
        return {};
    }
    FitRequest request;
    request.resolution = m_doc->resolution();
    request.cutMarkers = m_editorMarks;
    request.options = options;
    request.grid = grid;
    request.metrics = CheckMetrics();
    request.key = key;
    return RankTranspositions(m_doc->importedTracks(), m_song, request);
}

bool CKelpView::ImportPrompt()
{
    if (!m_doc || m_doc->importedTracks().empty()) {
        return false;
    }
    m_importOptions = {};
    const ImportCounts counts = CountImportable(m_song.importTransposition, m_importOptions);
    const ImportSettings settings = MakeImportSettings(m_doc->FactsOfFile(), counts);

    CanvasSettingsDialog::Setup setup;
    setup.caption = TextOf(str::kImportCaption);
    setup.info = Utf8(ImportInfoLine(counts, settings.barsClipped));
    setup.transposeLabel = TextOf(str::kImportTranspositionLabel);
    setup.transposeHelp = TextOf(str::kImportTranspositionHelp);
    setup.keyName = Utf8(m_doc->KeyNameOfFile());
    setup.title = settings.title;
    setup.author = settings.author;
    setup.beatsPerBar = settings.beatsPerBar;
    setup.barCount = settings.barCount;
    setup.barLengthMm = settings.barLengthMm;
    setup.pixelsPerQuarter = settings.pixelsPerQuarter;
    setup.transposition = m_song.importTransposition;
    setup.tempo = m_doc->tempo();
    setup.cutMarkers = 0;
    setup.enabled.editor = true;
    setup.hideRedoAssignment = true;
    setup.resolution = m_doc->resolution();
    setup.editor = m_importEditor;
    setup.fit.key = FileKeyFromKeySignature(m_doc->KeySignatureOfFile());
    setup.fit.options = m_importOptions;
    setup.fit.rank = [this, key = setup.fit.key](const ImportOptions& options, const FitGrid& grid) {
        return RankImport(options, grid, key);
    };
    double documentTempo = m_doc->tempo();
    m_editorMarks = false;
    if (setup.editor) {
        // Counts after the editor's OK leave its marks out.
        setup.editor = [this, editor = setup.editor](int beats, int transposition, int cutMarkers,
                                                     const ImportOptions& options) {
            const CanvasSettingsDialog::EditorChoice choice = editor(beats, transposition, cutMarkers, options);
            if (choice.accepted) {
                m_editorMarks = choice.cutMarkers != 0;
            }
            return choice;
        };
    }
    CanvasSettingsDialog dialog(setup, m_song, m_clock, &documentTempo,
                                [this](int transposition, const ImportOptions& options) {
                                    const ImportCounts c = CountImportable(transposition, options);
                                    return std::make_pair(c.importable, c.notImportable);
                                },
                                window());
    if (prompts().runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    m_importOptions = dialog.importOptions();
    m_doc->setTempo(documentTempo);
    m_cutMarkers = dialog.cutMarkers() != 0;
    if (settings.ownFile) {
        m_doc->markOwnFile();
    }
    if (m_clock) {
        m_clock->SetTempo(static_cast<std::uint32_t>(m_song.tempo));
    }
    m_song.temporaryTransposition = 0;
    UpdateScrollSizes();
    Repaint();
    return true;
}

void CKelpView::PlaceImportedNotes()
{
    if (!m_doc) {
        return;
    }
    const std::vector<const MidiTrack*> tracks = m_doc->importedTracks();
    if (tracks.empty()) {
        return;
    }
    zembra::PlaceImportedNotes(m_song, tracks, m_doc->resolution(), m_cutMarkers, m_importOptions);
    m_cutMarkers = false;
    m_mouse = MouseEditor{};
    m_preview = {};
    m_arrowMovePending = false;
    // The imported song is the first state of the undo ring: it cannot be undone.
    RestartUndo();
    Repaint();
    emit stateChanged();
}

void CKelpView::CanvasSettings()
{
    CanvasSettingsDialog::Setup setup;
    setup.info = TextOf(str::kCanvasSettingsInfo);
    setup.transposeLabel = TextOf(str::kTemporaryTranspositionLabel);
    setup.transposeHelp = TextOf(str::kTemporaryTranspositionHelp);
    setup.title = m_song.title;
    setup.author = m_song.author;
    setup.beatsPerBar = m_song.beatsPerBar;
    setup.barCount = m_song.barCount;
    setup.barLengthMm = m_song.barLengthMm;
    setup.pixelsPerQuarter = m_song.pixelsPerQuarter;
    setup.transposition = m_song.temporaryTransposition;
    setup.tempo = m_song.tempo;
    setup.cutMarkers = 0;
    setup.resolution = m_doc ? m_doc->resolution() : 0;

    struct Grid {
        int pixelsPerQuarter, barCount, beatsPerBar, barLengthMm, importTransposition, temporaryTransposition;
        std::string title, author;
        double tempo;
    };
    const Grid before{m_song.pixelsPerQuarter, m_song.barCount,          m_song.beatsPerBar,
                      m_song.barLengthMm,      m_song.importTransposition, m_song.temporaryTransposition,
                      m_song.title,            m_song.author,            m_song.tempo};
    double documentTempo = m_doc ? m_doc->tempo() : m_song.tempo;
    CanvasSettingsDialog dialog(setup, m_song, m_clock, &documentTempo, {}, window());
    const bool confirmed = prompts().runDialog(dialog) == QDialog::Accepted;
    // The canvas plays on the clock's 96 ticks: what the dialog set for a file's resolution is
    // put back to the song's own tempo, which is also what a save writes.
    if (m_clock && m_song.tempo > 0) {
        m_clock->SetTempo(static_cast<std::uint32_t>(m_song.tempo));
    }
    ClearPressedFlag();
    if (!confirmed) {
        return;
    }
    if (m_doc) {
        m_doc->setTempo(documentTempo);
    }
    m_song.temporaryTransposition = m_song.importTransposition;
    m_song.importTransposition = before.importTransposition;
    UpdateScrollSizes();
    const bool changed = m_song.pixelsPerQuarter != before.pixelsPerQuarter || m_song.barCount != before.barCount ||
                         m_song.beatsPerBar != before.beatsPerBar || m_song.barLengthMm != before.barLengthMm ||
                         m_song.title != before.title || m_song.author != before.author ||
                         m_song.temporaryTransposition != before.temporaryTransposition;
    if (changed) {
        Snapshot();
    } else if (m_song.tempo != before.tempo) {
        // The tempo goes into the saved file: a change of it alone is still a change to save.
        setModified(true);
    }
    Repaint();
    emit stateChanged();
}

} // namespace zembra
