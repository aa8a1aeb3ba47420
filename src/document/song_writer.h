#pragma once

#include "io/safe_file.h"
#include "model/song_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zembra {

class MidiFile;
class MidiTrack;

// A text event carries at most this many bytes of tags; the cut counts bytes and may fall inside
// a double-byte character or a closing marker, which readers then find incomplete.
inline constexpr std::size_t kMaxTagBytes = 255;

// The meta events that open the song file's one track, as bytes for the file.
struct SongFileHeader {
    std::string title;
    std::string author;
    std::array<std::uint8_t, 3> tempo{}; // microseconds per quarter note, most significant first
    std::array<std::uint8_t, 4> timeSignature{}; // n/4, 24 clocks per click, 8 32nds per quarter
    std::string tags;
    // A box of one's own travels with the song: its box file, in a second text event after the
    // tags. Empty for a built-in box, and then there is no such event.
    std::string boxDefinition;
};

// `title` is the title to write (the song's own, or the file's name for an untitled song);
// `tempo` the tempo set on the sequencer clock. A song for any box but the default one ends its
// tags with the box's tag, and a song in any tuning but equal temperament with the tuning's; the cut
// to kMaxTagBytes never reaches them. The box definition is left
// to the caller, which has the box file's writer.
SongFileHeader MakeSongFileHeader(const SongState& song, std::string_view title, std::uint32_t tempo);

enum class SongWriteStatus {
    Written,
    CannotCreate, // the folder or the file refuses to be written
    MetaRejected, // fewer meta events were taken than the header holds (five, six with a box definition)
    TrackIncomplete, // fewer track events were written than the track holds
    NotWritten, // the bytes did not reach the disk
    NotReplaced, // the finished file could not take the target's place
};

struct SongWriteResult {
    SongWriteStatus status = SongWriteStatus::Written;
    int metaAccepted = 0;
    WriteProblem problem; // why the file system refused, for CannotCreate, NotWritten, NotReplaced
    std::string detail;
};

// Writes a format 0 file of one track at 96 ticks per quarter: the header's meta events, then the
// song track (its name and events). The file is made beside the target and takes its place only
// when every step succeeded, so a failure at any point leaves the previous file as it was. A
// target that nobody may write to is refused, as the user protected it; so is one that is not a
// regular file.
SongWriteResult WriteSongFile(MidiFile& file, MidiTrack& songTrack, const std::string& path,
                              const SongFileHeader& header);

// The name the save dialog proposes: the song's title; else for one of the program's own files
// "My Music", and for a file from elsewhere its own name marked "(imported)", so that the
// original is not overwritten by accident.
std::string DefaultSongFileName(bool ownFile, std::string_view songTitle, std::string_view fileTitle);

} // namespace zembra
