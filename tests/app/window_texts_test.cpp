// Everything the window shows, walked as a person meets it: every menu and submenu, both toolbars,
// the status panes and every dialog the window opens. The English window shows no Japanese, and
// no label or button of the window or its dialogs is cut short, in either language.
#include "app/about_dialog.h"
#include "canvas/kelp_view.h"
#include "card/calibration_dialog.h"
#include "services/command_ids.h"
#include "services/prompts.h"
#include "services/save_confirm_dialog.h"
#include "text/strings.h"

#include "window_bench.h"
#include "window_walk.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace zembra {
namespace {

using namespace cmd;

const char* nameOf(Language language)
{
    return language == Language::Japanese ? "Japanese" : "English";
}

// The state in which the command can be used and opens what it opens.
void arrange(WindowBench& b, int id, ScriptedPrompts& prompts)
{
    b.rightClick(40, 200);
    b.rightClick(50, 200);
    b.rightClick(120, 260);
    b.view->song().SelectAll();
    b.view->PaintOffscreen();
    b.frame->setHelpFile(QStringLiteral(ZEMBRA_TEST_DATA "/../../resources/help/zembra.html"));
    switch (id) {
    case kFileOpen:
        // Nothing to lose, so that the file's import comes straight away.
        b.view->edits().setModified(false);
        prompts.pushFileName(QStringLiteral(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.mid"));
        break;
    case kSetTempo:
    case kStop:
        b.view->playback().Play();
        break;
    case kMendCloseHoles:
        b.view->OnCommand(kDistanceCheck);
        b.view->PaintOffscreen();
        break;
    case kArrangeAgain: {
        // A tune kept from an import.
        ArrangeSource source;
        source.resolution = 96;
        source.tracks = {{"", 0, 0}, {"Tune", 1, 8}};
        for (int i = 0; i < 8; ++i) {
            source.notes.push_back({static_cast<std::uint32_t>(i * 48), 72 + (i % 4) * 2 - (i % 2), 1, false});
        }
        b.view->arranger().Keep(source);
        // The about box of the start may come first and take a script: each one confirms only the
        // choices of Arrange again.
        for (int i = 0; i < 2; ++i) {
            prompts.pushDialog([](QDialog& dialog) {
                const bool choices = dialog.objectName() == QLatin1String("ArrangeAgainDialog");
                return int(choices ? QDialog::Accepted : QDialog::Rejected);
            });
        }
        break;
    }
    default:
        break;
    }
}

// Walks the window and each command of it, every command in a window of its own, then the
// dialogs that are reached only through a printer or a crash.
WindowWalk WalkEverything(Language language)
{
    WindowWalk walk;
    std::vector<std::pair<int, std::size_t>> commands;
    {
        WindowBench probe(language);
        std::set<int> ids;
        for (QAction* act : probe.frame->actions()) {
            ids.insert(act->data().toInt());
        }
        for (int id : ids) {
            for (std::size_t i = 0; i < probe.frame->commandActions(id).size(); ++i) {
                commands.emplace_back(id, i);
            }
        }
    }
    for (const auto& [id, index] : commands) {
        WindowBench b(language);
        auto* walking = new WalkingPrompts(walk);
        std::unique_ptr<Prompts> previous = installPrompts(std::unique_ptr<Prompts>(walking));
        arrange(b, id, *walking);
        b.frame->updateCommandStates();
        walk.Frame(*b.frame);
        QAction* act = b.frame->commandActions(id)[index];
        if (act->isEnabled()) {
            act->trigger();
        }
        // Windows that stay open beside the main window (the help).
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top != b.frame.get() && !qobject_cast<QMenu*>(top)) {
                walk.Dialog(*top, QString::fromLatin1(top->metaObject()->className()));
                top->close();
            }
        }
        if (b.frame->isVisible()) {
            walk.Frame(*b.frame);
        }
        installPrompts(std::move(previous));
    }
    const Language before = zembra::language();
    setLanguage(language);
    {
        CalibrationDialog calibration(QStringLiteral("Printer"), CalibrationFactors{});
        walk.Dialog(calibration, QStringLiteral("zembra::CalibrationDialog"));
        AboutDialog splash(true);
        walk.Dialog(splash, QStringLiteral("zembra::AboutDialog"));
        SaveConfirmDialog leaving(true);
        walk.Dialog(leaving, QStringLiteral("zembra::SaveConfirmDialog"));
    }
    setLanguage(before);
    return walk;
}

// What the walk must have reached, so that a walk that silently opens nothing cannot pass.
const QStringList kDialogs = {
    QStringLiteral("zembra::CanvasSettingsDialog"), QStringLiteral("zembra::ImportEditDialog"),
    QStringLiteral("zembra::CCardPrintDialog"),     QStringLiteral("zembra::CutterExportDialog"),
    QStringLiteral("zembra::TempoDialog"),          QStringLiteral("zembra::AboutDialog"),
    QStringLiteral("zembra::SaveConfirmDialog"),    QStringLiteral("zembra::CalibrationDialog"),
    QStringLiteral("zembra::HelpWindow"),           QStringLiteral("QPageSetupDialog"),
    QStringLiteral("QPrintDialog"),                 QStringLiteral("QPrintPreviewDialog"),
    QStringLiteral("zembra::ArrangeAgainDialog"),   QStringLiteral("zembra::ArrangeChangesDialog"),
};

TEST(WindowTexts, TheEnglishWindowShowsNoJapanese)
{
    const WindowWalk walk = WalkEverything(Language::English);
    for (const QString& dialog : kDialogs) {
        EXPECT_TRUE(walk.dialogClasses().contains(dialog)) << dialog.toStdString() << " was not reached";
    }
    EXPECT_GT(walk.seen().size(), 500u);
    const QStringList japanese = walk.Japanese();
    EXPECT_TRUE(japanese.isEmpty()) << japanese.size() << " texts hold Japanese:\n"
                                    << japanese.join('\n').toStdString();
}

// The print settings have a test of their own below.
const QString kPrintSettings = QStringLiteral("zembra::CCardPrintDialog");

TEST(WindowTexts, NoLabelIsCutShort)
{
    for (Language language : {Language::English, Language::Japanese}) {
        const WindowWalk walk = WalkEverything(language);
        EXPECT_TRUE(walk.dialogClasses().contains(QStringLiteral("zembra::CanvasSettingsDialog")));
        QStringList cut;
        for (const QString& line : walk.cut()) {
            if (!line.startsWith(kPrintSettings)) {
                cut << line;
            }
        }
        EXPECT_TRUE(cut.isEmpty()) << nameOf(language) << ": " << cut.size() << " cut short:\n"
                                   << cut.join('\n').toStdString();
    }
}

TEST(WindowTexts, NoLabelOfThePrintSettingsIsCutShort)
{
    for (Language language : {Language::English, Language::Japanese}) {
        const WindowWalk walk = WalkEverything(language);
        ASSERT_TRUE(walk.dialogClasses().contains(kPrintSettings));
        const QStringList cut = walk.cut().filter(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(kPrintSettings)));
        EXPECT_TRUE(cut.isEmpty()) << nameOf(language) << ": " << cut.size() << " cut short:\n"
                                   << cut.join('\n').toStdString();
    }
}

// The table behind the window: an English text holds no Japanese.
TEST(WindowTexts, NoEnglishTextOfTheTableHoldsJapanese)
{
    QStringList found;
    for (const TextEntry& entry : textTable()) {
        const QString english = QString::fromUtf8(entry.english.data(), static_cast<qsizetype>(entry.english.size()));
        if (HasJapanese(english)) {
            found << QString::number(entry.id) + QStringLiteral(": ") + english;
        }
    }
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

} // namespace
} // namespace zembra
