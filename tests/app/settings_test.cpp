#include "services/printer_device_mode.h"
#include "services/printer_record.h"
#include "services/save_confirm_dialog.h"
#include "services/settings.h"

#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace zembra {
namespace {

class Settings : public testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override { QSettings().clear(); }

    static void store(const char* key, const QVariant& value) { QSettings().setValue(QLatin1String(key), value); }
    static QVariant stored(const char* key) { return QSettings().value(QLatin1String(key)); }

    static DevMode sample()
    {
        DevMode mode = DevMode::blank();
        mode.setDeviceName("Card Printer");
        mode.setValue(DevMode::kOrientation, DevMode::kHasOrientation, DevMode::kLandscape);
        mode.setValue(DevMode::kPaperSize, DevMode::kHasPaperSize, 9); // A4
        mode.setValue(DevMode::kCopies, DevMode::kHasCopies, 2);
        return mode;
    }
};

TEST_F(Settings, SettingsLiveUnderTheOrganisationAndTheApplicationTitle)
{
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Vantor"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Zembra108b"));
}

TEST_F(Settings, RememberedFoldersOnlyWhileTheyExist)
{
    QTemporaryDir dir;
    EXPECT_TRUE(settings::RestoreFolder(settings::kMidiFolder).isEmpty()) << "first run";
    settings::RememberFolder(settings::kMidiFolder, dir.filePath(QStringLiteral("song.mid")));
    EXPECT_EQ(stored("Path/MidiFile").toString(), QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(settings::RestoreFolder(settings::kMidiFolder), QDir::toNativeSeparators(dir.path()));
    EXPECT_TRUE(settings::RestoreFolder(settings::kImageFolder).isEmpty()) << "each kind is kept apart";
    store("Path/ImageFile", dir.filePath(QStringLiteral("gone")));
    EXPECT_TRUE(settings::RestoreFolder(settings::kImageFolder).isEmpty());
    store("Path/ImageFile", 42);
    EXPECT_TRUE(settings::RestoreFolder(settings::kImageFolder).isEmpty());
}

TEST_F(Settings, RecentFilesKeepTheLastFourNewestFirst)
{
    for (const char* name : {"/a.mid", "/b.mid", "/c.mid", "/d.mid", "/e.mid", "/c.mid"}) {
        settings::AddRecentFile(QString::fromLatin1(name));
    }
    const QStringList expected = {QStringLiteral("/c.mid"), QStringLiteral("/e.mid"), QStringLiteral("/d.mid"),
                                  QStringLiteral("/b.mid")};
    QStringList native;
    for (const QString& path : expected) {
        native << QDir::toNativeSeparators(path);
    }
    EXPECT_EQ(settings::RecentFiles(), native);
    EXPECT_EQ(stored("Recent File List/File1").toString(), native[0]);
    EXPECT_FALSE(stored("Recent File List/File5").isValid());
}

TEST_F(Settings, TheMidiMonitorIsOfferedOnlyWhenTurnedOn)
{
    EXPECT_FALSE(settings::MidiMonitorEnabled()) << "absent: off";
    store("Midi/Monitor", true);
    EXPECT_TRUE(settings::MidiMonitorEnabled());
    store("Midi/Monitor", QStringLiteral("false"));
    EXPECT_FALSE(settings::MidiMonitorEnabled());
}

TEST_F(Settings, DeviceModeTextIsLowercaseHexSplitAfter260)
{
    const DevMode mode = sample();
    const std::string hex = mode.toHex();
    ASSERT_EQ(hex.size(), 296u);
    EXPECT_EQ(hex.substr(0, 8), "43617264") << "\"Card\"";
    ASSERT_TRUE(settings::SavePrinterSettings(mode));
    EXPECT_EQ(stored("PrinterSetting/DevMode1").toString().size(), 260);
    EXPECT_EQ(stored("PrinterSetting/DevMode2").toString().size(), 36);
    DevMode loaded;
    ASSERT_TRUE(settings::LoadPrinterSettings(loaded));
    EXPECT_EQ(loaded, mode);
    EXPECT_EQ(loaded.deviceName(), "Card Printer");
}

TEST_F(Settings, BadDeviceModeTextLeavesTheRecordAlone)
{
    const std::string good = sample().toHex();
    std::string upper = good;
    upper[0] = 'A';
    upper[1] = 'B';
    struct Case {
        const char* name;
        QVariant first;
        QVariant second;
        bool loads;
    };
    const Case cases[] = {
        {"first run", {}, {}, false},
        {"no and no", QStringLiteral("no"), QStringLiteral("no"), false},
        {"second part missing", QString::fromStdString(good.substr(0, 260)), {}, false},
        {"an uppercase digit", QString::fromStdString(upper.substr(0, 260)), QString::fromStdString(upper.substr(260)), false},
        {"too short", QString::fromStdString(good.substr(0, 260)), QString::fromStdString(good.substr(260, 30)), false},
        {"a character that is no digit", QString::fromStdString(good.substr(0, 259) + "g"),
         QString::fromStdString(good.substr(260)), false},
        {"text past 296 is ignored", QString::fromStdString(good.substr(0, 260)),
         QString::fromStdString(good.substr(260) + "zz"), true},
        {"emptied after a failed write", QString(), QString(), false},
    };
    const DevMode before = DevMode::blank();
    for (const Case& c : cases) {
        QSettings().clear();
        if (c.first.isValid()) {
            store("PrinterSetting/DevMode1", c.first);
        }
        if (c.second.isValid()) {
            store("PrinterSetting/DevMode2", c.second);
        }
        DevMode mode = before;
        EXPECT_EQ(settings::LoadPrinterSettings(mode), c.loads) << c.name;
        EXPECT_EQ(mode, c.loads ? sample() : before) << c.name;
    }
}

TEST_F(Settings, AllZeroDeviceModeIsNeverStored)
{
    EXPECT_TRUE(settings::SavePrinterSettings(DevMode()));
    EXPECT_FALSE(stored("PrinterSetting/DevMode1").isValid());
}

TEST_F(Settings, DeviceModeCarriesPrinterSettings)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    ApplyDevMode(sample(), printer);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.copyCount(), 2);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat) << "a printer that is not installed is not chosen";

    DevMode custom = DevMode::blank();
    custom.setValue(DevMode::kPaperSize, DevMode::kHasPaperSize, DevMode::kPaperUser);
    custom.setValue(DevMode::kPaperWidth, DevMode::kHasPaperWidth, 696);
    custom.setValue(DevMode::kPaperLength, DevMode::kHasPaperLength, 2970);
    ApplyDevMode(custom, printer);
    const QSizeF mm = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(mm.width(), 69.6, 0.1);
    EXPECT_NEAR(mm.height(), 297.0, 0.1);

    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setColorMode(QPrinter::GrayScale); // PDF output has no duplex to carry
    const DevMode back = DevModeFromPrinter(printer);
    EXPECT_EQ(back.value(DevMode::kPaperSize), 1);
    EXPECT_EQ(back.value(DevMode::kOrientation), DevMode::kPortrait);
    EXPECT_EQ(back.value(DevMode::kColor), DevMode::kMonochrome);
    EXPECT_EQ(back.value(DevMode::kRecordSize), 148);
    QPrinter other(QPrinter::HighResolution);
    other.setOutputFormat(QPrinter::PdfFormat);
    ApplyDevMode(*DevMode::fromHex(back.toHex()), other);
    EXPECT_EQ(other.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(other.colorMode(), QPrinter::GrayScale);
}

