// File > Export Card for Cutter: the dialog, the file chooser and the file, all through the
// scripted prompts; the song and the canvas stay as they were.
#include "card/cutter_export_dialog.h"
#include "card/cutter_export_flow.h"
#include "card/card_pdf.h"
#include "card/cutter_file.h"
#include "card_test_host.h"
#include "model/box_switch.h"
#include "scoped_scripted_prompts.h"
#include "text/string_ids.h"
#include "services/paint_device_metrics.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

using Kind = ScriptedPrompts::Asked::Kind;

class CutterFlow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        applicationDevMode() = DevMode{};
        for (int bar = 0; bar < 6; ++bar) {
            m_host.note(bar * 96 + 20, bar * 5 % 33);
        }
        m_host.song().title = "Waltz";
    }

    // The user's part in the dialog: `edit` sets its fields, then Export (or Cancel) closes it.
    void PushDialog(std::function<void(CutterExportDialog&)> edit, bool accept = true)
    {
        m_prompts->pushDialog([edit, accept](QDialog& d) {
            auto& dialog = static_cast<CutterExportDialog&>(d);
            if (edit) {
                edit(dialog);
            }
            if (accept) {
                dialog.findChild<QPushButton*>(QStringLiteral("export"))->click();
            } else {
                dialog.reject();
            }
            return dialog.result();
        });
    }

    static void Choose(CutterExportDialog& dialog, const char* format, double hole, double kerf, int layout)
    {
        auto* formats = dialog.findChild<QComboBox*>(QStringLiteral("format"));
        formats->setCurrentIndex(formats->findText(QLatin1String(format)));
        dialog.findChild<QDoubleSpinBox*>(QStringLiteral("holeMm"))->setValue(hole);
        dialog.findChild<QDoubleSpinBox*>(QStringLiteral("kerfMm"))->setValue(kerf);
        dialog.findChild<QComboBox*>(QStringLiteral("layout"))->setCurrentIndex(layout);
    }

    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
    TestCardHost m_host;
    ScopedScriptedPrompts m_prompts;
    CutterExportFlow m_flow{m_host};
};

TEST_F(CutterFlow, TheDialogsChoicesMakeTheFile)
{
    PushDialog([](CutterExportDialog& d) { Choose(d, "DXF", 1.2, 0.2, 1); });
    m_prompts->pushFileName(Path("waltz.dxf"));
    const SongState before = m_host.song();
    m_flow.ExportCommand();

    const auto& asked = m_prompts->asked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].dialogClass, QStringLiteral("zembra::CutterExportDialog"));
    EXPECT_EQ(asked[1].kind, Kind::SaveFile);
    EXPECT_EQ(asked[1].defaultSuffix, QStringLiteral("dxf"));
    EXPECT_EQ(asked[1].caption, TextOf(str::kCutterCaption));
    QFile file(Path("waltz.dxf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray dxf = file.readAll();
    EXPECT_TRUE(dxf.contains("$INSUNITS"));
    // A hole of 1.2 mm less a kerf of 0.2 mm: radius 0.5.
    EXPECT_TRUE(dxf.contains("AcDbCircle")) << "no circle";
    EXPECT_TRUE(dxf.contains("\n 40\n0.5\n")) << dxf.mid(dxf.indexOf("AcDbCircle"), 120).toStdString();
    EXPECT_EQ(m_flow.choices().format, CutterFormat::Dxf);
    EXPECT_EQ(m_flow.choices().layout, CutterLayout::Strips);
    EXPECT_DOUBLE_EQ(m_flow.choices().holeMm, 1.2);
    EXPECT_DOUBLE_EQ(m_flow.choices().kerfMm, 0.2);
    // Nothing on the canvas changed.
    EXPECT_EQ(m_host.changes, 0);
    EXPECT_EQ(m_host.song().noteCount, before.noteCount);
    EXPECT_EQ(m_host.song().printOptions.mirrorCard, before.printOptions.mirrorCard);
    EXPECT_TRUE(m_prompts->messages().isEmpty()) << m_prompts->messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(CutterFlow, TheNextExportOffersTheLastChoices)
{
    PushDialog([](CutterExportDialog& d) { Choose(d, "DXF", 1.6, 0.3, 1); });
    m_prompts->pushFileName(Path("first.dxf"));
    m_flow.ExportCommand();
    double hole = 0;
    double kerf = 0;
    QString format;
    PushDialog(
        [&](CutterExportDialog& d) {
            hole = d.findChild<QDoubleSpinBox*>(QStringLiteral("holeMm"))->value();
            kerf = d.findChild<QDoubleSpinBox*>(QStringLiteral("kerfMm"))->value();
            format = d.findChild<QComboBox*>(QStringLiteral("format"))->currentText();
        },
        false);
    m_flow.ExportCommand();
    EXPECT_DOUBLE_EQ(hole, 1.6);
    EXPECT_DOUBLE_EQ(kerf, 0.3);
    EXPECT_EQ(format, QStringLiteral("DXF"));
}

TEST_F(CutterFlow, AHoleThatLeavesNoCardBetweenRowsIsRefusedNamingBothSizes)
{
    // Offered first: the comb's own hole, which leaves 0.1 mm between rows 1.8 mm apart.
    double offered = 0;
    PushDialog([&](CutterExportDialog& d) { offered = d.findChild<QDoubleSpinBox*>(QStringLiteral("holeMm"))->value(); },
               false);
    m_flow.ExportCommand();
    EXPECT_DOUBLE_EQ(offered, 1.7);
    for (const double hole : {1.75, 1.8}) {
        SCOPED_TRACE(hole);
        m_prompts->clear();
        bool stayedOpen = false;
        PushDialog([&](CutterExportDialog& d) {
            Choose(d, "SVG", hole, 0, 0);
            d.findChild<QPushButton*>(QStringLiteral("export"))->click();
            stayedOpen = d.result() != QDialog::Accepted;
        }, false);
        m_flow.ExportCommand();
        EXPECT_TRUE(stayedOpen);
        const QStringList messages = m_prompts->messages();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], HoleTooLargeText(hole));
        EXPECT_TRUE(messages[0].contains(QString::number(hole) + QStringLiteral(" mm"))) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(QStringLiteral("1.8 mm apart"))) << messages[0].toStdString();
        EXPECT_EQ(m_prompts->asked().size(), 2u) << "the dialog and its message; no file was asked for";
        EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    }
}

