#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace zembra {

// The General MIDI synthesizer without any audio output: it sounds through the built-in
// output device, and renders offline (WAV export) by pulling samples from it.
class SynthEngine {
public:
    struct Config {
        std::string soundFont;
        double sampleRate = 44100.0;
        // Sample data is loaded when a channel selects a preset, so that only the music box
        // (and whatever else a played file asks for) is resident.
        bool loadSamplesOnDemand = true;
    };

    // Null when FluidSynth or the sound font cannot be loaded; `error` then says why (in
    // FluidSynth's own words when it refused the font).
    static std::unique_ptr<SynthEngine> create(const Config& config, std::string& error);
    ~SynthEngine();
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // One short MIDI message (status and its data bytes).
    void send(const std::uint8_t* bytes, std::size_t length);
    void allNotesOff();
    // The keys of `channel` (from 0) tuned by cents from equal temperament through the synthesizer's
    // own key tuning; all zero switches the tuning off, so that equal temperament is the plain sound.
    bool tune(int channel, const std::array<double, 128>& cents);
    // Interleaved stereo frames.
    bool renderS16(std::int16_t* interleaved, int frames);
    bool renderFloat(float* interleaved, int frames);
    double sampleRate() const { return m_sampleRate; }

    _fluid_hashtable_t* settings() const { return m_settings; }
    _fluid_synth_t* synth() const { return m_synth; }

private:
    SynthEngine() = default;

    _fluid_hashtable_t* m_settings = nullptr;
    _fluid_synth_t* m_synth = nullptr;
    double m_sampleRate = 0;
};

// The sound font to use: `ZEMBRA_SOUNDFONT` when set, whatever is there; else the configured path,
// else the General MIDI font in the standard places. Empty when none of those is a readable file.
std::string findSoundFont(const std::string& configuredPath);

// Sends FluidSynth's own messages to midiLog, each kind once (once per process is enough).
void routeFluidSynthLog();

}  // namespace zembra
