#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

namespace zembra {

// An input that plays what it is fed, as a MIDI keyboard would: tests feed it, from any thread.
class VirtualInput {
public:
    using Sink = std::function<void(const std::uint8_t* bytes, std::size_t length)>;

    // Where fed messages go; set by the toolkit while the input is open.
    void setSink(Sink sink);
    void feed(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

private:
    std::mutex m_mutex;
    Sink m_sink;
};

}  // namespace zembra
