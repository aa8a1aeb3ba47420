#pragma once

#include "io/safe_file.h"
#include "midi/midi_event.h"
#include "midi/notice_target.h"
#include "midi/output_device.h"
#include "midi/time_source.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zembra {

class MidiInputs;
class Sequencer;
class SmfReader;
class SmfWriter;
class VirtualDevice;
class VirtualInput;

struct ToolkitOptions {
    std::shared_ptr<TimeSource> time;  // the steady clock when empty
    bool virtualOnly = false;          // only the virtual device; the mapper plays into it
    // The virtual device (the MIDI monitor) is listed after the external outputs. It sounds
    // nothing, so it is offered only to whoever asked for it; virtualOnly lists it anyway.
    bool monitor = false;
    std::string soundFontPath;         // the setting; ZEMBRA_SOUNDFONT overrides it
    std::string monitorLogPath;        // the virtual device's text log

    // ZEMBRA_MIDI=virtual, ZEMBRA_MIDI_LOG (a log asks for the monitor) and the steady clock.
    static ToolkitOptions fromEnvironment();
    // Virtual device only, time moved by hand.
    static ToolkitOptions manual(std::shared_ptr<ManualTimeSource> time);
};

// Everything the program asks of MIDI: output devices, the timed output queue, sequencer
// clocks and Standard MIDI Files, all by handle. Results follow one rule: handles above 32
// on success; 0 accepted, non-zero refused; -1 absent. Call it from the GUI thread; its own
// thread only queues notices, which dispatchNotices() delivers.
class MidiToolkit {
public:
    static constexpr std::size_t kNameLength = 32;
    static constexpr std::uint32_t kVersion = 0x0100;

    explicit MidiToolkit(ToolkitOptions options = ToolkitOptions::fromEnvironment());
    ~MidiToolkit();
    MidiToolkit(const MidiToolkit&) = delete;
    MidiToolkit& operator=(const MidiToolkit&) = delete;

    // The program's toolkit, made from the environment on first use unless one was installed.
    static MidiToolkit& shared();
    static void setShared(MidiToolkit* toolkit);

    std::uint32_t GetToolkitVersion() const { return kVersion; }

    // Devices: 0..n-1 external outputs, then the virtual device where it is listed;
    // kMapperDevice is the built-in synthesizer (the virtual device when only that one is enabled).
    std::uint32_t GetNumOutDevices() const;
    // 1 when the device exists (for kMapperDevice: when there is a mapper); fills the name.
    int GetMidiOutDescription(std::uint16_t device, char name[kNameLength]);
    bool GetMidiOutCaps(std::uint16_t device, MidiOutCaps& caps);
    // The virtual device's number when it is listed (the count of external outputs).
    std::uint16_t virtualDeviceIndex() const;
    bool monitorListed() const { return m_options.virtualOnly || m_options.monitor; }
    // With only the virtual device enabled, the mapper is that device under a second number.
    bool mapperIsMonitor() const { return m_options.virtualOnly; }
    // The user's setting; takes effect for device menus built after it.
    void setMonitorListed(bool listed) { m_options.monitor = listed; }
    VirtualDevice& virtualDevice() { return *m_virtual; }
    // Tunes a channel (from 0) of the built-in synthesizer by cents from equal temperament; false
    // when there is no built-in synthesizer or it cannot be tuned.
    bool TuneBuiltIn(int channel, const std::array<double, 128>& cents);
    // The sound font setting; the built-in synthesizer is looked for again with it.
    void setSoundFontPath(const std::string& path);

    std::uint32_t OpenMidiOut(NoticeTarget* target, std::uint16_t device, std::uint32_t clock, std::uint32_t options);
    int PutMidiOut(std::uint32_t port, const MidiEvent* event);
    int ResetMidiOut(std::uint32_t port);
    int FlushMidiOut(std::uint32_t port);
    int CloseMidiOut(std::uint32_t port);

    // A setting of 0xFFFF leaves the one of the re-opened clock as it was.
    std::uint32_t OpenSync(std::uint32_t reopen, NoticeTarget* target, std::uint16_t settingA, std::uint16_t settingB);
    int CloseSync(std::uint32_t clock);
    int StartSync(std::uint32_t clock);
    int ReStartSync(std::uint32_t clock);
    int StopSync(std::uint32_t clock);
    int PauseSync(std::uint32_t clock, int mode);
    int SetTempo(std::uint32_t clock, std::uint32_t microsPerQuarter);
    // An unknown clock answers 120 bpm, so that a caller's tempo arithmetic never divides by 0.
    std::uint32_t GetTempo(std::uint32_t clock) const;
    int SetResolution(std::uint32_t clock, std::uint16_t ticksPerQuarter);
    std::uint16_t GetResolution(std::uint32_t clock) const;
    std::uint32_t GetPosition(std::uint32_t clock, int mode) const;

