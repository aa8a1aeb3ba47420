// The program the crash recovery test starts, kills and starts again: the real window of a real
// start, edited with the mouse, telling on standard output what it asked and what it kept.
//   recovery_child edit TITLE FOLDER   saves a song as FOLDER/TITLE.mid, edits it until a
//                                      recovery point is written, edits a little more, then
//                                      waits to be killed
//   recovery_child restore ANSWER...   answers the start's questions ("yes" or "no") in turn,
//                                      tells what is on the canvas, and ends in order
#include "app/kelp_app.h"
#include "app/main_frame.h"
#include "app/recovery_folder.h"
#include "app/recovery_keeper.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "services/prompts.h"

#include "scripted_prompts.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace {

using namespace zembra;

constexpr int kEditsAfterPoint = 7;
constexpr double kChildTempo = 400000.0;
constexpr int kChildBarLengthMm = 40;

void say(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A note made with the right mouse button, at a place of its own for each `index`.
void makeNote(CKelpView& view, int index)
{
    const int x = 40 + (index % 24) * 26;
    const int row = 2 + (index / 24) * 5;
    const QPoint client(x + 20 - view.scrollX(), view.song().bandTopOfRow(row) + 6);
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, client);
}

// Every live note as "note LEFT TOP PITCH", in order of place.
void sayNotes(const SongState& song)
{
    std::vector<std::tuple<int, int, int>> notes;
    for (int i = 0; i < kMaxNotes; ++i) {
        if (song.IsLive(i)) {
            notes.emplace_back(song.notes[i].left, song.notes[i].top, song.notes[i].pitch);
        }
    }
    std::sort(notes.begin(), notes.end());
    for (const auto& [left, top, pitch] : notes) {
        say(QStringLiteral("note %1 %2 %3").arg(left).arg(top).arg(pitch));
    }
}

void sayQuestions(const ScriptedPrompts& scripted)
{
    int count = 0;
    for (const ScriptedPrompts::Asked& asked : scripted.asked()) {
        if (asked.kind == ScriptedPrompts::Asked::Kind::Question) {
            say(QStringLiteral("question ") + QString(asked.text).replace('\n', ' '));
            ++count;
        }
    }
    say(QStringLiteral("asked %1").arg(count));
}

int edit(KelpApp& app, ScriptedPrompts& scripted, const QString& title, const QString& folder)
{
    CKelpView& view = *app.view();
    SongState& song = view.song();
    song.title = title.toStdString();
    song.tempo = kChildTempo;
    // Save writes the clock's tempo, which the canvas's next paint would match to the song's.
    app.frame()->clock().SetTempo(static_cast<std::uint32_t>(kChildTempo));
    song.barLengthMm = kChildBarLengthMm;
    makeNote(view, 0);
    scripted.pushFileName(folder + '/' + title + QStringLiteral(".mid"));
    if (app.document()->SaveSong(QString()) != CKelpDoc::SaveOutcome::Saved) {
        say(QStringLiteral("not saved"));
        return EXIT_FAILURE;
    }
    say(QStringLiteral("saved ") + app.document()->filePath());

    int made = 1;
    bool pointSeen = false;
    QObject::connect(app.recoveryKeeper(), &RecoveryKeeper::written, [&](const QString& path) {
        if (pointSeen) {
            return;
        }
        pointSeen = true;
        say(QStringLiteral("point ") + path);
        sayNotes(song);
        say(QStringLiteral("end of point"));
        // Work the point does not hold: the restore must not bring it.
        for (int i = 0; i < kEditsAfterPoint; ++i) {
            makeNote(view, made++);
        }
        say(QStringLiteral("edited beyond the point"));
    });
    for (int i = 0; i < RecoveryLimits{}.edits; ++i) {
        makeNote(view, made++);
    }
    // The point is written once the last edit is back in the event loop; then this waits to be
    // killed.
    return QApplication::exec();
}

int restore(KelpApp& app)
{
    const CKelpDoc& doc = *app.document();
    const SongState& song = app.view()->song();
    say(QStringLiteral("title ") + QString::fromStdString(song.title));
    say(QStringLiteral("path ") + doc.filePath());
    say(QStringLiteral("own file %1").arg(doc.ownFile() ? 1 : 0));
    say(QStringLiteral("modified %1").arg(app.view()->modified() ? 1 : 0));
    say(QStringLiteral("tempo %1").arg(song.tempo));
    say(QStringLiteral("bar length %1").arg(song.barLengthMm));
    say(QStringLiteral("transposition %1 %2").arg(song.temporaryTransposition).arg(song.importTransposition));
    sayNotes(song);
    say(QStringLiteral("end of song"));
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("ZEMBRA_MIDI", "virtual", 1);
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        return EXIT_FAILURE;
    }
    auto owned = std::make_unique<ScriptedPrompts>();
    ScriptedPrompts& scripted = *owned;
    if (arguments.at(1) == QStringLiteral("restore")) {
        for (const QString& answer : arguments.mid(2)) {
            scripted.pushAnswer(answer == QStringLiteral("yes") ? Prompts::Answer::Yes : Prompts::Answer::No);
        }
    }
    installPrompts(std::move(owned));

    KelpApp app;
    if (!app.InitInstance({})) {
        return EXIT_FAILURE;
    }
    say(QStringLiteral("folder ") + RecoveryFolder::StandardFolder());
    sayQuestions(scripted);
    if (arguments.at(1) == QStringLiteral("edit") && arguments.size() == 4) {
        return edit(app, scripted, arguments.at(2), arguments.at(3));
    }
    return restore(app);
}
