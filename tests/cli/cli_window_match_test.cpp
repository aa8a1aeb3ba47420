// The command line against the window: the same files through the window's own path (the import
// dialog answered through its widgets, the menu commands with scripted file names) and through
// the built program, compared by what the dialog shows, the bytes written and the pixels printed.
#include "app/document_view_link.h"
#include "../card/pdf_raster.h"
#include "cli_process.h"
#include "scoped_scripted_prompts.h"

#include "app/card_commands.h"
#include "card/cutter_export_dialog.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/smf_writer.h"
#include "midi/synth_engine.h"
#include "document/kelp_doc.h"
#include "services/command_ids.h"
#include "services/paint_device_metrics.h"
#include "services/printer_record.h"
#include "services/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace zembra {
namespace {

// 1500 notes on the comb's keys, one every 20 ticks at 96 a quarter: 78 bars of 4/4, written by
// our own writer.
QString WriteLongSong(const QString& folder)
{
    const QString path = folder + QStringLiteral("/long-song.mid");
    SmfWriter writer;
    EXPECT_TRUE(writer.open(QFile::encodeName(path).toStdString()));
    writer.setResolution(96);
    std::mt19937 random(99);
    std::vector<MidiEvent> events;
    for (int i = 0; i < 1500; ++i) {
        const int row = static_cast<int>(random() % 33);
        const std::uint8_t key = static_cast<std::uint8_t>(row == 0 ? 60 : 61 + row);
        events.push_back({std::uint32_t(i == 0 ? 0 : 20), kNoteOn, key, 80, 0});
    }
    writer.writeEvents(0, events.data(), static_cast<std::uint32_t>(events.size()));
    EXPECT_TRUE(writer.finish(0));
    return path;
}

// A song file of the program, saved by the window with its own grid in the tags.
const char kOwnSong[] = "own-song.mid";

struct Seen {
    QString info;
    QString beats;
    QString bars;
    QString barLength;
    QString scale;
    QString transposition;
};

class WindowMatch : public testing::Test {
protected:
    WindowMatch()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        QSettings().clear();
        applicationDevMode() = DevMode();
        SetLastPrintMetrics({});
        ForgetPrinterMetrics();
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
    }

    // Opens the file through the document, picks `transposition` in the dialog and confirms.
    Seen Open(const QString& path, const char* transposition = "0")
    {
        Seen seen;
        // A song placed from a foreign file is still to be saved: the question first.
        if (view->modified()) {
            scripted->pushDialog(ScriptedPrompts::Press("discard"));
        }
        scripted->pushDialog([&seen, transposition](QDialog& dialog) {
            auto* box = dialog.findChild<QComboBox*>(QStringLiteral("transposition"));
            box->setCurrentIndex(box->findText(QString::fromLatin1(transposition)));
            seen.info = dialog.findChild<QLabel*>(QStringLiteral("info"))->text();
            auto text = [&dialog](const char* name) {
                return dialog.findChild<QComboBox*>(QString::fromLatin1(name))->currentText();
            };
            seen.beats = text("beats");
            seen.bars = text("bars");
            seen.barLength = text("barLength");
            seen.scale = text("scale");
            seen.transposition = text("transposition");
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            return dialog.result();
        });
        doc.OpenNamedSong(path);
        EXPECT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();
        scripted->clear();
        // The canvas's repaint after the import, which counts the notes and the music's length.
        view->PaintOffscreen();
        return seen;
    }

    QString Run(int command, const QString& path)
    {
        scripted->pushFileName(path);
        frame.runCommand(command);
        EXPECT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();
        scripted->clear();
        return path;
    }

