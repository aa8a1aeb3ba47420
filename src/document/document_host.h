#pragma once

class QWidget;

namespace zembra {

class MidiOutPort;
struct SongState;

// What the document asks of the canvas that shows its song. The document and the canvas are
// siblings; the application joins them (app/document_view_link.h).
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual QWidget* window() const = 0;
    virtual SongState& song() = 0;
    virtual bool modified() const = 0;
    virtual void setModified(bool modified) = 0;
    virtual bool playing() const = 0;
    virtual void StopPlayback() = 0;
    // An empty canvas for a new song, scrolled to its start.
    virtual void ClearCanvas() = 0;
    virtual void Repaint() = 0;
    // The port the file being read plays through while the import settings are open.
    virtual MidiOutPort& port() = 0;
    // Opens the chosen output device again after the import had the port to itself.
    virtual void ReopenDevice() = 0;
    // The import settings for the file being read; true when they were confirmed.
    virtual bool ImportPrompt() = 0;
    // Places the confirmed import; true when the canvas then holds a song file of this program
    // as it was saved, which is not a change to save.
    virtual bool PlaceImportedNotes() = 0;
};

} // namespace zembra
