#include "midi/synth_engine.h"

#include "midi/midi_bytes.h"
#include "midi/midi_log.h"
#include "midi/repeat_filter.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace zembra {

namespace {

const char* const kStandardSoundFonts[] = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

bool readableFile(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// While a sound font loads, its errors are the reason the load failed: they go to the caller, who
// tells the user in the program's words, rather than to the log.
thread_local std::string* t_loadErrors = nullptr;

void logFromFluidSynth(int level, const char* message, void*)
{
    const std::string_view text = message ? message : "";
    if (t_loadErrors && (level == FLUID_PANIC || level == FLUID_ERR)) {
        if (!t_loadErrors->empty())
            *t_loadErrors += "; ";
        *t_loadErrors += text;
        return;
    }
    {
        static std::mutex mutex;
        static RepeatFilter repeats;
        std::lock_guard lock(mutex);
        if (!repeats.FirstOfKind(level, text))
            return;
    }
    MidiLogLevel ours = MidiLogLevel::Debug;
    switch (level) {
    case FLUID_PANIC: case FLUID_ERR: ours = MidiLogLevel::Error; break;
    case FLUID_WARN: ours = MidiLogLevel::Warning; break;
    case FLUID_INFO: ours = MidiLogLevel::Info; break;
    default: break;
    }
    midiLog(ours, "fluidsynth: " + std::string(text));
}

}  // namespace

void routeFluidSynthLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, logFromFluidSynth, nullptr);
    });
}

std::string findSoundFont(const std::string& configuredPath)
{
    // A font the user named is the one used: when it is unusable, the user hears why rather than
    // some other font.
    if (const char* env = std::getenv("ZEMBRA_SOUNDFONT"); env && *env)
        return env;
    if (readableFile(configuredPath))
        return configuredPath;
    for (const char* path : kStandardSoundFonts)
        if (readableFile(path))
            return path;
    return {};
}

std::unique_ptr<SynthEngine> SynthEngine::create(const Config& config, std::string& error)
{
    routeFluidSynthLog();
    if (!readableFile(config.soundFont)) {
        error = "no sound font at '" + config.soundFont + "'";
        return nullptr;
    }
    std::unique_ptr<SynthEngine> engine(new SynthEngine);
    engine->m_settings = new_fluid_settings();
    if (!engine->m_settings) {
        error = "cannot create synthesizer settings";
        return nullptr;
    }
    fluid_settings_setint(engine->m_settings, "synth.dynamic-sample-loading", config.loadSamplesOnDemand ? 1 : 0);
    fluid_settings_setnum(engine->m_settings, "synth.sample-rate", config.sampleRate);
    engine->m_synth = new_fluid_synth(engine->m_settings);
    if (!engine->m_synth) {
        error = "cannot create the synthesizer";
        return nullptr;
    }
    std::string loadErrors;
    t_loadErrors = &loadErrors;
    const int loaded = fluid_synth_sfload(engine->m_synth, config.soundFont.c_str(), 1);
    t_loadErrors = nullptr;
    if (loaded == FLUID_FAILED) {
        error = loadErrors.empty() ? "FluidSynth did not load it" : loadErrors;
        return nullptr;
    }
    fluid_settings_getnum(engine->m_settings, "synth.sample-rate", &engine->m_sampleRate);
    return engine;
}

SynthEngine::~SynthEngine()
{
    if (m_synth)
        delete_fluid_synth(m_synth);
    if (m_settings)
        delete_fluid_settings(m_settings);
}

void SynthEngine::send(const std::uint8_t* b, std::size_t length)
{
    if (length == 0 || length != midiMessageLength(b[0]) || b[0] >= kSysEx)
        return;
    const int channel = b[0] & kChannelMask;
    const int d1 = length > 1 ? b[1] & kDataMask : 0;
    const int d2 = length > 2 ? b[2] & kDataMask : 0;
    switch (b[0] & kStatusTypeMask) {
    case kNoteOff: fluid_synth_noteoff(m_synth, channel, d1); break;
    case kNoteOn:
        if (d2 == 0)
            fluid_synth_noteoff(m_synth, channel, d1);
        else
            fluid_synth_noteon(m_synth, channel, d1, d2);
        break;
    case kPolyPressure: fluid_synth_key_pressure(m_synth, channel, d1, d2); break;
    case kControlChange: fluid_synth_cc(m_synth, channel, d1, d2); break;
    case kProgramChange: fluid_synth_program_change(m_synth, channel, d1); break;
    case kChannelPressure: fluid_synth_channel_pressure(m_synth, channel, d1); break;
    case kPitchBend: fluid_synth_pitch_bend(m_synth, channel, d1 | (d2 << 7)); break;
    default: break;
    }
}

bool SynthEngine::tune(int channel, const std::array<double, 128>& cents)
{
    // One tuning program per channel, in a bank no General MIDI file would name.
    constexpr int kTuningBank = 127;
    if (std::all_of(cents.begin(), cents.end(), [](double c) { return c == 0.0; }))
        return fluid_synth_deactivate_tuning(m_synth, channel, 1) == FLUID_OK;
    // FluidSynth plays a pitch to whole cents, dropping the fraction: half a cent more makes it the
    // nearest whole cent rather than the one below (a just fifth, 702.0 cents, sounds 702, not 701).
    constexpr double kNearestWholeCent = 0.5;
    std::array<double, 128> pitch{};
    for (std::size_t key = 0; key < pitch.size(); ++key)
        pitch[key] = 100.0 * static_cast<double>(key) + cents[key] + kNearestWholeCent;
    return fluid_synth_activate_key_tuning(m_synth, kTuningBank, channel, "zembra", pitch.data(), 1) == FLUID_OK &&
           fluid_synth_activate_tuning(m_synth, channel, kTuningBank, channel, 1) == FLUID_OK;
}

void SynthEngine::allNotesOff()
{
    fluid_synth_all_notes_off(m_synth, -1);
    fluid_synth_all_sounds_off(m_synth, -1);
}

bool SynthEngine::renderS16(std::int16_t* out, int frames)
{
    return fluid_synth_write_s16(m_synth, frames, out, 0, 2, out, 1, 2) == FLUID_OK;
}

bool SynthEngine::renderFloat(float* out, int frames)
{
    return fluid_synth_write_float(m_synth, frames, out, 0, 2, out, 1, 2) == FLUID_OK;
}

}  // namespace zembra
