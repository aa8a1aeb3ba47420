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
    // Two passes through two fresh synthesizers, which play the same samples: the first finds the
    // loudest, the second writes them scaled so that it sits at the target.
    const KeyCents cents = TuningCents(song.tuning, song.box);
    auto freshSynth = [&config, &result, &cents]() -> std::unique_ptr<SynthEngine> {
        if (result.soundFontProblem != SoundFontProblem::None) {
            return nullptr;
        }
        std::unique_ptr<SynthEngine> synth = SynthEngine::create(config, result.error);
        if (!synth) {
            result.soundFontProblem = SoundFontProblem::NotLoaded;
        } else {
            synth->tune(kMusicBoxChannelIndex, cents);
        }
        return synth;
    };
    AudioRenderRequest request;
    request.track = &track;
    request.microsPerQuarter = static_cast<std::uint32_t>(song.tempo);
    request.ticksPerQuarter = static_cast<std::uint16_t>(kTicksPerQuarter);
    request.path = path;
    auto halfOfProgress = [&progress](double from) -> std::function<bool(double)> {
        if (!progress) {
            return {};
        }
        return [&progress, from](double share) { return progress(from + share / 2); };
    };

    std::unique_ptr<SynthEngine> measuring = freshSynth();
    if (!measuring) {
        result.status = WavRenderStatus::NoSynthesizer;
        return result;
    }
    request.progress = halfOfProgress(0.0);
    const TrackPeakResult measured = MeasureTrackPeak(*measuring, request);
    measuring.reset();
    if (measured.cancelled) {
        result.status = WavRenderStatus::Cancelled;
        return result;
    }
    // A silent render stays silent.
    request.gain = measured.peak > 0.0f ? kPeakTarget / measured.peak : 1.0;

    std::unique_ptr<SynthEngine> synth = freshSynth();
    if (!synth) {
        result.status = WavRenderStatus::NoSynthesizer;
        return result;
    }
    request.progress = halfOfProgress(0.5);
    const AudioRenderResult rendered = RenderTrackToWav(*synth, request);
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