TEST_F(CutterFlow, TheBoxGivesTheHoleOfferedAndTheLargestHoleAllowed)
{
    // Each box offers its own hole first; a hole chosen stays offered while the box stays, and
    // must leave 0.1 mm of card between the box's rows.
    struct Case {
        const char* box;
        double offered;
        double allowed; // the row pitch less 0.1 mm
        double refused;
        const char* apart;
    };
    const Case cases[] = {
        {"20", 2.4, 2.9, 2.95, "3 mm apart"},
        {"15", 1.8, 1.9, 2.0, "2 mm apart"},
        {"33", 1.7, 1.7, 1.75, "1.8 mm apart"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const MusicBox* box = FindBuiltInBox(c.box);
        ASSERT_NE(box, nullptr);
        SwitchBox(m_host.song(), *box, true);
        m_host.tidy();
        m_prompts->clear();
        double offered = 0;
        bool stayedOpen = false;
        PushDialog([&](CutterExportDialog& d) {
            offered = d.findChild<QDoubleSpinBox*>(QStringLiteral("holeMm"))->value();
            Choose(d, "SVG", c.refused, 0, 1);
            d.findChild<QPushButton*>(QStringLiteral("export"))->click();
            stayedOpen = d.result() != QDialog::Accepted;
            Choose(d, "SVG", c.allowed, 0, 1);
        });
        const QString path = Path("card.svg");
        m_prompts->pushFileName(path);
        m_flow.ExportCommand();
        EXPECT_DOUBLE_EQ(offered, c.offered);
        EXPECT_TRUE(stayedOpen);
        const QStringList messages = m_prompts->messages();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QLatin1String(c.apart))) << messages[0].toStdString();
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_DOUBLE_EQ(m_flow.choices().holeMm, c.allowed);
        QFile::remove(path);
        // Asked again on the same box, the hole last chosen is offered.
        PushDialog([&](CutterExportDialog& d) { offered = d.findChild<QDoubleSpinBox*>(QStringLiteral("holeMm"))->value(); },
                   false);
        m_flow.ExportCommand();
        EXPECT_DOUBLE_EQ(offered, c.allowed);
    }
}

TEST_F(CutterFlow, CancellingAsksNoMoreAndWritesNothing)
{
    struct Case {
        const char* what;
        bool acceptDialog;
        std::size_t asked;
    };
    const Case cases[] = {{"dialog cancelled", false, 1}, {"file chooser cancelled", true, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_prompts->clear();
        PushDialog({}, c.acceptDialog);
        m_flow.ExportCommand();
        EXPECT_EQ(m_prompts->asked().size(), c.asked);
        EXPECT_TRUE(m_prompts->messages().isEmpty());
        EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    }
}

TEST_F(CutterFlow, AFileThatCannotBeWrittenIsAMessage)
{
    PushDialog({});
    const QString path = Path("no-such-folder/card.svg");
    m_prompts->pushFileName(path);
    m_flow.ExportCommand();
    const QStringList messages = m_prompts->messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(TextOf(str::kCutterFailed))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(path));
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    EXPECT_EQ(m_host.changes, 0);
}

TEST_F(CutterFlow, TheKerfStaysBelowTheHole)
{
    CutterExportDialog dialog(CutterOptions{});
    auto* hole = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("holeMm"));
    auto* kerf = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("kerfMm"));
    kerf->setValue(kerf->maximum());
    hole->setValue(hole->minimum());
    EXPECT_LT(kerf->value(), hole->value());
    const CutterOptions chosen = dialog.options();
    CutterSpec spec;
    spec.holeMm = chosen.holeMm;
    spec.kerfMm = chosen.kerfMm;
    EXPECT_TRUE(CutterSizesValid(spec));
}

TEST_F(CutterFlow, ThePagesAreThePdfExportsPages)
{
    // The PDF export's printer: the printer settings' paper in PDF form.
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    const QPageLayout paper = printer.pageLayout();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(paper);
    CutterOptions options;
    options.page = PrinterSettingsPdfPaper(&options.dotsPerInch);
    const CutterSheet sheet = SheetOfOptions(options);
    EXPECT_EQ(sheet.metrics, MetricsOfDevice(printer));
    EXPECT_NEAR(sheet.paperWidthMm, 297.0, 0.01); // A4 landscape when nothing is set
    EXPECT_NEAR(sheet.paperHeightMm, 210.0, 0.01);
}

} // namespace
} // namespace zembra
