#pragma once

#include "midi/midi_event.h"
#include "midi/notice_target.h"

#include <cstdint>
#include <functional>

namespace zembra {

class MidiToolkit;

// One open MIDI input: the toolkit's notice says events wait, and each is handed to the handler on
// the thread that delivers the notices (the GUI thread).
class MidiInPort : public NoticeTarget {
public:
    using Handler = std::function<void(const MidiEvent& event)>;

    explicit MidiInPort(MidiToolkit& toolkit);
    ~MidiInPort();
    MidiInPort(const MidiInPort&) = delete;
    MidiInPort& operator=(const MidiInPort&) = delete;

    // Closes the input in use first. False when the device does not open; the port is then closed.
    bool Open(std::uint16_t device);
    void Close();
    bool IsOpen() const { return m_handle != 0; }
    std::uint16_t Device() const { return m_device; }
    void SetHandler(Handler handler) { m_handler = std::move(handler); }

    void onNotice(unsigned message) override;

private:
    MidiToolkit& m_toolkit;
    std::uint32_t m_handle = 0;
    std::uint16_t m_device = 0;
    Handler m_handler;
};

}  // namespace zembra
