#pragma once

// Bounds for tests that run the real event loop or the real clock: a test that would hang
// ends the test program with a message instead, and the event loop runs for a fixed span.
#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace zembra::test {

// While it lives, a thread waits for it to be destroyed; if that takes longer than the limit
// the GUI thread is stuck (a loop that never returns to the event loop), so the program is
// ended with a failure: nothing on the stuck thread could report it.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds limit, std::string what)
        : m_what(std::move(what))
        , m_thread([this, limit] { watch(limit); })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    void watch(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, limit, [this] { return m_done; }))
            return;
        std::fprintf(stderr, "watchdog: %s did not return within %lld ms; the GUI thread is stuck\n",
                     m_what.c_str(), static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }

    std::string m_what;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

// Runs the real event loop for the span: timers, queued calls and the toolkit's notices.
inline void runEventLoopFor(std::chrono::milliseconds span)
{
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

// True when a queued call and a timer both get their turn within the span: the window
// still answers.
inline bool eventLoopAnswers(std::chrono::milliseconds span = std::chrono::milliseconds(2000))
{
    bool queued = false;
    bool timer = false;
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    QMetaObject::invokeMethod(&loop, [&queued] { queued = true; }, Qt::QueuedConnection);
    QTimer::singleShot(1, &loop, [&] {
        timer = true;
        loop.quit();
    });
    loop.exec();
    return queued && timer;
}

}  // namespace zembra::test
