// Canvas costs: a full repaint into the off-screen copy with a full note store.
#include "app/kelp_app.h"
#include "canvas/kelp_view.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

namespace {

using namespace zembra;

// Fills the store with 1500 notes spread over the visible part of a 1920-pixel-wide client.
void fillVisible(SongState& song, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> column(0, 1880);
    std::uniform_int_distribution<int> row(0, kRowCount - 1);
    for (int i = 0; i < kMaxNotes; ++i) {
        const int slot = song.AllocateNote(column(random), song.bandTopOfRow(row(random)));
        song.NormaliseNote(slot);
        song.notes[slot].selected = i % 3 == 0 ? 1 : 0;
        ++song.noteCount;
    }
}

void BM_FullRepaint1500Notes(benchmark::State& state)
{
    CKelpView view;
    view.resize(1920, 600 + view.horizontalScrollBar()->sizeHint().height());
    view.show();
    view.PaintOffscreen();
    fillVisible(view.song(), 7);
    for (auto _ : state) {
        view.PaintOffscreen();
        benchmark::DoNotOptimize(view.offscreen().constBits());
    }
    state.counters["width"] = view.offscreen().width();
    state.counters["height"] = view.offscreen().height();
    state.counters["notes"] = view.song().noteCount;
}
BENCHMARK(BM_FullRepaint1500Notes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    zembra::KelpApp::SetUpIdentity();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
