#include "midi/sequencer.h"

#include "midi/midi_bytes.h"

#include <algorithm>
#include <cmath>

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#include <sched.h>
#endif

namespace zembra {

namespace {

// Floating-point noise must not make an event due a microsecond late.
constexpr double kDueSlack = 1e-6;
constexpr std::int64_t kSpinMicros = 300;

std::size_t noteIndex(std::uint8_t status, std::uint8_t key)
{
    return std::size_t(status & kChannelMask) * kKeyCount + (key & kDataMask);
}

// Timing survives a busy machine only when the scheduler thread runs before ordinary work.
// Real-time priority is asked for where the system grants it; elsewhere it runs as it is.
void raiseThreadPriority()
{
#if defined(__unix__) || defined(__APPLE__)
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 1;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
#endif
}

}  // namespace

Sequencer::Sequencer(std::shared_ptr<TimeSource> time)
    : m_time(std::move(time))
{
    if (m_time->isManual())
        m_manual = static_cast<ManualTimeSource*>(m_time.get());
    else
        m_thread = std::thread([this] { threadMain(); });
}

Sequencer::~Sequencer()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void Sequencer::setWaker(std::function<void()> waker)
{
    std::lock_guard lock(m_wakerMutex);
    m_waker = std::move(waker);
}

void Sequencer::callWaker()
{
    std::lock_guard lock(m_wakerMutex);
    if (m_waker)
        m_waker();
}

std::size_t Sequencer::pendingNotices() const
{
    std::lock_guard lock(m_mutex);
    return m_notices.size();
}

bool Sequencer::post(NoticeTarget* target, unsigned message, std::uint32_t port, bool drainCheck)
{
    if (!target)
        return false;
    const bool wasEmpty = m_notices.empty();
    m_notices.push_back(Notice{target, message, port, drainCheck, ++m_noticeSerial});
    // The poster calls the waker when this returns true.
    m_wakeAsked = m_wakeAsked || wasEmpty;
    return wasEmpty;
}

void Sequencer::dropNotices(NoticeTarget* target)
{
    std::erase_if(m_notices, [target](const Notice& n) { return n.target == target; });
}

void Sequencer::dispatchNotices()
{
    std::uint64_t last = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_notices.empty())
            return;
        last = m_notices.back().serial;
        m_wakeAsked = false;
    }
    for (;;) {
        Notice notice;
        std::uint64_t putsBefore = 0;
        {
            std::lock_guard lock(m_mutex);
            if (m_notices.empty() || m_notices.front().serial > last)
                break;
            notice = m_notices.front();
            m_notices.pop_front();
            if (auto it = m_ports.find(notice.port); notice.port && it != m_ports.end()) {
                it->second.askPending = false;
                putsBefore = it->second.puts;
            }
        }
        notice.target->onNotice(notice.message);
        if (!notice.port)
            continue;
        std::unique_lock lock(m_mutex);
        auto it = m_ports.find(notice.port);
        if (it == m_ports.end())
            continue;
        Port& port = it->second;
        bool wake = false;
        // The end of the material: the port ran dry, was asked for more, and put nothing.
        // Deciding it here, after the answer, means a slow GUI thread never ends playback early.
        if (notice.drainCheck && port.puts == putsBefore && port.queue.empty() && port.hadMaterial) {
            port.hadMaterial = false;
            auto clock = m_clocks.find(port.clock);
            if (clock != m_clocks.end())
                wake = post(clock->second.target, kNoticeEndOfMaterial);
        }
        // The answer may allow the next question (a port that ran dry while its last one waited).
        kick(lock);
        if (wake)
            callWaker();
    }
    bool owed = false;
    {
        std::lock_guard lock(m_mutex);
        // Notices posted while older ones waited asked for no call of their own.
        owed = !m_notices.empty() && !m_wakeAsked;
        m_wakeAsked = m_wakeAsked || owed;
    }
    if (owed)
        callWaker();
}

double Sequencer::positionAt(const Clock& c, std::int64_t now) const
{
    if (!c.running)
        return c.anchorTicks;
    return c.anchorTicks + double(now - c.anchorMicros) * c.resolution / c.tempo;
}

