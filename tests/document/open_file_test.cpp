// Opening a MIDI file onto the canvas: the document reads it, the import dialog is answered
// through its real widgets, and the notes land on the canvas.
#include "app/document_view_link.h"
#include "canvas/kelp_view.h"
#include "midi/sync_clock.h"
#include "document/kelp_doc.h"

#include "scoped_scripted_prompts.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace zembra {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Placed {
    int left;
    int pitch;
    friend bool operator==(const Placed&, const Placed&) = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << "(" << p.left << ", " << p.pitch << ")";
}

std::vector<Placed> notesOf(const SongState& song)
{
    std::vector<Placed> notes;
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            EXPECT_EQ(song.notes[i].top, song.bandTopOfRow(song.RowForPitch(song.notes[i].pitch))) << "on its row";
            notes.push_back({song.notes[i].left, song.notes[i].pitch});
        }
    }
    return notes;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray bytesOf(const Bytes& b)
{
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

Bytes be32(std::uint32_t v)
{
    return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

Bytes header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, std::uint8_t(format >> 8), std::uint8_t(format), std::uint8_t(tracks >> 8),
            std::uint8_t(tracks), std::uint8_t(division >> 8), std::uint8_t(division)};
}

// A track chunk whose length field says `declared` (the body's own length when 0).
Bytes track(const Bytes& body, std::uint32_t declared = 0)
{
    Bytes out{'M', 'T', 'r', 'k'};
    const Bytes length = be32(declared ? declared : std::uint32_t(body.size()));
    out.insert(out.end(), length.begin(), length.end());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};
// Keys 60 at tick 0 and 62 at tick 96.
const Bytes kTwoNotes = {0x00, 0x90, 60, 64, 0x60, 0x90, 62, 64};

// Plays the user's part in the import dialog: optionally picks a transposition, then OK.
ScriptedPrompts::DialogScript confirm(QString* info = nullptr, const char* transposition = nullptr)
{
    return [info, transposition](QDialog& dialog) {
        if (transposition) {
            auto* box = dialog.findChild<QComboBox*>(QStringLiteral("transposition"));
            box->setCurrentIndex(box->findText(QString::fromLatin1(transposition)));
        }
        if (info) {
            *info = dialog.findChild<QLabel*>(QStringLiteral("info"))->text();
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        return dialog.result();
    };
}

class OpenFile : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        ASSERT_TRUE(clock.Open());
        LinkDocumentAndView(doc, view);
        doc.setClock(&clock);
        doc.NewSong();
        ASSERT_TRUE(dir.isValid());
    }

    QString pathOf(const QString& name) const { return dir.filePath(name); }
    static QString fixture(const char* name) { return QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/") + name; }

    // A song on the canvas that a damaged or refused file must leave as it was.
    void putSongOnCanvas()
    {
        SongState& song = view.song();
        song.title = "Kept";
        for (int left : {0, 40, 80}) {
            const int slot = song.AllocateNote(left, song.bandTopOfRow(3));
            song.NormaliseNote(slot);
            ++song.noteCount;
        }
    }

    ScopedScriptedPrompts scripted;
    SyncClock clock;
    CKelpView view;
    CKelpDoc doc;
    QTemporaryDir dir;
};