    // The fixtures, a long song, and a song file of the program's own.
    QStringList Inputs()
    {
        QStringList inputs = {Fixture("abc2midi-tune.mid"), Fixture("csvmidi-format1.mid"), Fixture("roll-edit.mid"),
                              Fixture("cli-info.mid"), WriteLongSong(dir.path())};
        SongState& song = view->song();
        song.title = "Own";
        song.beatsPerBar = 3;
        song.pixelsPerQuarter = 32;
        song.barLengthMm = 33; // no such entry: the dialog offers 35
        song.barCount = 16;
        view->UpdateScrollSizes();
        for (int left : {0, 10, 20, 300, 900}) {
            song.NormaliseNote(song.AllocateNote(left, song.bandTopOfRow(5)));
            ++song.noteCount;
        }
        inputs << Run(cmd::kFileSaveAs, dir.filePath(QString::fromLatin1(kOwnSong)));
        return inputs;
    }

    ScopedScriptedPrompts scripted;
    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
    QTemporaryDir dir;
};

std::vector<int> Numbers(const QString& text)
{
    std::vector<int> numbers;
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    for (auto it = digits.globalMatch(text); it.hasNext();) {
        numbers.push_back(it.next().captured().toInt());
    }
    return numbers;
}

TEST_F(WindowMatch, InfoCountsAreWhatTheImportDialogShows)
{
    const QStringList inputs = Inputs();
    for (const QString& input : inputs) {
        for (const char* transposition : {"0", "+2", "-5"}) {
            SCOPED_TRACE((QFileInfo(input).fileName() + ' ' + QLatin1String(transposition)).toStdString());
            const Seen seen = Open(input, transposition);
            frame.runCommand(cmd::kDistanceCheck);
            view->PaintOffscreen();
            const SongState& song = view->song();

            const CliResult result = RunZembra({QStringLiteral("info"), QStringLiteral("--json"),
                                                QStringLiteral("--transpose=") + QLatin1String(transposition), input});
            ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
            const QJsonObject info = QJsonDocument::fromJson(result.out.toUtf8()).object();
            const std::vector<int> counts = Numbers(seen.info);
            ASSERT_GE(counts.size(), 2u) << seen.info.toStdString();
            EXPECT_EQ(info[QStringLiteral("importable")].toInt(), counts[0]);
            EXPECT_EQ(info[QStringLiteral("notImportable")].toInt(), counts[1]);
            EXPECT_EQ(QString::number(info[QStringLiteral("bars")].toInt()), seen.bars);
            EXPECT_EQ(QString::number(info[QStringLiteral("beatsPerBar")].toInt()), seen.beats);
            EXPECT_EQ(QString::number(info[QStringLiteral("barLengthMm")].toInt()), seen.barLength);
            EXPECT_EQ(info[QStringLiteral("transposition")].toInt(), seen.transposition.toInt());
            EXPECT_EQ(info[QStringLiteral("placed")].toInt(), song.noteCount);
            EXPECT_EQ(info[QStringLiteral("tempo")].toInt(), static_cast<int>(doc.tempo()));
            EXPECT_EQ(info[QStringLiteral("title")].toString(), QString::fromStdString(song.title));
            EXPECT_EQ(info[QStringLiteral("ownFile")].toBool(), doc.ownFile());
            // The status bar's count of notes that will not sound; -1 there for one note or none.
            if (song.noteCount >= 2) {
                EXPECT_EQ(info[QStringLiteral("tooClose")].toInt(), view->paneText(kPaneDistanceCheck).trimmed().toInt());
            } else {
                EXPECT_EQ(info[QStringLiteral("tooClose")].toInt(), 0);
            }
            if (song.distanceCheckMode) {
                frame.runCommand(cmd::kDistanceCheck);
            }
        }
    }
}

