#include "app/import_editor_link.h"

#include "import/import_options.h"

#include "canvas/kelp_view.h"
#include "import_ui/import_edit_dialog.h"
#include "document/kelp_doc.h"

#include <vector>

namespace zembra {

void LinkImportEditor(CKelpDoc& doc, CKelpView& view)
{
    view.importer().setImportEditor([&doc, &view](int beatsPerBar, int transposition, int cutMarkers,
                                       const ImportOptions& options, const MusicBox& box) {
        const std::vector<MidiTrack*> tracks = doc.editableTracks();
        doc.EnsureSongTrack();
        ImportEditRequest request;
        request.tracks = tracks;
        request.resolution = doc.resolution();
        request.beatsPerBar = beatsPerBar;
        request.transposition = transposition;
        request.marksWritten = cutMarkers != 0;
        request.options = options;
        request.box = box;
        request.port = &view.playback().port();
        request.clock = view.playback().clock();
        request.playTrack = doc.songTrack();
        const ImportEditOutcome outcome = RunImportEditor(view.window(), request);
        CanvasSettingsDialog::EditorChoice choice;
        choice.accepted = outcome.accepted;
        choice.beatsPerBar = outcome.beatsPerBar;
        choice.transposition = outcome.transposition;
        choice.cutMarkers = outcome.marksWritten ? 1 : 0;
        return choice;
    });
}

} // namespace zembra
