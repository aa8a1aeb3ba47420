// The measured-lengths dialog and the calibration commands: what is typed in, what is refused
// with a message, and what is kept per printer between runs.
#include "card/calibration_dialog.h"
#include "card/calibration_flow.h"
#include "card_test_host.h"
#include "pdf_raster.h"
#include "scoped_scripted_prompts.h"
#include "text/string_ids.h"
#include "services/paint_device_metrics.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace zembra {
namespace {

class Calibrating : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        applicationDevMode() = DevMode{};
    }
    void TearDown() override { QSettings().clear(); }

    // The user's part in the lengths dialog: type both lengths and press a button; a refused entry
    // keeps the dialog open, and the user then cancels.
    void PushLengths(const QString& along, const QString& across, const char* button = "ok")
    {
        m_prompts->pushDialog([along, across, button](QDialog& d) {
            auto& dialog = static_cast<CalibrationDialog&>(d);
            dialog.show();
            dialog.alongEdit()->setText(along);
            dialog.acrossEdit()->setText(across);
            QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
            if (dialog.isVisible()) {
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
            }
            return dialog.result();
        });
    }

    ScopedScriptedPrompts m_prompts;
    TestCardHost m_host;
    CalibrationFlow m_flow{m_host};
};

TEST_F(Calibrating, EachPrinterKeepsItsOwnFactorsAndRefusedEntriesKeepNothing)
{
    struct Step {
        const char* printer;
        const char* along;
        const char* across;
        const char* message; // a part of the refusal, or nullptr when accepted
        CalibrationFactors kept;
    };
    const Step steps[] = {
        {"Office Laser", "98.5", "59.52", nullptr, {100.0 / 98.5, 60.0 / 59.52}},
        {"Home Inkjet/Photo", "100,8", "60.3 mm", nullptr, {100.0 / 100.8, 60.0 / 60.3}},
        // Refused: the factors kept before stay.
        {"Office Laser", "80", "60", "The 100 mm ruler measuring 80.00 mm gives a correction of 1.2500",
         {100.0 / 98.5, 60.0 / 59.52}},
        {"Office Laser", "100", "76", "The 60 mm ruler measuring 76.00 mm gives a correction of 0.7895",
         {100.0 / 98.5, 60.0 / 59.52}},
        {"Home Inkjet/Photo", "", "60", "Please enter both measured lengths", {100.0 / 100.8, 60.0 / 60.3}},
        {"New Printer", "ten", "60", "Please enter both measured lengths", {}},
        // A later entry replaces the earlier one of that printer only.
        {"Office Laser", "99.9", "60", nullptr, {100.0 / 99.9, 1.0}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.printer) + " " + s.along + " " + s.across);
        m_prompts->clear();
        PushLengths(QString::fromUtf8(s.along), QString::fromUtf8(s.across));
        m_flow.EnterLengths(QString::fromUtf8(s.printer));
        const QStringList messages = m_prompts->messages();
        if (s.message) {
            ASSERT_EQ(messages.size(), 1);
            EXPECT_TRUE(messages[0].contains(QString::fromUtf8(s.message))) << messages[0].toStdString();
        } else {
            EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
        }
        const CalibrationFactors kept = settings::LoadCalibration(QString::fromUtf8(s.printer));
        EXPECT_NEAR(kept.along, s.kept.along, 1e-6);
        EXPECT_NEAR(kept.across, s.kept.across, 1e-6);
    }
    EXPECT_NEAR(settings::LoadCalibration(QStringLiteral("Home Inkjet/Photo")).along, 100.0 / 100.8, 1e-6);
}

TEST_F(Calibrating, FactorsSurviveARestartInTheStoreOnDisk)
{
    PushLengths(QStringLiteral("98.5"), QStringLiteral("59.52"));
    m_flow.EnterLengths(QStringLiteral("Office Laser"));
    const QString file = QSettings().fileName();
    // A later run reads the store from disk, not from this run's memory: a copy read afresh.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.conf"));
    ASSERT_TRUE(QFile::copy(file, copy));
    const QSettings later(copy, QSettings::IniFormat);
    EXPECT_EQ(later.value(QStringLiteral("Calibration/Office%20Laser/Along")).toString(), QStringLiteral("1.015228"));
    EXPECT_EQ(later.value(QStringLiteral("Calibration/Office%20Laser/Across")).toString(), QStringLiteral("1.008065"));
    const CalibrationFactors read = settings::LoadCalibration(QStringLiteral("Office Laser"));
    EXPECT_NEAR(read.along, 1.015228, 1e-9);
    EXPECT_NEAR(read.across, 1.008065, 1e-9);
}