TEST_F(Settings, DefaultPrinterWarningOnlyWhenPrintersLackADefault)
{
    EXPECT_FALSE(DefaultPrinterMissing(false, false)) << "no printer at all: PDF serves";
    EXPECT_TRUE(DefaultPrinterMissing(false, true));
    EXPECT_FALSE(DefaultPrinterMissing(true, true));
}

TEST(SaveConfirm, AnswersFollowTheButtonsAndTheSaveAsBox)
{
    struct Case {
        const char* button;
        int ticks;
        int answer;
    };
    const Case cases[] = {
        {"save", 0, SaveConfirmDialog::kSave},        {"save", 1, SaveConfirmDialog::kSaveAs},
        {"save", 2, SaveConfirmDialog::kSave},        {"discard", 1, SaveConfirmDialog::kDiscard},
        {"return", 0, SaveConfirmDialog::kReturn},
    };
    for (const Case& c : cases) {
        SaveConfirmDialog dialog(true);
        for (int i = 0; i < c.ticks; ++i) {
            dialog.saveAsBox()->click();
        }
        dialog.findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
        EXPECT_EQ(dialog.answer(), c.answer) << c.button << " after " << c.ticks << " ticks";
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    SaveConfirmDialog dialog(true);
    EXPECT_EQ(dialog.saveButton()->text(), QStringLiteral("Save"));
    EXPECT_TRUE(dialog.saveButton()->isDefault());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.answer(), SaveConfirmDialog::kReturn);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SaveConfirm, ClosingOffersNoWayBack)
{
    SaveConfirmDialog dialog(false);
    EXPECT_FALSE(dialog.returnButton()->isEnabled());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()) << "Escape does nothing while return is disabled";
    dialog.discardButton()->click();
    EXPECT_EQ(dialog.answer(), SaveConfirmDialog::kDiscard);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace zembra
