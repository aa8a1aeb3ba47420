#include "card/card_print_dialog.h"
#include "card/card_print_flow.h"
#include "card_test_host.h"
#include "pdf_raster.h"
#include "scoped_scripted_prompts.h"
#include "services/paint_device_metrics.h"
#include "services/settings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace zembra {
namespace {

class PrintFlow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        applicationDevMode() = DevMode{};
        ForgetPrinterMetrics();
        SetLastPrintMetrics({});
        for (int bar = 0; bar < 12; ++bar) {
            m_host.note(bar * 96 + 20, bar % 33);
        }
    }

    // The settings dialog's part: press a button (after `edit`) and close as it closes.
    void PushSettings(int button, std::function<void(CCardPrintDialog&)> edit = {})
    {
        m_prompts->pushDialog([button, edit](QDialog& d) {
            auto& dialog = static_cast<CCardPrintDialog&>(d);
            dialog.show();
            if (edit) {
                edit(dialog);
            }
            QTest::mouseClick(dialog.control(button), Qt::LeftButton);
            return dialog.result();
        });
    }

    // The print dialog's part: print into a PDF file, pages `from` to `to` when given.
    void PushPrintDialog(const QString& pdf, int from = 0, int to = 0)
    {
        m_prompts->pushDialog([pdf, from, to](QDialog& d) {
            QPrinter* printer = static_cast<QPrintDialog&>(d).printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            if (from > 0) {
                printer->setPrintRange(QPrinter::PageRange);
                printer->setFromTo(from, to);
            }
            return int(QDialog::Accepted);
        });
    }

    int PdfPages(const QString& pdf)
    {
        const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
        for (const QString& line : info.split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("Pages:"))) {
                return line.section(QLatin1Char(':'), 1).trimmed().toInt();
            }
        }
        return -1;
    }

    QString Dialogs()
    {
        QStringList names;
        for (const auto& asked : m_prompts->asked()) {
            if (asked.kind == ScriptedPrompts::Asked::Kind::Dialog) {
                names << asked.dialogClass;
            }
        }
        return names.join(QLatin1Char(' '));
    }

    QTemporaryDir m_dir;
    ScopedScriptedPrompts m_prompts;
    TestCardHost m_host;
};

TEST_F(PrintFlow, PrintTakesTheSettingsAndPrintsEveryPage)
{
    CardPrintFlow flow(m_host);
    const QString pdf = m_dir.filePath(QStringLiteral("printed.pdf"));
    PushSettings(CCardPrintDialog::kPrint, [](CCardPrintDialog& dialog) {
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("ctl1012"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("40")));
        emit combo->activated(combo->currentIndex());
        QTest::mouseClick(dialog.control(CCardPrintDialog::kMirrorCard), Qt::LeftButton, {}, QPoint(4, 5));
    });
    PushPrintDialog(pdf);
    flow.PrintCommand();
    EXPECT_EQ(Dialogs(), QStringLiteral("zembra::CCardPrintDialog QPrintDialog"));
    EXPECT_EQ(m_host.song().barLengthMm, 40);
    EXPECT_EQ(m_host.song().printOptions.mirrorCard, 1);
    EXPECT_EQ(PdfPages(pdf), flow.lastJob().pageCount());
    EXPECT_EQ(flow.lastJob().marksDrawn(), 12);
    EXPECT_TRUE(m_prompts->messages().isEmpty()) << m_prompts->messages().join('|').toStdString();
    // The job's printer and its printable area are kept for the next run and for the check.
    EXPECT_TRUE(applicationDevMode().has(DevMode::kHasOrientation));
    EXPECT_GT(LastPrintMetrics().horzRes, 0);
}

