// Resident memory of the built-in synthesizer with the music box (program 10) loaded, above
// the program without it.
#include "midi/midi_bytes.h"
#include "midi/synth_engine.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

using namespace zembra;

double residentMegabytes()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_SynthResidentMemory(benchmark::State& state)
{
    const std::string font = findSoundFont({});
    if (font.empty()) {
        state.SkipWithError("no General MIDI sound font");
        return;
    }
    double before = 0, after = 0;
    for (auto _ : state) {
        before = residentMegabytes();
        std::string error;
        SynthEngine::Config config;
        config.soundFont = font;
        config.loadSamplesOnDemand = state.range(0) != 0;
        auto synth = SynthEngine::create(config, error);
        if (!synth) {
            state.SkipWithError(error.c_str());
            return;
        }
        const std::uint8_t program[] = {kProgramChange, 10};
        const std::uint8_t on[] = {kNoteOn, 72, 100};
        synth->send(program, 2);
        synth->send(on, 3);
        std::vector<float> frames(2 * 44100);
        synth->renderFloat(frames.data(), 44100);
        after = residentMegabytes();
    }
    state.counters["rss_before_MB"] = before;
    state.counters["rss_with_synth_MB"] = after;
    state.counters["synth_MB"] = after - before;
}
// Argument: 1 = samples loaded on demand (as the program runs it), 0 = whole font for comparison.
BENCHMARK(BM_SynthResidentMemory)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
