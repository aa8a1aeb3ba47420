#pragma once

#include "midi/notice_target.h"

#include <cstdint>
#include <functional>

namespace zembra {

class MidiToolkit;

// The sequencer clock everything the output port plays is timed by: tempo in microseconds per
// quarter note, resolution in ticks per quarter, start, pause, resume, stop and position. It
// counts the toolkit's quarter-note notices and hands the end of the material to the view.
class SyncClock : public NoticeTarget {
public:
    static constexpr std::uint16_t kSettingA = 0;
    static constexpr std::uint16_t kSettingB = 10;

    SyncClock();
    explicit SyncClock(MidiToolkit& toolkit);
    virtual ~SyncClock();
    SyncClock(const SyncClock&) = delete;
    SyncClock& operator=(const SyncClock&) = delete;

    bool Open(std::uint16_t settingA = kSettingA, std::uint16_t settingB = kSettingB);
    void Close();
    void Start();
    void Resume();
    void Stop();
    void Pause();
    bool SetTempo(std::uint32_t microsPerQuarter);
    std::uint32_t GetTempo() const;
    void SetResolution(std::uint16_t ticksPerQuarter);
    std::uint16_t GetResolution() const;
    std::uint32_t GetPosition() const;
    std::uint32_t NotificationCount() const { return m_count; }

    bool IsOpen() const { return m_open; }
    bool IsRunning() const { return m_running; }
    std::uint32_t Handle() const { return m_handle; }

    // Runs on the end of the played material, after the count is reset: the view decides there
    // whether to stop or to play again.
    void SetEndHandler(std::function<void()> handler) { m_onEnd = std::move(handler); }

    void onNotice(unsigned message) override;

private:
    MidiToolkit& m_toolkit;
    std::uint32_t m_handle = 0;
    bool m_open = false;
    std::uint16_t m_settingA = 0;
    std::uint16_t m_settingB = 0;
    bool m_running = false;
    std::uint32_t m_count = 0;
    std::function<void()> m_onEnd;
};

}  // namespace zembra
