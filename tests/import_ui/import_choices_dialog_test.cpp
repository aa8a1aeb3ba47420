// The import settings of a real file: its track list, the drum channel left out from the start,
// the fit table following every change at once, and the words on what the canvas leaves out of
// a long file.
#include "app/document_view_link.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "import/canvas_settings_rules.h"
#include "midi/sync_clock.h"
#include "services/paint_device_metrics.h"

#include "long_file.h"
#include "scoped_scripted_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace zembra {
namespace {

struct FitLine {
    QString transposition;
    int playable;
    int notPlayable;
    int tooClose;

    bool operator==(const FitLine&) const = default;
};

std::vector<FitLine> fitTable(QDialog& dialog)
{
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("fitTable"));
    std::vector<FitLine> rows;
    for (int r = 0; table && r < table->rowCount(); ++r) {
        rows.push_back({table->item(r, 0)->text(), table->item(r, 2)->text().toInt(), table->item(r, 3)->text().toInt(),
                        table->item(r, 4)->text().toInt()});
    }
    return rows;
}

QStringList trackRow(QTableWidget& table, int row)
{
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c) {
        cells << table.item(row, c)->text();
    }
    return cells;
}

void press(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void choose(QDialog& dialog, const char* list, const char* entry)
{
    auto* box = dialog.findChild<QComboBox*>(QString::fromLatin1(list));
    ASSERT_NE(box, nullptr) << list;
    box->setCurrentIndex(box->findText(QString::fromLatin1(entry)));
    ASSERT_EQ(box->currentText(), QString::fromLatin1(entry));
}

QString transpositionList(QDialog& dialog)
{
    return dialog.findChild<QComboBox*>(QStringLiteral("transposition"))->currentText();
}

QString info(QDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("info"))->text();
}

// The two counts at the head of the information line.
std::pair<int, int> counts(QDialog& dialog)
{
    QStringList numbers;
    for (const QString& word : info(dialog).split('\n').front().split(QRegularExpression(QStringLiteral("[^0-9]+")))) {
        if (!word.isEmpty()) {
            numbers << word;
        }
    }
    return numbers.size() >= 2 ? std::pair{numbers[0].toInt(), numbers[1].toInt()} : std::pair{-1, -1};
}

class ImportChoices : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        SetLastPrintMetrics({});
        ASSERT_TRUE(clock.Open());
        LinkDocumentAndView(doc, view);
        doc.setClock(&clock);
        doc.NewSong();
    }

    // Opens the file with the dialog played by `script`.
    void open(const QString& path, std::function<void(QDialog&)> script)
    {
        // A song placed from a foreign file is still to be saved: the question first.
        if (view.modified()) {
            scripted->pushDialog(ScriptedPrompts::Press("discard"));
        }
        scripted->pushDialog([script](QDialog& dialog) {
            script(dialog);
            if (dialog.result() != QDialog::Accepted) {
                press(dialog, "ok");
            }
            return dialog.result();
        });
        doc.OpenNamedSong(path);
        EXPECT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();
        scripted->clear();
    }

    static QString voices() { return QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.mid"); }

    ScopedScriptedPrompts scripted;
    SyncClock clock;
    CKelpView view;
    CKelpDoc doc;
};

