#include "midi/audio_render.h"

#include "midi/midi_bytes.h"
#include "midi/midi_event.h"
#include "midi/midi_track.h"
#include "midi/synth_engine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace zembra {

namespace {

constexpr int kChannels = 2;
constexpr std::uint32_t kBlockFrames = 4096;
constexpr std::uint32_t kHeaderBytes = 44;

void putLittle(std::uint8_t* at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void header(std::uint8_t (&h)[kHeaderBytes], int sampleRate, std::uint64_t frames)
{
    const std::uint32_t data = static_cast<std::uint32_t>(frames * kChannels * 2);
    std::fill(std::begin(h), std::end(h), 0);
    std::copy_n("RIFF", 4, h);
    putLittle(h + 4, 36 + data, 4);
    std::copy_n("WAVEfmt ", 8, h + 8);
    putLittle(h + 16, 16, 4);
    putLittle(h + 20, 1, 2); // PCM
    putLittle(h + 22, kChannels, 2);
    putLittle(h + 24, static_cast<std::uint32_t>(sampleRate), 4);
    putLittle(h + 28, static_cast<std::uint32_t>(sampleRate) * kChannels * 2, 4);
    putLittle(h + 32, kChannels * 2, 2);
    putLittle(h + 34, 16, 2);
    std::copy_n("data", 4, h + 36);
    putLittle(h + 40, data, 4);
}

} // namespace

WavWriter::~WavWriter()
{
    Discard();
}

bool WavWriter::Open(const std::string& path, int sampleRate)
{
    m_file = std::make_unique<SafeFile>(path);
    m_frames = 0;
    m_sampleRate = sampleRate;
    std::uint8_t h[kHeaderBytes];
    header(h, sampleRate, 0);
    return m_file->Open() && m_file->Write(h, kHeaderBytes);
}

bool WavWriter::Write(const std::int16_t* interleaved, std::uint32_t frames)
{
    if (!m_file) {
        return false;
    }
    // WAVE data is little-endian; so is every machine this builds for, checked at compile time.
    static_assert(std::endian::native == std::endian::little);
    const std::size_t samples = static_cast<std::size_t>(frames) * kChannels;
    m_frames += frames;
    return m_file->Write(interleaved, samples * sizeof(std::int16_t));
}

bool WavWriter::Close()
{
    if (!m_file) {
        return false;
    }
    std::uint8_t h[kHeaderBytes];
    header(h, m_sampleRate, m_frames);
    return m_file->Seek(0) && m_file->Write(h, kHeaderBytes) && m_file->Commit();
}

void WavWriter::Discard()
{
    if (m_file) {
        m_file->Discard();
    }
}

std::uint64_t SampleOfTick(std::uint64_t ticks, std::uint32_t microsPerQuarter, std::uint16_t ticksPerQuarter,
                           double sampleRate)
{
    if (ticksPerQuarter == 0) {
        return 0;
    }
    const double seconds = static_cast<double>(ticks) * microsPerQuarter / ticksPerQuarter / 1e6;
    return static_cast<std::uint64_t>(std::llround(seconds * sampleRate));
}

namespace {

struct PlayResult {
    bool ok = true;
    bool cancelled = false;
    std::uint64_t frames = 0;
};

// Plays the track through the synthesizer block by block and hands each block of interleaved
// float frames to `sink`; a sink that answers false stops the playing.
PlayResult playTrack(SynthEngine& synth, const AudioRenderRequest& request,
                     const std::function<bool(const float*, std::uint32_t)>& sink)
{
    PlayResult result;
    const double rate = synth.sampleRate();
    const std::vector<MidiEvent> events = request.track->TakeEvents(0, request.track->Count());
    const std::uint64_t lastTick = events.empty() ? 0 : events.back().time;
    const std::uint64_t end = SampleOfTick(lastTick, request.microsPerQuarter, request.ticksPerQuarter, rate) +
                              static_cast<std::uint64_t>(request.tailSeconds * rate);
    std::vector<float> block(static_cast<std::size_t>(kBlockFrames) * kChannels);
    std::uint64_t done = 0;
    auto renderUntil = [&](std::uint64_t frame) {
        while (result.ok && done < frame) {
            const auto frames = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockFrames, frame - done));
            result.ok = synth.renderFloat(block.data(), static_cast<int>(frames)) && sink(block.data(), frames);
            done += frames;
            if (result.ok && request.progress && !request.progress(end ? static_cast<double>(done) / end : 1.0)) {
                result.cancelled = true;
                result.ok = false;
            }
        }
    };
    for (const MidiEvent& event : events) {
        renderUntil(SampleOfTick(event.time, request.microsPerQuarter, request.ticksPerQuarter, rate));
        if (!result.ok) {
            break;
        }
        const std::uint8_t bytes[3] = {event.status, event.data1, event.data2};
        const std::size_t length = midiMessageLength(event.status);
        if (length > 0 && event.status < kSysEx) {
            synth.send(bytes, length);
        }
    }
    renderUntil(end);
    synth.allNotesOff();
    result.frames = done;
    return result;
}

