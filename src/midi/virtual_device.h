#pragma once

#include "midi/output_device.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace zembra {

// A device that sounds nothing and keeps the events it is sent, with the tick each was timed
// for and the microsecond it went out: the most recent `keep` of them, so that a long session
// never grows without end. With a log path it is also a MIDI monitor: one line per event,
// "<microseconds> <tick> <bytes in hex>", every event, for as long as it runs.
class VirtualDevice final : public OutputDevice {
public:
    // Over an hour of a busy song at 16 events a second; 24 bytes an event.
    static constexpr std::size_t kDefaultKeep = std::size_t(1) << 16;

    struct Sent {
        std::int64_t micros = 0;
        std::uint64_t tick = 0;
        std::array<std::uint8_t, 3> bytes{};
        std::uint8_t length = 0;
    };

    explicit VirtualDevice(std::string logPath = {}, std::size_t keep = kDefaultKeep);
    ~VirtualDevice() override;

    void send(const std::uint8_t* bytes, std::size_t length, std::uint64_t tick, std::int64_t micros) override;

    // Oldest first.
    std::vector<Sent> sent() const;
    // Events let go to keep within the limit, since construction or the last clear.
    std::uint64_t dropped() const;
    void clear();
    // Takes a tuning as the built-in synthesizer does, so that tests can see what playback asked.
    bool tune(int channel, const std::array<double, 128>& cents) override;
    // The cents last given for a channel; all zero when none were.
    std::array<double, 128> tuning(int channel) const;

private:
    mutable std::mutex m_mutex;
    std::size_t m_keep;
    std::deque<Sent> m_sent;
    std::uint64_t m_dropped = 0;
    std::array<std::array<double, 128>, 16> m_tunings{};
    std::FILE* m_log = nullptr;
};

}  // namespace zembra
