#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zembra {

// The facts of an opened file that the import settings start from.
struct FileFacts {
    std::string fileTitle;  // the file name without its extension
    std::string text;       // the first text event, decoded
    int beatsPerBar = -1;   // -1: no time signature
    double tempo = 0.0;
    int resolution = 0;
};

// What the import settings need to know of a file, read from the data of its meta events.

// Beats per bar from a time signature's data (numerator, then the denominator as a power of
// two): 4/4 gives 4, 6/8 gives 3, 2/2 gives 4. -1 when the data is too short or the numerator
// is 0, which a file may carry but which counts no beats.
int BeatsPerBarFromTimeSignature(std::span<const std::uint8_t> data);

// The string id of the key a key signature names (sharps positive, flats negative; major or
// minor); 0 when the data is too short or out of range.
int KeyNameIdFromKeySignature(std::span<const std::uint8_t> data);

// The key a key signature names, as the fit of a file to the comb moves it: the major key (or
// the relative major of a minor one) as semitones above C, and whether it is minor. Not `known`
// when the data is too short or out of range, as for KeyNameIdFromKeySignature.
struct FileKey {
    bool known = false;
    int majorIndex = 0;
    bool minor = false;
};
FileKey FileKeyFromKeySignature(std::span<const std::uint8_t> data);

// A text event's data up to its end or its first NUL, decoded: valid UTF-8 stays, anything else
// is read as CP932.
std::string TextFromTextEvent(std::span<const std::uint8_t> data);

// The endings a song file may have, in any letter case: .mid, .midi and .smf.
bool HasSongFileEnding(std::string_view path);

} // namespace zembra
