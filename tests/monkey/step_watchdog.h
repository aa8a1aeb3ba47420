#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace zembra::monkey {

// Watches the GUI thread from a thread of its own: a step that has not come back within the
// limit ends the whole program with the seed and the step on stderr, so that a freeze fails at
// once (and can be replayed) instead of hanging the test run.
class StepWatchdog {
public:
    StepWatchdog(std::uint64_t seed, std::chrono::milliseconds limit);
    ~StepWatchdog();
    StepWatchdog(const StepWatchdog&) = delete;
    StepWatchdog& operator=(const StepWatchdog&) = delete;

    void BeginStep(long step, std::string what);
    // More about the step in progress, for the message should it not return.
    void Describe(std::string what);
    // A step known to take long (rendering audio, under a progress dialog) gets more time.
    void Extend(std::chrono::milliseconds limit);
    void EndStep();

private:
    void Watch();

    const std::uint64_t m_seed;
    const std::chrono::milliseconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_inStep = false;
    bool m_quit = false;
    long m_step = 0;
    std::string m_what;
    std::chrono::steady_clock::time_point m_deadline;
    std::thread m_thread;
};

} // namespace zembra::monkey
