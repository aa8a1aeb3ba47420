// Canvas costs: a full repaint into the off-screen copy with a full note store.
#include "app/kelp_app.h"
#include "canvas/kelp_view.h"
#include "canvas/undo_ring.h"
#include "model/music_box.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

using namespace zembra;

// Fills the store with 1500 notes spread over the song's rows and the visible part of a
// 1920-pixel-wide client.
void fillVisible(SongState& song, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> column(0, 1880);
    std::uniform_int_distribution<int> row(0, song.rowCount - 1);
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

// The same repaint with the song on another box: a full store over the box's rows.
void BM_FullRepaintOnBox(benchmark::State& state, const char* boxId)
{
    CKelpView view;
    view.resize(1920, 600 + view.horizontalScrollBar()->sizeHint().height());
    view.show();
    view.song().UseBox(*FindBuiltInBox(boxId));
    view.PaintOffscreen();
    fillVisible(view.song(), 7);
    for (auto _ : state) {
        view.PaintOffscreen();
        benchmark::DoNotOptimize(view.offscreen().constBits());
    }
    state.counters["rows"] = view.song().rowCount;
    state.counters["notes"] = view.song().noteCount;
}
BENCHMARK_CAPTURE(BM_FullRepaintOnBox, 30_notes, "30")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_FullRepaintOnBox, 33_notes, "33")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One mouse move while every one of 1500 selected notes is dragged: the preview is computed and
// the viewport repainted (off-screen copy plus 1500 preview tiles).
void BM_DragPreviewStep1500Selected(benchmark::State& state)
{
    CKelpView view;
    view.resize(1920, 600 + view.horizontalScrollBar()->sizeHint().height());
    view.show();
    view.PaintOffscreen();
    SongState& song = view.song();
    fillVisible(song, 11);
    song.SelectAll();
    view.PaintOffscreen();
    const NoteRecord& grabbed = song.notes[0];
    const QPoint start(grabbed.left + 20 + 2, grabbed.top + 2);
    QMouseEvent press(QEvent::MouseButtonPress, start, view.viewport()->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &press);
    QImage screen(view.viewport()->size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const QPoint to = start + QPoint(1 + step % 40, step % 7);
        ++step;
        QMouseEvent move(QEvent::MouseMove, to, view.viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        // What the window system would get: the off-screen copy with the preview over it.
        view.viewport()->render(&screen);
    }
    state.counters["selected"] = song.selectedCount;
    state.counters["previewTiles"] = static_cast<double>(view.previewTileCount());
}
BENCHMARK(BM_DragPreviewStep1500Selected)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One undo snapshot of a full song.
void BM_SnapshotFullSong(benchmark::State& state)
{
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    fillVisible(*song, 3);
    UndoRing ring;
    for (auto _ : state) {
        ring.Snapshot(*song);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sizeof(SongState)));
}
BENCHMARK(BM_SnapshotFullSong)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
