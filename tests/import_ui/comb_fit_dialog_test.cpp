// Fitting a real file to the comb in the import settings: the table's rows against what
// choosing each transposition by hand shows, the options in the counts, the import editor and
// the placed notes, and the canvas check after OK.
#include "app/document_view_link.h"
#include "import/import_options.h"
#include "app/import_editor_link.h"
#include "canvas/kelp_view.h"
#include "midi/sync_clock.h"
#include "model/too_close.h"
#include "import_ui/import_edit_dialog.h"
#include "document/kelp_doc.h"
#include "import/canvas_settings_rules.h"
#include "import_ui/comb_fit_panel.h"
#include "services/paint_device_metrics.h"

#include "scoped_scripted_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace zembra {
namespace {

struct TableRow {
    QString transposition;
    QString key;
    int playable;
    int notPlayable;
    int tooClose;

    bool operator==(const TableRow&) const = default;
};

std::vector<TableRow> tableOf(QDialog& dialog)
{
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("fitTable"));
    std::vector<TableRow> rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        rows.push_back({table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text().toInt(),
                        table->item(r, 3)->text().toInt(), table->item(r, 4)->text().toInt()});
    }
    return rows;
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
    ASSERT_EQ(box->isChecked(), on) << name;
}

QComboBox* transpositionList(QDialog& dialog)
{
    return dialog.findChild<QComboBox*>(QStringLiteral("transposition"));
}

QString info(QDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("info"))->text();
}

class CombFitDialog : public testing::Test {
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
        EXPECT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();
    }

    ScopedScriptedPrompts scripted;
    SyncClock clock;
    CKelpView view;
    CKelpDoc doc;
};

TEST_F(CombFitDialog, EveryRowSaysWhatChoosingItsTranspositionByHandShows)
{
    int optionRuns = 0;
    scripted->pushDialog([&](QDialog& dialog) {
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("fitTable"));
        EXPECT_NE(table, nullptr);
        if (!table) {
            return int(QDialog::Rejected);
        }
        EXPECT_EQ(table->rowCount(), 0) << "empty until asked";
        std::vector<int> bestPlayable;
        for (int option = 0; option < 4; ++option) {
            SCOPED_TRACE(option);
            const QString chosen = transpositionList(dialog)->currentText();
            setBox(dialog, "foldOctaves", option & 1);
            setBox(dialog, "leaveOutDrums", option & 2);
            // Once asked, an option change ranks again at once; the transposition waits for a choice.
            EXPECT_EQ(table->rowCount(), option == 0 ? 0 : 25) << "ranked again at once";
            EXPECT_EQ(transpositionList(dialog)->currentText(), chosen);
            const std::vector<TableRow> refreshed = tableOf(dialog);
            if (!refreshed.empty()) {
                EXPECT_EQ(table->item(table->currentRow(), 0)->text(), chosen) << "its row is marked";
            }
            press(dialog, "fitToComb");
            const std::vector<TableRow> rows = tableOf(dialog);
            if (option != 0) {
                EXPECT_TRUE(rows == refreshed) << "what Fit to comb gives";
            }
            EXPECT_EQ(rows.size(), 25u);
            if (rows.empty()) {
                break;
            }
            EXPECT_EQ(table->currentRow(), 0) << "the best row is chosen";
            EXPECT_EQ(transpositionList(dialog)->currentText(), rows.front().transposition);
            for (std::size_t r = 1; r < rows.size(); ++r) {
                EXPECT_GE(rows[r - 1].playable, rows[r].playable) << "best first";
            }
            bestPlayable.push_back(rows.front().playable);
            for (const TableRow& row : rows) {
                // By hand: away from the value and back, as a person picking it would.
                QComboBox* list = transpositionList(dialog);
                const int index = list->findText(row.transposition);
                list->setCurrentIndex((index + 1) % list->count());
                list->setCurrentIndex(index);
                EXPECT_EQ(info(dialog), QString::fromStdString(TranspositionCountsLine(row.playable, row.notPlayable)))
                    << row.transposition.toStdString();
            }
            // The file is in G major: up a fourth is C.
            for (const TableRow& row : rows) {
                if (row.transposition == QStringLiteral("+5")) {
                    EXPECT_EQ(row.key, QStringLiteral("C"));
                }
            }
            // A row chosen in the table chooses its transposition in the list.
            table->selectRow(7);
            EXPECT_EQ(transpositionList(dialog)->currentText(), rows[7].transposition);
            ++optionRuns;
        }
        if (bestPlayable.size() == 4) {
            EXPECT_GT(bestPlayable[1], bestPlayable[0]) << "folding plays more of the file";
            EXPECT_LT(bestPlayable[2], bestPlayable[0]) << "without the drums there are fewer notes to play";
        }
        dialog.reject();
        return dialog.result();
    });
    open();
    EXPECT_EQ(optionRuns, 4);
    EXPECT_EQ(view.song().noteCount, 0) << "cancelled: nothing placed";
}