TEST_F(OpenFile, SavedSongComesBackWholeAndSavesByteIdentical)
{
    SongState& song = view.song();
    song.title = "オルゴールの曲";
    song.author = "作者";
    song.beatsPerBar = 3;
    song.pixelsPerQuarter = 32;
    song.barLengthMm = 40;
    song.barCount = 16;
    song.tempo = 400000;
    clock.SetTempo(400000);
    view.UpdateScrollSizes();
    ASSERT_EQ(song.canvasWidth, 32 * 3 * 16);
    const std::vector<Placed> made = {{0, 60}, {32, 93}, {32, 62}, {100, 76}, {1500, 88}};
    for (const Placed& p : made) {
        const int slot = song.AllocateNote(p.left, song.bandTopOfRow(song.RowForPitch(p.pitch)));
        ASSERT_TRUE(song.NormaliseNote(slot));
        ++song.noteCount;
    }
    const QString path = pathOf(QStringLiteral("round.mid"));
    scripted->pushFileName(path);
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    const QByteArray first = contents(path);

    doc.NewSong();
    ASSERT_EQ(view.song().noteCount, 0);
    scripted->clear();
    QString info;
    scripted->pushDialog(confirm(&info));
    doc.OpenNamedSong(path);
    ASSERT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();

    EXPECT_EQ(song.title, "オルゴールの曲");
    EXPECT_EQ(song.author, "作者");
    EXPECT_EQ(song.beatsPerBar, 3);
    EXPECT_EQ(song.pixelsPerQuarter, 32);
    EXPECT_EQ(song.barLengthMm, 40);
    EXPECT_EQ(song.barCount, 16);
    EXPECT_EQ(song.tempo, 400000.0);
    EXPECT_EQ(clock.GetTempo(), 400000u);
    EXPECT_EQ(song.canvasWidth, 32 * 3 * 16);
    EXPECT_EQ(notesOf(song), (std::vector<Placed>{{0, 60}, {32, 62}, {32, 93}, {100, 76}, {1500, 88}}))
        << "time order, and at one time the order the file holds (pitch)";
    EXPECT_EQ(info, QStringLiteral(" importable note : 5 pieces  non importation note :  0 pieces"));
    EXPECT_TRUE(doc.ownFile());
    EXPECT_EQ(doc.title(), QStringLiteral("round"));
    EXPECT_FALSE(view.edits().undoRing().canUndo()) << "the imported song is the first undo state";

    scripted->clear();
    ASSERT_EQ(doc.SaveSong(doc.filePath()), CKelpDoc::SaveOutcome::Saved);
    EXPECT_TRUE(scripted->asked().empty()) << "an own file is saved without asking";
    EXPECT_EQ(contents(path), first);
}

TEST_F(OpenFile, CsvmidiFixtureCountsAndPlacesWhatTheCombPlays)
{
    // Notes on: 60 @0, 62 @240, 93 @1200 (track 2); 88 @360 and 106 @100000 (track 3); 480
    // ticks a quarter. 106 has no row, and it is on channel 10, the drums, which the import
    // leaves out from the start: it is not counted at all. The longest track is 100001 ticks:
    // 70 bars of 3/4, which the list offers as 80.
    QString info;
    scripted->pushDialog(confirm(&info));
    doc.OpenNamedSong(fixture("csvmidi-format1.mid"));
    ASSERT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].text, QStringLiteral("setting music info. at openning Midi file"));
    EXPECT_EQ(info, QStringLiteral(" importable note : 4 pieces  non importation note :  0 pieces"));
    const SongState& song = view.song();
    EXPECT_EQ(song.title, "csvmidi-format1(imported)");
    EXPECT_EQ(song.author, "<non>");
    EXPECT_EQ(song.beatsPerBar, 3);
    EXPECT_EQ(song.barCount, 80);
    EXPECT_EQ(song.tempo, 400000.0);
    // 24 pixels a quarter: left = tick x 24 / 480.
    EXPECT_EQ(notesOf(song), (std::vector<Placed>{{0, 60}, {12, 62}, {18, 88}, {60, 93}}));
    EXPECT_FALSE(doc.ownFile()) << "a title tag alone does not make the file ours";
}

TEST_F(OpenFile, TranspositionChosenInTheDialogCountsAndPlacesAgain)
{
    QString info;
    scripted->pushDialog(confirm(&info, "+1"));
    doc.OpenNamedSong(fixture("csvmidi-format1.mid"));
    // +1: 61 and 94 have no row, 63 and 89 have; the drum's 107 is left out.
    EXPECT_EQ(info, QStringLiteral(" importable note : 2\u3000 pieces  non importation note : 2\u3000 pieces"));
    EXPECT_EQ(notesOf(view.song()), (std::vector<Placed>{{12, 63}, {18, 89}}));
    EXPECT_EQ(view.song().importTransposition, 1);
    EXPECT_EQ(view.song().temporaryTransposition, 0);
}

