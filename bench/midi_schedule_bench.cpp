// Scheduling accuracy on the real steady clock: 2000 events at 300 beats per minute through the
// virtual device, the error of each send against its ideal time.
#include "midi/midi_bytes.h"
#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/sync_clock.h"
#include "midi/virtual_device.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using namespace zembra;

constexpr int kEvents = 2000;
constexpr std::uint32_t kTempo = 200'000;  // 300 bpm
constexpr std::uint16_t kResolution = 96;
constexpr std::uint32_t kDelta = 4;        // a 24th of a quarter: 8.3 ms apart

void BM_ScheduleAccuracy(benchmark::State& state)
{
    std::vector<double> errors;
    for (auto _ : state) {
        auto time = std::make_shared<SteadyTimeSource>();
        ToolkitOptions options;
        options.time = time;
        options.virtualOnly = true;
        MidiToolkit toolkit(options);
        // The benchmark's main thread is the GUI thread: it answers the toolkit's wake-ups.
        std::mutex mutex;
        std::condition_variable woken;
        bool pending = false;
        toolkit.setWaker([&] {
            std::lock_guard lock(mutex);
            pending = true;
            woken.notify_one();
        });
        SyncClock clock(toolkit);
        clock.Open();
        bool ended = false;
        clock.SetEndHandler([&] { ended = true; });
        MidiOutPort port(toolkit);
        port.SetSync(&clock);
        port.Open(kMapperDevice, MidiOutPort::kViewOptions);
        MidiTrack track;
        for (int i = 0; i < kEvents; ++i)
            track.Append({i == 0 ? 0 : kDelta, kNoteOn, std::uint8_t(60 + i % 30), std::uint8_t(i % 2 ? 0 : 100), 0});
        port.Attach(&track);
        clock.SetResolution(kResolution);
        clock.SetTempo(kTempo);
        clock.Pause();
        port.Restart();
        clock.Start();
        const std::int64_t start = time->nowMicros();
        while (!ended) {
            std::unique_lock lock(mutex);
            woken.wait(lock, [&] { return pending; });
            pending = false;
            lock.unlock();
            toolkit.dispatchNotices();
        }
        toolkit.setWaker({});
        for (const auto& s : toolkit.virtualDevice().sent()) {
            const double ideal = double(start) + double(s.tick) * kTempo / kResolution;
            errors.push_back(double(s.micros) - ideal);
        }
    }
    std::vector<double> late(errors.size());
    std::transform(errors.begin(), errors.end(), late.begin(), [](double e) { return std::abs(e); });
    std::sort(late.begin(), late.end());
    auto at = [&](double q) { return late[std::min(late.size() - 1, std::size_t(q * double(late.size())))]; };
    state.counters["sends"] = double(late.size());
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = late.back();
}
BENCHMARK(BM_ScheduleAccuracy)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
