// The built program run as a user runs it, timed from the spawn to its end: `zembra card` on a
// song of 1500 notes to the written PDF, and `zembra info` on a file of 1,000,000 events.
#include "big_midi_file.h"
#include "midi/midi_bytes.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

using namespace zembra;
using Clock = std::chrono::steady_clock;

// 1500 notes on the comb's keys, one every 20 ticks at 96 a quarter: 78 bars, every note placed.
const std::string& songOf1500Notes()
{
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / "zembra-bench";
        std::filesystem::create_directories(dir);
        const std::string file = (dir / "song-1500.mid").string();
        SmfWriter writer;
        writer.open(file);
        writer.setResolution(96);
        std::mt19937 random(7);
        std::vector<MidiEvent> events;
        for (int i = 0; i < 1500; ++i) {
            const int row = static_cast<int>(random() % 33);
            events.push_back({std::uint32_t(i == 0 ? 0 : 20), kNoteOn, std::uint8_t(row == 0 ? 60 : 61 + row), 80, 0});
        }
        writer.writeEvents(0, events.data(), std::uint32_t(events.size()));
        writer.finish(0);
        return file;
    }();
    return path;
}

// Spawns the program and waits for it; the time from the spawn to the end.
double timedRun(benchmark::State& state, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    const Clock::time_point start = Clock::now();
    process.start(QStringLiteral(ZEMBRA_BINARY), arguments);
    const bool finished = process.waitForFinished(60000);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!finished || process.exitCode() != 0) {
        state.SkipWithError(("zembra failed: " + process.readAllStandardError().toStdString()).c_str());
    }
    return seconds;
}

void BM_CardOf1500NotesToPdf(benchmark::State& state)
{
    const QString song = QString::fromStdString(songOf1500Notes());
    const QString pdf = QString::fromStdString((std::filesystem::temp_directory_path() / "zembra-bench" / "card.pdf").string());
    for (auto _ : state) {
        state.SetIterationTime(timedRun(state, {QStringLiteral("card"), song, QStringLiteral("-q"), QStringLiteral("-o"), pdf}));
    }
    std::filesystem::remove(pdf.toStdString());
}
BENCHMARK(BM_CardOf1500NotesToPdf)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_InfoOfMillionEvents(benchmark::State& state)
{
    const QString file = QString::fromStdString(bench::bigFile());
    for (auto _ : state) {
        state.SetIterationTime(timedRun(state, {QStringLiteral("info"), QStringLiteral("--json"), file}));
    }
    state.counters["events"] = bench::kTracks * bench::kEventsPerTrack;
}
BENCHMARK(BM_InfoOfMillionEvents)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The floor under both: the program started for its version alone.
void BM_StartAndEnd(benchmark::State& state)
{
    for (auto _ : state) {
        state.SetIterationTime(timedRun(state, {QStringLiteral("--version")}));
    }
}
BENCHMARK(BM_StartAndEnd)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
