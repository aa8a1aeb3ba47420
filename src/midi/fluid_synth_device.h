#pragma once

#include "midi/output_device.h"
#include "midi/synth_engine.h"

#include <memory>
#include <string>

struct _fluid_audio_driver_t;

namespace zembra {

// The built-in synthesizer as a live output: the engine plus an audio driver. Without an
// audio device it cannot be created, and the device list simply lacks it.
class FluidSynthDevice final : public OutputDevice {
public:
    static std::unique_ptr<FluidSynthDevice> create(const std::string& soundFont, std::string& error);
    ~FluidSynthDevice() override;

    void send(const std::uint8_t* bytes, std::size_t length, std::uint64_t tick, std::int64_t micros) override;
    void silence() override;
    bool tune(int channel, const std::array<double, 128>& cents) override;

    SynthEngine& engine() { return *m_engine; }

private:
    FluidSynthDevice() = default;

    std::unique_ptr<SynthEngine> m_engine;
    _fluid_audio_driver_t* m_driver = nullptr;
};

}  // namespace zembra
