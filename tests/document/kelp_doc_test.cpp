#include "app/document_view_link.h"
#include "services/prompts.h"
#include "services/save_confirm_dialog.h"
#include "services/settings.h"
#include "canvas/kelp_view.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "document/kelp_doc.h"
#include "document/song_writer.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "scoped_scripted_prompts.h"
#include "watchdog.h"

#include <chrono>
#include <new>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zembra {
namespace {

class FailingTrackFile : public MidiFile {
public:
    int WriteTrack(MidiTrack* track) override
    {
        MidiFile::WriteTrack(track);
        return 0;
    }
};

// Runs out of memory half-way through the track, after the header went to the file.
class ExhaustedTrackFile : public MidiFile {
public:
    int WriteTrack(MidiTrack*) override { throw std::bad_alloc(); }
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Plays the user's part in the save question: ticks the save-as box `ticks` times, then clicks.
ScriptedPrompts::DialogScript answerSaveQuestion(const char* button, int ticks = 0)
{
    return [button, ticks](QDialog& dialog) {
        for (int i = 0; i < ticks; ++i) {
            dialog.findChild<QCheckBox*>(QStringLiteral("saveAs"))->click();
        }
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
        return dialog.result();
    };
}

class Document : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        LinkDocumentAndView(doc, view);
        doc.NewSong();
        ASSERT_TRUE(dir.isValid());
    }

    void addNote(int left)
    {
        SongState& song = view.song();
        const int slot = song.AllocateNote(left, song.bandTopOfRow(0));
        song.NormaliseNote(slot);
        ++song.noteCount;
        view.edits().setModified(true);
    }

    QString pathOf(const QString& name) const { return dir.filePath(name); }

    ScopedScriptedPrompts scripted;
    CKelpView view;
    CKelpDoc doc;
    QTemporaryDir dir;
};

TEST(DefaultSongFileName, OwnFilesProposeTheTitleOthersAreMarkedImported)
{
    EXPECT_EQ(DefaultSongFileName(true, "Waltz", "x"), "Waltz");
    EXPECT_EQ(DefaultSongFileName(true, "", "x"), "My Music");
    EXPECT_EQ(DefaultSongFileName(false, "", "tune"), "tune(imported)");
    EXPECT_EQ(DefaultSongFileName(false, "Waltz", "tune"), "Waltz");
}

TEST_F(Document, NewSongIsUntitledOwnAndUnmodified)
{
    EXPECT_EQ(doc.title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc.filePath().isEmpty());
    EXPECT_TRUE(doc.ownFile());
    EXPECT_FALSE(view.modified());
    ASSERT_NE(doc.songTrack(), nullptr);
    EXPECT_STREQ(doc.songTrack()->Name(), "MusicBox");
    EXPECT_EQ(doc.tempo(), 500000.0);
    EXPECT_TRUE(scripted->asked().empty());
}

TEST_F(Document, SaveAsksForANameOnceThenWritesSilently)
{
    addNote(0);
    view.song().title.clear();
    scripted->pushFileName(pathOf(QStringLiteral("first")));
    QSignalSpy titles(&doc, &CKelpDoc::titleChanged);
    EXPECT_EQ(doc.SaveSong(doc.filePath()), CKelpDoc::SaveOutcome::Saved);
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].kind, ScriptedPrompts::Asked::Kind::SaveFile);
    EXPECT_EQ(scripted->asked()[0].text, QStringLiteral("My Music"));
    const QString saved = pathOf(QStringLiteral("first.mid"));
    EXPECT_EQ(doc.filePath(), saved) << "the default extension is added";
    EXPECT_EQ(doc.title(), QStringLiteral("first"));
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(view.song().title, "first") << "an untitled song takes its file's name";
    EXPECT_FALSE(view.modified());
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(settings::RestoreFolder(settings::kMidiFolder), QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(settings::RecentFiles(), QStringList{QDir::toNativeSeparators(saved)});

    addNote(48);
    scripted->clear();
    EXPECT_EQ(doc.SaveSong(doc.filePath()), CKelpDoc::SaveOutcome::Saved);
    EXPECT_TRUE(scripted->asked().empty()) << "an own file is overwritten without asking";
    EXPECT_FALSE(view.modified());

    view.song().title.clear();
    EXPECT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Cancelled);
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].text, QStringLiteral("My Music")) << "Save As proposes the title";
    EXPECT_TRUE(view.song().title.empty()) << "a plain save to the known path leaves an empty title empty";
}

