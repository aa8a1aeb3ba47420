// The choice of box in the settings, through the dialog's own widgets on a real file: in the import
// the counts, the fit, the editor and the placed notes follow the chosen box; on the canvas the
// dialog says what becomes of the notes before OK, and one undo brings the old box and notes back.
#include "app/document_view_link.h"
#include "app/import_editor_link.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "import/canvas_settings_rules.h"
#include "import_ui/import_edit_dialog.h"
#include "import_ui/import_roll_painter.h"
#include "midi/sync_clock.h"
#include "model/music_box.h"
#include "services/paint_device_metrics.h"

#include "scoped_scripted_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zembra {
namespace {

struct Strike {
    int channel;
    int key;
};

// The note-ons of the file as midicsv, a reader not ours, saw them (comb-fit-voices.csv).
std::vector<Strike> StrikesSeenByMidicsv()
{
    QFile file(QStringLiteral(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.csv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<Strike> strikes;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() == 6 && fields[2].trimmed() == "Note_on_c" && fields[5].trimmed().toInt() > 0) {
            strikes.push_back({fields[3].trimmed().toInt(), fields[4].trimmed().toInt()});
        }
    }
    return strikes;
}

bool OnBox(const MusicBox& box, int key)
{
    return std::find(box.notes.begin(), box.notes.end(), key) != box.notes.end();
}

// Importable and not importable, the drum channel left out and nothing folded.
std::pair<int, int> BruteCount(const MusicBox& box, int transposition)
{
    std::pair<int, int> counts;
    for (const Strike& strike : StrikesSeenByMidicsv()) {
        if (strike.channel != 9) {
            ++(OnBox(box, strike.key + transposition) ? counts.first : counts.second);
        }
    }
    return counts;
}

void press(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void setBox(QDialog& dialog, const char* name, bool on)
{
    auto* box = dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
    ASSERT_NE(box, nullptr) << name;
    if (box->isChecked() != on) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }
}

// Walks a list to the entry with the keys, as a person would.
void choose(QDialog& dialog, const char* list, const QString& entry)
{
    auto* box = dialog.findChild<QComboBox*>(QString::fromLatin1(list));
    ASSERT_NE(box, nullptr) << list;
    const int index = box->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    box->setFocus();
    while (box->currentIndex() < index) {
        QTest::keyClick(box, Qt::Key_Down);
    }
    while (box->currentIndex() > index) {
        QTest::keyClick(box, Qt::Key_Up);
    }
}

QString info(QDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("info"))->text();
}

struct Placed {
    int left;
    int top;
    int pitch;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> notesOf(const SongState& song)
{
    std::vector<Placed> notes;
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            notes.push_back({song.notes[i].left, song.notes[i].top, song.notes[i].pitch});
        }
    }
    return notes;
}

class BoxChoiceDialog : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        SetLastPrintMetrics({});
        ASSERT_TRUE(clock.Open());
        LinkDocumentAndView(doc, view);
        doc.setClock(&clock);
        LinkImportEditor(doc, view);
        doc.NewSong();
    }

    ScopedScriptedPrompts scripted;
    SyncClock clock;
    CKelpView view;
    CKelpDoc doc;
};

TEST_F(BoxChoiceDialog, TheImportCountsFitsEditsAndPlacesOnTheChosenBox)
{
    int checkedBoxes = 0;
    scripted->pushDialog([&](QDialog& dialog) {
        setBox(dialog, "foldOctaves", false);
        setBox(dialog, "leaveOutDrums", true);
        for (const MusicBox& box : BuiltInBoxes()) {
            SCOPED_TRACE(box.id);
            choose(dialog, "box", QString::fromStdString(box.name));
            for (const char* shift : {"-12", "+5", "0"}) {
                choose(dialog, "transposition", QString::fromLatin1(shift));
                const auto [importable, notImportable] = BruteCount(box, std::stoi(shift));
                EXPECT_EQ(info(dialog), QString::fromStdString(TranspositionCountsLine(importable, notImportable)))
                    << shift;
            }
            press(dialog, "fitToComb");
            auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("fitTable"));
            EXPECT_EQ(table->rowCount(), 25);
            for (int r = 0; r < table->rowCount(); ++r) {
                const auto [importable, notImportable] = BruteCount(box, table->item(r, 0)->text().toInt());
                EXPECT_EQ(table->item(r, 2)->text().toInt(), importable) << table->item(r, 0)->text().toStdString();
                EXPECT_EQ(table->item(r, 3)->text().toInt(), notImportable);
            }
            ++checkedBoxes;
        }
        choose(dialog, "box", QStringLiteral("20-note"));
        choose(dialog, "transposition", QStringLiteral("0"));
        press(dialog, "editor");
        press(dialog, "ok");
        return dialog.result();
    });
    std::string editorBox;
    int editorImportable = -1;
    scripted->pushDialog([&](QDialog& dialog) {
        const ImportRollState& roll = static_cast<ImportEditDialog&>(dialog).editor().state();
        editorBox = roll.box.id;
        editorImportable = roll.importable;
        dialog.reject();
        return dialog.result();
    });
    doc.OpenNamedSong(QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.mid"));
    EXPECT_EQ(checkedBoxes, 5);
    const MusicBox& twenty = *FindBuiltInBox("20");
    EXPECT_EQ(editorBox, "20");
    EXPECT_EQ(editorImportable, BruteCount(twenty, 0).first);
    const SongState& song = view.song();
    EXPECT_EQ(song.box.id, "20") << "the import lands on the chosen box";
    EXPECT_EQ(song.rowCount, 20);
    EXPECT_GT(song.noteCount, 0);
    EXPECT_LE(song.noteCount, BruteCount(twenty, 0).first);
    for (const Placed& note : notesOf(song)) {
        EXPECT_TRUE(OnBox(twenty, note.pitch)) << note.pitch;
    }
}