TEST_F(PrintFlow, ANewInstallationNumbersTheStripsAndTheMarksAreKeptInTheSettings)
{
    QSettings().remove(QStringLiteral("Card"));
    CardPrintFlow flow(m_host);
    EXPECT_EQ(m_host.song().printOptions.stripNumbers, 0) << "the song itself carries no marks";
    bool numbersShown = false;
    PushSettings(CCardPrintDialog::kPrint, [&numbersShown](CCardPrintDialog& dialog) {
        numbersShown = static_cast<QCheckBox*>(dialog.control(CCardPrintDialog::kStripNumbers))->isChecked();
        auto* every = static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kBarNumbers));
        every->setCurrentIndex(every->findData(4));
        static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kStripTitles))->setCurrentIndex(1);
    });
    PushPrintDialog(m_dir.filePath(QStringLiteral("marked.pdf")));
    flow.PrintCommand();
    EXPECT_TRUE(numbersShown);
    EXPECT_EQ(m_host.song().printOptions.stripNumbers, 1);
    EXPECT_EQ(flow.assembly().barNumbers, 4);
    EXPECT_TRUE(flow.assembly().stripTitles);
    // A new song, or a new run of the program, takes the marks from the settings at its next print.
    m_host.song().printOptions = PrintOptions{};
    CardPrintFlow later(m_host);
    int shownEvery = -1;
    PushSettings(CCardPrintDialog::kCancel, [&shownEvery](CCardPrintDialog& dialog) {
        shownEvery = static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kBarNumbers))->currentData().toInt();
    });
    later.PrintCommand();
    EXPECT_EQ(shownEvery, 4);
    EXPECT_EQ(m_host.song().printOptions.stripNumbers, 1);
    QSettings().remove(QStringLiteral("Card"));
}

TEST_F(PrintFlow, TheJoinAndTheCutsInTheRestsAreChosenInTheDialogAndKept)
{
    QSettings().remove(QStringLiteral("Card"));
    m_host.song().barLengthMm = 100;
    CardPrintFlow flow(m_host);
    PushSettings(CCardPrintDialog::kPrint, [](CCardPrintDialog& dialog) {
        auto* join = static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kJoin));
        join->setCurrentIndex(join->findData(10.0));
        auto* split = static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kSplitAtRests));
        split->setCurrentIndex(split->findData(true));
    });
    const QString pdf = m_dir.filePath(QStringLiteral("rests.pdf"));
    PushPrintDialog(pdf);
    flow.PrintCommand();
    EXPECT_EQ(flow.assembly().join, JoinKind::Overlap);
    EXPECT_EQ(flow.assembly().overlapMm, 10.0);
    EXPECT_TRUE(flow.assembly().splitAtRests);
    EXPECT_TRUE(flow.lastJob().geometry().stripsCut());
    // Every note printed once, on the pages the job counts.
    EXPECT_EQ(flow.lastJob().marksDrawn(), flow.lastJob().cardNotes());
    EXPECT_EQ(PdfPages(pdf), flow.lastJob().pageCount());
    // The next print offers them again.
    CardPrintFlow later(m_host);
    QString shownJoin;
    QString shownSplit;
    PushSettings(CCardPrintDialog::kCancel, [&](CCardPrintDialog& dialog) {
        shownJoin = static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kJoin))->currentText();
        shownSplit = static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kSplitAtRests))->currentText();
    });
    later.PrintCommand();
    EXPECT_EQ(shownJoin, QStringLiteral("Join: overlapped, glue zone 10 mm"));
    EXPECT_EQ(shownSplit, QStringLiteral("Cut the strips in the rests"));
    QSettings().remove(QStringLiteral("Card"));
}

TEST_F(PrintFlow, AnEndlessLoopIsChosenInTheDialogAndPrintsEveryNoteOnce)
{
    QSettings().remove(QStringLiteral("Card"));
    m_host.song().barLengthMm = 100;
    CardPrintFlow flow(m_host);
    PushSettings(CCardPrintDialog::kPrint, [](CCardPrintDialog& dialog) {
        auto* loop = static_cast<QComboBox*>(dialog.control(CCardPrintDialog::kLoop));
        loop->setCurrentIndex(loop->findData(true));
    });
    PushPrintDialog(m_dir.filePath(QStringLiteral("loop.pdf")));
    flow.PrintCommand();
    EXPECT_TRUE(flow.assembly().loop);
    const CardJob& job = flow.lastJob();
    ASSERT_TRUE(job.geometry().stripsCut());
    EXPECT_EQ(job.marksDrawn(), job.cardNotes());
    // No strip opens the song: a loop has no leader, no feed arrow and no start.
    for (int page = 1; page <= job.pageCount(); ++page) {
        for (const StripPlan& strip : job.geometry().StripsOfPage(page)) {
            EXPECT_FALSE(strip.opensSong());
            EXPECT_TRUE(strip.inLoop);
        }
    }
    QSettings().remove(QStringLiteral("Card"));
}