TEST_F(Document, EmptyCanvasIsNotSaved)
{
    EXPECT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::NothingToSave);
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_TRUE(scripted->messages()[0].startsWith(QStringLiteral("Warning!  Cannot save.")));
}

TEST_F(Document, FailedSaveChangesNothing)
{
    addNote(0);
    const QString missing = pathOf(QStringLiteral("gone/song.mid"));
    scripted->pushFileName(missing);
    EXPECT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Failed);
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_EQ(scripted->messages()[0],
              QStringLiteral("Waruning! Cannot save.  This file attributes read only?  \n") +
                  QDir::toNativeSeparators(missing) + QStringLiteral("\nThe folder does not exist."));
    EXPECT_TRUE(doc.filePath().isEmpty());
    EXPECT_EQ(doc.title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(view.modified());
}

TEST_F(Document, FailureHalfWayKeepsThePreviousFileAndTheChanges)
{
    addNote(0);
    const QString path = pathOf(QStringLiteral("song.mid"));
    scripted->pushFileName(path);
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    const QByteArray previous = contents(path);
    ASSERT_FALSE(previous.isEmpty());

    addNote(96);
    doc.replaceWritingFile(std::make_unique<FailingTrackFile>());
    EXPECT_EQ(doc.SaveSong(doc.filePath()), CKelpDoc::SaveOutcome::Failed);
    EXPECT_EQ(contents(path), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("song.mid")});
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_EQ(scripted->messages()[0], QStringLiteral("Warning! Cannot save(3)\nplease try again!"));
    EXPECT_TRUE(view.modified());
    EXPECT_TRUE(doc.ownFile());
}

TEST_F(Document, SaveQuestionBranches)
{
    struct Case {
        const char* name;
        const char* button; // nullptr: the dialog closes without an answer
        int ticks;
        bool returnAllowed;
        bool goesOn;
        bool stillModified;
        ScriptedPrompts::Asked::Kind after; // what is asked after the question, if anything
    };
    using Kind = ScriptedPrompts::Asked::Kind;
    // "Do not save" goes on but keeps the mark: only replacing the song clears it.
    const Case cases[] = {
        {"do not save", "discard", 0, true, true, true, Kind::Dialog},
        {"return", "return", 0, true, false, true, Kind::Dialog},
        {"save as", "save", 1, true, false, true, Kind::SaveFile},       // its file dialog cancelled
        {"save, box ticked twice", "save", 2, true, false, true, Kind::SaveFile},
        {"closing: return is disabled", "return", 0, false, false, true, Kind::Dialog},
        {"closing: discard", "discard", 0, false, true, true, Kind::Dialog},
    };
    addNote(0);
    for (const Case& c : cases) {
        view.edits().setModified(true);
        scripted->clear();
        scripted->pushDialog(answerSaveQuestion(c.button, c.ticks));
        EXPECT_EQ(doc.QuerySave(c.returnAllowed), c.goesOn) << c.name;
        EXPECT_EQ(view.modified(), c.stillModified) << c.name;
        ASSERT_FALSE(scripted->asked().empty()) << c.name;
        EXPECT_EQ(scripted->asked().front().dialogClass, QStringLiteral("zembra::SaveConfirmDialog")) << c.name;
        EXPECT_EQ(scripted->asked().back().kind, c.after) << c.name;
    }

    view.edits().setModified(false);
    scripted->clear();
    EXPECT_TRUE(doc.QuerySave(true));
    EXPECT_TRUE(scripted->asked().empty()) << "nothing to lose: no question";
}

