#pragma once

#include <cstddef>
#include <cstdint>

namespace zembra {

// How a file's notes are fitted to the comb beyond the transposition. Everything is off by
// default, so that a file is counted and placed as it always was.
struct ImportOptions {
    // A key with no row moves by whole octaves to the nearest key that has one.
    bool foldOctaves = false;
    // Note Ons on MIDI channel 10, where General MIDI puts the drums, are neither counted nor placed.
    bool leaveOutDrums = false;
    // Tracks whose notes are neither counted nor placed: bit i for the i-th track read (the file's
    // track i + 1, as `zembra info` numbers them).
    std::uint32_t leftOutTracks = 0;

    bool operator==(const ImportOptions&) const = default;
};

// MIDI channel 10, as the low nibble of a status byte counts it.
inline constexpr std::uint8_t kDrumChannel = 9;

// Whether a channel event is left out of the import under the options.
bool IsLeftOut(std::uint8_t status, const ImportOptions& options);
// Whether the track at `index` of the tracks read is left out under the options.
bool IsTrackLeftOut(std::size_t index, const ImportOptions& options);

} // namespace zembra
