// Arranging for the box: a three-minute piece for eight players, and the 16-track file of
// 1,000,000 events, each from its tracks (the notes read as the import reads them) to the
// arrangement.
#include "big_midi_file.h"
#include "import/arranger.h"
#include "import/source_notes.h"
#include "midi/midi_track.h"
#include "model/music_box.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace zembra;
using namespace zembra::bench;

constexpr int kResolution = 480;
constexpr int kBeatsPerBar = 4;
constexpr int kPixelsPerQuarter = 24;

struct Tracks {
    std::vector<std::unique_ptr<MidiTrack>> owned;
    std::vector<const MidiTrack*> view;

    void add(const std::vector<MidiEvent>& events)
    {
        auto track = std::make_unique<MidiTrack>();
        for (const MidiEvent& e : events) {
            track->Append(e);
        }
        view.push_back(track.get());
        owned.push_back(std::move(track));
    }
};

// One player: `strikesPerBar` strikes a bar of `chord` keys each, each held until just before the next.
// The keys walk a I-vi-IV-V progression in C, two bars a chord, from `lowest` up.
struct Player {
    int channel;
    int strikesPerBar;
    int chord; // keys struck together
    int lowest;
    bool tune; // steps through the scale instead of the chord
};

std::vector<MidiEvent> PlayerEvents(const Player& player, int bars, std::mt19937& random)
{
    constexpr std::array<int, 4> kRoots = {0, 9, 5, 7};
    constexpr std::array<int, 7> kScale = {0, 2, 4, 5, 7, 9, 11};
    const std::uint32_t step = static_cast<std::uint32_t>(kResolution * kBeatsPerBar / player.strikesPerBar);
    const std::uint8_t status = static_cast<std::uint8_t>(0x90 | player.channel);
    std::vector<MidiEvent> events;
    std::uint32_t wait = 0;
    for (int bar = 0; bar < bars; ++bar) {
        const int root = kRoots[static_cast<std::size_t>(bar / 2 % 4)];
        for (int s = 0; s < player.strikesPerBar; ++s) {
            std::vector<int> keys;
            if (player.tune) {
                keys.push_back(player.lowest + kScale[random() % kScale.size()] + 12 * static_cast<int>(random() % 2));
            } else {
                for (int k = 0; k < player.chord; ++k) {
                    keys.push_back(player.lowest + root + (k * 4 + static_cast<int>(random() % 2)) % 12 + 12 * (k / 3));
                }
            }
            for (const int key : keys) {
                events.push_back({wait, status, static_cast<std::uint8_t>(key), 90, 0});
                wait = 0;
            }
            // Released just before the next strike.
            for (std::size_t k = 0; k < keys.size(); ++k) {
                events.push_back({k == 0 ? step - 1 : 0, status, static_cast<std::uint8_t>(keys[k]), 0, 0});
            }
            wait = 1;
        }
    }
    return events;
}

// Three minutes at 100 a minute: 75 bars of 4/4 (on a canvas of 80), eight players, about 5,000 notes.
const Tracks& EightPlayers()
{
    static const Tracks tracks = [] {
        constexpr int kBars = 75;
        std::mt19937 random(1234);
        Tracks t;
        for (const Player& player : {Player{0, 8, 1, 72, true},   // the tune, in eighths
                                 Player{1, 8, 1, 60, true},   // a counter-melody
                                 Player{2, 4, 1, 36, false},  // the bass, in quarters
                                 Player{3, 4, 3, 52, false},  // chords on the beats
                                 Player{4, 16, 1, 60, false}, // an arpeggio in sixteenths
                                 Player{5, 2, 2, 55, false},  // strings, in halves
                                 Player{6, 2, 3, 64, false},  // brass stabs
                                 Player{9, 8, 1, 36, false}}) // drums
        {
            t.add(PlayerEvents(player, kBars, random));
        }
        return t;
    }();
    return tracks;
}

const Tracks& MillionEvents()
{
    static const Tracks tracks = [] {
        Tracks t;
        std::mt19937 random(1234);
        for (int i = 0; i < kTracks; ++i) {
            t.add(trackEvents(i, random));
        }
        return t;
    }();
    return tracks;
}

ArrangeRequest RequestFor80Bars()
{
    ArrangeRequest request;
    request.rowPitches = DefaultBox().notes;
    request.resolution = kResolution;
    request.pixelsPerQuarter = kPixelsPerQuarter;
    request.beatsPerBar = kBeatsPerBar;
    request.canvasWidth = 80 * kBeatsPerBar * kPixelsPerQuarter;
    // 8 mm at 50 mm a bar of 96 pixels.
    request.minDistance = 16;
    return request;
}

void Report(benchmark::State& state, const std::vector<SourceNote>& notes, const ArrangeResult& result)
{
    state.counters["sourceNotes"] = static_cast<double>(notes.size());
    state.counters["placed"] = static_cast<double>(result.notes.size());
    state.counters["melodyKept"] = result.melodyKept;
    state.counters["melodyNotes"] = result.melodyNotes;
    state.counters["changes"] = static_cast<double>(result.edits.size());
}

void ArrangeTracks(benchmark::State& state, const Tracks& tracks)
{
    ImportOptions options;
    options.leaveOutDrums = true;
    const ArrangeRequest request = RequestFor80Bars();
    std::vector<SourceNote> notes;
    ArrangeResult result;
    for (auto _ : state) {
        notes = ReadSourceNotes(tracks.view, false, kResolution * kBeatsPerBar, options);
        result = Arrange(notes, request);
        benchmark::DoNotOptimize(result.notes.data());
    }
    Report(state, notes, result);
}

void BM_ArrangeEightPlayers(benchmark::State& state)
{
    ArrangeTracks(state, EightPlayers());
}
BENCHMARK(BM_ArrangeEightPlayers)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ArrangeMillionEvents(benchmark::State& state)
{
    ArrangeTracks(state, MillionEvents());
}
BENCHMARK(BM_ArrangeMillionEvents)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The bar length the arranger names for the tune, over the canvas settings' list.
void BM_ShortestMelodyBar(benchmark::State& state)
{
    ImportOptions options;
    options.leaveOutDrums = true;
    const std::vector<SourceNote> notes =
        ReadSourceNotes(EightPlayers().view, false, kResolution * kBeatsPerBar, options);
    const std::vector<int> lengths = {15, 20, 25, 30, 32, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100};
    int length = 0;
    for (auto _ : state) {
        length = ShortestMelodyBarLength(notes, RequestFor80Bars(), 8.0, lengths);
        benchmark::DoNotOptimize(length);
    }
    state.counters["barMm"] = length;
}
BENCHMARK(BM_ShortestMelodyBar)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
BENCHMARK_MAIN();