std::int64_t Sequencer::dueMicros(const Clock& c, double tick) const
{
    if (tick <= c.anchorTicks)
        return c.anchorMicros;
    return c.anchorMicros + std::int64_t(std::ceil((tick - c.anchorTicks) * c.tempo / c.resolution - kDueSlack));
}

void Sequencer::reanchor(Clock& c, std::int64_t now)
{
    c.anchorTicks = positionAt(c, now);
    c.anchorMicros = now;
}

void Sequencer::addClock(std::uint32_t handle, NoticeTarget* target)
{
    std::lock_guard lock(m_mutex);
    Clock c;
    c.target = target;
    c.tempo = kDefaultTempo;
    c.resolution = kDefaultResolution;
    m_clocks[handle] = c;
}

bool Sequencer::hasClock(std::uint32_t handle) const
{
    std::lock_guard lock(m_mutex);
    return m_clocks.count(handle) != 0;
}

void Sequencer::retargetClock(std::uint32_t handle, NoticeTarget* target)
{
    std::lock_guard lock(m_mutex);
    if (auto it = m_clocks.find(handle); it != m_clocks.end()) {
        if (it->second.target != target)
            dropNotices(it->second.target);
        it->second.target = target;
    }
}

void Sequencer::removeClock(std::uint32_t handle)
{
    std::unique_lock lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return;
    dropNotices(it->second.target);
    m_clocks.erase(it);
    kick(lock);
}

bool Sequencer::start(std::uint32_t handle)
{
    std::unique_lock lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return false;
    Clock& c = it->second;
    c.running = true;
    c.anchorMicros = m_time->nowMicros();
    c.anchorTicks = 0;
    c.lastBeatTick = 0;
    kick(lock);
    return true;
}

bool Sequencer::resume(std::uint32_t handle)
{
    std::unique_lock lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return false;
    Clock& c = it->second;
    if (!c.running) {
        c.anchorMicros = m_time->nowMicros();
        c.running = true;
    }
    kick(lock);
    return true;
}

bool Sequencer::pause(std::uint32_t handle)
{
    std::unique_lock lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return false;
    Clock& c = it->second;
    if (c.running) {
        reanchor(c, m_time->nowMicros());
        c.running = false;
    }
    kick(lock);
    return true;
}

template <typename Change>
bool Sequencer::changeRate(std::uint32_t handle, Change change)
{
    std::unique_lock lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return false;
    reanchor(it->second, m_time->nowMicros());
    change(it->second);
    kick(lock);
    return true;
}

bool Sequencer::setTempo(std::uint32_t handle, std::uint32_t microsPerQuarter)
{
    if (microsPerQuarter == 0)
        return false;
    return changeRate(handle, [microsPerQuarter](Clock& c) { c.tempo = microsPerQuarter; });
}

void Sequencer::setTempoEverywhere(std::uint32_t microsPerQuarter)
{
    if (microsPerQuarter == 0)
        return;
    std::unique_lock lock(m_mutex);
    const std::int64_t now = m_time->nowMicros();
    for (auto& [handle, c] : m_clocks) {
        reanchor(c, now);
        c.tempo = microsPerQuarter;
    }
    kick(lock);
}

std::optional<std::uint32_t> Sequencer::tempo(std::uint32_t handle) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return std::nullopt;
    return it->second.tempo;
}

bool Sequencer::setResolution(std::uint32_t handle, std::uint16_t ticksPerQuarter)
{
    if (ticksPerQuarter == 0)
        return false;
    return changeRate(handle, [ticksPerQuarter](Clock& c) { c.resolution = ticksPerQuarter; });
}

std::optional<std::uint16_t> Sequencer::resolution(std::uint32_t handle) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return std::nullopt;
    return it->second.resolution;
}

std::optional<std::uint32_t> Sequencer::position(std::uint32_t handle) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_clocks.find(handle);
    if (it == m_clocks.end())
        return std::nullopt;
    const double ticks = std::floor(positionAt(it->second, m_time->nowMicros()) + kDueSlack);
    return static_cast<std::uint32_t>(std::clamp(ticks, 0.0, double(UINT32_MAX)));
}