TEST_F(BoxChoiceDialog, TheCanvasSaysWhatTheSwitchDoesAndOneUndoTakesItBack)
{
    scripted->pushDialog([](QDialog& dialog) {
        setBox(dialog, "foldOctaves", false);
        press(dialog, "ok");
        return dialog.result();
    });
    doc.OpenNamedSong(QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.mid"));
    view.PaintOffscreen();
    SongState& song = view.song();
    const std::vector<Placed> before = notesOf(song);
    const int barsBefore = song.barCount;
    ASSERT_FALSE(before.empty());
    ASSERT_NE(barsBefore, 32);
    EXPECT_FALSE(view.edits().undoRing().canUndo());
    const MusicBox& fifteen = *FindBuiltInBox("15");
    BoxSwitchCount expected;
    for (const Placed& note : before) {
        ++(OnBox(fifteen, note.pitch) ? expected.kept : expected.removed);
    }
    ASSERT_GT(expected.removed, 0) << "the file reaches above the 15-note box";

    QString shownBeforeOk;
    std::string boxBeforeOk;
    scripted->pushDialog([&](QDialog& dialog) {
        auto* line = dialog.findChild<QLabel*>(QStringLiteral("boxSwitch"));
        EXPECT_FALSE(line->isVisibleTo(&dialog));
        choose(dialog, "box", QStringLiteral("15-note"));
        choose(dialog, "bars", QStringLiteral("32"));
        shownBeforeOk = line->isVisibleTo(&dialog) ? line->text() : QString();
        boxBeforeOk = song.box.id;
        press(dialog, "ok");
        return dialog.result();
    });
    view.importer().CanvasSettings();
    EXPECT_EQ(shownBeforeOk, QString::fromStdString(BoxSwitchLine(expected, false)));
    EXPECT_EQ(boxBeforeOk, "33");
    EXPECT_EQ(song.box.id, "15");
    EXPECT_EQ(song.barCount, 32);
    EXPECT_EQ(static_cast<int>(notesOf(song).size()), expected.kept);
    for (const Placed& note : notesOf(song)) {
        EXPECT_TRUE(OnBox(fifteen, note.pitch)) << note.pitch;
    }

    view.edits().Undo();
    EXPECT_EQ(song.box.id, "33") << "box, notes and grid are one step";
    EXPECT_EQ(song.rowCount, 33);
    EXPECT_EQ(song.barCount, barsBefore);
    EXPECT_TRUE(notesOf(song) == before);
    EXPECT_FALSE(view.edits().undoRing().canUndo());
    view.edits().Redo();
    EXPECT_EQ(song.box.id, "15");
    EXPECT_EQ(song.barCount, 32);

    // Another box alone is a step of its own too.
    const std::vector<Placed> onFifteen = notesOf(song);
    scripted->pushDialog([](QDialog& dialog) {
        choose(dialog, "box", QStringLiteral("33-note"));
        press(dialog, "ok");
        return dialog.result();
    });
    view.importer().CanvasSettings();
    EXPECT_EQ(song.box.id, "33");
    EXPECT_EQ(notesOf(song).size(), onFifteen.size()) << "every note of the 15-note box has a row on the 33-note one";
    view.edits().Undo();
    EXPECT_EQ(song.box.id, "15");
    EXPECT_TRUE(notesOf(song) == onFifteen);
}

TEST(BoxRoll, TheEditorsBandRunsFromTheBoxsLowestNoteToItsHighest)
{
    const ImportRollPainter painter{QPalette()};
    const ImportRollPainter::Colours& colours = painter.colours();
    auto roll = std::make_unique<ImportRollState>();
    for (const MusicBox& box : BuiltInBoxes()) {
        SCOPED_TRACE(box.id);
        roll->box = box;
        const QRect target(0, 0, 200, ImportRollState::BitmapHeight(1));
        QImage image(target.size(), QImage::Format_RGB32);
        QPainter on(&image);
        painter.Paint(on, *roll, 1, QPoint(0, 0), target);
        on.end();
        const auto colourAt = [&](int key) { return image.pixelColor(5, ImportRollState::TopAt(1, key) + 1); };
        EXPECT_EQ(colourAt(box.notes.front()), colours.scaleBand);
        EXPECT_EQ(colourAt(box.notes.back()), colours.scaleBand);
        EXPECT_EQ(colourAt(box.notes.front() - 1), colours.background);
        EXPECT_EQ(colourAt(box.notes.back() + 1), colours.background);
    }
}

} // namespace
} // namespace zembra
