#pragma once

#include "cli/song_arrangement.h"
#include "import/default_import.h"
#include "model/song_state.h"
#include "import/file_facts.h"
#include "import/track_list.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace zembra {

// What a file said about itself, kept after it is closed.
struct FileSummary {
    int format = 0;
    int tracks = 0;     // read: at most 16
    int fileTracks = 0; // held by the file
    int resolution = 0;
    std::uint32_t tempo = 0;
    std::vector<std::uint8_t> timeSignature; // the meta event's data; empty when there is none
    int fileBeatsPerBar = -1;
    int keyNameId = 0;
    FileKey key; // as the fit moves it
    std::vector<TrackSummary> trackList; // the tracks read, numbered from 1 as --tracks takes them
    std::uint32_t leftOutTracks = 0;     // bit n - 1 for track n, under --tracks
};

// A MIDI file on a song of its own, imported as the window imports it when its import settings
// are confirmed without a change (or with the command line's choices). A damaged file is refused:
// a batch must not write a card of half a song.
class SongSource {
public:
    SongSource();
    ~SongSource();

    // False with the reason, in the program's language, in `error`. The song is arranged for the
    // box a song file names, as the window opens it, unless `boxGiven` says the command line chose
    // `choices.box`; a file without a box of its own, or with one this program does not know, is
    // arranged for `choices.box` and read as a file from elsewhere. With --arrange the imported
    // notes are then arranged for the box.
    bool Load(const QString& path, const ImportChoices& choices, bool boxGiven, QString* error,
              const ArrangeOptions& arrange = {});

    SongState& song() { return *m_song; }
    const SongState& song() const { return *m_song; }
    const FileSummary& file() const { return m_file; }
    const DefaultImportResult& import() const { return m_import; }
    // What --arrange did; none without it.
    const std::optional<SongArrangement>& arrangement() const { return m_arrangement; }

private:
    std::unique_ptr<SongState> m_song;
    FileSummary m_file;
    DefaultImportResult m_import;
    std::optional<SongArrangement> m_arrangement;
};

} // namespace zembra