void Sequencer::addPort(std::uint32_t handle, NoticeTarget* target, std::uint32_t clock,
                        std::shared_ptr<OutputDevice> device)
{
    std::unique_lock lock(m_mutex);
    Port p;
    p.target = target;
    p.clock = clock;
    p.device = std::move(device);
    p.askPending = true;
    Port& port = m_ports[handle] = std::move(p);
    // A new port can take events at once.
    const bool wake = post(port.target, kNoticeMoreEvents, handle);
    lock.unlock();
    if (wake)
        callWaker();
}

bool Sequencer::hasPort(std::uint32_t handle) const
{
    std::lock_guard lock(m_mutex);
    return m_ports.count(handle) != 0;
}

void Sequencer::removePort(std::uint32_t handle)
{
    std::unique_lock lock(m_mutex);
    auto it = m_ports.find(handle);
    if (it == m_ports.end())
        return;
    dropNotices(it->second.target);
    m_ports.erase(it);
}

void Sequencer::sendNow(Port& port, const MidiEvent& event, std::uint64_t tick)
{
    const std::size_t length = midiMessageLength(event.status);
    if (length == 0 || !port.device)
        return;
    const std::uint8_t bytes[3] = {event.status, std::uint8_t(event.data1 & kDataMask), std::uint8_t(event.data2 & kDataMask)};
    const std::uint8_t type = event.status & kStatusTypeMask;
    if (event.status < kSysEx && (type == kNoteOn || type == kNoteOff)) {
        const bool on = type == kNoteOn && bytes[2] != 0;
        port.sounding.set(noteIndex(event.status, bytes[1]), on);
    }
    port.device->send(bytes, length, tick, m_time->nowMicros());
}

int Sequencer::put(std::uint32_t handle, const MidiEvent& event)
{
    std::unique_lock lock(m_mutex);
    auto it = m_ports.find(handle);
    if (it == m_ports.end())
        return -1;
    Port& port = it->second;
    auto clock = m_clocks.find(port.clock);
    const std::int64_t now = m_time->nowMicros();
    if (event.time == kAtOnce || clock == m_clocks.end()) {
        // Without a clock nothing times the queue: every event goes out as it comes.
        const double ticks = clock == m_clocks.end() ? 0.0 : std::floor(positionAt(clock->second, now));
        sendNow(port, event, std::uint64_t(std::max(ticks, 0.0)));
        return 0;
    }
    if (port.queue.size() >= kQueueCapacity)
        return 1;
    // Material that comes after the queue ran dry starts where the running clock stands,
    // not in the past: a repeat, or a refill that came late, plays on from now.
    if (port.queue.empty() && clock->second.running) {
        const double pos = std::floor(positionAt(clock->second, now));
        if (pos > double(port.queueTick))
            port.queueTick = std::uint64_t(pos);
    }
    port.queueTick += event.time;
    port.queue.push_back(Queued{port.queueTick, event});
    ++port.puts;
    port.hadMaterial = true;
    port.lowAskArmed = true;
    port.drainedAsked = false;
    kick(lock);
    return 0;
}

bool Sequencer::reset(std::uint32_t handle)
{
    std::lock_guard lock(m_mutex);
    auto it = m_ports.find(handle);
    if (it == m_ports.end())
        return false;
    Port& port = it->second;
    for (std::size_t i = 0; i < port.sounding.size(); ++i) {
        if (!port.sounding.test(i))
            continue;
        const MidiEvent off{0, std::uint8_t(kNoteOff | (i / kKeyCount)), std::uint8_t(i % kKeyCount), 0, 0};
        sendNow(port, off, 0);
    }
    port.sounding.reset();
    if (port.device)
        port.device->silence();
    return true;
}

bool Sequencer::flush(std::uint32_t handle)
{
    std::unique_lock lock(m_mutex);
    auto it = m_ports.find(handle);
    if (it == m_ports.end())
        return false;
    Port& port = it->second;
    port.queue.clear();
    port.queueTick = 0;
    port.hadMaterial = false;
    port.drainedAsked = false;
    port.lowAskArmed = false;
    kick(lock);
    return true;
}

