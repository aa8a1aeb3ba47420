#include "midi/virtual_input.h"

namespace zembra {

void VirtualInput::setSink(Sink sink)
{
    std::lock_guard lock(m_mutex);
    m_sink = std::move(sink);
}

void VirtualInput::feed(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    const std::uint8_t bytes[3] = {status, data1, data2};
    std::lock_guard lock(m_mutex);
    if (m_sink)
        m_sink(bytes, sizeof bytes);
}

}  // namespace zembra
