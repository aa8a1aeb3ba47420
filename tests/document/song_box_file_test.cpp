// A song file carries its box: saved through the window, read back by midicsv (a reader not ours),
// opened onto a canvas of another box, and saved again byte for byte.
#include "app/document_view_link.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "midi/sync_clock.h"
#include "model/music_box.h"
#include "services/music_box_file.h"

#include "scoped_scripted_prompts.h"

#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

namespace zembra {
namespace {

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

// A box of one's own with a tuning, its notes given partly by name.
const char kOwnBoxFile[] =
    R"({"name": "Mein Kasten", "notes": [55, "A3", 60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79, 81, 83, 84, 86],)"
    R"( "stripWidthMm": 50, "firstRowMm": 5.5, "rowPitchMm": 2.2, "holeMm": 1.9, "shortestRepeatMm": 7.5,)"
    R"( "paperPerTurnMm": 6.593406593406593, "cents": [0, -3.5, 1.25, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2]})";

MusicBox ownBox()
{
    BoxFileResult read = ReadMusicBoxFile(QByteArray(kOwnBoxFile));
    EXPECT_TRUE(read.box) << read.field;
    return read.box ? *read.box : DefaultBox();
}

MusicBox boxOf(const std::string& id)
{
    return id == kOwnBoxId ? ownBox() : *FindBuiltInBox(id);
}

void expectSameBox(const MusicBox& got, const MusicBox& want)
{
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.name, want.name);
    EXPECT_EQ(got.notes, want.notes);
    EXPECT_EQ(got.sizes.stripWidthMm, want.sizes.stripWidthMm);
    EXPECT_EQ(got.sizes.firstRowMm, want.sizes.firstRowMm);
    EXPECT_EQ(got.sizes.rowPitchMm, want.sizes.rowPitchMm);
    EXPECT_EQ(got.sizes.holeMm, want.sizes.holeMm);
    EXPECT_EQ(got.sizes.shortestRepeatMm, want.sizes.shortestRepeatMm);
    EXPECT_EQ(got.sizes.paperPerTurnMm, want.sizes.paperPerTurnMm);
    EXPECT_EQ(got.centsPerTooth, want.centsPerTooth);
}

// midicsv's and csvmidi's lines, or a skip when they are not installed.
QString tool(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QStringList csvOf(const QString& path)
{
    QProcess process;
    process.start(tool("midicsv"), {path});
    EXPECT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

void writeMidiFromCsv(const QStringList& lines, const QString& csvPath, const QString& midiPath)
{
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write((lines.join('\n') + '\n').toUtf8());
    csv.close();
    QProcess process;
    process.start(tool("csvmidi"), {csvPath, midiPath});
    ASSERT_TRUE(process.waitForFinished(10000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

// The text of a midicsv Text_t line, its doubled quotes made single again.
QString textOfLine(const QString& line)
{
    const qsizetype open = line.indexOf('"');
    return line.mid(open + 1, line.size() - open - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

ScriptedPrompts::DialogScript confirm()
{
    return [](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        return dialog.result();
    };
}

class SongBoxFile : public testing::Test {
protected:
    void SetUp() override
    {
        if (tool("midicsv").isEmpty() || tool("csvmidi").isEmpty()) {
            GTEST_SKIP() << "midicsv and csvmidi are not installed";
        }
        QSettings().clear();
        ASSERT_TRUE(clock.Open());
        LinkDocumentAndView(doc, view);
        doc.setClock(&clock);
        doc.NewSong();
        ASSERT_TRUE(dir.isValid());
    }

    QString pathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A song on `box`: its lowest and highest notes, one in the middle and the second lowest.
    std::vector<Placed> makeSong(const MusicBox& box)
    {
        SongState& song = view.song();
        song.UseBox(box);
        song.title = "Tune for " + box.id;
        view.UpdateScrollSizes();
        const int last = song.rowCount - 1;
        const std::vector<std::pair<int, int>> places = {{0, 0}, {24, last}, {48, last / 2}, {96, 1}};
        std::vector<Placed> made;
        for (const auto& [left, row] : places) {
            const int slot = song.AllocateNote(left, song.bandTopOfRow(row));
            EXPECT_TRUE(song.NormaliseNote(slot));
            ++song.noteCount;
            made.push_back({left, box.notes[static_cast<std::size_t>(row)]});
        }
        view.edits().Snapshot();
        return made;
    }

    void saveAs(const QString& path)
    {
        scripted->clear();
        scripted->pushFileName(path);
        ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    }

    // Opens `path` onto a fresh canvas of `canvasBox`, confirming the import settings as they open.
    void openOnto(const MusicBox& canvasBox, const QString& path)
    {
        if (view.modified()) {
            scripted->pushDialog(ScriptedPrompts::Press("discard"));
        }
        doc.NewSong();
        view.song().UseBox(canvasBox);
        scripted->clear();
        scripted->pushDialog(confirm());
        doc.OpenNamedSong(path);
    }

    ScopedScriptedPrompts scripted;
    SyncClock clock;
    CKelpView view;
    CKelpDoc doc;
    QTemporaryDir dir;
};

class EveryBox : public SongBoxFile, public testing::WithParamInterface<const char*> {};

TEST_P(EveryBox, SavedReopenedAndSavedAgainIsByteIdentical)
{
    const MusicBox box = boxOf(GetParam());
    const std::vector<Placed> made = makeSong(box);
    const QString path = pathOf("tune.mid");
    saveAs(path);
    const QByteArray first = contents(path);

    // What a reader not ours finds: the box's tag after the others (none for the default box),
    // a box of one's own whole in the text event after, and the box's own keys.
    QStringList texts;
    std::set<int> keys;
    for (const QString& line : csvOf(path)) {
        const QStringList fields = line.split(QStringLiteral(", "));
        if (fields.value(2) == QStringLiteral("Text_t")) {
            texts.push_back(textOfLine(line));
        } else if (fields.value(2) == QStringLiteral("Note_on_c") && fields.value(5).toInt() > 0) {
            keys.insert(fields.value(4).toInt());
        }
    }
    const QString tags = QStringLiteral("<LP>50</LP><HP>24</HP><P>24</P><TL>Tune for %1</TL><AU><non></AU>")
                             .arg(QString::fromStdString(box.id));
    if (box.id == DefaultBox().id) {
        EXPECT_EQ(texts, QStringList{tags});
    } else if (box.id == kOwnBoxId) {
        ASSERT_EQ(texts.size(), 2);
        EXPECT_EQ(texts[0], tags + QStringLiteral("<BX>own</BX>"));
        expectSameBox(*ReadMusicBoxFile(texts[1].toUtf8()).box, box);
    } else {
        EXPECT_EQ(texts, QStringList{tags + QStringLiteral("<BX>%1</BX>").arg(QString::fromStdString(box.id))});
    }
    std::set<int> madeKeys;
    for (const Placed& p : made) {
        madeKeys.insert(p.pitch);
    }
    EXPECT_EQ(keys, madeKeys);

    // Opened onto a canvas of another box, the song takes its own box before its notes land.
    const MusicBox& other = box.id == "15" ? DefaultBox() : *FindBuiltInBox("15");
    openOnto(other, path);
    ASSERT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();
    expectSameBox(view.song().box, box);
    EXPECT_EQ(view.song().rowCount, static_cast<int>(box.notes.size()));
    std::vector<Placed> sorted = made;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Placed& a, const Placed& b) { return a.left < b.left; });
    EXPECT_EQ(notesOf(view.song()), sorted);
    EXPECT_TRUE(doc.ownFile());
    EXPECT_FALSE(view.modified()) << "the file as it was saved";

    ASSERT_EQ(doc.SaveSong(doc.filePath()), CKelpDoc::SaveOutcome::Saved);
    EXPECT_EQ(contents(path), first);
}

INSTANTIATE_TEST_SUITE_P(Boxes, EveryBox, testing::Values("33", "30F", "30", "20", "15", "own"),
                         [](const auto& test) { return std::string(test.param); });

TEST_F(SongBoxFile, ALongTitleIsCutBeforeTheBoxTag)
{
    makeSong(*FindBuiltInBox("20"));
    view.song().title = std::string(300, 't');
    const QString path = pathOf("long.mid");
    saveAs(path);
    for (const QString& line : csvOf(path)) {
        if (line.contains(QStringLiteral("Text_t"))) {
            const QString text = textOfLine(line);
            EXPECT_EQ(text.size(), 255);
            EXPECT_TRUE(text.endsWith(QStringLiteral("ttt<BX>20</BX>"))) << text.toStdString();
        }
    }
    // The cut title makes the file one from elsewhere, as ever, but its notes keep their box.
    openOnto(DefaultBox(), path);
    EXPECT_EQ(view.song().box.id, "20");
    EXPECT_FALSE(doc.ownFile());
}

// A song file whose box cannot be had opens as a file from elsewhere, on the box in use, and says
// why.
struct NotKnownCase {
    const char* name;
    const char* box; // saved on this box, then its file is changed
    std::function<void(QStringList&)> change;
    const char* said; // what the message names
};

class BoxNotKnown : public SongBoxFile, public testing::WithParamInterface<NotKnownCase> {};

TEST_P(BoxNotKnown, OpensAsAFileFromElsewhere)
{
    const NotKnownCase& c = GetParam();
    makeSong(boxOf(c.box));
    const QString saved = pathOf("saved.mid");
    saveAs(saved);
    QStringList lines = csvOf(saved);
    c.change(lines);
    const QString path = pathOf("changed.mid");
    writeMidiFromCsv(lines, pathOf("changed.csv"), path);

    const MusicBox& inUse = *FindBuiltInBox("30");
    openOnto(inUse, path);
    const QStringList messages = scripted->messages();
    ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("This song is for a music box this program does not know (")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8(c.said))) << messages[0].toStdString();
    EXPECT_EQ(view.song().box.id, inUse.id) << "the box in use stays";
    EXPECT_EQ(view.song().title, "changed(imported)");
    EXPECT_EQ(view.song().barLengthMm, 50);
    EXPECT_FALSE(doc.ownFile());
    EXPECT_TRUE(view.modified());
    EXPECT_FALSE(notesOf(view.song()).empty());
    for (const Placed& p : notesOf(view.song())) {
        EXPECT_NE(std::find(inUse.notes.begin(), inUse.notes.end(), p.pitch), inUse.notes.end())
            << "on a row of the box in use: " << p.pitch;
    }
}

void replaceIn(QStringList& lines, const QString& from, const QString& to)
{
    for (QString& line : lines) {
        line.replace(from, to);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxNotKnown,
    testing::Values(
        NotKnownCase{"UnknownId", "15",
                     [](QStringList& lines) {
                         replaceIn(lines, QStringLiteral("<BX>15</BX>"), QStringLiteral("<BX>99</BX>"));
                     },
                     "(99)"},
        NotKnownCase{"OwnWithoutDefinition", "own",
                     [](QStringList& lines) {
                         lines.removeAt(lines.indexOf(QRegularExpression(QStringLiteral(".*Text_t.*name.*"))));
                     },
                     "(own)"},
        NotKnownCase{"OwnRefused", "own",
                     [](QStringList& lines) {
                         replaceIn(lines, QStringLiteral("[55,57,60,"), QStringLiteral("[60,57,55,"));
                     },
                     "own: the notes of the field \"notes\" do not rise"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(SongBoxFile, ACancelledOpenLeavesTheSongOnItsBox)
{
    // Notes high on the 33-note box, which the 15-note box the file names has no rows for.
    SongState& song = view.song();
    for (int row : {20, 32}) {
        const int slot = song.AllocateNote(40 * row, song.bandTopOfRow(row));
        ASSERT_TRUE(song.NormaliseNote(slot));
        ++song.noteCount;
    }
    const std::vector<Placed> kept = notesOf(song);
    // The file comes from another canvas: the document writes what its canvas holds.
    {
        CKelpView other;
        CKelpDoc otherDoc;
        LinkDocumentAndView(otherDoc, other);
        other.song().UseBox(*FindBuiltInBox("15"));
        const int slot = other.song().AllocateNote(0, other.song().bandTopOfRow(3));
        ASSERT_TRUE(other.song().NormaliseNote(slot));
        ++other.song().noteCount;
        ASSERT_TRUE(otherDoc.WriteSong(pathOf("fifteen.mid"), QStringLiteral("fifteen")));
    }
    scripted->clear();
    scripted->pushDialog([](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
        return dialog.result();
    });
    doc.OpenNamedSong(pathOf("fifteen.mid"));
    view.PaintOffscreen();
    EXPECT_EQ(view.song().box.id, "33");
    EXPECT_EQ(view.song().rowCount, 33);
    EXPECT_EQ(notesOf(view.song()), kept);
}

} // namespace
} // namespace zembra
