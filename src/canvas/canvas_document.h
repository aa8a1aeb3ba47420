#pragma once

#include "import/file_facts.h"
#include "import/track_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zembra {

class MidiTrack;

// What the canvas asks of the document: the song track that playback fills, and the file being
// imported. The canvas and the document are siblings; the application joins them
// (app/document_view_link.h).
class CanvasDocument {
public:
    virtual ~CanvasDocument() = default;

    virtual MidiTrack* songTrack() const = 0;
    // The song track, made on first need; false when it could not be made.
    virtual bool EnsureSongTrack() = 0;
    // The tracks of the file being read, in file order; empty outside an import.
    virtual std::vector<const MidiTrack*> importedTracks() const = 0;
    // Ticks per quarter note of the last imported file; 0 before any.
    virtual int resolution() const = 0;
    virtual FileFacts FactsOfFile() const = 0;
    virtual std::string KeyNameOfFile() = 0;
    virtual std::vector<std::uint8_t> KeySignatureOfFile() = 0;
    // The tracks of the file being read, as the import settings list them.
    virtual std::vector<TrackSummary> TracksOfFile() const = 0;
    virtual double tempo() const = 0;
    virtual void setTempo(double tempo) = 0;
    // The file being imported carries the song tags: Save may overwrite it.
    virtual void markOwnFile() = 0;
};

} // namespace zembra
