#pragma once

#include "midi/midi_event.h"
#include "midi/notice_target.h"
#include "midi/output_device.h"
#include "midi/time_source.h"

#include <bitset>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace zembra {

// The toolkit's timing core: sequencer clocks, the bounded output queue of each port, the
// thread that sends queued events when their clock reaches them, and the notices that go
// back to the GUI thread. With a manual time source there is no thread: every change and
// every advance of the time runs the scheduler on the caller's thread.
class Sequencer {
public:
    static constexpr std::size_t kQueueCapacity = 1024;
    // Below this many queued events the port is asked for more.
    static constexpr std::size_t kLowWater = 256;

    explicit Sequencer(std::shared_ptr<TimeSource> time);
    ~Sequencer();
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

    void setWaker(std::function<void()> waker);
    // Delivers the notices that were waiting when the call began. Those its handlers cause
    // (a restart's first "more", the end an answer decides) wait for the next call, which the
    // waker is asked for: a handler that keeps making work never holds the GUI thread here.
    void dispatchNotices();
    std::size_t pendingNotices() const;

    void addClock(std::uint32_t handle, NoticeTarget* target);
    bool hasClock(std::uint32_t handle) const;
    void retargetClock(std::uint32_t handle, NoticeTarget* target);
    void removeClock(std::uint32_t handle);
    bool start(std::uint32_t clock);
    bool resume(std::uint32_t clock);
    bool pause(std::uint32_t clock);
    bool setTempo(std::uint32_t clock, std::uint32_t microsPerQuarter);
    std::optional<std::uint32_t> tempo(std::uint32_t clock) const;
    bool setResolution(std::uint32_t clock, std::uint16_t ticksPerQuarter);
    std::optional<std::uint16_t> resolution(std::uint32_t clock) const;
    std::optional<std::uint32_t> position(std::uint32_t clock) const;
    // A file's tempo, taken onto every clock.
    void setTempoEverywhere(std::uint32_t microsPerQuarter);

    void addPort(std::uint32_t handle, NoticeTarget* target, std::uint32_t clock, std::shared_ptr<OutputDevice> device);
    bool hasPort(std::uint32_t handle) const;
    void removePort(std::uint32_t handle);
    // 0 = accepted, 1 = queue full, -1 = no such port.
    int put(std::uint32_t port, const MidiEvent& event);
    bool reset(std::uint32_t port);
    bool flush(std::uint32_t port);

    // Manual time only: moves the time forward, sending each event and notice at its own time.
    void advance(std::int64_t micros);

private:
    struct Clock {
        NoticeTarget* target = nullptr;
        bool running = false;
        std::uint32_t tempo = 0;
        std::uint16_t resolution = 0;
        std::int64_t anchorMicros = 0;
        double anchorTicks = 0;   // position at anchorMicros
        double lastBeatTick = 0;  // where the last quarter notice fell
    };
    struct Queued {
        std::uint64_t tick;
        MidiEvent event;
    };
    struct Port {
        NoticeTarget* target = nullptr;
        std::uint32_t clock = 0;
        std::shared_ptr<OutputDevice> device;
        std::deque<Queued> queue;
        std::uint64_t queueTick = 0;  // tick of the last queued event
        std::uint64_t puts = 0;
        bool hadMaterial = false;     // something was queued since the last end or flush
        bool askPending = false;      // a "more" notice is waiting for the GUI
        bool lowAskArmed = false;     // may ask when the queue runs low
        bool drainedAsked = false;    // asked once with the queue empty
        std::bitset<16 * 128> sounding;
    };
    struct Notice {
        NoticeTarget* target;
        unsigned message;
        std::uint32_t port;  // the asking port, 0 for clock notices
        bool drainCheck;     // the port was empty when it asked: an empty answer ends the material
        std::uint64_t serial;
    };

    double positionAt(const Clock& c, std::int64_t now) const;
    std::int64_t dueMicros(const Clock& c, double tick) const;
    void reanchor(Clock& c, std::int64_t now);
    // Changes a clock's rate from now on: the position so far stays, the change applies after it.
    template <typename Change>
    bool changeRate(std::uint32_t handle, Change change);
    bool post(NoticeTarget* target, unsigned message, std::uint32_t port = 0, bool drainCheck = false);
    void dropNotices(NoticeTarget* target);
    void sendNow(Port& port, const MidiEvent& event, std::uint64_t tick);
    bool stepLocked();
    std::optional<std::int64_t> nextWakeLocked() const;
    // After a change: wakes the thread, or with manual time runs the scheduler here.
    void kick(std::unique_lock<std::mutex>& lock);
    void callWaker();
    void threadMain();

    std::shared_ptr<TimeSource> m_time;
    ManualTimeSource* m_manual = nullptr;
    SteadyTimeSource* m_steady = nullptr;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<std::uint32_t, Clock> m_clocks;
    std::map<std::uint32_t, Port> m_ports;
    std::deque<Notice> m_notices;
    std::uint64_t m_noticeSerial = 0;
    bool m_wakeAsked = false;  // a waker call follows a post since the current dispatch began
    bool m_quit = false;

    std::mutex m_wakerMutex;
    std::function<void()> m_waker;

    std::thread m_thread;
};

}  // namespace zembra