TEST_F(CombFitDialog, OkPlacesTheBestRowWithItsOptionsAndTheCheckCountsItsTooClose)
{
    TableRow best{};
    scripted->pushDialog([&](QDialog& dialog) {
        setBox(dialog, "foldOctaves", true);
        setBox(dialog, "leaveOutDrums", true);
        press(dialog, "fitToComb");
        const std::vector<TableRow> rows = tableOf(dialog);
        if (!rows.empty()) {
            best = rows.front();
        }
        press(dialog, "ok");
        return dialog.result();
    });
    open();
    SongState& song = view.song();
    ASSERT_GT(best.playable, 0);
    EXPECT_EQ(song.importTransposition, ParseEntry(best.transposition.toStdString()).value_or(99));
    EXPECT_EQ(song.noteCount, best.playable) << "every playable note is placed, folded ones included";
    EXPECT_EQ(view.importer().importOptions(), (ImportOptions{true, true}));
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            EXPECT_NE(song.notes[i].left, -1);
        }
    }
    song.distanceCheckMode = 1;
    view.PaintOffscreen();
    EXPECT_EQ(view.paneText(kPaneDistanceCheck), QString::asprintf("%5d", best.tooClose));
}

TEST_F(CombFitDialog, TheImportEditorShowsTheFileAsTheOptionsReadIt)
{
    int editorNotes[2] = {-1, -1};
    bool drumsLocked = false;
    scripted->pushDialog([&](QDialog& dialog) {
        setBox(dialog, "foldOctaves", true);
        setBox(dialog, "leaveOutDrums", true);
        press(dialog, "editor");
        setBox(dialog, "leaveOutDrums", false);
        press(dialog, "editor");
        drumsLocked = !dialog.findChild<QCheckBox*>(QStringLiteral("leaveOutDrums"))->isEnabled();
        dialog.reject();
        return dialog.result();
    });
    // The first time the editor is looked at and cancelled; the second time it is confirmed.
    for (int pass = 0; pass < 2; ++pass) {
        scripted->pushDialog([&, pass](QDialog& dialog) {
            auto& editor = static_cast<ImportEditDialog&>(dialog);
            const ImportRollState& roll = editor.editor().state();
            editorNotes[pass] = roll.importable + roll.notImportable;
            EXPECT_TRUE(roll.options.foldOctaves);
            EXPECT_EQ(roll.options.leaveOutDrums, pass == 0);
            if (pass == 0) {
                EXPECT_EQ(roll.notImportable, 1) << "only the low G doubled by the melody stays off the comb";
                dialog.reject();
            } else {
                dialog.accept();
            }
            return dialog.result();
        });
    }
    open();
    EXPECT_EQ(editorNotes[0], 82 - 29) << "the drums are not in the roll";
    EXPECT_EQ(editorNotes[1], 82);
    EXPECT_TRUE(drumsLocked) << "the marks were written for that reading of the tracks";
}

} // namespace
} // namespace zembra
