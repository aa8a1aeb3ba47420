#include "canvas/wav_render.h"

#include "model/playback_list.h"
#include "midi/audio_render.h"
#include "midi/midi_bytes.h"
#include "midi/midi_track.h"
#include "midi/synth_engine.h"
#include "model/song_state.h"
#include "model/too_close.h"
#include "model/tuning.h"

#include <cmath>

namespace zembra {

namespace {

// The loudest sample of a render lands here: 1 dB below full scale.
const double kPeakTarget = std::pow(10.0, kWavPeakDecibels / 20.0);

} // namespace

WavRenderResult RenderSongWav(const SongState& song, const std::string& path,
                                const std::function<bool(double)>& progress, const WavRenderOptions& options)
{
    WavRenderResult result;
    MidiTrack track;
    PlaybackRange range;
    range.temporaryTransposition = song.temporaryTransposition;
    range.damperDistance = options.asBox ? MinHoleDistance(song, options.metrics) : 0;
    if (!BuildSongTrack(track, song, range)) {
        result.status = WavRenderStatus::NotBuilt;
        return result;
    }
    SynthEngine::Config config;
    config.soundFont = findSoundFont({});
    config.sampleRate = kWavRenderSampleRate;
    result.soundFont = config.soundFont;
    result.soundFontProblem = CheckSoundFont(config.soundFont);
    std::unique_ptr<SynthEngine> synth;
    if (result.soundFontProblem == SoundFontProblem::None) {
        synth = SynthEngine::create(config, result.error);
        if (!synth) {
            result.soundFontProblem = SoundFontProblem::NotLoaded;
        }
    }
    if (!synth) {
        result.status = WavRenderStatus::NoSynthesizer;
        return result;
    }
    synth->tune(kMusicBoxChannelIndex, TuningCents(song.tuning, song.box));
    AudioRenderRequest request;
    request.track = &track;
    request.microsPerQuarter = static_cast<std::uint32_t>(song.tempo);
    request.ticksPerQuarter = static_cast<std::uint16_t>(kTicksPerQuarter);
    request.path = path;
    request.progress = progress;
    const AudioRenderResult rendered = RenderTrackToWavAtPeak(*synth, request, kPeakTarget);
    if (rendered.cancelled) {
        result.status = WavRenderStatus::Cancelled;
    } else if (!rendered.ok) {
        result.status = WavRenderStatus::Failed;
        result.error = rendered.error;
        result.problem = rendered.problem;
    }
    return result;
}

} // namespace zembra
