#pragma once

#include <string>
#include <string_view>

namespace zembra {

// Why a file named as the sound font cannot serve the built-in synthesizer.
enum class SoundFontProblem {
    None,
    NoneFound,    // no path: nothing named and none in the standard places
    Missing,      // nothing at the path
    NotAFile,     // a folder, a FIFO, a device: only regular files are read
    Unreadable,   // a file that cannot be opened
    NotSoundFont, // a file whose header is neither a SoundFont 2 nor a DLS file
    NotLoaded,    // the header looked right, but the synthesizer refused the file
};

// The twelve bytes a RIFF file starts with: "RIFF", the size, then the form type, which is
// "sfbk" for a SoundFont 2 file and "DLS " for downloadable sounds (which FluidSynth also loads).
inline constexpr std::size_t kRiffHeaderBytes = 12;
bool IsSoundFontHeader(std::string_view head);

// What is wrong with the file at `path` before the synthesizer is asked to load it.
SoundFontProblem CheckSoundFont(const std::string& path);

} // namespace zembra