bool Sequencer::stepLocked()
{
    const std::int64_t now = m_time->nowMicros();
    bool wake = false;
    for (auto& [handle, c] : m_clocks) {
        if (!c.running)
            continue;
        while (dueMicros(c, c.lastBeatTick + c.resolution) <= now) {
            c.lastBeatTick += c.resolution;
            wake |= post(c.target, kNoticeClockBeat);
        }
    }
    for (auto& [handle, port] : m_ports) {
        auto clockIt = m_clocks.find(port.clock);
        Clock* clock = clockIt == m_clocks.end() ? nullptr : &clockIt->second;
        if (clock && !clock->running)
            continue;
        while (!port.queue.empty() && (!clock || dueMicros(*clock, double(port.queue.front().tick)) <= now)) {
            const Queued q = port.queue.front();
            port.queue.pop_front();
            sendNow(port, q.event, q.tick);
        }
        if (!clock || !port.hadMaterial || port.askPending)
            continue;
        if (port.queue.empty() && !port.drainedAsked) {
            port.drainedAsked = true;
            port.askPending = true;
            wake |= post(port.target, kNoticeMoreEvents, handle, true);
        } else if (port.queue.size() <= kLowWater && port.lowAskArmed) {
            port.lowAskArmed = false;
            port.askPending = true;
            wake |= post(port.target, kNoticeMoreEvents, handle);
        }
    }
    return wake;
}

std::optional<std::int64_t> Sequencer::nextWakeLocked() const
{
    std::optional<std::int64_t> next;
    auto consider = [&next](std::int64_t t) {
        if (!next || t < *next)
            next = t;
    };
    for (const auto& [handle, c] : m_clocks)
        if (c.running)
            consider(dueMicros(c, c.lastBeatTick + c.resolution));
    for (const auto& [handle, port] : m_ports) {
        if (port.queue.empty())
            continue;
        auto clock = m_clocks.find(port.clock);
        if (clock == m_clocks.end())
            consider(m_time->nowMicros());
        else if (clock->second.running)
            consider(dueMicros(clock->second, double(port.queue.front().tick)));
    }
    return next;
}

void Sequencer::kick(std::unique_lock<std::mutex>& lock)
{
    if (!m_manual) {
        lock.unlock();
        m_wake.notify_one();
        return;
    }
    const bool wake = stepLocked();
    lock.unlock();
    if (wake)
        callWaker();
}

void Sequencer::advance(std::int64_t micros)
{
    if (!m_manual || micros < 0)
        return;
    std::unique_lock lock(m_mutex);
    const std::int64_t target = m_manual->nowMicros() + micros;
    bool wake = false;
    for (;;) {
        const std::optional<std::int64_t> next = nextWakeLocked();
        if (!next || *next > target)
            break;
        const std::int64_t before = m_manual->nowMicros();
        m_manual->set(std::max(*next, before));
        wake |= stepLocked();
        if (*next <= before && nextWakeLocked() == next)
            break;  // nothing moved: never spin
    }
    m_manual->set(target);
    wake |= stepLocked();
    lock.unlock();
    if (wake)
        callWaker();
}

void Sequencer::threadMain()
{
    raiseThreadPriority();
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (stepLocked()) {
            lock.unlock();
            callWaker();
            lock.lock();
            continue;
        }
        const std::optional<std::int64_t> next = nextWakeLocked();
        if (!next) {
            m_wake.wait(lock);
            continue;
        }
        // A sleeping thread wakes late by up to a millisecond or two on a busy machine: sleep
        // until shortly before the event, then yield until it is due.
        const std::int64_t wait = *next - m_time->nowMicros();
        if (wait > kSpinMicros) {
            m_wake.wait_for(lock, std::chrono::microseconds(wait - kSpinMicros));
        } else if (wait > 0) {
            lock.unlock();
            std::this_thread::yield();
            lock.lock();
        }
    }
}

}  // namespace zembra
