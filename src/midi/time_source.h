#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace zembra {

// Where the scheduler reads the time: the steady clock in the program, a manual clock in
// tests so that timing is exact and nothing sleeps.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual std::int64_t nowMicros() const = 0;
    // A manual source only moves when told to; the scheduler then runs on the caller's thread.
    virtual bool isManual() const = 0;
};

class SteadyTimeSource final : public TimeSource {
public:
    SteadyTimeSource() : m_origin(std::chrono::steady_clock::now()) {}
    std::int64_t nowMicros() const override;
    bool isManual() const override { return false; }
    std::chrono::steady_clock::time_point at(std::int64_t micros) const
    {
        return m_origin + std::chrono::microseconds(micros);
    }

private:
    std::chrono::steady_clock::time_point m_origin;
};

class ManualTimeSource final : public TimeSource {
public:
    std::int64_t nowMicros() const override { return m_now.load(); }
    bool isManual() const override { return true; }
    // Only the toolkit moves it, so that every due event is sent at its exact time.
    void set(std::int64_t micros) { m_now.store(micros); }

private:
    std::atomic<std::int64_t> m_now{0};
};

}  // namespace zembra
