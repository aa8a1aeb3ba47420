#pragma once

#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"
#include "midi/virtual_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

namespace zembra::test {

struct NoticeLog : NoticeTarget {
    std::vector<unsigned> received;
    void onNotice(unsigned message) override { received.push_back(message); }
    std::size_t count(unsigned message) const
    {
        return std::size_t(std::count(received.begin(), received.end(), message));
    }
};

// A toolkit on manual time with only the virtual device: the test is the GUI thread.
class ManualToolkitTest : public ::testing::Test {
protected:
    std::shared_ptr<ManualTimeSource> time = std::make_shared<ManualTimeSource>();
    MidiToolkit toolkit{ToolkitOptions::manual(time)};

    void advanceUs(std::int64_t micros) { toolkit.advance(std::chrono::microseconds(micros)); }
    // The GUI thread answers, as turns of the event loop would: one dispatch delivers only what
    // was waiting, so the notices its answers cause come with the next turn.
    void dispatch()
    {
        for (int turn = 0; turn < kTurns && toolkit.pendingNotices() != 0; ++turn)
            toolkit.dispatchNotices();
    }
    static constexpr int kTurns = 64;
    std::vector<VirtualDevice::Sent> sent() { return toolkit.virtualDevice().sent(); }
    std::vector<std::uint64_t> sentTicks()
    {
        std::vector<std::uint64_t> ticks;
        for (const auto& s : sent())
            ticks.push_back(s.tick);
        return ticks;
    }
    std::vector<std::int64_t> sentMicros()
    {
        std::vector<std::int64_t> micros;
        for (const auto& s : sent())
            micros.push_back(s.micros);
        return micros;
    }
};

}  // namespace zembra::test
