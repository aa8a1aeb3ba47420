// Reading a format-1 file of 16 tracks and 1,000,000 events into MidiTracks.
#include "midi/midi_file.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/smf_writer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace zembra;

constexpr int kTracks = 16;
constexpr int kEventsPerTrack = 1'000'000 / kTracks;

const std::string& bigFile()
{
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / "zembra-bench";
        std::filesystem::create_directories(dir);
        const std::string file = (dir / "million.mid").string();
        SmfWriter writer;
        writer.open(file);
        writer.setResolution(480);
        std::mt19937 random(4711);
        for (int t = 0; t < kTracks; ++t) {
            std::vector<MidiEvent> events;
            for (int i = 0; i < kEventsPerTrack; ++i) {
                const std::uint8_t key = std::uint8_t(36 + random() % 60);
                // Alternating strikes and releases; a few controllers and programs as in real files.
                if (i % 50 == 49)
                    events.push_back({0, std::uint8_t(0xB0 | t), 7, std::uint8_t(random() % 128), 0});
                else
                    events.push_back({std::uint32_t(random() % 240), std::uint8_t(0x90 | t), key,
                                      std::uint8_t(i % 2 ? 0 : 1 + random() % 126), 0});
            }
            writer.writeEvents(std::uint32_t(t), events.data(), std::uint32_t(events.size()));
        }
        writer.finish(1);
        return file;
    }();
    return path;
}

void BM_ReadMillionEventFile(benchmark::State& state)
{
    const std::string& path = bigFile();
    ToolkitOptions options;
    options.virtualOnly = true;
    MidiToolkit toolkit(options);
    std::size_t events = 0;
    for (auto _ : state) {
        MidiFile file(toolkit);
        file.Open(path, 'r', 0);
        std::vector<std::unique_ptr<MidiTrack>> tracks;
        for (std::uint32_t i = 0; i < file.TrackCount(); ++i) {
            tracks.push_back(std::make_unique<MidiTrack>());
            file.AddTrack(tracks.back().get());
        }
        file.ReadAll();
        events = 0;
        for (const auto& t : tracks)
            events += t->Count();
        benchmark::DoNotOptimize(events);
        file.Close();
    }
    state.counters["events"] = double(events);
    state.counters["file_MB"] = double(std::filesystem::file_size(path)) / 1e6;
    state.SetLabel(path);
}
BENCHMARK(BM_ReadMillionEventFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
