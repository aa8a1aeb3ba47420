#pragma once

#include "import/import_options.h"
#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "import_ui/canvas_settings_dialog.h"

#include <memory>
#include <optional>
#include <vector>

namespace zembra {

class CKelpView;

// The canvas side of opening a file and of the settings command: the settings dialog in both its
// uses, and the placing of a file's notes on the canvas.
class ImportController {
public:
    explicit ImportController(CKelpView& view);

    // The import edit dialog that the import settings' ">>Editor" button runs; set by the shell.
    void setImportEditor(CanvasSettingsDialog::Editor editor) { m_importEditor = std::move(editor); }
    // Import of the document's MIDI tracks: the settings prompt, then the placing of the notes.
    // Every import starts at transposition 0, with the options last confirmed and every track.
    bool ImportPrompt();
    // True when the canvas then holds a song file of this program as it was saved; a song placed
    // from anything else is still to be saved.
    bool PlaceImportedNotes();
    // The notes of the document's tracks that can and cannot be placed at a transposition.
    ImportCounts CountImportable(int transposition, const ImportOptions& options = {}) const;
    // The counts and the words on what the canvas leaves out, as the import settings show them.
    CanvasSettingsDialog::Figures FiguresOf(int transposition, const ImportOptions& options, const FitGrid& grid) const;
    // Every transposition of the document's tracks on a grid, best first.
    std::vector<FitRow> RankImport(const ImportOptions& options, const FitGrid& grid, const FileKey& key) const;
    // The options of the import being placed (as the import settings left them).
    const ImportOptions& importOptions() const { return m_importOptions; }
    // The settings command: title, author, grid, bar length, temporary transposition and tempo.
    void CanvasSettings();
    // Set when the import edit dialog was confirmed during this import: its cut markers count.
    bool cutMarkers() const { return m_cutMarkers; }
    void setCutMarkers(bool on) { m_cutMarkers = on; }

    // The import settings' "Arrange for the box": arranges the file under the options on the grid
    // and shows the arrangement on the canvas while the dialog is open.
    ArrangeOutcome ArrangeLive(const ArrangeChoices& choices, const ImportOptions& options, const FitGrid& grid);

private:
    FitRequest RequestFor(const ImportOptions& options, const FitGrid& grid) const;

    CKelpView& m_view;
    CanvasSettingsDialog::Editor m_importEditor;
    bool m_editorMarks = false;
    bool m_cutMarkers = false;
    bool m_edited = false;
    bool m_placedAsSaved = false;
    ImportOptions m_importOptions;
    // The song as it was before the dialog arranged onto the canvas; put back on Cancel.
    std::unique_ptr<SongState> m_beforeArrange;
    // The arrangement chosen in the import settings, made again once the import is placed.
    std::optional<ArrangeChoices> m_arrangeChoices;
};

} // namespace zembra