TEST_F(OpenFile, Abc2midiFixtureLandsNoteForNote)
{
    QString info;
    scripted->pushDialog([this, &info](QDialog& dialog) {
        // While the dialog shows, the file plays at 600000 x 96 / 480 on the clock.
        EXPECT_EQ(clock.GetTempo(), 120000u);
        EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("transposeHelp"))->text().contains(QStringLiteral("D")));
        return confirm(&info)(dialog);
    });
    doc.OpenNamedSong(fixture("abc2midi-tune.mid"));
    EXPECT_EQ(info, QStringLiteral(" importable note : 20 pieces  non importation note :  0 pieces"));
    const SongState& song = view.song();
    EXPECT_EQ(song.beatsPerBar, 3);
    // The last note ends at tick 8640 (the end-of-track event carries no channel event): 6 bars
    // of 3/4, and the list's prefix search finds "64" for "6".
    EXPECT_EQ(song.barCount, 64);
    EXPECT_EQ(song.tempo, 600000.0);
    EXPECT_EQ(clock.GetTempo(), 600000u);
    // left = tick / 20, truncated.
    const std::vector<Placed> expected = {
        {0, 69},   {24, 74},  {48, 78},  {72, 76},  {90, 74},  {96, 73},  {120, 69}, {144, 62}, {144, 66}, {145, 69},
        {216, 74}, {252, 76}, {258, 78}, {264, 79}, {288, 78}, {296, 76}, {304, 74}, {312, 73}, {336, 71}, {360, 69},
    };
    EXPECT_EQ(notesOf(song), expected);
}

TEST_F(OpenFile, CancelChangesNothing)
{
    putSongOnCanvas();
    view.edits().setModified(false);
    clock.SetTempo(500000);
    scripted->pushDialog([](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
        return dialog.result();
    });
    doc.OpenNamedSong(fixture("abc2midi-tune.mid"));
    EXPECT_EQ(notesOf(view.song()), (std::vector<Placed>{{0, 64}, {40, 64}, {80, 64}}));
    EXPECT_EQ(view.song().title, "Kept");
    EXPECT_EQ(doc.title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc.ownFile());
    EXPECT_EQ(clock.GetTempo(), 500000u) << "the song's tempo is back on the clock";
    EXPECT_TRUE(doc.importedTracks().empty());
}

struct DamagedCase {
    const char* name;
    QByteArray bytes;
    const char* message;              // start of the message; empty for none
    const char* detail;               // the reader's words, after a blank line under the message
    bool dialogShown;
    std::vector<Placed> placed;       // when the dialog was confirmed
};

class DamagedFile : public OpenFile, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFile, GetsItsOutcome)
{
    const DamagedCase& c = GetParam();
    putSongOnCanvas();
    const QString path = pathOf(QStringLiteral("damaged.mid"));
    write(path, c.bytes);
    scripted->pushDialog(confirm());
    doc.OpenNamedSong(path);
    const QStringList messages = scripted->messages();
    if (*c.message) {
        ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();
        EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(c.message))) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].section(QStringLiteral("\n\n"), 1).startsWith(QString::fromUtf8(c.detail)))
            << messages[0].toStdString();
    } else {
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    }
    const bool shown = std::any_of(scripted->asked().begin(), scripted->asked().end(),
                                   [](const auto& a) { return a.kind == ScriptedPrompts::Asked::Kind::Dialog; });
    EXPECT_EQ(shown, c.dialogShown);
    if (c.dialogShown) {
        EXPECT_EQ(notesOf(view.song()), c.placed);
        EXPECT_EQ(doc.title(), QStringLiteral("damaged"));
    } else {
        EXPECT_EQ(notesOf(view.song()), (std::vector<Placed>{{0, 64}, {40, 64}, {80, 64}})) << "unchanged";
        EXPECT_EQ(view.song().title, "Kept");
        EXPECT_EQ(doc.title(), QStringLiteral("Untitled"));
    }
}

const char* const kCannotOpen = "Warning! Cannot open Midi file.";
const char* const kReadError = "Warning! an error ocupied during Midi file openning.";

