#include "midi/fluid_synth_device.h"

#include <fluidsynth.h>

namespace zembra {

std::unique_ptr<FluidSynthDevice> FluidSynthDevice::create(const std::string& soundFont, std::string& error)
{
    std::unique_ptr<FluidSynthDevice> device(new FluidSynthDevice);
    SynthEngine::Config config;
    config.soundFont = soundFont;
    device->m_engine = SynthEngine::create(config, error);
    if (!device->m_engine)
        return nullptr;
    device->m_driver = new_fluid_audio_driver(device->m_engine->settings(), device->m_engine->synth());
    if (!device->m_driver) {
        error = "no audio output for the built-in synthesizer";
        return nullptr;
    }
    return device;
}

FluidSynthDevice::~FluidSynthDevice()
{
    // The driver pulls from the synth on its own thread: stop it before the synth goes.
    if (m_driver)
        delete_fluid_audio_driver(m_driver);
}

void FluidSynthDevice::send(const std::uint8_t* bytes, std::size_t length, std::uint64_t, std::int64_t)
{
    m_engine->send(bytes, length);
}

bool FluidSynthDevice::tune(int channel, const std::array<double, 128>& cents)
{
    return m_engine->tune(channel, cents);
}

void FluidSynthDevice::silence()
{
    m_engine->allNotesOff();
}

}  // namespace zembra