TEST_F(PrintFlow, NotesBeforeThePlaybackStartDoNotMakeACompletePrintFail)
{
    m_host.startX = 5 * 96;
    CardPrintFlow flow(m_host);
    PushSettings(CCardPrintDialog::kPrint);
    PushPrintDialog(m_dir.filePath(QStringLiteral("late.pdf")));
    flow.PrintCommand();
    EXPECT_EQ(flow.lastJob().cardNotes(), 7);
    EXPECT_EQ(flow.lastJob().marksDrawn(), 7);
    EXPECT_FALSE(m_prompts->messages().contains(QStringLiteral("Warning!  Print operation is incomplete.  Please try again.")));
}

TEST_F(PrintFlow, PrintingOnePageOfSeveral)
{
    m_host.song().barLengthMm = 100;
    CardPrintFlow flow(m_host);
    const QString pdf = m_dir.filePath(QStringLiteral("page2.pdf"));
    PushSettings(CCardPrintDialog::kPrint);
    PushPrintDialog(pdf, 2, 2);
    flow.PrintCommand();
    ASSERT_GE(flow.lastJob().pageCount(), 2);
    EXPECT_GE(flow.offeredPages(), 2);
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_TRUE(m_prompts->messages().isEmpty());
}

TEST_F(PrintFlow, CancelKeepsEverythingButTheRestoredColour)
{
    CardPrintFlow flow(m_host);
    PushSettings(CCardPrintDialog::kCancel, [](CCardPrintDialog& dialog) {
        QTest::mouseClick(dialog.control(CCardPrintDialog::kTwoRows), Qt::LeftButton, {}, QPoint(4, 5));
    });
    flow.PrintCommand();
    EXPECT_EQ(m_host.song().printOptions.twoRows, 0);
    EXPECT_EQ(flow.textColour(), QColor(50, 50, 50));
    EXPECT_EQ(Dialogs(), QStringLiteral("zembra::CCardPrintDialog"));
}

TEST_F(PrintFlow, ABarTooLongIsRefusedWithItsLengthAndThePrintableWidth)
{
    m_host.song().barLengthMm = 100;
    CardPrintFlow flow(m_host);
    PushSettings(CCardPrintDialog::kPrint);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A6)); // 105 mm wide, less its margins
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("small.pdf")));
    EXPECT_FALSE(flow.RunPrintJob(printer));
    ASSERT_EQ(m_prompts->messages().size(), 1);
    EXPECT_TRUE(m_prompts->messages()[0].startsWith(QStringLiteral("A bar of 100 mm"))) << m_prompts->messages()[0].toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("small.pdf"))));
}

TEST_F(PrintFlow, AnImageThatDoesNotLoadIsReportedAndThePrintGoesOn)
{
    const QString broken = m_dir.filePath(QStringLiteral("broken.png"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("nothing");
    file.close();
    CardPrintFlow flow(m_host);
    // The dialog itself drops an unreadable path, so it arrives through the picture chooser's
    // file turning bad after it was chosen.
    QImage good(10, 10, QImage::Format_RGB32);
    good.fill(Qt::blue);
    const QString picture = m_dir.filePath(QStringLiteral("good.png"));
    ASSERT_TRUE(good.save(picture));
    m_prompts->pushFileName(picture);
    PushSettings(CCardPrintDialog::kPrint, [picture](CCardPrintDialog& dialog) {
        QTest::mouseClick(dialog.control(CCardPrintDialog::kImportImage), Qt::LeftButton);
        QFile::remove(picture);
    });
    PushPrintDialog(m_dir.filePath(QStringLiteral("withimage.pdf")));
    flow.PrintCommand();
    EXPECT_EQ(m_host.imagePath(), picture);
    EXPECT_TRUE(m_prompts->messages().contains(
        QStringLiteral("Warning! an error ocupied during image file openning.")));
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("withimage.pdf"))));
}

