// Import editor costs for a 110-bar, 2000-note file: building both rolls, repainting after a
// scroll step or a magnifier move, and the memory the open dialog adds.
#include "app/kelp_app.h"
#include "midi/midi_bytes.h"
#include "midi/midi_track.h"
#include "import_ui/import_edit_dialog.h"
#include "import_ui/import_roll_canvas.h"
#include "import/import_roll_state.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace zembra;

constexpr int kResolution = 480;
constexpr int kBars = 110;
constexpr int kNotes = 2000;

// Four tracks of 500 strikes each, spread over 110 bars of 4/4, every strike released.
std::vector<std::unique_ptr<MidiTrack>> makeTracks()
{
    std::mt19937 random(5);
    std::uniform_int_distribution<std::uint32_t> tick(0, kBars * 4 * kResolution - 1);
    std::uniform_int_distribution<int> key(36, 110);
    std::vector<std::unique_ptr<MidiTrack>> tracks;
    for (int t = 0; t < 4; ++t) {
        std::vector<std::uint32_t> ticks(kNotes / 4);
        for (auto& x : ticks) {
            x = tick(random);
        }
        std::sort(ticks.begin(), ticks.end());
        auto track = std::make_unique<MidiTrack>();
        std::uint32_t previous = 0;
        for (const std::uint32_t x : ticks) {
            const auto k = static_cast<std::uint8_t>(key(random));
            track->Append(MidiEvent{x - previous, kNoteOn, k, 90, 0});
            track->Append(MidiEvent{0, kNoteOff, k, 0, 0});
            previous = x;
        }
        tracks.push_back(std::move(track));
    }
    return tracks;
}

std::vector<MidiTrack*> pointers(const std::vector<std::unique_ptr<MidiTrack>>& tracks)
{
    std::vector<MidiTrack*> result;
    for (const auto& t : tracks) {
        result.push_back(t.get());
    }
    return result;
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

void BM_BuildBothRolls2000Notes(benchmark::State& state)
{
    const auto tracks = makeTracks();
    const auto list = pointers(tracks);
    auto roll = std::make_unique<ImportRollState>();
    roll->resolution = kResolution;
    int entries = 0;
    for (auto _ : state) {
        entries = roll->Build(list);
        benchmark::DoNotOptimize(roll->notes.data());
    }
    state.counters["entries"] = entries;
}
BENCHMARK(BM_BuildBothRolls2000Notes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

struct OpenDialog {
    std::vector<std::unique_ptr<MidiTrack>> tracks = makeTracks();
    std::vector<MidiTrack*> list = pointers(tracks);
    ImportEditDialog dialog{ImportEditRequest{list, kResolution, 4, 0, false, nullptr, nullptr, nullptr, {}}};
    QImage frame;

    OpenDialog()
    {
        dialog.Start();
        dialog.resize(1280, 600);
        dialog.show();
        ImportRollCanvas& canvas = *dialog.canvas();
        frame = QImage(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    }

    // What the window system asks for after the step: the canvas painted, as on screen.
    void repaint(const QRect& area)
    {
        QPainter painter(&frame);
        dialog.canvas()->render(&painter, area.topLeft(), QRegion(area));
    }
};

void BM_ScrollStepRepaint(benchmark::State& state)
{
    OpenDialog open;
    ImportRollCanvas& canvas = *open.dialog.canvas();
    int direction = 1;
    for (auto _ : state) {
        if (canvas.scrollX() + canvas.lineStep() > canvas.maxScroll()) {
            direction = -1;
        } else if (canvas.scrollX() < canvas.lineStep()) {
            direction = 1;
        }
        canvas.setScrollX(canvas.scrollX() + direction * canvas.lineStep());
        open.repaint(canvas.rect());
        benchmark::DoNotOptimize(open.frame.constBits());
    }
    state.counters["width"] = canvas.width();
}
BENCHMARK(BM_ScrollStepRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MagnifierMoveRepaint(benchmark::State& state)
{
    OpenDialog open;
    ImportRollCanvas& canvas = *open.dialog.canvas();
    int x = 100;
    for (auto _ : state) {
        const QRect before = canvas.magnifierRect();
        x = x > canvas.width() - 200 ? 100 : x + 7;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 150), QPointF(x, 150), Qt::NoButton, Qt::NoButton,
                         Qt::ControlModifier);
        QApplication::sendEvent(&canvas, &move);
        open.repaint(before.united(canvas.magnifierRect()));
        benchmark::DoNotOptimize(open.frame.constBits());
    }
}
BENCHMARK(BM_MagnifierMoveRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Resident memory the dialog adds: open, painted, scrolled end to end and magnified.
void BM_DialogMemory(benchmark::State& state)
{
    long added = 0;
    for (auto _ : state) {
        const long before = residentKiB();
        {
            OpenDialog open;
            ImportRollCanvas& canvas = *open.dialog.canvas();
            for (int x = 0; x <= canvas.maxScroll(); x += canvas.pageStep()) {
                canvas.setScrollX(x);
                open.repaint(canvas.rect());
                QMouseEvent move(QEvent::MouseMove, QPointF(300, 200), QPointF(300, 200), Qt::NoButton, Qt::NoButton,
                                 Qt::ControlModifier);
                QApplication::sendEvent(&canvas, &move);
                open.repaint(canvas.rect());
            }
            added = std::max(added, residentKiB() - before);
        }
    }
    state.counters["addedMiB"] = static_cast<double>(added) / 1024.0;
}
BENCHMARK(BM_DialogMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
