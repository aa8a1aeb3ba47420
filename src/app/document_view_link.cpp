#include "app/document_view_link.h"

#include "canvas/edit_controller.h"
#include "canvas/import_controller.h"
#include "canvas/kelp_view.h"
#include "canvas/playback_controller.h"
#include "document/kelp_doc.h"

#include <memory>

namespace zembra {

DocumentViewLink::DocumentViewLink(CKelpDoc& doc, CKelpView& view)
    : m_doc(doc)
    , m_view(view)
{
}

QWidget* DocumentViewLink::window() const
{
    return m_view.window();
}

SongState& DocumentViewLink::song()
{
    return m_view.song();
}

bool DocumentViewLink::modified() const
{
    return m_view.modified();
}

void DocumentViewLink::setModified(bool modified)
{
    m_view.edits().setModified(modified);
}

bool DocumentViewLink::playing() const
{
    return m_view.playing();
}

void DocumentViewLink::StopPlayback()
{
    m_view.playback().Stop();
}

void DocumentViewLink::ClearCanvas()
{
    m_view.ResetSong();
    m_view.UpdateScrollSizes();
}

void DocumentViewLink::Repaint()
{
    m_view.Repaint();
}

MidiOutPort& DocumentViewLink::port()
{
    return m_view.playback().port();
}

void DocumentViewLink::ReopenDevice()
{
    m_view.playback().OpenDevice(m_view.playback().device());
}

bool DocumentViewLink::ImportPrompt()
{
    return m_view.importer().ImportPrompt();
}

bool DocumentViewLink::PlaceImportedNotes()
{
    return m_view.importer().PlaceImportedNotes();
}

MidiTrack* DocumentViewLink::songTrack() const
{
    return m_doc.songTrack();
}

bool DocumentViewLink::EnsureSongTrack()
{
    return m_doc.EnsureSongTrack();
}

std::vector<const MidiTrack*> DocumentViewLink::importedTracks() const
{
    return m_doc.importedTracks();
}

int DocumentViewLink::resolution() const
{
    return m_doc.resolution();
}

FileFacts DocumentViewLink::FactsOfFile() const
{
    return m_doc.FactsOfFile();
}

std::string DocumentViewLink::KeyNameOfFile()
{
    return m_doc.KeyNameOfFile();
}

std::vector<std::uint8_t> DocumentViewLink::KeySignatureOfFile()
{
    return m_doc.KeySignatureOfFile();
}

std::vector<TrackSummary> DocumentViewLink::TracksOfFile() const
{
    return m_doc.TracksOfFile();
}

double DocumentViewLink::tempo() const
{
    return m_doc.tempo();
}

void DocumentViewLink::setTempo(double tempo)
{
    m_doc.setTempo(tempo);
}

void DocumentViewLink::markOwnFile()
{
    m_doc.markOwnFile();
}

void LinkDocumentAndView(CKelpDoc& doc, CKelpView& view)
{
    auto link = std::make_unique<DocumentViewLink>(doc, view);
    view.SetDocument(link.get());
    doc.setHost(std::move(link));
}

} // namespace zembra
