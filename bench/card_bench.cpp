// Card costs: a long song written as PDF, one preview page, the too-close check and a canvas repaint
// with the check on.
#include "app/kelp_app.h"
#include "card/card_job.h"
#include "canvas/kelp_view.h"
#include "model/too_close.h"
#include "model/occupancy_grid.h"
#include "model/song_tidy.h"
#include "services/paint_device_metrics.h"
#include "services/command_ids.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

using namespace zembra;

// 1500 notes spread over `bars` bars of 4/4.
std::unique_ptr<SongState> LongSong(int bars)
{
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    song->barCount = bars;
    song->canvasWidth = bars * song->barWidth();
    std::mt19937 random(11);
    std::uniform_int_distribution<int> column(0, song->canvasWidth - song->noteWidth);
    std::uniform_int_distribution<int> row(0, kDefaultRowCount - 1);
    for (int i = 0; i < kMaxNotes; ++i) {
        const int slot = song->AllocateNote(column(random), song->bandTopOfRow(row(random)));
        song->NormaliseNote(slot);
        ++song->noteCount;
    }
    OccupancyGrid grid;
    TidySong(*song, grid);
    return song;
}

void BM_PdfOf1500Notes80Bars(benchmark::State& state)
{
    const auto song = LongSong(80);
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        ApplyApplicationPrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("bench.pdf")));
        CardJob job;
        job.Begin(printer, *song, 0, LookOfSong(*song, nullptr, QColor(50, 50, 50)));
        PaintJobPages(job, printer);
        pages = job.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PdfOf1500Notes80Bars)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A preview page: the first page of that song on an A4 landscape image at 300 dots per inch.
void BM_PreviewPage(benchmark::State& state)
{
    const auto song = LongSong(80);
    QImage page(3508, 2480, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    CardJob job;
    job.Begin(page, *song, 0, LookOfSong(*song, nullptr, QColor(50, 50, 50)));
    for (auto _ : state) {
        page.fill(Qt::white);
        QPainter painter(&page);
        job.PaintPage(painter, 1);
        painter.end();
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_PreviewPage)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_CountCloseHoles1500(benchmark::State& state)
{
    const auto song = LongSong(80);
    std::vector<HolePair> list;
    int count = 0;
    for (auto _ : state) {
        count = CountCloseHoles(*song, {}, list);
        benchmark::DoNotOptimize(count);
    }
    state.counters["close"] = count;
}
BENCHMARK(BM_CountCloseHoles1500)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RepaintWithCheck(benchmark::State& state)
{
    CKelpView view;
    view.resize(1920, 600 + view.horizontalScrollBar()->sizeHint().height());
    view.show();
    view.PaintOffscreen();
    SongState& song = view.song();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> column(0, 1880);
    std::uniform_int_distribution<int> row(0, kDefaultRowCount - 1);
    for (int i = 0; i < kMaxNotes; ++i) {
        const int slot = song.AllocateNote(column(random), song.bandTopOfRow(row(random)));
        song.NormaliseNote(slot);
        ++song.noteCount;
    }
    view.OnCommand(cmd::kDistanceCheck);
    for (auto _ : state) {
        view.PaintOffscreen();
        benchmark::DoNotOptimize(view.offscreen().constBits());
    }
    state.counters["close"] = view.paneText(kPaneDistanceCheck).trimmed().toInt();
}
BENCHMARK(BM_RepaintWithCheck)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
