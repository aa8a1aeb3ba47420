// Arranging a real file for the box through the window: the import settings' button, melody list
// and chord limit, the bar length the melody asks for, the list of changes and its text file, and
// Edit > Arrange again with its one undo step.
#include "app/document_view_link.h"
#include "app/import_editor_link.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "import_ui/arrange_panel.h"
#include "midi/sync_clock.h"
#include "model/too_close.h"
#include "services/command_ids.h"
#include "services/paint_device_metrics.h"
#include "services/write_problem_text.h"

#include "scoped_scripted_prompts.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace zembra {
namespace {

constexpr int kMelodyTrack = 1; // the fixture's tune; track 2 is its bass, track 3 the drums
constexpr int kBassTrack = 2;

void press(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

bool shown(QDialog& dialog, const char* name)
{
    auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(name));
    return widget && !widget->isHidden();
}

std::vector<std::pair<int, int>> notesOf(const SongState& song)
{
    std::vector<std::pair<int, int>> notes;
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            notes.emplace_back(song.notes[i].left, song.box.notes[static_cast<std::size_t>(song.RowOf(i))]);
        }
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

// What no card can carry, counted on the canvas itself: chords over the limit, and two notes at
// one time a semitone apart.
struct Unplayable {
    int overLimit = 0;
    int semitones = 0;
};

Unplayable unplayable(const SongState& song, int chordLimit)
{
    std::map<int, std::vector<int>> atX;
    for (const auto& [x, pitch] : notesOf(song)) {
        atX[x].push_back(pitch);
    }
    Unplayable found;
    for (const auto& [x, pitches] : atX) {
        found.overLimit += static_cast<int>(pitches.size()) > chordLimit ? 1 : 0;
        for (std::size_t a = 0; a < pitches.size(); ++a) {
            for (std::size_t b = a + 1; b < pitches.size(); ++b) {
                found.semitones += std::abs(pitches[a] - pitches[b]) == 1 ? 1 : 0;
            }
        }
    }
    return found;
}

class ArrangeDialog : public testing::Test {
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

    void open()
    {
        doc.OpenNamedSong(QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.mid"));
    }

    bool arrangeAgainOffered() const { return StateOf(cmd::kArrangeAgain, view.facts()).enabled; }

    ScopedScriptedPrompts scripted;
    SyncClock clock;
    CKelpView view;
    CKelpDoc doc;
};

TEST_F(ArrangeDialog, TheButtonArrangesOntoTheCanvasTheAdvisedBarLengthIsTakenAndOkIsOneStepAboveTheImport)
{
    std::vector<std::pair<int, int>> arranged;
    int listed = -1;
    int edits = -2;
    scripted->pushDialog([&](QDialog& dialog) {
        auto* melody = dialog.findChild<QComboBox*>(QStringLiteral("melodyTrack"));
        auto* chord = dialog.findChild<QSpinBox*>(QStringLiteral("chordLimit"));
        auto* barLength = dialog.findChild<QComboBox*>(QStringLiteral("barLength"));
        EXPECT_TRUE(melody && chord && barLength);
        if (!melody || !chord || !barLength) {
            return int(QDialog::Rejected);
        }
        EXPECT_EQ(melody->count(), 2) << "the drums carry no melody";
        EXPECT_EQ(melody->currentData().toInt(), kMelodyTrack) << "the tune is preselected";
        EXPECT_EQ(chord->value(), 4);
        EXPECT_EQ(chord->minimum(), 1);
        EXPECT_EQ(chord->maximum(), 6);
        EXPECT_FALSE(shown(dialog, "takeBarLength"));
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("arrangeChanges"))->isEnabled());

        // At the shortest bar the fixture's fast repeats cannot all sound.
        barLength->setCurrentIndex(barLength->findText(QStringLiteral("15")));
        chord->setValue(2);
        press(dialog, "arrangeForBox");
        const SongState& song = view.song();
        EXPECT_GT(song.noteCount, 0) << "the canvas shows the arrangement while the dialog is open";
        EXPECT_EQ(song.barLengthMm, 15);
        EXPECT_LE(CountCloseHoles(song, CheckMetrics(), 15), 0);
        const Unplayable tight = unplayable(song, 2);
        EXPECT_EQ(tight.overLimit, 0);
        EXPECT_EQ(tight.semitones, 0);
        auto* panel = dialog.findChild<ArrangePanel*>();
        EXPECT_TRUE(panel && panel->outcome());
        if (!panel || !panel->outcome()) {
            return int(QDialog::Rejected);
        }
        EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("transposition"))->currentText().toInt(),
                  panel->outcome()->result.transposition)
            << "the arranger's transposition is the import's";
        EXPECT_TRUE(shown(dialog, "barLengthAdvice"));
        EXPECT_TRUE(shown(dialog, "takeBarLength")) << "a longer bar keeps the melody";
        const int advised = panel->outcome()->advice.barLengthMm;
        EXPECT_GT(advised, 15);

        press(dialog, "takeBarLength");
        EXPECT_EQ(barLength->currentText().toInt(), advised);
        EXPECT_EQ(view.song().barLengthMm, advised) << "arranged again on the longer bar";
        EXPECT_FALSE(shown(dialog, "barLengthAdvice")) << "the melody keeps its notes there";
        EXPECT_FALSE(shown(dialog, "takeBarLength"));
        EXPECT_LE(CountCloseHoles(view.song(), CheckMetrics(), advised), 0);
        EXPECT_EQ(unplayable(view.song(), 2).overLimit, 0) << "the chord limit holds on";

