// The randomized exerciser: seeded random gestures on the real window, in the real event loop,
// with the steady clock and the real notice pump, and the song record checked after every step.
// ZEMBRA_MONKEY_STEPS and ZEMBRA_MONKEY_SEED run more (or one failure again) by hand;
// ZEMBRA_MONKEY_UNMASK=1 also runs the gestures whose faults are still being mended elsewhere
// (or only those named, joined by commas: ZEMBRA_MONKEY_UNMASK=right-click-while-left-held);
// ZEMBRA_MONKEY_TRACE=1 prints every step.
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "app/recovery_folder.h"
#include "app/recovery_keeper.h"
#include "failing_targets.h"
#include "canvas/kelp_view.h"
#include "monkey_box_gestures.h"
#include "monkey_dice.h"
#include "monkey_gestures.h"
#include "monkey_rig.h"
#include "random_prompts.h"
#include "document/kelp_doc.h"
#include "song_invariants.h"
#include "step_watchdog.h"
#include "undo_watch.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zembra::monkey {
namespace {

constexpr long kCiSteps = 2000;
constexpr std::uint64_t kCiSeed = 20261208;
constexpr std::chrono::milliseconds kStepLimit{1000};

long EnvNumber(const char* name, long fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

bool EnvFlag(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value && std::string(value) != "0";
}

// The files the chooser offers: two songs the run may write, a name without its suffix, a file
// that is not MIDI, a picture, names that do not exist, and copies of the MIDI fixtures: files
// made by other programs and the damaged ones of the fuzz corpus (copies, as the run may save
// over what it opened).
struct FileChoices {
    explicit FileChoices(const QTemporaryDir& dir)
    {
        const auto at = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
        QFile junk(at("junk.mid"));
        if (junk.open(QIODevice::WriteOnly)) {
            static constexpr char kJunk[] = "MThd\0\0\0\6garbage";
            junk.write(kJunk, sizeof kJunk - 1);
        }
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(at("picture.png"));
        open = {at("a.mid"), at("b.mid"), at("song"), at("junk.mid"), at("picture.png"), at("missing.mid")};
        const auto copyAll = [&](const QString& folder) {
            const QDir source(folder);
            for (const QString& name : source.entryList(QDir::Files)) {
                if (name.endsWith(QLatin1String(".mid")) || name.endsWith(QLatin1String(".txt"))) {
                    const QString copy = dir.filePath(QStringLiteral("fixture-") + name);
                    if (QFile::copy(source.filePath(name), copy)) {
                        open << copy;
                    }
                }
            }
        };
        copyAll(QStringLiteral(ZEMBRA_TEST_DATA "/midi"));
        copyAll(QStringLiteral(ZEMBRA_TEST_DATA "/midi/fuzz-corpus"));
        save = {at("a.mid"), at("b.mid"), at("song"), at("a.wav"), at("no-such-folder/c.mid")};
        boxes = WriteBoxFiles(dir);
    }
    QStringList open;
    QStringList save;
    QStringList boxes;
};

class PromptsInstaller {
public:
    explicit PromptsInstaller(std::unique_ptr<Prompts> prompts) : m_previous(installPrompts(std::move(prompts))) {}
    ~PromptsInstaller() { installPrompts(std::move(m_previous)); }

private:
    std::unique_ptr<Prompts> m_previous;
};

TEST(Monkey, RandomGesturesKeepTheSongSound)
{
    const long steps = EnvNumber("ZEMBRA_MONKEY_STEPS", kCiSteps);
    const auto seed = static_cast<std::uint64_t>(EnvNumber("ZEMBRA_MONKEY_SEED", static_cast<long>(kCiSeed)));
    const bool trace = EnvFlag("ZEMBRA_MONKEY_TRACE");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const FileChoices files(dir);
    const FailingTargets failing(dir);
    MonkeyDice dice(seed);
    auto owned = std::make_unique<RandomPrompts>(dice, files.open, files.save + failing.names());
    RandomPrompts& answers = *owned;
    answers.setBoxNames(files.boxes);
    const PromptsInstaller installer(std::move(owned));

    // Put together as the application does.
    CKelpDoc doc;
    auto* view = new CKelpView;
    LinkDocumentAndView(doc, *view);
    CMainFrame frame(&doc, view);
    doc.NewSong();
    // Recovery points come far more often than in use, so that they meet every kind of step.
    RecoveryFolder recovery(dir.filePath(QStringLiteral("recovery")));
    RecoveryKeeper keeper(doc, *view, recovery);
    keeper.setLimits({std::chrono::milliseconds(50), 5});
    QObject::connect(&frame, &CMainFrame::closing, &keeper, &RecoveryKeeper::Discard);
    long recoveryPoints = 0;
    QObject::connect(&keeper, &RecoveryKeeper::written, [&recoveryPoints] { ++recoveryPoints; });
    frame.resize(1024, 626);
    frame.show();
    frame.activateWindow();
    view->setFocus();
    const char* unmasked = std::getenv("ZEMBRA_MONKEY_UNMASK");
    MonkeyRig rig(dice, frame, *view, doc, unmasked ? unmasked : "");
    rig.Pump(0);

    StepWatchdog watchdog(seed, kStepLimit);
    rig.setWatchdog(&watchdog);
    UndoWatch undo;
    const auto started = std::chrono::steady_clock::now();
    std::map<std::string, long> counts;
    long step = 0;
    for (; step < steps; ++step) {
        const Gesture& gesture = PickGesture(dice.below(TotalWeight()));
        const int notesBefore = view->song().noteCount;
        const auto stepStart = std::chrono::steady_clock::now();
        watchdog.BeginStep(step, gesture.name);
        rig.BeginStep(gesture.name);
        gesture.run(rig);
        rig.Pump(0);
        rig.Settle();
        watchdog.EndStep();
        if (!LeavesArrowMovePending(gesture.name)) {
            rig.setArrowMovePending(false);
        }
        ++counts[gesture.name];
        if (trace) {
            const auto micros =
                std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - stepStart);
            std::fprintf(stderr, "monkey: step %ld %s %s: %lld us, %d notes, %d selected%s\n", step, gesture.name,
                         rig.note().c_str(), static_cast<long long>(micros.count()), view->song().noteCount,
                         view->song().selectedCount,
                         view->playing() ? ", playing" : "");
        }
        std::string broken = rig.TakeFailure();
        if (broken.empty()) {
            broken = FirstSongViolation(view->song());
        }
        if (broken.empty() && !gesture.mayCreateNotes && view->song().noteCount > notesBefore) {
            broken = "the note count rose from " + std::to_string(notesBefore) + " to " +
                     std::to_string(view->song().noteCount) + ", though this gesture makes no note";
        }
        if (broken.empty()) {
            broken = BandViolation(*view);
        }
        if (broken.empty()) {
            broken = undo.Observe(view->edits().undoRing());
        }
        if (broken.empty()) {
            broken = failing.Check();
        }
        if (!broken.empty()) {
            ADD_FAILURE() << "step " << step << " (" << gesture.name << (rig.note().empty() ? "" : ", ")
                          << rig.note() << "): " << broken << "\nreplay with ZEMBRA_MONKEY_SEED=" << seed
                          << " ZEMBRA_MONKEY_STEPS=" << step + 1;
            break;
        }
    }
    // The window still answers: one more turn of the loop, and playback can be stopped.
    if (rig.leftHeld()) {
        rig.Release(rig.pressPoint(), Qt::LeftButton, Qt::NoModifier);
    }
    view->playback().Stop();
    rig.Pump(0);
    EXPECT_FALSE(view->playing());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(stderr, "monkey: seed %llu, %ld of %ld steps clean in %.1f s; %ld messages, %ld dialogs, %ld recovery points;",
                 static_cast<unsigned long long>(seed), step, steps, seconds, answers.messages(), answers.dialogs(),
                 recoveryPoints);
    for (const auto& [variant, count] : rig.maskedCounts()) {
        std::fprintf(stderr, " masked %s %ld;", variant.c_str(), count);
    }
    std::fprintf(stderr, "\n");
}

} // namespace
} // namespace zembra::monkey