TEST_F(WindowMatch, AFileThatCannotBeReadIsExplainedInTheReadersWordsAsInfoGivesThem)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const QByteArray header("MThd\0\0\0\6\0\0\0\1\0\x60", 14);
    const Case cases[] = {
        {"not-midi.mid", QByteArray("This is a text file, not music.\n")},
        {"cut-header.mid", header.left(10)},
        {"no-track.mid", header},
        // A download cut off inside its track: what came before the damage is read.
        {"cut-off.mid", header + QByteArray("MTrk\0\0\x01\x90\0\x90\x3c\x40", 12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        scripted->clear();
        if (view->modified()) {
            scripted->pushDialog(ScriptedPrompts::Press("discard"));
        }
        doc.OpenNamedSong(path);
        const QStringList messages = scripted->messages();
        ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();
        // The window's own words, a blank line, then the reader's.
        const QString detail = messages[0].section(QStringLiteral("\n\n"), 1);
        EXPECT_FALSE(detail.trimmed().isEmpty()) << messages[0].toStdString();
        const CliResult info = RunZembra({QStringLiteral("info"), path});
        EXPECT_EQ(info.exitCode, 1);
        EXPECT_TRUE(info.err.contains(detail)) << "window: " << detail.toStdString() << "\ninfo: " << info.err.toStdString();
    }
}

TEST_F(WindowMatch, TheTracksAndTheDrumsChosenInTheDialogAreWhatTheOptionsChoose)
{
    struct Case {
        const char* name;
        int trackLeftOut; // a row of the track list to untick; -1 for none
        bool keepDrums;
        QStringList options;
    };
    const Case cases[] = {
        {"as it opens", -1, false, {}},
        {"without the bass", 2, false, {QStringLiteral("--tracks"), QStringLiteral("1,2,4")}},
        {"with the drums, without the melody", 1, true,
         {QStringLiteral("--drums"), QStringLiteral("--tracks"), QStringLiteral("1,3,4")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QSettings().clear();
        if (view->modified()) {
            scripted->pushDialog(ScriptedPrompts::Press("discard"));
        }
        scripted->pushDialog([&c](QDialog& dialog) {
            if (c.trackLeftOut >= 0) {
                dialog.findChild<QTableWidget*>(QStringLiteral("trackTable"))
                    ->item(c.trackLeftOut, 0)
                    ->setCheckState(Qt::Unchecked);
            }
            if (c.keepDrums) {
                dialog.findChild<QCheckBox*>(QStringLiteral("leaveOutDrums"))->click();
            }
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            return dialog.result();
        });
        doc.OpenNamedSong(Fixture("comb-fit-voices.mid"));
        view->PaintOffscreen();
        const QString window = Run(cmd::kFileSaveAs, dir.filePath(QStringLiteral("window.mid")));
        const QString command = dir.filePath(QStringLiteral("command.mid"));
        const CliResult result =
            RunZembra(QStringList{QStringLiteral("song"), Fixture("comb-fit-voices.mid"), QStringLiteral("-o"), command} +
                      c.options);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QByteArray written = Contents(window);
        ASSERT_FALSE(written.isEmpty());
        EXPECT_EQ(Contents(command), written);
        QFile::remove(window);
        QFile::remove(command);
    }
}

TEST_F(WindowMatch, SongFilesAreByteForByteWhatSaveAsWrites)
{
    const QStringList inputs = Inputs();
    for (const QString& input : inputs) {
        for (const char* transposition : {"0", "+2"}) {
            SCOPED_TRACE((QFileInfo(input).fileName() + ' ' + QLatin1String(transposition)).toStdString());
            Open(input, transposition);
            const QString window = Run(cmd::kFileSaveAs, dir.filePath(QStringLiteral("window.mid")));
            const QString command = dir.filePath(QStringLiteral("command.mid"));
            const CliResult result = RunZembra({QStringLiteral("song"), input, QStringLiteral("-o"), command,
                                                QStringLiteral("--transpose"), QLatin1String(transposition)});
            ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
            const QByteArray written = Contents(window);
            ASSERT_FALSE(written.isEmpty());
            EXPECT_EQ(Contents(command), written);
            QFile::remove(window);
            QFile::remove(command);
        }
    }
}

struct CardVariant {
    const char* name;
    QStringList options;
    PrintOptions print;
    int barLengthMm; // -1: the import's
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
    QColor textColour;
    bool picture;
};

// A striped picture, so that its tiles show on the pages.
QString WritePicture(const QString& folder)
{
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(QColor(40, 40, 120));
    QPainter painter(&image);
    painter.fillRect(0, 0, 20, 40, QColor(230, 200, 30));
    painter.end();
    const QString path = folder + QStringLiteral("/picture.png");
    EXPECT_TRUE(image.save(path));
    return path;
}

TEST_F(WindowMatch, CardsArePixelForPixelWhatExportCardAsPdfWrites)
{
    const QString picture = WritePicture(dir.path());
    const QString longSong = WriteLongSong(dir.path());
    const PrintOptions standard;
    PrintOptions mirrored = standard;
    mirrored.mirrorCard = 1;
    mirrored.twoRows = 1;
    PrintOptions plain = standard;
    plain.ruledLines = 0;
    plain.thickLines = 1;
    plain.blackLines = 1;
    plain.swapHighLow = 1;
    plain.fitSongToCard = 0;
    PrintOptions thick = standard;
    thick.thickLines = 1;
    // The window numbers its strips unless the settings say otherwise; the command line does not.
    settings::SaveCardMarks(standard, AssemblyChoices{});
    const CardVariant variants[] = {
        {"defaults", {}, standard, -1, QPageSize::A4, QPageLayout::Landscape, QColor(50, 50, 50), false},
        {"mirror, two rows, A3 upright",
         {"--mirror", "--two-rows", "--bar-mm", "30", "--paper", "A3", "--portrait"},
         mirrored, 30, QPageSize::A3, QPageLayout::Portrait, QColor(50, 50, 50), false},
        {"no lines, black, swapped, every bar, Letter",
         {"--no-lines", "--thick", "--black", "--swap", "--no-fit", "--paper", "letter"},
         plain, -1, QPageSize::Letter, QPageLayout::Landscape, QColor(50, 50, 50), false},
        {"one strip, a picture, a colour",
         {"--bar-mm", "0", "--thick", "--image", picture, "--text-colour", "#c03020"},
         thick, 0, QPageSize::A4, QPageLayout::Landscape, QColor(0xc0, 0x30, 0x20), true},
    };
    for (const QString& input : {Fixture("abc2midi-tune.mid"), longSong}) {
        for (const CardVariant& v : variants) {
            SCOPED_TRACE((QFileInfo(input).fileName() + QStringLiteral(": ") + QLatin1String(v.name)).toStdString());
            Open(input);
            // What the print settings dialog's OK and the paper set-up leave behind.
            SongState& song = view->song();
            song.printOptions = v.print;
            if (v.barLengthMm >= 0) {
                song.barLengthMm = v.barLengthMm;
            }
            frame.cardCommands().flow().setTextColour(v.textColour);
            if (v.picture) {
                ASSERT_TRUE(doc.LoadBackground(picture));
            } else {
                doc.ReleaseBackground();
            }
            QPrinter paper(QPrinter::HighResolution);
            paper.setPageSize(QPageSize(v.paper));
            paper.setPageOrientation(v.orientation);
            applicationDevMode() = DevModeFromPrinter(paper);
            const QString window = Run(cmd::kExportCardPdf, dir.filePath(QStringLiteral("window.pdf")));

            const QString command = dir.filePath(QStringLiteral("command.pdf"));
            const CliResult result =
                RunZembra(QStringList{QStringLiteral("card"), input, QStringLiteral("-o"), command} + v.options);
            ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

            const QString pagesOf = QStringLiteral("Pages:");
            const QString windowInfo = RunTool(QStringLiteral("pdfinfo"), {window});
            const QString commandInfo = RunTool(QStringLiteral("pdfinfo"), {command});
            auto line = [](const QString& info, const char* key) {
                for (const QString& l : info.split('\n')) {
                    if (l.startsWith(QLatin1String(key))) {
                        return l.simplified();
                    }
                }
                return QString();
            };
            ASSERT_FALSE(line(windowInfo, "Pages:").isEmpty());
            EXPECT_EQ(line(commandInfo, "Pages:"), line(windowInfo, "Pages:"));
            EXPECT_EQ(line(commandInfo, "Page size:"), line(windowInfo, "Page size:"));

            QTemporaryDir windowPages(dir.filePath(QStringLiteral("wXXXXXX")));
            QTemporaryDir commandPages(dir.filePath(QStringLiteral("cXXXXXX")));
            const std::vector<QImage> expected = RasterisePdf(window, 72, windowPages.path());
            const std::vector<QImage> got = RasterisePdf(command, 72, commandPages.path());
            ASSERT_FALSE(expected.empty());
            ASSERT_EQ(got.size(), expected.size());
            for (std::size_t page = 0; page < got.size(); ++page) {
                EXPECT_TRUE(got[page] == expected[page]) << "page " << page + 1;
            }
            if (input == longSong && v.barLengthMm != 0) {
                EXPECT_GT(expected.size(), 1u) << "the long song spans pages";
            }
            QFile::remove(window);
            QFile::remove(command);
        }
    }
}

TEST_F(WindowMatch, CutterFilesAreByteForByteWhatExportCardForCutterWrites)
{
    struct Variant {
        const char* name;
        const char* format;
        double hole;
        double kerf;
        int layout;
        bool engrave;
        QStringList options;
    };
    const Variant variants[] = {
        {"svg defaults", "SVG", 1.7, 0, 0, true, {}},
        {"svg strips, kerf, no engraving", "SVG", 1.6, 0.3, 1, false,
         {"--hole-mm", "1.6", "--kerf-mm", "0.3", "--layout", "strips", "--no-engrave"}},
        {"dxf kerf", "DXF", 1.5, 0.1, 0, true, {"--hole-mm", "1.5", "--kerf-mm", "0.1"}},
        {"dxf strips", "DXF", 1.7, 0, 1, true, {"--layout", "STRIPS"}},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        Open(Fixture("abc2midi-tune.mid"));
        scripted->pushDialog([&v](QDialog& dialog) {
            auto* formats = dialog.findChild<QComboBox*>(QStringLiteral("format"));
            formats->setCurrentIndex(formats->findText(QLatin1String(v.format)));
            dialog.findChild<QDoubleSpinBox*>(QStringLiteral("holeMm"))->setValue(v.hole);
            dialog.findChild<QDoubleSpinBox*>(QStringLiteral("kerfMm"))->setValue(v.kerf);
            dialog.findChild<QComboBox*>(QStringLiteral("layout"))->setCurrentIndex(v.layout);
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
                box->setChecked(v.engrave);
            }
            dialog.findChild<QPushButton*>(QStringLiteral("export"))->click();
            return dialog.result();
        });
        const QString suffix = QString::fromLatin1(v.format).toLower();
        const QString window = Run(cmd::kExportCardCutter, dir.filePath(QStringLiteral("window.") + suffix));
        const QString command = dir.filePath(QStringLiteral("command.") + suffix);
        const CliResult result =
            RunZembra(QStringList{suffix, Fixture("abc2midi-tune.mid"), QStringLiteral("-o"), command} + v.options);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QByteArray expected = Contents(window);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(Contents(command) == expected);
        QFile::remove(window);
        QFile::remove(command);
    }
}

TEST_F(WindowMatch, AudioIsSampleForSampleWhatExportAudioWrites)
{
    if (findSoundFont({}).empty()) {
        GTEST_SKIP() << "no General MIDI sound font on this machine";
    }
    for (const char* name : {"abc2midi-tune.mid", "cli-info.mid"}) {
        SCOPED_TRACE(name);
        Open(Fixture(name), "+2");
        const QString window = Run(cmd::kExportAudio, dir.filePath(QStringLiteral("window.wav")));
        const QString command = dir.filePath(QStringLiteral("command.wav"));
        const CliResult result = RunZembra(
            {QStringLiteral("wav"), Fixture(name), QStringLiteral("--transpose=+2"), QStringLiteral("-o"), command});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QByteArray written = Contents(window);
        ASSERT_GT(written.size(), 44);
        EXPECT_TRUE(Contents(command) == written);
        QFile::remove(window);
        QFile::remove(command);
    }
}

} // namespace
} // namespace zembra
