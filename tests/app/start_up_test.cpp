// What the program shows when it starts: one version everywhere it names one, and the about box
// only where it does not cover a file's import.
#include "app/about_dialog.h"
#include "app/kelp_app.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "services/app_identity.h"
#include "services/qt_translations.h"
#include "text/strings.h"

#include "scoped_scripted_prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

namespace zembra {
namespace {

bool HasKana(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x3040 && c.unicode() <= 0x30FF) {
            return true;
        }
    }
    return false;
}

// The package's version, as CPack was configured to write it.
QString packageVersion()
{
    QFile config(QStringLiteral(ZEMBRA_BUILD_DIR "/CPackConfig.cmake"));
    if (!config.open(QIODevice::ReadOnly)) {
        return QStringLiteral("<no CPackConfig.cmake>");
    }
    const QRegularExpression line(QStringLiteral("set\\(CPACK_PACKAGE_VERSION \"([^\"]*)\"\\)"));
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(config.readAll()));
    return match.hasMatch() ? match.captured(1) : QStringLiteral("<not set>");
}

QString versionOption()
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZEMBRA_LANG"), QStringLiteral("en"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZEMBRA_BINARY), {QStringLiteral("--version")});
    if (!process.waitForFinished(60000)) {
        return QStringLiteral("<did not finish>");
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

TEST(Version, TheProgramTheAboutBoxAndThePackageNameOneVersion)
{
    const QString version = QStringLiteral(ZEMBRA_PROJECT_VERSION);
    EXPECT_EQ(ProgramVersion(), version);
    EXPECT_EQ(QCoreApplication::applicationVersion(), version);
    EXPECT_EQ(versionOption(), QStringLiteral("zembra ") + version);
    EXPECT_EQ(packageVersion(), version);
    for (Language language : {Language::English, Language::Japanese}) {
        const Language before = zembra::language();
        setLanguage(language);
        const QString edition = AboutDialog::EditionText();
        AboutDialog about(false);
        setLanguage(before);
        EXPECT_TRUE(edition.endsWith(QStringLiteral("Ver ") + version)) << edition.toStdString();
        EXPECT_EQ(about.accessibleName(), edition);
        // No other version is named beside it: only the one number.
        const QRegularExpression versions(QStringLiteral("\\d+\\.\\d+(\\.\\d+)?[a-z]?"));
        int named = 0;
        for (auto found = versions.globalMatch(edition); found.hasNext(); found.next()) {
            ++named;
        }
        EXPECT_EQ(named, 1) << edition.toStdString();
    }
}

// The dialogs the program ran while it started, in order.
QStringList startUpDialogs(const QStringList& arguments)
{
    ScopedScriptedPrompts scripted;
    QStringList dialogs;
    {
        KelpApp app;
        if (!app.InitInstance(arguments)) {
            return {QStringLiteral("<did not start>")};
        }
        // The first paint of the canvas, then the queued calls after it.
        app.frame()->grab();
        QApplication::processEvents();
        for (const auto& asked : scripted->asked()) {
            if (asked.kind == ScriptedPrompts::Asked::Kind::Dialog) {
                dialogs << asked.dialogClass;
            }
        }
    }
    return dialogs;
}

TEST(StartUp, TheAboutBoxShowsOnAnEmptyCanvasButNotAfterAFilesImport)
{
    QSettings().clear();
    EXPECT_EQ(startUpDialogs({}), QStringList{QStringLiteral("zembra::AboutDialog")});
    const QStringList withFile = startUpDialogs({QStringLiteral(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.mid")});
    ASSERT_FALSE(withFile.isEmpty());
    EXPECT_EQ(withFile.front(), QStringLiteral("zembra::CanvasSettingsDialog")) << "the import comes first";
    EXPECT_FALSE(withFile.contains(QStringLiteral("zembra::AboutDialog"))) << withFile.join(' ').toStdString();
}

// The Cancel button of Qt's own file and colour dialogs, as the window would show them now.
QStringList standardCancelTexts()
{
    QStringList texts;
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    for (QDialog* dialog : {static_cast<QDialog*>(&files), static_cast<QDialog*>(&colours)}) {
        const auto* buttons = dialog->findChild<QDialogButtonBox*>();
        const QPushButton* cancel = buttons ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
        texts << (cancel ? cancel->text() : QStringLiteral("<no Cancel button>"));
    }
    return texts;
}

TEST(StartUp, TheJapaneseWindowShowsQtsOwnDialogsInJapanese)
{
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(translations + QStringLiteral("/qtbase_ja.qm"))) {
        GTEST_SKIP() << "Qt's Japanese translations are not installed (qt6-translations-l10n)";
    }
    const QStringList english = standardCancelTexts();
    EXPECT_EQ(english, (QStringList{QStringLiteral("Cancel"), QStringLiteral("Cancel")}));
    const Language before = zembra::language();
    qputenv("ZEMBRA_LANG", "ja");
    QStringList japanese;
    {
        ScopedScriptedPrompts scripted;
        KelpApp app;
        ASSERT_TRUE(app.InitInstance({}));
        japanese = standardCancelTexts();
    }
    qputenv("ZEMBRA_LANG", "en");
    setLanguage(before);
    InstallQtTranslations(before);
    for (const QString& text : japanese) {
        EXPECT_TRUE(HasKana(text)) << text.toStdString() << ": still Qt's English";
    }
    EXPECT_EQ(standardCancelTexts(), english) << "an English window has Qt's English again";
}

} // namespace
} // namespace zembra