TEST_F(Calibrating, DamagedValuesReadAsNoCalibrationAndForgetDropsThem)
{
    struct Case {
        QVariant along;
        QVariant across;
        CalibrationFactors read;
    };
    const Case cases[] = {
        {QStringLiteral("1.010000"), QStringLiteral("0.990000"), {1.01, 0.99}},
        {QStringLiteral("abc"), QStringLiteral("0.990000"), {1.0, 0.99}},
        {QStringLiteral("5.0"), QStringLiteral("0.1"), {1.0, 1.0}},
        {QVariant(), QVariant(), {1.0, 1.0}},
    };
    for (const Case& c : cases) {
        QSettings().setValue(QStringLiteral("Calibration/Card%20Printer/Along"), c.along);
        QSettings().setValue(QStringLiteral("Calibration/Card%20Printer/Across"), c.across);
        const CalibrationFactors read = settings::LoadCalibration(QStringLiteral("Card Printer"));
        EXPECT_NEAR(read.along, c.read.along, 1e-9) << c.along.toString().toStdString();
        EXPECT_NEAR(read.across, c.read.across, 1e-9) << c.across.toString().toStdString();
    }
    ASSERT_TRUE(settings::SaveCalibration(QStringLiteral("Card Printer"), {1.01, 0.99}));
    PushLengths(QString(), QString(), "forget");
    m_flow.EnterLengths(QStringLiteral("Card Printer"));
    EXPECT_FALSE(settings::LoadCalibration(QStringLiteral("Card Printer")).calibrated());
    EXPECT_FALSE(QSettings().contains(QStringLiteral("Calibration/Card%20Printer/Along")));
    // Nothing is kept for a printer without a name: that is PDF output.
    EXPECT_FALSE(settings::SaveCalibration(QString(), {1.01, 0.99}));
}

TEST_F(Calibrating, TheDialogOffersTheLengthsOfTheKeptFactorsAndCancelKeepsThem)
{
    ASSERT_TRUE(settings::SaveCalibration(QStringLiteral("Office Laser"), {100.0 / 98.5, 60.0 / 59.52}));
    CalibrationDialog dialog(QStringLiteral("Office Laser"), settings::LoadCalibration(QStringLiteral("Office Laser")));
    EXPECT_EQ(dialog.alongEdit()->text(), QStringLiteral("98.50"));
    EXPECT_EQ(dialog.acrossEdit()->text(), QStringLiteral("59.52"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>(QStringLiteral("forget"))->isEnabled());
    const CalibrationDialog fresh(QStringLiteral("New"), {});
    EXPECT_EQ(fresh.alongEdit()->text(), QStringLiteral("100.00"));
    EXPECT_FALSE(fresh.findChild<QPushButton*>(QStringLiteral("forget"))->isEnabled());

    PushLengths(QStringLiteral("90"), QStringLiteral("55"), "cancel");
    m_flow.EnterLengths(QStringLiteral("Office Laser"));
    EXPECT_NEAR(settings::LoadCalibration(QStringLiteral("Office Laser")).along, 100.0 / 98.5, 1e-6);
}

TEST_F(Calibrating, StatusLinesSayWhetherThePrinterIsCalibrated)
{
    struct Case {
        QString printer;
        CalibrationFactors factors;
        QString text;
    };
    const Case cases[] = {
        {QStringLiteral("Office Laser"), {1.015228, 1.008065},
         QStringLiteral("Printer Office Laser is calibrated (along ×1.0152, across ×1.0081)")},
        {QStringLiteral("Office Laser"), {},
         QStringLiteral("Printer Office Laser is not calibrated (File > Print Calibration Strip)")},
        {QString(), {1.1, 1.1}, QStringLiteral("Output to PDF: exact scale")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalibrationStatusText(c.printer, c.factors), c.text);
    }
}

TEST_F(Calibrating, PdfOutputIsNeverCorrected)
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    const QString native = printer.printerName();
    if (!native.isEmpty()) {
        ASSERT_TRUE(settings::SaveCalibration(native, {1.1, 1.1}));
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_TRUE(PrinterNameOf(printer).isEmpty());
    const PrintMetrics metrics = CalibratedMetrics(MetricsOfDevice(printer), PrinterNameOf(printer));
    EXPECT_EQ(metrics, MetricsOfDevice(printer));
    EXPECT_EQ(metrics.scaleX, 1.0);
}

TEST_F(Calibrating, TheStripPrintsToPdfAtTrueScaleAndPdfNeedsNoLengths)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("strip.pdf"));
    m_prompts->pushDialog([pdf](QDialog& d) {
        QPrinter* printer = static_cast<QPrintDialog&>(d).printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    m_flow.PrintStripCommand();
    ASSERT_EQ(m_prompts->messages(), QStringList{TextOf(str::kCalibrationNoPrinter)});
    // Measured with a reader that is not ours: the 101 ticks of the along ruler, 1 mm apart.
    constexpr int kDpi = 600;
    constexpr double kPxPerMm = kDpi / 25.4;
    const std::vector<QImage> pages = RasterisePdf(pdf, kDpi, dir.path());
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const int y = static_cast<int>(std::lround((printable.top() + 13.0) * kPxPerMm)); // 1 mm below the base line
    // Between the strip's left edge and the across ruler's base line.
    const int left = static_cast<int>((printable.left() + 5.0) * kPxPerMm);
    const int right = static_cast<int>((printable.left() + 120.0) * kPxPerMm);
    std::vector<double> centres;
    const uchar* line = page.constScanLine(y);
    for (int x = left; x < right;) {
        if (line[x] < 128) {
            const int from = x;
            while (x < right && line[x] < 128) {
                ++x;
            }
            centres.push_back((from + x - 1) / 2.0);
        } else {
            ++x;
        }
    }
    ASSERT_EQ(centres.size(), 101u);
    EXPECT_NEAR((centres.back() - centres.front()) / kPxPerMm, 100.0, 0.1);
    EXPECT_NEAR(centres.front() / kPxPerMm - printable.left(), 10.0, 0.1);
}

} // namespace
} // namespace zembra
