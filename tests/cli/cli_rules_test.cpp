// The command line's rules that need no process: where outputs go, how option values read,
// what the unchanged import dialog reads back, and the help.
#include "cli_process.h"

#include "cli/batch_outputs.h"
#include "cli/card_options.h"
#include "cli/cli_app.h"
#include "cli/option_set.h"
#include "cli/sub_commands.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "import/canvas_settings_rules.h"

#include <QDir>
#include <QRectF>
#include <QSizeF>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(CliRules, OutputsGoWhereTheOutputNamesThem)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("existing"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = dir.filePath(QStringLiteral("file.pdf"));
    QFile(file).open(QIODevice::WriteOnly);
    const QString a = dir.filePath(QStringLiteral("in/a.mid"));
    const QString b = dir.filePath(QStringLiteral("in/b.song.MID"));
    const QString again = dir.filePath(QStringLiteral("other/a.mid"));
    using C = BatchOutputs::Conflict;
    struct Case {
        const char* name;
        QStringList inputs;
        QString output;
        QStringList outputs;
        QList<C> conflicts;
        bool outputIsFile;
        bool needsFolder;
    };
    const Case cases[] = {
        {"one file, named", {a}, dir.filePath(QStringLiteral("x.pdf")), {dir.filePath(QStringLiteral("x.pdf"))},
         {C::None}, false, false},
        {"one file into a folder", {a}, folder, {folder + QStringLiteral("/a.pdf")}, {C::None}, false, false},
        {"one file into a new folder", {a}, dir.filePath(QStringLiteral("new/")),
         {dir.filePath(QStringLiteral("new/a.pdf"))}, {C::None}, false, true},
        {"several into a folder", {a, b}, folder, {folder + QStringLiteral("/a.pdf"), folder + QStringLiteral("/b.song.pdf")},
         {C::None, C::None}, false, false},
        {"several into a new folder", {a, b}, dir.filePath(QStringLiteral("made")),
         {dir.filePath(QStringLiteral("made/a.pdf")), dir.filePath(QStringLiteral("made/b.song.pdf"))}, {C::None, C::None},
         false, true},
        {"several into a file", {a, b}, file, {file + QStringLiteral("/a.pdf"), file + QStringLiteral("/b.song.pdf")},
         {C::None, C::None}, true, false},
        {"two inputs of one name", {a, again}, folder, {folder + QStringLiteral("/a.pdf"), folder + QStringLiteral("/a.pdf")},
         {C::None, C::SameAsEarlier}, false, false},
        {"the input itself", {a}, a, {a}, {C::IsInput}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BatchOutputs plan(c.inputs, c.output, QStringLiteral(".pdf"));
        EXPECT_EQ(plan.outputIsFile(), c.outputIsFile);
        EXPECT_EQ(plan.needsFolder(), c.needsFolder);
        ASSERT_EQ(plan.count(), c.outputs.size());
        for (int i = 0; i < plan.count(); ++i) {
            EXPECT_EQ(QDir::cleanPath(plan.outputFor(i)), QDir::cleanPath(c.outputs[i])) << i;
            EXPECT_EQ(plan.conflictFor(i), c.conflicts[i]) << i;
        }
    }
}

