// Opening a 16-track file of 1,000,000 events: from the chosen name to the import dialog shown,
// the count after a change of transposition, and OK to the placed and painted canvas.
#include "app/document_view_link.h"
#include "big_midi_file.h"
#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "canvas/kelp_view.h"
#include "midi/midi_track.h"
#include "midi/smf_writer.h"
#include "midi/sync_clock.h"
#include "model/music_box.h"
#include "document/kelp_doc.h"

#include "scoped_scripted_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QString>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace zembra;
using namespace zembra::bench;
using Clock = std::chrono::steady_clock;

struct Tracks {
    std::vector<std::unique_ptr<MidiTrack>> owned;
    std::vector<const MidiTrack*> view;
};

const Tracks& bigTracks()
{
    static const Tracks tracks = [] {
        Tracks t;
        std::mt19937 random(1234);
        for (int i = 0; i < kTracks; ++i) {
            auto track = std::make_unique<MidiTrack>();
            for (const MidiEvent& e : trackEvents(i, random)) {
                track->Append(e);
            }
            t.view.push_back(track.get());
            t.owned.push_back(std::move(track));
        }
        return t;
    }();
    return tracks;
}

// From the file name to the moment the import dialog is on screen (the dialog is then
// cancelled; closing and cleaning up are outside the measured time).
void BM_OpenToDialogShown(benchmark::State& state)
{
    const QString path = QString::fromStdString(bigFile());
    ScopedScriptedPrompts scripted;
    CKelpView view;
    CKelpDoc doc;
    SyncClock clock;
    clock.Open();
    LinkDocumentAndView(doc, view);
    doc.setClock(&clock);
    doc.NewSong();
    for (auto _ : state) {
        Clock::time_point shown;
        scripted->pushDialog([&shown](QDialog& dialog) {
            dialog.show();
            shown = Clock::now();
            return int(QDialog::Rejected);
        });
        const Clock::time_point start = Clock::now();
        doc.OpenSongFile(path);
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
    state.counters["events"] = kTracks * kEventsPerTrack;
}
BENCHMARK(BM_OpenToDialogShown)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What the dialog waits for when the transposition changes.
void BM_CountAfterTranspositionChange(benchmark::State& state)
{
    const Tracks& tracks = bigTracks();
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    int transposition = 0;
    ImportCounts counts;
    for (auto _ : state) {
        transposition = transposition == 12 ? -12 : transposition + 1;
        counts = CountImportable(tracks.view, *song, transposition);
        benchmark::DoNotOptimize(counts);
    }
    state.counters["importable"] = counts.importable;
}
BENCHMARK(BM_CountAfterTranspositionChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// "Fit to comb": all 25 transpositions counted, placed on an 80-bar canvas and checked for
// notes too close, under the import options given by the argument (1 folds, 2 leaves out drums).
void BM_RankTranspositions(benchmark::State& state)
{
    const Tracks& tracks = bigTracks();
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    FitRequest request;
    request.resolution = 480;
    request.options.foldOctaves = (state.range(0) & 1) != 0;
    request.options.leaveOutDrums = (state.range(0) & 2) != 0;
    request.grid.barCount = 80;
    std::vector<FitRow> rows;
    for (auto _ : state) {
        rows = RankTranspositions(tracks.view, *song, request);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["best"] = rows.front().transposition;
    state.counters["importable"] = rows.front().importable;
    state.counters["tooClose"] = rows.front().tooClose;
}
BENCHMARK(BM_RankTranspositions)->Arg(0)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same fit on each built-in box (the first argument indexes BuiltInBoxes(), the second gives
// the options as above), as the import settings rank it once another box is chosen: on the grid's
// box, into a song that is still on the 33-note box.
void BM_RankTranspositionsOnBox(benchmark::State& state)
{
    const Tracks& tracks = bigTracks();
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    const MusicBox& box = BuiltInBoxes()[static_cast<std::size_t>(state.range(0))];
    FitRequest request;
    request.resolution = 480;
    request.options.foldOctaves = (state.range(1) & 1) != 0;
    request.options.leaveOutDrums = (state.range(1) & 2) != 0;
    request.grid.barCount = 80;
    request.grid.box = box;
    std::vector<FitRow> rows;
    for (auto _ : state) {
        rows = RankTranspositions(tracks.view, *song, request);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetLabel(box.id);
    state.counters["best"] = rows.front().transposition;
    state.counters["importable"] = rows.front().importable;
    state.counters["tooClose"] = rows.front().tooClose;
}
BENCHMARK(BM_RankTranspositionsOnBox)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// OK: the notes placed on an 80-bar canvas and the canvas painted.
void BM_OkToPaintedCanvas(benchmark::State& state)
{
    const Tracks& tracks = bigTracks();
    CKelpView view;
    view.resize(1024, 520);
    view.song().barCount = 80;
    view.UpdateScrollSizes();
    int placed = 0;
    for (auto _ : state) {
        PlaceImportedNotes(view.song(), tracks.view, 480, false);
        view.edits().RestartUndo();
        view.PaintOffscreen();
        placed = view.song().noteCount;
        benchmark::DoNotOptimize(view.offscreen().constBits());
    }
    state.counters["placed"] = placed;
}
BENCHMARK(BM_OkToPaintedCanvas)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("ZEMBRA_MIDI", "virtual", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
