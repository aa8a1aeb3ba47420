#include "step_watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace zembra::monkey {

StepWatchdog::StepWatchdog(std::uint64_t seed, std::chrono::milliseconds limit)
    : m_seed(seed)
    , m_limit(limit)
    , m_thread([this] { Watch(); })
{
}

StepWatchdog::~StepWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void StepWatchdog::BeginStep(long step, std::string what)
{
    {
        std::lock_guard lock(m_mutex);
        m_inStep = true;
        m_step = step;
        m_what = std::move(what);
        m_deadline = std::chrono::steady_clock::now() + m_limit;
    }
    m_wake.notify_all();
}

void StepWatchdog::Describe(std::string what)
{
    std::lock_guard lock(m_mutex);
    m_what = std::move(what);
}

void StepWatchdog::Extend(std::chrono::milliseconds limit)
{
    {
        std::lock_guard lock(m_mutex);
        m_deadline = std::chrono::steady_clock::now() + limit;
    }
    m_wake.notify_all();
}

void StepWatchdog::EndStep()
{
    {
        std::lock_guard lock(m_mutex);
        m_inStep = false;
    }
    m_wake.notify_all();
}

void StepWatchdog::Watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_inStep) {
            m_wake.wait(lock);
            continue;
        }
        const long step = m_step;
        if (m_wake.wait_until(lock, m_deadline) == std::cv_status::timeout && m_inStep && m_step == step) {
            std::fprintf(stderr,
                         "monkey: step %ld (%s) did not return within %lld ms: the GUI thread is stuck.\n"
                         "monkey: replay with ZEMBRA_MONKEY_SEED=%llu ZEMBRA_MONKEY_STEPS=%ld\n",
                         step, m_what.c_str(), static_cast<long long>(m_limit.count()),
                         static_cast<unsigned long long>(m_seed), step + 1);
            std::fflush(stderr);
            // The stuck thread cannot be unwound from here; only ending the process frees the run.
            std::abort();
        }
    }
}

} // namespace zembra::monkey
