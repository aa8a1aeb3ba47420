#pragma once

#include "io/safe_file.h"
#include "midi/midi_bytes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zembra {

class MidiTrack;
class SynthEngine;

// Interleaved 16-bit stereo PCM in a RIFF WAVE file; the sizes are filled in at the end.
class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Makes the new file beside the target; the target is replaced only by Close().
    bool Open(const std::string& path, int sampleRate);
    bool Write(const std::int16_t* interleaved, std::uint32_t frames);
    // False when any write failed or the file could not take the target's place.
    bool Close();
    // Drops what was written; the target stays as it was.
    void Discard();
    WriteProblem problem() const { return m_file ? m_file->problem() : WriteProblem{}; }

private:
    std::unique_ptr<SafeFile> m_file;
    std::uint64_t m_frames = 0;
    int m_sampleRate = 0;
};

struct AudioRenderResult {
    bool ok = false;
    bool cancelled = false;
    WriteProblem problem;
    std::string error;
    std::uint64_t frames = 0;
};

struct AudioRenderRequest {
    const MidiTrack* track = nullptr;
    std::uint32_t microsPerQuarter = kDefaultTempo;
    std::uint16_t ticksPerQuarter = kDefaultResolution;
    // Sound after the last event, so that the last plucks ring out.
    double tailSeconds = 2.0;
    std::string path;
    // Called now and then with the share done (0..1); false cancels.
    std::function<bool(double)> progress;
    // Each sample is multiplied by this before it becomes 16 bits (and clipped at full scale).
    double gain = 1.0;
};

struct TrackPeakResult {
    bool ok = false;
    bool cancelled = false;
    // The largest magnitude of any sample, where 1 is full scale.
    float peak = 0.0f;
};

// The sample at which an event `ticks` into the track sounds.
std::uint64_t SampleOfTick(std::uint64_t ticks, std::uint32_t microsPerQuarter, std::uint16_t ticksPerQuarter,
                           double sampleRate);

// Plays the track through the synthesizer as fast as it renders and writes the sound to a WAV
// file. The file appears under its name only when complete: a failure or a cancel leaves no file
// behind (and an older file of that name as it was).
AudioRenderResult RenderTrackToWav(SynthEngine& synth, const AudioRenderRequest& request);

// As RenderTrackToWav, the samples scaled so that the loudest lands at `peak` (1 is full scale;
// request.gain is not used). One pass through the synthesizer: the sound is held as float samples
// until its loudest is known, 350 kB a second of sound. A silent render stays silent.
AudioRenderResult RenderTrackToWavAtPeak(SynthEngine& synth, const AudioRenderRequest& request, double peak);

// Plays the track through the synthesizer as RenderTrackToWav would, writing nothing, and gives
// the loudest sample: a render from a fresh synthesizer repeats these samples exactly.
TrackPeakResult MeasureTrackPeak(SynthEngine& synth, const AudioRenderRequest& request);

} // namespace zembra