        edits = static_cast<int>(panel->outcome()->result.edits.size());
        scripted->pushDialog([&](QDialog& changes) {
            auto* table = changes.findChild<QTableWidget*>(QStringLiteral("arrangeChanges"));
            listed = table ? table->rowCount() : -1;
            if (table && table->rowCount() > 0) {
                EXPECT_FALSE(table->item(0, 0)->text().isEmpty()) << "bar.beat";
                EXPECT_FALSE(table->item(0, 4)->text().isEmpty()) << "the reason";
            }
            press(changes, "close");
            return changes.result();
        });
        press(dialog, "arrangeChanges");
        arranged = notesOf(view.song());
        press(dialog, "ok");
        return dialog.result();
    });
    open();
    EXPECT_EQ(listed, edits) << "one row per change";
    EXPECT_GT(edits, 0);
    ASSERT_FALSE(arranged.empty());
    EXPECT_EQ(notesOf(view.song()), arranged) << "OK places what the dialog showed";
    EXPECT_TRUE(arrangeAgainOffered());

    ASSERT_TRUE(view.edits().undoRing().canUndo());
    ASSERT_TRUE(view.OnCommand(cmd::kUndo));
    EXPECT_NE(notesOf(view.song()), arranged) << "undo gives the file as the import places it";
    EXPECT_GT(view.song().noteCount, 0);
    EXPECT_FALSE(view.edits().undoRing().canUndo()) << "one step";
}

TEST_F(ArrangeDialog, CancelPutsTheCanvasBackAsItWas)
{
    scripted->pushDialog([&](QDialog& dialog) {
        press(dialog, "arrangeForBox");
        EXPECT_GT(view.song().noteCount, 0);
        press(dialog, "cancel");
        return dialog.result();
    });
    open();
    EXPECT_EQ(view.song().noteCount, 0);
    EXPECT_FALSE(arrangeAgainOffered()) << "nothing was imported";
}

TEST_F(ArrangeDialog, ArrangeAgainIsOneUndoStepAndItsChangesSaveAsTextOrSayWhyNot)
{
    EXPECT_FALSE(arrangeAgainOffered()) << "a new song has no file behind it";
    scripted->pushDialog(ScriptedPrompts::Press("ok"));
    open();
    ASSERT_TRUE(arrangeAgainOffered());
    const std::vector<std::pair<int, int>> imported = notesOf(view.song());
    ASSERT_FALSE(imported.empty());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString saved = dir.filePath(QStringLiteral("changes.txt"));
    const QString locked = dir.filePath(QStringLiteral("locked.txt"));
    {
        QFile file(locked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept\n");
    }
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup));

    int chordLimit = 0;
    scripted->pushDialog([&](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("ArrangeAgainDialog"));
        auto* melody = dialog.findChild<QComboBox*>(QStringLiteral("melodyTrack"));
        auto* chord = dialog.findChild<QSpinBox*>(QStringLiteral("chordLimit"));
        EXPECT_TRUE(melody && chord);
        if (melody && chord) {
            EXPECT_EQ(melody->currentData().toInt(), kMelodyTrack);
            melody->setCurrentIndex(melody->findData(kBassTrack));
            chord->setValue(3);
            chordLimit = chord->value();
        }
        press(dialog, "ok");
        return dialog.result();
    });
    QString summary;
    int rows = -1;
    scripted->pushDialog([&](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("ArrangeChangesDialog"));
        summary = dialog.findChild<QLabel*>(QStringLiteral("arrangeSummary"))->text();
        rows = dialog.findChild<QTableWidget*>(QStringLiteral("arrangeChanges"))->rowCount();
        scripted->pushFileName(saved);
        press(dialog, "saveChanges");
        scripted->pushFileName(locked);
        scripted->pushAnswer(Prompts::Answer::Yes); // replace it
        press(dialog, "saveChanges");
        press(dialog, "close");
        return dialog.result();
    });
    ASSERT_TRUE(view.OnCommand(cmd::kArrangeAgain));
    EXPECT_EQ(chordLimit, 3);
    const std::vector<std::pair<int, int>> arranged = notesOf(view.song());
    EXPECT_NE(arranged, imported);
    EXPECT_EQ(unplayable(view.song(), 3).overLimit, 0);
    EXPECT_EQ(unplayable(view.song(), 3).semitones, 0);
    EXPECT_TRUE(summary.contains(QStringLiteral("track 3"))) << summary.toStdString() << ": the bass's tune";

    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.front(), summary);
    EXPECT_EQ(lines.size(), rows + 2) << "the summary, the header and one line per change";
    for (qsizetype i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].count('\t'), 4) << lines[i].toStdString();
    }
    QStringList told;
    for (const ScriptedPrompts::Asked& asked : scripted->asked()) {
        if (asked.kind == ScriptedPrompts::Asked::Kind::Message) {
            told.push_back(asked.text);
        }
    }
    ASSERT_EQ(told.size(), 1) << told.join('|').toStdString();
    EXPECT_TRUE(told.front().contains(QStringLiteral("locked.txt"))) << told.front().toStdString();
    EXPECT_TRUE(told.front().contains(WriteProblemText({SafeFileError::ReadOnly, 0, TargetKind::Regular})))
        << told.front().toStdString() << ": and why";
    QFile kept(locked);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept\n")) << "the read-only file is left as it was";

    ASSERT_TRUE(view.OnCommand(cmd::kUndo));
    EXPECT_EQ(notesOf(view.song()), imported) << "one undo step back to the import";
    EXPECT_FALSE(view.edits().undoRing().canUndo());

    scripted->pushDialog(ScriptedPrompts::Press("discard")); // the arranged song is not saved
    doc.NewSong();
    EXPECT_EQ(view.song().noteCount, 0);
    EXPECT_FALSE(arrangeAgainOffered()) << "the new song has no file behind it";
}

} // namespace
} // namespace zembra
