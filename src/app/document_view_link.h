#pragma once

#include "canvas/canvas_document.h"
#include "document/document_host.h"

namespace zembra {

class CKelpDoc;
class CKelpView;

// Joins the document and the canvas view, which know each other only through the interfaces each
// of them asks for: the document gets the view as its host, the view the document as its source
// of the song track and the imported file.
class DocumentViewLink : public DocumentHost, public CanvasDocument {
public:
    DocumentViewLink(CKelpDoc& doc, CKelpView& view);

    QWidget* window() const override;
    SongState& song() override;
    bool modified() const override;
    void setModified(bool modified) override;
    bool playing() const override;
    void StopPlayback() override;
    void ClearCanvas() override;
    void Repaint() override;
    MidiOutPort& port() override;
    void ReopenDevice() override;
    bool ImportPrompt() override;
    bool PlaceImportedNotes() override;

    MidiTrack* songTrack() const override;
    bool EnsureSongTrack() override;
    std::vector<const MidiTrack*> importedTracks() const override;
    int resolution() const override;
    FileFacts FactsOfFile() const override;
    std::string KeyNameOfFile() override;
    std::vector<std::uint8_t> KeySignatureOfFile() override;
    std::vector<TrackSummary> TracksOfFile() const override;
    double tempo() const override;
    void setTempo(double tempo) override;
    void markOwnFile() override;

private:
    CKelpDoc& m_doc;
    CKelpView& m_view;
};

// Links `doc` and `view`; the document keeps the link.
void LinkDocumentAndView(CKelpDoc& doc, CKelpView& view);

} // namespace zembra