TEST_F(Document, SaveAsAsksBeforeReplacingTheNameReallyWritten)
{
    addNote(0);
    const QString real = pathOf(QStringLiteral("song.mid"));
    scripted->pushFileName(real);
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    const QByteArray previous = contents(real);
    ASSERT_FALSE(previous.isEmpty());
    EXPECT_EQ(scripted->asked().back().defaultSuffix, QStringLiteral("mid")) << "the dialog adds .mid itself";

    struct Case {
        const char* typed;
        Prompts::Answer answer;
        CKelpDoc::SaveOutcome outcome;
        bool replaced;
    };
    const Case cases[] = {
        {"song", Prompts::Answer::No, CKelpDoc::SaveOutcome::Cancelled, false},
        {"song.mid", Prompts::Answer::No, CKelpDoc::SaveOutcome::Cancelled, false},
        {"song", Prompts::Answer::Yes, CKelpDoc::SaveOutcome::Saved, true},
    };
    for (const Case& c : cases) {
        addNote(48 + 8 * static_cast<int>(&c - cases));
        const QByteArray before = contents(real);
        scripted->clear();
        scripted->pushFileName(pathOf(QString::fromLatin1(c.typed)));
        scripted->pushAnswer(c.answer);
        EXPECT_EQ(doc.SaveSong(QString()), c.outcome) << c.typed;
        ASSERT_EQ(scripted->asked().size(), 2u) << c.typed;
        EXPECT_EQ(scripted->asked()[1].kind, ScriptedPrompts::Asked::Kind::Question) << c.typed;
        EXPECT_EQ(scripted->asked()[1].text,
                  QDir::toNativeSeparators(real) + QStringLiteral(" already exists.\nDo you want to replace it?"))
            << c.typed;
        EXPECT_EQ(scripted->asked()[1].defaultAnswer, Prompts::Answer::No) << c.typed;
        EXPECT_EQ(contents(real) != before, c.replaced) << c.typed;
        EXPECT_EQ(view.modified(), !c.replaced) << c.typed;
    }
    EXPECT_FALSE(QFile::exists(pathOf(QStringLiteral("song")))) << "nothing is written under the typed name";
}

TEST_F(Document, DoNotSaveThenNoOpenKeepsTheEditsMarked)
{
    addNote(0);
    const QString missing = pathOf(QStringLiteral("missing.mid"));
    // The file dialog cancelled, then a file that cannot be opened, then one that is not read.
    const QString chosen[] = {QString(), missing, pathOf(QStringLiteral("tune.smf"))};
    for (const QString& path : chosen) {
        scripted->clear();
        scripted->pushDialog(answerSaveQuestion("discard"));
        if (!path.isEmpty()) {
            scripted->pushFileName(path);
        }
        doc.OpenSong();
        EXPECT_EQ(view.song().noteCount, 1) << path.toStdString();
        EXPECT_TRUE(view.modified()) << path.toStdString() << ": the edits are still on the canvas";
    }
    scripted->clear();
    scripted->pushDialog(answerSaveQuestion("discard"));
    EXPECT_TRUE(doc.QuerySave(false));
    ASSERT_FALSE(scripted->asked().empty());
    EXPECT_EQ(scripted->asked().front().dialogClass, QStringLiteral("zembra::SaveConfirmDialog"))
        << "closing still asks";
}

TEST_F(Document, RunningOutOfMemoryWhileWritingIsAFailedSave)
{
    addNote(0);
    const QString path = pathOf(QStringLiteral("song.mid"));
    scripted->pushFileName(path);
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    const QByteArray previous = contents(path);

    addNote(96);
    view.song().title.clear();
    doc.replaceWritingFile(std::make_unique<ExhaustedTrackFile>());
    scripted->clear();
    EXPECT_EQ(doc.SaveSong(doc.filePath()), CKelpDoc::SaveOutcome::Failed);
    EXPECT_EQ(scripted->messages(), QStringList{QStringLiteral("Warning! Cannot save(4)\nplease try again!")});
    EXPECT_EQ(contents(path), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("song.mid")})
        << "the half-written file is gone";
    EXPECT_TRUE(view.modified());
    EXPECT_EQ(view.song().noteCount, 2);

    // Save As under a new name: neither the name nor the title is taken.
    const QString other = pathOf(QStringLiteral("other.mid"));
    scripted->clear();
    scripted->pushFileName(other);
    EXPECT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Failed);
    EXPECT_EQ(doc.filePath(), path);
    EXPECT_EQ(doc.title(), QStringLiteral("song"));
    EXPECT_TRUE(view.song().title.empty());
    EXPECT_FALSE(QFile::exists(other));

    doc.replaceWritingFile(std::make_unique<MidiFile>());
    EXPECT_EQ(doc.SaveSong(doc.filePath()), CKelpDoc::SaveOutcome::Saved) << "the writing file is usable again";
    EXPECT_NE(contents(path), previous);
}

