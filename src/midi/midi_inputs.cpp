#include "midi/midi_inputs.h"

#include "midi/midi_bytes.h"
#include "midi/rtmidi_input.h"

#include <algorithm>

namespace zembra {

namespace {
constexpr char kVirtualInputName[] = "Zembra virtual keyboard";
}  // namespace

MidiInputs::MidiInputs(bool virtualOnly)
    : m_virtualOnly(virtualOnly)
{
    if (!m_virtualOnly)
        m_externalNames = RtMidiInput::portNames();
    m_virtual.setSink([this](const std::uint8_t* bytes, std::size_t length) { receiveVirtual(bytes, length); });
}

MidiInputs::~MidiInputs()
{
    m_virtual.setSink({});
    std::vector<std::uint32_t> handles;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& entry : m_open)
            handles.push_back(entry.first);
    }
    for (std::uint32_t handle : handles)
        close(handle);
}

std::uint32_t MidiInputs::count() const
{
    return static_cast<std::uint32_t>(m_externalNames.size() + (m_virtualOnly ? 1 : 0));
}

std::uint16_t MidiInputs::virtualIndex() const
{
    return m_virtualOnly ? 0 : static_cast<std::uint16_t>(count());
}

bool MidiInputs::name(std::uint16_t device, std::string& name) const
{
    if (m_virtualOnly && device == virtualIndex()) {
        name = kVirtualInputName;
        return true;
    }
    if (device < m_externalNames.size()) {
        name = m_externalNames[device];
        return true;
    }
    return false;
}

bool MidiInputs::open(std::uint32_t handle, NoticeTarget* target, std::uint16_t device, std::string& error)
{
    if (device >= count()) {
        error = "no MIDI input " + std::to_string(device);
        return false;
    }
    std::unique_ptr<RtMidiInput> external;
    {
        std::lock_guard lock(m_mutex);
        Open& input = m_open[handle];
        input.target = target;
        input.device = device;
    }
    if (!(m_virtualOnly && device == virtualIndex())) {
        external = RtMidiInput::open(
            device, [this, handle](const std::uint8_t* bytes, std::size_t length) { receive(handle, bytes, length); },
            error);
        std::lock_guard lock(m_mutex);
        if (!external) {
            m_open.erase(handle);
            return false;
        }
        m_open[handle].external = std::move(external);
    }
    return true;
}

bool MidiInputs::close(std::uint32_t handle)
{
    std::unique_ptr<RtMidiInput> external;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_open.find(handle);
        if (it == m_open.end())
            return false;
        external = std::move(it->second.external);
    }
    // Closing waits for RtMidi's thread, which may be waiting for the lock in receive().
    external.reset();
    std::lock_guard lock(m_mutex);
    m_open.erase(handle);
    std::erase(m_notices, handle);
    return true;
}

int MidiInputs::read(std::uint32_t handle, MidiEvent* event)
{
    std::lock_guard lock(m_mutex);
    auto it = m_open.find(handle);
    if (it == m_open.end() || it->second.events.empty() || !event)
        return -1;
    *event = it->second.events.front();
    it->second.events.pop_front();
    return 0;
}

bool MidiInputs::queueLocked(Open& input, const std::uint8_t* bytes, std::size_t length)
{
    // Channel messages only: what a keyboard plays. Anything else tells the recording nothing.
    if (length == 0 || bytes[0] < kStatusBit || bytes[0] >= kSysEx || length < midiMessageLength(bytes[0]))
        return false;
    if (input.events.size() >= kQueueCapacity)
        return false;
    MidiEvent event{};
    event.time = kAtOnce;
    event.status = bytes[0];
    event.data1 = length > 1 ? std::uint8_t(bytes[1] & kDataMask) : 0;
    event.data2 = length > 2 ? std::uint8_t(bytes[2] & kDataMask) : 0;
    input.events.push_back(event);
    if (input.noticePending)
        return false;
    input.noticePending = true;
    return true;
}

void MidiInputs::receive(std::uint32_t handle, const std::uint8_t* bytes, std::size_t length)
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_open.find(handle);
        if (it == m_open.end())
            return;
        if (queueLocked(it->second, bytes, length)) {
            m_notices.push_back(handle);
            wake = true;
        }
    }
    if (wake)
        callWaker();
}

void MidiInputs::receiveVirtual(const std::uint8_t* bytes, std::size_t length)
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        if (!m_virtualOnly)
        return;
    for (auto& [handle, input] : m_open) {
            if (input.device == virtualIndex() && queueLocked(input, bytes, length)) {
                m_notices.push_back(handle);
                wake = true;
            }
        }
    }
    if (wake)
        callWaker();
}

void MidiInputs::setWaker(std::function<void()> waker)
{
    std::lock_guard lock(m_wakerMutex);
    m_waker = std::move(waker);
}

void MidiInputs::callWaker()
{
    std::lock_guard lock(m_wakerMutex);
    if (m_waker)
        m_waker();
}

void MidiInputs::dispatchNotices()
{
    // Only what was waiting when the dispatch began: a keyboard played without pause must not
    // keep the GUI thread here.
    std::size_t waiting = pendingNotices();
    while (waiting-- > 0) {
        NoticeTarget* target = nullptr;
        {
            std::lock_guard lock(m_mutex);
            if (m_notices.empty())
                return;
            const std::uint32_t handle = m_notices.front();
            m_notices.pop_front();
            auto it = m_open.find(handle);
            if (it == m_open.end())
                continue;
            it->second.noticePending = false;
            target = it->second.target;
        }
        if (target)
            target->onNotice(kNoticeMidiInput);
    }
}

std::size_t MidiInputs::pendingNotices() const
{
    std::lock_guard lock(m_mutex);
    return m_notices.size();
}

}  // namespace zembra
