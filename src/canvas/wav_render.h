#pragma once

#include "io/safe_file.h"
#include "midi/sound_font_check.h"
#include "model/print_metrics.h"

#include <functional>
#include <string>

namespace zembra {

struct SongState;

enum class WavRenderStatus { Written, NotBuilt, NoSynthesizer, Failed, Cancelled };

struct WavRenderResult {
    WavRenderStatus status = WavRenderStatus::Written;
    WriteProblem problem;
    std::string error;
    // With NoSynthesizer: the sound font tried (empty when none was found) and what is wrong with
    // it; `error` holds the synthesizer's own words when it refused the font.
    std::string soundFont;
    SoundFontProblem soundFontProblem = SoundFontProblem::None;
};

inline constexpr double kWavRenderSampleRate = 44100.0;
// The level of the loudest sample of every render, in dB of full scale.
inline constexpr double kWavPeakDecibels = -1.0;

struct WavRenderOptions {
    // A note the box damps (see DampedNotes) is heard as the damper's click, as playback plays it;
    // false renders every note in full.
    bool asBox = true;
    // What the too-close check measures with (CheckMetrics()), for a song fitted to the card.
    PrintMetrics metrics;
};

// The song as playback builds it (temporary transposition included), rendered offline through the
// built-in synthesizer in the song's tuning into a 44.1 kHz stereo WAV file at the song's tempo,
// its loudest sample at kWavPeakDecibels. `progress` gets the share done (0..1) now and then and cancels by answering
// false. The file appears only when whole.
// File > Export Audio and the command line's `wav` render through here.
WavRenderResult RenderSongWav(const SongState& song, const std::string& path,
                                const std::function<bool(double)>& progress = {},
                                const WavRenderOptions& options = {});

} // namespace zembra
