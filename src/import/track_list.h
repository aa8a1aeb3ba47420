#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zembra {

class MidiTrack;

// One track of a file as the import lists it, so that a part can be left out.
struct TrackSummary {
    std::string name;           // the track's name event, decoded; empty without one
    std::uint16_t channels = 0; // bit c: the track strikes notes on MIDI channel c + 1
    int notes = 0;              // its strikes (Note Ons with a velocity)

    bool operator==(const TrackSummary&) const = default;
};

// The channels and strikes of a track; the name is the caller's, read from the file.
TrackSummary SummarizeTrack(const MidiTrack& track, std::string name);

// The channels as people number them, "1, 10"; empty for none.
std::string ChannelListText(std::uint16_t channels);

// A list of track numbers as `zembra info` numbers them, from 1 to `highest`, separated by
// commas ("1,3,5"; blanks around a number are allowed, a repeat is harmless): bit n - 1 for
// track n. Nothing when the list is empty, or holds an empty entry, a word, or a number out of
// range.
std::optional<std::uint32_t> ParseTrackNumbers(std::string_view list, int highest);

// The tracks left out when only those of `chosen` (a ParseTrackNumbers mask) are imported.
std::uint32_t TracksLeftOutBesides(std::uint32_t chosen);
// The highest track number in a ParseTrackNumbers mask, 0 for none.
int HighestTrackNumber(std::uint32_t chosen);

} // namespace zembra