TEST_F(Document, SaveAsShowsTheNewTitleOnTheCanvasAtOnce)
{
    addNote(0);
    view.song().title.clear();
    view.resize(640, 480);
    view.show();
    QCoreApplication::processEvents();
    const QImage untitled = view.offscreen();
    scripted->pushFileName(pathOf(QStringLiteral("Waltz")));
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    ASSERT_EQ(view.song().title, "Waltz");
    QCoreApplication::processEvents();
    const QImage shown = view.offscreen();
    view.PaintOffscreen();
    EXPECT_EQ(shown, view.offscreen()) << "the canvas shows the song as it now is";
    EXPECT_NE(shown, untitled);
}

TEST_F(Document, SaveAnswerWritesToTheOwnFile)
{
    addNote(0);
    const QString path = pathOf(QStringLiteral("mine.mid"));
    scripted->pushFileName(path);
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    const QByteArray before = contents(path);
    addNote(48);
    scripted->clear();
    scripted->pushDialog(answerSaveQuestion("save"));
    EXPECT_TRUE(doc.QuerySave(true));
    EXPECT_FALSE(view.modified());
    EXPECT_NE(contents(path), before);
    EXPECT_EQ(scripted->asked().size(), 1u) << "no file dialog for an own file";
}

TEST_F(Document, NewSongAfterReturnKeepsTheSong)
{
    addNote(0);
    scripted->pushDialog(answerSaveQuestion("return"));
    doc.NewSong();
    EXPECT_EQ(view.song().noteCount, 1);
    scripted->pushDialog(answerSaveQuestion("discard"));
    doc.NewSong();
    EXPECT_EQ(view.song().noteCount, 0);
    EXPECT_FALSE(view.modified());
}

TEST_F(Document, FileThatCannotBeOpenedIsReportedAndKeepsTheIdentity)
{
    addNote(0);
    const QString path = pathOf(QStringLiteral("mine.mid"));
    scripted->pushFileName(path);
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    for (const char* name : {"missing.mid", "tune.wav"}) {
        scripted->clear();
        scripted->pushFileName(pathOf(QString::fromLatin1(name)));
        doc.OpenSong();
        EXPECT_EQ(doc.filePath(), path) << name;
        EXPECT_EQ(doc.title(), QStringLiteral("mine")) << name;
        EXPECT_TRUE(doc.ownFile()) << name;
        EXPECT_EQ(view.song().noteCount, 1) << name;
        ASSERT_EQ(scripted->messages().size(), 1) << name;
        EXPECT_TRUE(scripted->messages()[0].startsWith(QStringLiteral("Warning! Cannot open Midi file."))) << name;
    }
}

TEST_F(Document, CommandLineFileThatCannotBeOpenedGivesANewSong)
{
    addNote(0);
    view.edits().setModified(false);
    doc.setCommandLineFile(pathOf(QStringLiteral("absent.mid")));
    doc.NewSong();
    ASSERT_EQ(scripted->messages().size(), 2);
    EXPECT_EQ(scripted->messages()[1], QStringLiteral("cannot open."));
    EXPECT_EQ(view.song().noteCount, 0);
    EXPECT_EQ(doc.title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc.ownFile());
}

