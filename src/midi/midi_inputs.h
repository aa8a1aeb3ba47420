#pragma once

#include "midi/midi_event.h"
#include "midi/notice_target.h"
#include "midi/virtual_input.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zembra {

class RtMidiInput;

// The toolkit's MIDI inputs: the external ones RtMidi finds and, for tests, the virtual one. What
// an open input receives is queued by the input's thread; the GUI thread is told with a notice
// (kNoticeMidiInput) and reads the events one by one.
class MidiInputs {
public:
    // At most this many events wait per input; a keyboard played into a stalled program loses the
    // newest, never blocks its thread.
    static constexpr std::size_t kQueueCapacity = 1024;

    // virtualOnly: the virtual input is the only one (no MIDI system is asked).
    explicit MidiInputs(bool virtualOnly);
    ~MidiInputs();
    MidiInputs(const MidiInputs&) = delete;
    MidiInputs& operator=(const MidiInputs&) = delete;

    std::uint32_t count() const;
    bool name(std::uint16_t device, std::string& name) const;
    // The virtual input's device number; count() when there is none.
    std::uint16_t virtualIndex() const;
    VirtualInput& virtualInput() { return m_virtual; }

    bool open(std::uint32_t handle, NoticeTarget* target, std::uint16_t device, std::string& error);
    bool close(std::uint32_t handle);
    // 0 and the oldest waiting event; -1 when none waits or the handle is unknown.
    int read(std::uint32_t handle, MidiEvent* event);

    void setWaker(std::function<void()> waker);
    void dispatchNotices();
    std::size_t pendingNotices() const;

private:
    struct Open {
        NoticeTarget* target = nullptr;
        std::uint16_t device = 0;
        std::deque<MidiEvent> events;
        bool noticePending = false;
        std::unique_ptr<RtMidiInput> external;
    };

    void receive(std::uint32_t handle, const std::uint8_t* bytes, std::size_t length);
    void receiveVirtual(const std::uint8_t* bytes, std::size_t length);
    // Under the lock: queues the event; true when a notice is newly due.
    bool queueLocked(Open& input, const std::uint8_t* bytes, std::size_t length);
    void callWaker();

    bool m_virtualOnly;
    std::vector<std::string> m_externalNames;
    VirtualInput m_virtual;

    mutable std::mutex m_mutex;
    std::map<std::uint32_t, Open> m_open;
    std::deque<std::uint32_t> m_notices;

    std::mutex m_wakerMutex;
    std::function<void()> m_waker;
};

}  // namespace zembra
