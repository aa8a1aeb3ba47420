#pragma once

#include "model/music_box.h"
#include "model/song_state.h"

#include <QString>

#include <string>

namespace zembra {

// The box a song file is for, as its tags name it.
struct SongFileBox {
    enum class Kind {
        None,     // the file names no box: a file from elsewhere, arranged for the box in use
        Known,    // `box` is the file's box
        NotKnown, // a box this program does not know, or a box of one's own it cannot read
    };
    Kind kind = Kind::None;
    MusicBox box;
    // With NotKnown, the box as the file names it, and why a box of one's own was refused.
    QString named;
    // The comb's tuning as the file's tags name it; equal temperament for any other file.
    Tuning tuning = Tuning::Equal;
};

// A file with the song tags and no box tag is for the default box, as every song file was before
// there were others; a built-in id gives that box; "own" gives the box of one's own that the file
// carries in the text event after the tags, when that reads as a box file and passes its checks.
// The tags are the first track's first text event, the definition its second; a file that cannot
// be read names no box.
SongFileBox ReadSongFileBox(const std::string& path);

// Puts `song` on the box the file at `path` names, in the file's tuning, when that is a box this
// program knows, before the file's notes are placed on its rows; true then. The song's notes are
// not moved.
bool UseSongFileBox(const std::string& path, SongState& song);

} // namespace zembra
