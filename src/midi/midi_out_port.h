#pragma once

#include "midi/midi_event.h"
#include "midi/notice_target.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zembra {

class MidiToolkit;
class MidiTrack;
class SyncClock;

// One open output device and the tracks it plays. The attached tracks are merged in time
// order into a 512-event buffer and fed to the toolkit one event at a time, as fast as it
// takes them; the toolkit's "more" notice refills. Single events can also be sent at once.
class MidiOutPort : public NoticeTarget {
public:
    static constexpr std::uint32_t kChunk = 512;
    static constexpr std::uint32_t kViewOptions = 0x3320;
    static constexpr std::uint32_t kMenuOptions = 0x33320;

    MidiOutPort();
    explicit MidiOutPort(MidiToolkit& toolkit);
    virtual ~MidiOutPort();
    MidiOutPort(const MidiOutPort&) = delete;
    MidiOutPort& operator=(const MidiOutPort&) = delete;

    void SetSync(SyncClock* clock) { m_clock = clock; }
    bool Open(std::uint16_t device, std::uint32_t options);
    void Close();
    void Reset();
    void Flush();
    // True when the event was taken, or dropped because the port is closed (so the pump
    // never stalls); false when the toolkit's queue is full.
    bool Put(const MidiEvent& event);
    void Attach(MidiTrack* track);
    bool Detach(MidiTrack* track);
    void Restart();
    // False when the toolkit refused an event; it is offered again at the next notice.
    bool Pump();

    bool IsOpen() const { return m_open; }
    std::uint16_t Device() const { return m_device; }
    std::uint32_t Options() const { return m_options; }
    const std::string& DeviceName() const { return m_deviceName; }
    std::uint32_t Handle() const { return m_handle; }
    std::size_t AttachedCount() const { return m_entries.size(); }
    std::uint32_t BufferCount() const { return m_bufferCount; }

    void onNotice(unsigned message) override;

protected:
    // Runs after every refill the toolkit asked for.
    virtual void OnMoreRequested() {}

private:
    struct Entry {
        MidiTrack* track = nullptr;
        std::vector<MidiEvent> chunk;
        std::uint32_t chunkSize = kChunk;
        std::uint32_t chunkIndex = 0;
        std::uint32_t consumed = 0;
        bool inExclusive = false;
    };

    void fill();

    MidiToolkit& m_toolkit;
    std::uint32_t m_handle = 0;
    std::uint32_t m_options = 0;
    std::uint16_t m_device = 0;
    bool m_open = false;
    std::string m_deviceName;
    std::uint32_t m_lastTime = 0;
    SyncClock* m_clock = nullptr;
    std::vector<Entry> m_entries;
    std::unique_ptr<std::array<MidiEvent, kChunk>> m_buffer;
    std::uint32_t m_bufferCount = 0;
    std::uint32_t m_bufferIndex = 0;
};

}  // namespace zembra
