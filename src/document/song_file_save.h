#pragma once

#include "document/song_writer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zembra {

class MidiFile;
class MidiTrack;
struct SongState;

// Saves the canvas as a song file: fills the song track (named "MusicBox") from the notes with
// their pitches as stored, never the temporary transposition, builds the header with `title` and
// the clock's `tempo` (and, for a box of one's own, the box's definition), and writes the file in
// place of `path` only when whole. NotWritten when the track could not be built. Save and Save As
// of the window, the kept copy for recovery and the command line's `song` go through here.
SongWriteResult SaveSongFile(MidiFile& file, MidiTrack& songTrack, const SongState& song, std::string_view title,
                             std::uint32_t tempo, const std::string& path);

} // namespace zembra
