// Audio export of a full song: 1500 notes over 80 bars rendered offline to a WAV file as Export
// Audio writes it, against real time and against the fluidsynth program rendering the same notes
// from a MIDI file.
#include "canvas/wav_render.h"
#include "model/playback_list.h"
#include "midi/audio_render.h"
#include "midi/midi_bytes.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "midi/synth_engine.h"
#include "model/song_state.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace zembra;

constexpr int kBars = 80;
constexpr double kTempo = 500000.0;

std::unique_ptr<SongState> fullSong()
{
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    song->barCount = kBars;
    song->canvasWidth = song->pixelsPerQuarter * song->beatsPerBar * kBars;
    std::mt19937 random(5);
    std::uniform_int_distribution<int> beat16(0, kBars * 16 - 1);
    std::uniform_int_distribution<int> row(0, kDefaultRowCount - 1);
    for (int i = 0; i < kMaxNotes; ++i) {
        const int slot = song->AllocateNote(beat16(random) * song->pixelsPerQuarter / 4, song->bandTopOfRow(row(random)));
        song->NormaliseNote(slot);
        ++song->noteCount;
    }
    song->tempo = kTempo;
    return song;
}

std::filesystem::path scratch()
{
    auto dir = std::filesystem::temp_directory_path() / "zembra-export-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

// The song both benchmarks render: its track as playback builds it and its length with the tail.
struct FullSong {
    std::string font = findSoundFont({});
    std::unique_ptr<SongState> song = fullSong();
    MidiTrack track;
    double seconds = 0.0;

    FullSong()
    {
        BuildSongTrack(track, *song, PlaybackRange{});
        const auto events = track.TakeEvents(0, track.Count());
        seconds = (events.empty() ? 0.0 : events.back().time * kTempo / kDefaultResolution / 1e6) + 2.0;
    }

    void report(benchmark::State& state) const
    {
        state.counters["audio_s"] = seconds;
        state.counters["x_realtime"] =
            benchmark::Counter(seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    }
};

void BM_ExportSong1500Notes80Bars(benchmark::State& state)
{
    FullSong full;
    if (full.font.empty()) {
        state.SkipWithError("no sound font");
        return;
    }
    const auto path = scratch() / "song.wav";
    // The export as the user runs it: the box's sound (the damper's clicks, meantone) at its peak.
    full.song->tuning = Tuning::Meantone;
    for (auto _ : state) {
        const WavRenderResult result = RenderSongWav(*full.song, path.string(), {}, WavRenderOptions{});
        if (result.status != WavRenderStatus::Written) {
            state.SkipWithError(result.error.c_str());
            return;
        }
    }
    full.report(state);
}
BENCHMARK(BM_ExportSong1500Notes80Bars)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same notes written as a MIDI file and rendered by the fluidsynth program.
void BM_FluidsynthProgramSameNotes(benchmark::State& state)
{
    FullSong full;
    if (full.font.empty() || std::system("command -v fluidsynth >/dev/null 2>&1") != 0) {
        state.SkipWithError("fluidsynth program or sound font missing");
        return;
    }
    const auto midi = scratch() / "song.mid";
    const auto wav = scratch() / "fluidsynth.wav";
    {
        MidiFile file;
        file.Open(midi.string(), 'w', 0);
        file.SetResolution(kDefaultResolution);
        file.AddTrack(&full.track);
        const std::uint8_t tempo[3] = {0x07, 0xA1, 0x20};
        file.WriteMeta(&full.track, kMetaTempo, tempo, 3);
        file.WriteTrack(&full.track);
        if (!file.Close()) {
            state.SkipWithError("cannot write the MIDI file");
            return;
        }
    }
    const std::string command = "fluidsynth -ni -q -r 44100 -F '" + wav.string() + "' '" + full.font + "' '" +
                                midi.string() + "' >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("fluidsynth failed");
            return;
        }
    }
    full.report(state);
}
BENCHMARK(BM_FluidsynthProgramSameNotes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