TEST_F(ImportChoices, ATrackLeftOutLeavesTheCountsTheFitAndTheCanvas)
{
    std::vector<FitLine> whole;
    std::vector<FitLine> withoutBass;
    std::pair<int, int> before;
    std::pair<int, int> after;
    open(voices(), [&](QDialog& dialog) {
        auto* tracks = dialog.findChild<QTableWidget*>(QStringLiteral("trackTable"));
        ASSERT_NE(tracks, nullptr);
        ASSERT_EQ(tracks->rowCount(), 4);
        // midicsv reads the file as a meta track, the melody, the bass and the drums.
        EXPECT_EQ(trackRow(*tracks, 0), (QStringList{"1", "Zembra comb fit fixture", "", "0"}));
        EXPECT_EQ(trackRow(*tracks, 1), (QStringList{"2", "Zembra comb fit fixture", "1", "31"}));
        EXPECT_EQ(trackRow(*tracks, 2), (QStringList{"3", "", "2", "22"}));
        EXPECT_EQ(trackRow(*tracks, 3), (QStringList{"4", "", "10", "29"}));
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(tracks->item(r, 0)->checkState(), Qt::Checked) << "every track at first";
        }
        EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("leaveOutDrums"))->isChecked())
            << "a comb plays no drums";
        before = counts(dialog);
        press(dialog, "fitToComb");
        whole = fitTable(dialog);
        choose(dialog, "transposition", "0");
        tracks->item(2, 0)->setCheckState(Qt::Unchecked);
        after = counts(dialog);
        withoutBass = fitTable(dialog);
        EXPECT_EQ(transpositionList(dialog), QStringLiteral("0")) << "the transposition waits for a choice";
        press(dialog, "fitToComb");
        EXPECT_TRUE(fitTable(dialog) == withoutBass) << "ranked again at once, as Fit to comb ranks";
        choose(dialog, "transposition", "0");
    });
    EXPECT_EQ(before.first + before.second, 31 + 22) << "the drums are left out";
    EXPECT_EQ(after.first + after.second, 31) << "and now the bass too";
    ASSERT_EQ(whole.size(), 25u);
    ASSERT_EQ(withoutBass.size(), 25u);
    EXPECT_FALSE(whole == withoutBass);
    for (const FitLine& row : withoutBass) {
        EXPECT_EQ(row.playable + row.notPlayable, 31) << row.transposition.toStdString();
    }
    EXPECT_EQ(view.song().noteCount, after.first) << "the canvas takes the melody alone";
    EXPECT_EQ(view.importer().importOptions().leftOutTracks, 0b100u);
}

TEST_F(ImportChoices, TheFitTableFollowsTheGridAtOnce)
{
    std::vector<FitLine> at50;
    std::vector<FitLine> at15;
    std::vector<FitLine> fitted15;
    open(voices(), [&](QDialog& dialog) {
        press(dialog, "fitToComb");
        at50 = fitTable(dialog);
        choose(dialog, "barLength", "15");
        at15 = fitTable(dialog);
        press(dialog, "fitToComb");
        fitted15 = fitTable(dialog);
        dialog.reject();
    });
    ASSERT_EQ(at50.size(), 25u);
    EXPECT_TRUE(at15 == fitted15) << "the table holds the figures of the bar length it shows";
    int closer = 0;
    for (const FitLine& row : at15) {
        for (const FitLine& old : at50) {
            if (old.transposition == row.transposition) {
                closer += row.tooClose > old.tooClose ? 1 : 0;
            }
        }
    }
    EXPECT_GT(closer, 0) << "shorter bars put notes closer together";
}

TEST_F(ImportChoices, TheDrumChoiceIsKeptForTheNextFile)
{
    std::vector<bool> ticked;
    const auto look = [&ticked](QDialog& dialog) {
        auto* drums = dialog.findChild<QCheckBox*>(QStringLiteral("leaveOutDrums"));
        ticked.push_back(drums->isChecked());
        QTest::mouseClick(drums, Qt::LeftButton, {}, QPoint(4, drums->height() / 2));
    };
    open(voices(), look);
    open(voices(), look);
    open(voices(), look);
    EXPECT_EQ(ticked, (std::vector<bool>{true, false, true}));
}

TEST_F(ImportChoices, ALongFileSaysWhatTheCanvasLeavesOutAndFitsOnEveryNote)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("long.mid"));
    ASSERT_TRUE(long_file::Write(QFile::encodeName(path).toStdString()));
    QString opening;
    QString fitted;
    QString chosen;
    open(path, [&](QDialog& dialog) {
        opening = info(dialog);
        press(dialog, "fitToComb");
        chosen = transpositionList(dialog);
        fitted = info(dialog);
    });
    EXPECT_EQ(opening, QStringLiteral(" importable note : 1500 pieces  non importation note :  0 pieces\n"
                                      "The canvas takes only the first 1500 notes.\n"
                                      "The piece is long: only its first 80 bars are placed.\n"
                                      "100 playable notes are left out."));
    EXPECT_TRUE(chosen == QStringLiteral("+10") || chosen == QStringLiteral("+12")) << chosen.toStdString();
    EXPECT_TRUE(fitted.endsWith(QStringLiteral("\n1100 playable notes are left out."))) << fitted.toStdString();
    EXPECT_EQ(view.song().noteCount, 1500);
}

} // namespace
} // namespace zembra