TEST_F(PrintFlow, PreviewShowsThePagesCountsNoMarksAndKeepsTheWindowOpen)
{
    CardPrintFlow flow(m_host);
    int previewPages = 0;
    bool shownDuring = false;
    m_prompts->pushDialog([&](QDialog& d) {
        shownDuring = m_host.previewShown;
        d.show();
        auto* widget = d.findChild<QPrintPreviewWidget*>();
        widget->updatePreview();
        previewPages = widget->pageCount();
        return int(QDialog::Rejected);
    });
    flow.PreviewCommand();
    EXPECT_TRUE(shownDuring);
    EXPECT_FALSE(m_host.previewShown);
    EXPECT_EQ(previewPages, flow.lastJob().pageCount());
    EXPECT_EQ(flow.lastJob().marksDrawn(), 0);
    EXPECT_TRUE(m_prompts->messages().isEmpty());
}

TEST_F(PrintFlow, ThePreviewsPrintButtonGoesThroughTheSettingsDialog)
{
    CardPrintFlow flow(m_host);
    m_prompts->pushDialog([](QDialog& d) {
        for (QAction* action : d.findChildren<QAction*>()) {
            if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) {
                action->trigger();
            }
        }
        return d.result();
    });
    flow.PreviewCommand();
    EXPECT_EQ(Dialogs(), QStringLiteral("QPrintPreviewDialog zembra::CCardPrintDialog"));
    EXPECT_FALSE(m_host.previewShown);
}

TEST_F(PrintFlow, SettingsPreviewButtonOpensThePreview)
{
    CardPrintFlow flow(m_host);
    PushSettings(CCardPrintDialog::kPreview);
    flow.PrintCommand();
    EXPECT_EQ(Dialogs(), QStringLiteral("zembra::CCardPrintDialog QPrintPreviewDialog"));
    EXPECT_TRUE(m_host.previewSeen);
}

TEST_F(PrintFlow, PrintSetupKeepsThePaperInTheApplicationsRecord)
{
    CardPrintFlow flow(m_host);
    m_prompts->pushDialog([](QDialog& d) {
        static_cast<QPageSetupDialog&>(d).printer()->setPageOrientation(QPageLayout::Portrait);
        return int(QDialog::Accepted);
    });
    const PrintMetrics before = CheckMetrics();
    flow.PrintSetupCommand();
    EXPECT_EQ(applicationDevMode().value(DevMode::kOrientation), DevMode::kPortrait);
    // The check measures with the new paper until a job has run.
    EXPECT_LT(CheckMetrics().horzSize10, before.horzSize10);
    EXPECT_TRUE(settings::SavePrinterSettings(applicationDevMode()));
    DevMode loaded;
    EXPECT_TRUE(settings::LoadPrinterSettings(loaded));
    EXPECT_EQ(loaded, applicationDevMode());
}

TEST_F(PrintFlow, ExportAsksForAFileNamedAfterTheSong)
{
    m_host.song().title = "Evening Song";
    CardPrintFlow flow(m_host);
    const QString pdf = m_dir.filePath(QStringLiteral("export.pdf"));
    m_prompts->pushFileName(pdf);
    flow.ExportPdfCommand();
    ASSERT_FALSE(m_prompts->asked().empty());
    EXPECT_EQ(m_prompts->asked()[0].text, QStringLiteral("Evening Song.pdf"));
    EXPECT_GE(PdfPages(pdf), 1);
    EXPECT_EQ(Dialogs(), QString()); // no print dialog
    flow.ExportPdfCommand();         // cancelled: nothing happens
    EXPECT_TRUE(m_prompts->messages().isEmpty());
}

} // namespace
} // namespace zembra