std::int16_t toSixteenBits(float sample, double gain)
{
    const double scaled = std::round(static_cast<double>(sample) * gain * 32767.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

} // namespace

AudioRenderResult RenderTrackToWav(SynthEngine& synth, const AudioRenderRequest& request)
{
    AudioRenderResult result;
    if (!request.track) {
        result.error = "nothing to render";
        return result;
    }
    WavWriter wav;
    if (!wav.Open(request.path, static_cast<int>(synth.sampleRate()))) {
        result.problem = wav.problem();
        result.error = "cannot create " + request.path;
        return result;
    }
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(kBlockFrames) * kChannels);
    const PlayResult played = playTrack(synth, request, [&](const float* frames, std::uint32_t count) {
        const std::size_t samples = static_cast<std::size_t>(count) * kChannels;
        for (std::size_t i = 0; i < samples; ++i) {
            pcm[i] = toSixteenBits(frames[i], request.gain);
        }
        return wav.Write(pcm.data(), count);
    });
    result.cancelled = played.cancelled;
    if (!played.ok) {
        wav.Discard();
        result.problem = wav.problem();
        if (!result.cancelled) {
            result.error = "cannot write " + request.path;
        }
        return result;
    }
    if (!wav.Close()) {
        result.problem = wav.problem();
        result.error = "cannot write " + request.path;
        return result;
    }
    result.ok = true;
    result.frames = played.frames;
    return result;
}

AudioRenderResult RenderTrackToWavAtPeak(SynthEngine& synth, const AudioRenderRequest& request, double peak)
{
    AudioRenderResult result;
    if (!request.track) {
        result.error = "nothing to render";
        return result;
    }
    std::vector<float> sound;
    float loudest = 0.0f;
    const PlayResult played = playTrack(synth, request, [&](const float* frames, std::uint32_t count) {
        const std::size_t samples = static_cast<std::size_t>(count) * kChannels;
        for (std::size_t i = 0; i < samples; ++i) {
            loudest = std::max(loudest, std::abs(frames[i]));
        }
        sound.insert(sound.end(), frames, frames + samples);
        return true;
    });
    result.cancelled = played.cancelled;
    if (!played.ok) {
        if (!result.cancelled) {
            result.error = "cannot render " + request.path;
        }
        return result;
    }
    const double gain = loudest > 0.0f ? peak / loudest : 1.0;
    WavWriter wav;
    if (!wav.Open(request.path, static_cast<int>(synth.sampleRate()))) {
        result.problem = wav.problem();
        result.error = "cannot create " + request.path;
        return result;
    }
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(kBlockFrames) * kChannels);
    bool written = true;
    for (std::size_t at = 0; written && at < sound.size(); at += pcm.size()) {
        const std::size_t samples = std::min(pcm.size(), sound.size() - at);
        for (std::size_t i = 0; i < samples; ++i) {
            pcm[i] = toSixteenBits(sound[at + i], gain);
        }
        written = wav.Write(pcm.data(), static_cast<std::uint32_t>(samples / kChannels));
    }
    if (!written || !wav.Close()) {
        wav.Discard();
        result.problem = wav.problem();
        result.error = "cannot write " + request.path;
        return result;
    }
    result.ok = true;
    result.frames = played.frames;
    return result;
}

TrackPeakResult MeasureTrackPeak(SynthEngine& synth, const AudioRenderRequest& request)
{
    TrackPeakResult result;
    if (!request.track) {
        return result;
    }
    const PlayResult played = playTrack(synth, request, [&result](const float* frames, std::uint32_t count) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(count) * kChannels; ++i) {
            result.peak = std::max(result.peak, std::abs(frames[i]));
        }
        return true;
    });
    result.ok = played.ok;
    result.cancelled = played.cancelled;
    return result;
}

} // namespace zembra