INSTANTIATE_TEST_SUITE_P(Cases, DamagedFile, testing::Values(
    DamagedCase{"NotMidi", QByteArray("This is a text file, not music.\n"), kCannotOpen,
                "not a MIDI file: expected MThd at byte 0", false, {}},
    DamagedCase{"Empty", QByteArray(), kCannotOpen, "not a MIDI file: expected MThd at byte 0", false, {}},
    DamagedCase{"HeaderCutOff", bytesOf(Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}), kCannotOpen,
                "MThd at byte 0 runs past the end of the file", false, {}},
    DamagedCase{"FormatUnknown", bytesOf(join({header(7, 1, 96), track(join({kTwoNotes, kEnd}))})), kCannotOpen,
                "unknown MIDI file format 7", false, {}},
    DamagedCase{"Intact", bytesOf(join({header(0, 1, 96), track(join({kTwoNotes, kEnd}))})), "", "", true,
                {{0, 60}, {24, 62}}},
    // A download cut off inside the track: its chunk promises more than the file holds.
    DamagedCase{"TruncatedDownload", bytesOf(join({header(0, 1, 96), track(join({kTwoNotes, {0x30, 0x90}}), 400)})),
                kReadError, "chunk 'MTrk' at byte 14", true, {{0, 60}, {24, 62}}},
    DamagedCase{"MoreTracksPromisedThanHeld", bytesOf(join({header(1, 3, 96), track(join({kTwoNotes, kEnd}))})),
                kReadError, "the header declares 3 tracks, the file holds 1", true, {{0, 60}, {24, 62}}},
    // Track 1 breaks after its first note; track 2 is whole.
    DamagedCase{"BadEventInFirstTrack",
                bytesOf(join({header(1, 2, 96), track(Bytes{0x00, 0x90, 60, 64, 0x00, 0xF4, 0x00, 0x90, 61, 64}),
                              track(join({Bytes{0x30, 0x90, 64, 64}, kEnd}))})),
                kReadError, "track 1: ", true, {{0, 60}, {12, 64}}},
    // A header and nothing after it: no track to import, so no dialog and nothing changes.
    DamagedCase{"NoTrackAtAll", bytesOf(header(0, 1, 96)), kReadError, "the header declares 1 tracks, the file holds 0",
                false, {}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(OpenFile, EveryEndingOfTheFilterOpensInAnyCaseAndOtherNamesAreReported)
{
    const QByteArray song = bytesOf(join({header(0, 1, 96), track(join({kTwoNotes, kEnd}))}));
    for (const char* name : {"tune.midi", "tune.smf", "tune.Mid", "tune.MIDI"}) {
        scripted->clear();
        const QString path = pathOf(QString::fromLatin1(name));
        write(path, song);
        // The song placed from the file before is still to be saved: the question first.
        if (view.modified()) {
            scripted->pushDialog(ScriptedPrompts::Press("discard"));
        }
        scripted->pushDialog(confirm());
        doc.OpenNamedSong(path);
        EXPECT_TRUE(scripted->messages().isEmpty()) << name;
        EXPECT_EQ(doc.filePath(), path) << name;
        EXPECT_EQ(view.song().noteCount, 2) << name;
    }
    scripted->clear();
    const QString other = pathOf(QStringLiteral("tune.txt"));
    write(other, song);
    scripted->pushDialog(ScriptedPrompts::Press("discard"));
    doc.OpenNamedSong(other);
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_TRUE(scripted->messages()[0].startsWith(QString::fromLatin1(kCannotOpen)));
    EXPECT_EQ(doc.filePath(), pathOf(QStringLiteral("tune.MIDI"))) << "the identity stays";
}

TEST_F(OpenFile, CommandLineFileOpensAtStartUnderItsOwnName)
{
    doc.setCommandLineFile(fixture("abc2midi-tune.mid"));
    scripted->pushDialog(confirm());
    doc.NewSong();
    EXPECT_TRUE(scripted->messages().isEmpty());
    EXPECT_EQ(view.song().title, "abc2midi-tune(imported)");
    EXPECT_EQ(doc.title(), QStringLiteral("abc2midi-tune"));
    EXPECT_EQ(view.song().noteCount, 20);
    EXPECT_TRUE(view.modified()) << "a song placed from a foreign file is still to be saved";
}

} // namespace
} // namespace zembra