TEST_F(Document, BackgroundPicture)
{
    const QString picture = pathOf(QStringLiteral("card.bmp"));
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture, "BMP"));
    const QString gif = pathOf(QStringLiteral("card.gif"));
    const QString notPicture = pathOf(QStringLiteral("notes.jpg"));
    QFile text(notPicture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    doc.OpenBackground(); // cancelled
    EXPECT_EQ(doc.background(), nullptr);
    EXPECT_TRUE(settings::RestoreFolder(settings::kImageFolder).isEmpty());

    scripted->pushFileName(picture);
    doc.OpenBackground();
    ASSERT_NE(doc.background(), nullptr);
    EXPECT_EQ(doc.background()->size(), QSize(8, 4));
    EXPECT_EQ(doc.imagePath(), picture);
    EXPECT_EQ(settings::RestoreFolder(settings::kImageFolder), QDir::toNativeSeparators(dir.path()));

    scripted->pushFileName(notPicture);
    doc.OpenBackground();
    EXPECT_EQ(doc.background(), nullptr) << "the old picture is gone";
    EXPECT_EQ(doc.imagePath(), picture);
    EXPECT_EQ(scripted->messages(), QStringList{QStringLiteral("Warning! an error ocupied during Image file openning.\n"
                                                               "It is not a BMP, JPEG, GIF or PNG picture.")});

    if (image.save(gif, "GIF")) {
        EXPECT_TRUE(doc.LoadBackground(gif));
    }
    EXPECT_TRUE(doc.LoadBackground(picture));
    doc.NewSong();
    EXPECT_EQ(doc.background(), nullptr);
    EXPECT_TRUE(doc.imagePath().isEmpty());
}

// The header of a 24-bit BMP file of the given size, without its pixels: enough for a decoder to
// tell the size, as a real picture that large would.
QByteArray BmpHeader(int width, int height)
{
    const auto le = [](QByteArray& out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    const quint32 row = (static_cast<quint32>(width) * 3 + 3) / 4 * 4;
    QByteArray out("BM");
    le(out, 54 + row * static_cast<quint32>(height), 4);
    le(out, 0, 4);
    le(out, 54, 4);
    for (const quint32 field : {40u, static_cast<quint32>(width), static_cast<quint32>(height)}) {
        le(out, field, 4);
    }
    le(out, 1, 2);
    le(out, 24, 2);
    for (int i = 0; i < 6; ++i) {
        le(out, 0, 4);
    }
    out.append(64, '\0');
    return out;
}

TEST_F(Document, BackgroundPictureRefusalsSayWhy)
{
    const QString png = pathOf(QStringLiteral("secret.png"));
    QImage secret(4, 4, QImage::Format_RGB32);
    secret.fill(Qt::blue);
    ASSERT_TRUE(secret.save(png, "PNG"));
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(pathOf(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    struct Case {
        QString path;
        const char* reason; // the line under the picture message; empty when the picture loads
    };
    std::vector<Case> cases = {
        {png, ""},
        {write("card.svg", "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                           "width='4' height='4'><image xlink:href='" + png.toUtf8() + "' width='4' height='4'/></svg>"),
         "It is a picture in SVG format; only BMP, JPEG, GIF and PNG pictures are used."},
        {write("huge.bmp", BmpHeader(8000, 8000)),
         "The picture is too large: 8000 × 8000 pixels (at most 40 megapixels, and 16384 pixels on a side)."},
        {write("large.bmp", BmpHeader(16385, 1)),
         "The picture is too large: 16385 × 1 pixels (at most 40 megapixels, and 16384 pixels on a side)."},
        {pathOf(QStringLiteral("missing.png")), "There is no such file."},
        {dir.path(), "It is not a regular file (a folder, a FIFO, a device), so it is not read."},
    };
#ifndef _WIN32
    const QString fifo = pathOf(QStringLiteral("fifo.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    cases.push_back({fifo, "It is not a regular file (a folder, a FIFO, a device), so it is not read."});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        scripted->clear();
        // Opening a FIFO waits for a writer: a loader that tries ends the test here, not never.
        const test::Watchdog watchdog(std::chrono::seconds(20), "loading a background picture");
        const bool loaded = doc.LoadBackground(c.path);
        EXPECT_EQ(loaded, *c.reason == '\0');
        if (loaded) {
            EXPECT_TRUE(scripted->messages().isEmpty());
        } else {
            EXPECT_EQ(scripted->messages(), QStringList{QStringLiteral("Warning! an error ocupied during Image file "
                                                                       "openning.\n") + QString::fromUtf8(c.reason)});
            EXPECT_EQ(doc.background(), nullptr);
        }
    }
}

} // namespace
} // namespace zembra