    // Inputs (MIDI keyboards): 0..n-1 those RtMidi finds; with only the virtual device enabled, the
    // virtual input alone, which tests feed.
    std::uint32_t GetNumInDevices() const;
    // 1 when the input exists; fills the name.
    int GetMidiInDescription(std::uint16_t device, char name[kNameLength]);
    VirtualInput& virtualInput();
    std::uint32_t OpenMidiIn(NoticeTarget* target, std::uint16_t device);
    // 0 and the oldest event received (time kAtOnce); -1 when none waits.
    int GetMidiIn(std::uint32_t input, MidiEvent* event);
    int CloseMidiIn(std::uint32_t input);

    // Standard MIDI Files. For writing, *format is read when the file is closed, so that a
    // format raised after opening (a second track) reaches the file.
    std::uint32_t OpenSMF(const char* path, std::uint32_t* format, const char* mode, std::uint32_t* trackCount);
    std::uint32_t ReadSMF(std::uint32_t file, std::uint32_t track, MidiEvent* buffer, std::uint32_t max);
    std::uint32_t WriteSMF(std::uint32_t file, std::uint32_t track, const MidiEvent* events, std::uint32_t count);
    // data stays the toolkit's and is valid until the file is closed.
    int ReadMetaEvent(std::uint32_t file, std::uint32_t track, std::uint8_t type, const std::uint8_t** data,
                      std::uint32_t* length);
    int WriteMetaEvent(std::uint32_t file, std::uint32_t track, std::uint8_t type, const std::uint8_t* data,
                       std::uint32_t length);
    int SetSMFResolution(std::uint32_t file, std::uint16_t ticksPerQuarter);
    std::uint16_t GetSMFResolution(std::uint32_t file) const;
    // Microseconds per quarter of a file being read: its first tempo event, 120 bpm without one.
    std::uint32_t GetSMFTempo(std::uint32_t file) const;
    int RewindSMF(std::uint32_t file);
    // 0 when a written file reached the disk; -1 when it did not or the handle is unknown.
    int CloseSMF(std::uint32_t file);
    // Drops a file being written without writing it: the target stays as it was.
    void AbandonSMF(std::uint32_t file);
    // Why the last SMF call failed ("expected MThd at byte 0"), for the user's message.
    std::string LastSMFError() const;
    // Why the last write of a file failed, for the user's message.
    WriteProblem LastSMFWriteProblem() const { return m_smfProblem; }
    // Empty for an intact file being read; otherwise where its first damaged track ends.
    std::string SMFDamage(std::uint32_t file) const;

    // Notices: the waker is called from the toolkit's thread when notices are waiting; it
    // must only arrange for dispatchNotices() to run on the GUI thread. One dispatch delivers
    // the notices that were waiting when it began; what its handlers cause waits for the next
    // one, for which the waker is called again.
    void setWaker(std::function<void()> waker);
    void dispatchNotices();
    std::size_t pendingNotices() const;

    // Manual time only.
    void advance(std::chrono::microseconds by);

private:
    struct SmfEntry;

    std::uint32_t newHandle() { return m_nextHandle++; }
    std::shared_ptr<OutputDevice> openDevice(std::uint16_t device, std::string& error);
    std::shared_ptr<OutputDevice> mapper();
    SmfEntry* smf(std::uint32_t file);
    const SmfEntry* smf(std::uint32_t file) const;

    ToolkitOptions m_options;
    std::shared_ptr<VirtualDevice> m_virtual;
    std::vector<std::string> m_externalNames;
    std::shared_ptr<OutputDevice> m_mapper;
    bool m_mapperTried = false;
    std::unique_ptr<Sequencer> m_sequencer;
    std::unique_ptr<MidiInputs> m_inputs;
    std::atomic<std::uint32_t> m_nextHandle{kFirstHandle};
    std::map<std::uint32_t, std::unique_ptr<SmfEntry>> m_files;
    std::map<std::uint32_t, std::pair<std::uint16_t, std::uint16_t>> m_clockSettings;
    std::string m_smfError;
    WriteProblem m_smfProblem;

    static constexpr std::uint32_t kFirstHandle = 33;
};

}  // namespace zembra
