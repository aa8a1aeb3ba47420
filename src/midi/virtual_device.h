#pragma once

#include "midi/output_device.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace zembra {

// A device that sounds nothing and keeps every event it is sent, with the tick it was timed
// for and the microsecond it went out. With a log path it is also a MIDI monitor: one line
// per event, "<microseconds> <tick> <bytes in hex>".
class VirtualDevice final : public OutputDevice {
public:
    struct Sent {
        std::int64_t micros = 0;
        std::uint64_t tick = 0;
        std::array<std::uint8_t, 3> bytes{};
        std::uint8_t length = 0;
    };

    explicit VirtualDevice(std::string logPath = {});
    ~VirtualDevice() override;

    void send(const std::uint8_t* bytes, std::size_t length, std::uint64_t tick, std::int64_t micros) override;

    std::vector<Sent> sent() const;
    void clear();

private:
    mutable std::mutex m_mutex;
    std::vector<Sent> m_sent;
    std::FILE* m_log = nullptr;
};

}  // namespace zembra