TEST(CliRules, WholeNumbersTakeOneSignAndStayInRange)
{
    struct Case {
        const char* value;
        bool ok;
        int number;
    };
    const Case cases[] = {{"3", true, 3},    {"+3", true, 3},  {"-3", true, -3},  {"12", true, 12},
                          {"-12", true, -12}, {"13", false, 0}, {"-13", false, 0}, {"+-3", false, 0},
                          {"++3", false, 0}, {"", false, 0},    {"3.5", false, 0}, {"three", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        OptionSet options;
        options.add({QStringLiteral("count")}, str::kCliOptionTranspose, QStringLiteral("N"));
        QString error;
        ASSERT_TRUE(options.parse({QStringLiteral("--count=") + QString::fromLatin1(c.value)}, &error))
            << error.toStdString();
        std::optional<int> value;
        EXPECT_EQ(options.intValue(QStringLiteral("count"), -12, 12, &value, &error), c.ok) << error.toStdString();
        if (c.ok) {
            EXPECT_EQ(value, c.number);
        } else {
            EXPECT_TRUE(error.contains(QStringLiteral("--count"))) << error.toStdString();
        }
    }
    OptionSet absent;
    absent.add({QStringLiteral("count")}, str::kCliOptionTranspose, QStringLiteral("N"));
    QString error;
    ASSERT_TRUE(absent.parse({}, &error));
    std::optional<int> value = 5;
    EXPECT_TRUE(absent.intValue(QStringLiteral("count"), 0, 1, &value, &error));
    EXPECT_FALSE(value.has_value());
}

TEST(CliRules, PapersAreNamedOrMeasured)
{
    struct Case {
        const char* name;
        bool ok;
        double width; // mm, upright
        double height;
    };
    const Case cases[] = {
        {"A4", true, 210, 297},      {"a3", true, 297, 420},        {"Letter", true, 215.9, 279.4},
        {"LEGAL", true, 215.9, 355.6}, {"210x297mm", true, 210, 297}, {"300x100mm", true, 100, 300},
        {"99.5x140mm", true, 99.5, 140}, {"B9", false, 0, 0},        {"210x297", false, 0, 0},
        {"5x5mm", false, 0, 0},      {"x297mm", false, 0, 0},       {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QPageSize> size = PaperSizeOf(QString::fromLatin1(c.name));
        ASSERT_EQ(size.has_value(), c.ok);
        if (c.ok) {
            const QSizeF mm = size->size(QPageSize::Millimeter);
            EXPECT_NEAR(mm.width(), c.width, 0.5);
            EXPECT_NEAR(mm.height(), c.height, 0.5);
        }
    }
}

TEST(CliRules, CardOptionsLayThePaperAndSetThePrintOptions)
{
    struct Case {
        const char* name;
        QStringList arguments;
        double width; // mm of the laid page
        double height;
    };
    const Case cases[] = {
        {"default", {}, 297, 210},
        {"upright", {QStringLiteral("--portrait")}, 210, 297},
        {"A3", {QStringLiteral("--paper=A3")}, 420, 297},
        {"measured wide, as written", {QStringLiteral("--paper=300x100mm")}, 300, 100},
        {"measured high, as written", {QStringLiteral("--paper=100x300mm")}, 100, 300},
        {"measured high, turned", {QStringLiteral("--paper=100x300mm"), QStringLiteral("--landscape")}, 300, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OptionSet options;
        DeclareCardOptions(options);
        QString error;
        ASSERT_TRUE(options.parse(c.arguments, &error)) << error.toStdString();
        CardOptions card;
        ASSERT_TRUE(ReadCardOptions(options, &card, &error)) << error.toStdString();
        const QSizeF laid = card.paper.fullRect(QPageLayout::Millimeter).size();
        EXPECT_NEAR(laid.width(), c.width, 0.5);
        EXPECT_NEAR(laid.height(), c.height, 0.5);
        EXPECT_EQ(card.textColour, QColor(50, 50, 50));
    }

    OptionSet options;
    DeclareCardOptions(options);
    QString error;
    ASSERT_TRUE(options.parse({QStringLiteral("--mirror"), QStringLiteral("--no-lines"), QStringLiteral("--no-fit"),
                               QStringLiteral("--bar-mm=35"), QStringLiteral("--text-colour=red")},
                              &error));
    CardOptions card;
    ASSERT_TRUE(ReadCardOptions(options, &card, &error));
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    card.ApplyTo(*song);
    EXPECT_EQ(song->barLengthMm, 35);
    EXPECT_EQ(song->printOptions.mirrorCard, 1);
    EXPECT_EQ(song->printOptions.ruledLines, 0);
    EXPECT_EQ(song->printOptions.fitSongToCard, 0);
    EXPECT_EQ(song->printOptions.swapHighLow, 0);
    EXPECT_EQ(song->printOptions.repeatImage, 1) << "the dialog's preview option is not the card's";
    EXPECT_EQ(card.textColour, QColor(Qt::red));
}

TEST(CliRules, AnUnchangedDialogReadsBackWhatItsListsSelected)
{
    struct Case {
        const char* name;
        SettingsValues opening;
        SettingsValues confirmed;
    };
    const Case cases[] = {
        {"entries as they are", {4, 24, 50, 24, 0}, {4, 24, 50, 24, 0}},
        {"6 bars: the prefix finds 64", {3, 6, 50, 24, 2}, {3, 64, 50, 24, 2}},
        {"70 bars: the next entry up", {4, 70, 50, 24, 0}, {4, 80, 50, 24, 0}},
        {"100 bars: above every entry, the last", {4, 100, 50, 24, 0}, {4, 80, 50, 24, 0}},
        {"33 mm opens as 35", {4, 24, 33, 24, 0}, {4, 24, 35, 24, 0}},
        {"3 mm opens as 30", {4, 24, 3, 24, 0}, {4, 24, 30, 24, 0}},
        {"120 mm: the last", {4, 24, 120, 24, 0}, {4, 24, 100, 24, 0}},
        {"200 pixels a quarter: the last", {4, 24, 50, 200, 0}, {4, 24, 50, 96, 0}},
        {"6 beats: 4", {6, 24, 50, 24, -1}, {4, 24, 50, 24, -1}},
        {"-12 stays -12", {4, 24, 50, 24, -12}, {4, 24, 50, 24, -12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsValues got = ConfirmedUnchanged(c.opening);
        EXPECT_EQ(got.beatsPerBar, c.confirmed.beatsPerBar);
        EXPECT_EQ(got.barCount, c.confirmed.barCount);
        EXPECT_EQ(got.barLengthMm, c.confirmed.barLengthMm);
        EXPECT_EQ(got.pixelsPerQuarter, c.confirmed.pixelsPerQuarter);
        EXPECT_EQ(got.transposition, c.confirmed.transposition);
    }
}

TEST(CliRules, TitlesAreCutAsTheDialogsBoxCutsThem)
{
    struct Case {
        const char* name;
        std::string text;
        std::string kept;
    };
    const std::string a40(40, 'a');
    const std::string ja = "オルゴール"; // 5 characters, 3 bytes each
    std::string ja40;
    for (int i = 0; i < 8; ++i) {
        ja40 += ja;
    }
    const std::string clef = "\xF0\x9D\x84\x9E"; // beyond the basic plane: two units
    const Case cases[] = {
        {"short", "Song", "Song"},
        {"40 letters", a40, std::string(32, 'a')},
        {"40 Japanese characters", ja40, ja40.substr(0, 32 * 3)},
        {"a pair that does not fit", std::string(31, 'a') + clef, std::string(31, 'a')},
        {"a pair that fits", std::string(30, 'a') + clef + "b", std::string(30, 'a') + clef},
        {"bytes that start no UTF-8 sequence, one unit each", std::string(40, '\xF8'), std::string(32, '\xF8')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LimitSettingsText(c.text), c.kept);
        EXPECT_LE(QString::fromStdString(LimitSettingsText(c.text)).size(), kSettingsTextLimit);
    }
}

TEST(CliRules, HelpNamesEveryCommandAndOptionInBothLanguages)
{
    for (const char* language : {"en", "ja"}) {
        SCOPED_TRACE(language);
        const CliResult help = RunZembra({QStringLiteral("--help")}, QDir::currentPath(), QString::fromLatin1(language));
        ASSERT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
        for (const SubCommand& command : SubCommands()) {
            EXPECT_TRUE(help.out.contains(QStringLiteral("  ") + QLatin1String(command.name) + ' ')) << command.name;
            const CliResult own = RunZembra({QLatin1String(command.name), QStringLiteral("--help")}, QDir::currentPath(),
                                            QString::fromLatin1(language));
            EXPECT_EQ(own.exitCode, 0) << command.name;
            EXPECT_TRUE(own.out.contains(QLatin1String(command.name))) << command.name;
        }
        for (const char* option : {"--output", "--quiet", "--json", "--transpose", "--bars", "--bar-mm", "--mirror",
                                   "--swap", "--two-rows", "--no-lines", "--thick", "--black", "--no-fit", "--image",
                                   "--text-colour", "--paper", "--portrait", "--landscape", "--version",
                                   "--screenshot"}) {
            EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
        }
        const Language chosen = std::string_view(language) == "ja" ? Language::Japanese : Language::English;
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(text(str::kCliExitStatus, chosen).data())));
    }
    const CliResult version = RunZembra({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("zembra 1."))) << version.out.toStdString();
}

TEST(CliRules, TheManualPageNamesEveryOptionTheHelpNames)
{
    QFile file(QStringLiteral(ZEMBRA_MAN_PAGE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The page as a reader sees it: no escaped hyphens, no font changes.
    QString page = QString::fromUtf8(file.readAll());
    page.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    page.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    QStringList helps = {RunZembra({QStringLiteral("--help")}).out};
    for (const SubCommand& command : SubCommands()) {
        helps << RunZembra({QLatin1String(command.name), QStringLiteral("--help")}).out;
    }
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
    int seen = 0;
    for (const QString& help : helps) {
        for (auto it = option.globalMatch(help); it.hasNext(); ++seen) {
            const QString name = it.next().captured();
            EXPECT_TRUE(page.contains(name)) << name.toStdString() << " is in --help but not in the manual page";
        }
    }
    EXPECT_GT(seen, 40);
    for (const char* added : {"--tracks", "--drums", "--no-drums"}) {
        EXPECT_TRUE(page.contains(QLatin1String(added))) << added;
    }
}

TEST(CliRules, EveryCommandLineTextIsInBothLanguages)
{
    for (const TextEntry& entry : textTable()) {
        if (entry.id >= 41300 && entry.id <= 41399) {
            EXPECT_FALSE(entry.japanese.empty()) << entry.id;
            EXPECT_FALSE(entry.english.empty()) << entry.id;
        }
    }
}

} // namespace
} // namespace zembra
