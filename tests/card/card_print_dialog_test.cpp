#include "card/card_print_dialog.h"
#include "card_test_host.h"
#include "scoped_scripted_prompts.h"
#include "text/strings.h"
#include "services/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace zembra {
namespace {

using Dialog = CCardPrintDialog;

class PrintDialog : public testing::Test {
protected:
    void SetUp() override
    {
        m_host.note(0, 10);
        m_host.note(40, 10);
    }

    std::unique_ptr<Dialog> Make(int barLengthMm = 50, PrintOptions options = {})
    {
        auto dialog = std::make_unique<Dialog>(m_host.song(), m_host.startX);
        dialog->barLengthMm = barLengthMm;
        dialog->options = options;
        dialog->imagePath = m_host.path;
        dialog->Open();
        dialog->show();
        return dialog;
    }

    static void Click(Dialog& dialog, int id)
    {
        QWidget* control = dialog.control(id);
        ASSERT_NE(control, nullptr) << id;
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        } else {
            QTest::mouseClick(control, Qt::LeftButton);
        }
    }

    static void Choose(Dialog& dialog, const QString& item)
    {
        auto* combo = static_cast<QComboBox*>(dialog.control(Dialog::kBarLength));
        const int index = combo->findText(item);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    static QImage Preview(Dialog& dialog) { return dialog.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static QString Label(Dialog& dialog, int id) { return static_cast<QLabel*>(dialog.control(id))->text(); }

    ScopedScriptedPrompts m_prompts;
    TestCardHost m_host;
};

// Row lines of the schematic card: line q at q × 180 ÷ 33 + 20.
int LineY(int q)
{
    return q * 180 / 33 + 20;
}

TEST_F(PrintDialog, OpensOnTheBarLengthByPrefixAndKeepsTheField)
{
    struct Case {
        int barLength;
        QString shown;
    };
    for (const Case& c : {Case{33, QStringLiteral("35")}, Case{10, QStringLiteral("100")}, Case{50, QStringLiteral("50")}}) {
        auto dialog = Make(c.barLength);
        EXPECT_EQ(static_cast<QComboBox*>(dialog->control(Dialog::kBarLength))->currentText(), c.shown);
        EXPECT_EQ(dialog->barLengthMm, c.barLength);
    }
}

TEST_F(PrintDialog, CountsNotesThatWillNotSoundAtTheChosenLength)
{
    auto dialog = Make(50);
    EXPECT_EQ(Label(*dialog, Dialog::kSilentCount), QStringLiteral("Not soundable note :0"));
    Choose(*dialog, QStringLiteral("15"));
    EXPECT_EQ(dialog->barLengthMm, 15);
    EXPECT_EQ(Label(*dialog, Dialog::kSilentCount), QStringLiteral("Not soundable note :1"));
    EXPECT_EQ(m_host.song().barLengthMm, 50); // the song keeps its length until Print
    Choose(*dialog, QStringLiteral("0"));
    EXPECT_TRUE(Label(*dialog, Dialog::kSilentCount).isEmpty());
}

TEST_F(PrintDialog, ChecksEditTheFlagsAndClosingTakesThem)
{
    auto dialog = Make(50, PrintOptions{1, 1, 1, 0, 0, 0, 0, 0});
    const std::pair<int, std::int32_t PrintOptions::*> checks[] = {
        {Dialog::kFitSong, &PrintOptions::fitSongToCard},  {Dialog::kRuledLines, &PrintOptions::ruledLines},
        {Dialog::kRepeatImage, &PrintOptions::repeatImage}, {Dialog::kMirrorCard, &PrintOptions::mirrorCard},
        {Dialog::kSwapHighLow, &PrintOptions::swapHighLow}, {Dialog::kThickLines, &PrintOptions::thickLines},
        {Dialog::kBlackLines, &PrintOptions::blackLines},   {Dialog::kTwoRows, &PrintOptions::twoRows},
        {Dialog::kStripNumbers, &PrintOptions::stripNumbers},
    };
    for (const auto& [id, flag] : checks) {
        const int before = dialog->options.*flag;
        Click(*dialog, id);
        EXPECT_EQ(dialog->options.*flag, 1 - before) << id;
    }
    Click(*dialog, Dialog::kPreview);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->previewRequested);
    EXPECT_EQ(dialog->options.mirrorCard, 1);
    EXPECT_EQ(dialog->options.fitSongToCard, 0);
}

TEST_F(PrintDialog, TheMarksForPuttingTheCardTogetherEditTheOptionsAndShowInThePreview)
{
    auto dialog = Make(50, PrintOptions{1, 1, 1, 0, 0, 0, 0, 0});
    auto* every = static_cast<QComboBox*>(dialog->control(Dialog::kBarNumbers));
    ASSERT_NE(every, nullptr);
    EXPECT_EQ(every->currentData().toInt(), 0);
    const QImage plain = Preview(*dialog);
    // Past the arrow and the author, under the band of rows.
    const QRect numbers(320, 201, dialog->width() - 330, 19);
    const auto inked = [&numbers](const QImage& image) {
        int count = 0;
        for (int y = numbers.top(); y <= numbers.bottom(); ++y) {
            for (int x = numbers.left(); x <= numbers.right(); ++x) {
                count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_EQ(inked(plain), 0);
    const int options[] = {1, 4, 0};
    int inkEvery = 0;
    for (const int n : options) {
        every->setCurrentIndex(every->findData(n));
        EXPECT_EQ(dialog->assembly.barNumbers, n);
        const int ink = inked(Preview(*dialog));
        if (n == 0) {
            EXPECT_EQ(ink, 0);
        } else if (n == 1) {
            EXPECT_GT(ink, 0);
            inkEvery = ink;
        } else {
            EXPECT_LT(ink, inkEvery) << "every fourth bar shows fewer numbers";
        }
    }
    auto* titles = static_cast<QComboBox*>(dialog->control(Dialog::kStripTitles));
    EXPECT_EQ(titles->currentIndex(), 0);
    titles->setCurrentIndex(1);
    EXPECT_TRUE(dialog->assembly.stripTitles);
    // Blank cards: a roll says nothing; a length gives the count and where each blank ends.
    auto* blank = static_cast<QSpinBox*>(dialog->control(Dialog::kBlankLength));
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->value(), 0);
    EXPECT_TRUE(Label(*dialog, Dialog::kBlankPlan).isEmpty());
    blank->setValue(30);
    EXPECT_DOUBLE_EQ(dialog->assembly.blankMm, 30);
    const QString plan = Label(*dialog, Dialog::kBlankPlan);
    EXPECT_TRUE(plan.contains(QStringLiteral("blank cards, each ending at: bar"))) << plan.toStdString();
    const int count = plan.section(QLatin1Char(' '), 0, 0).toInt();
    EXPECT_GT(count, 1);
    // Each blank's end, a dozen at most.
    EXPECT_EQ(plan.count(QStringLiteral("bar ")), std::min(count, 12));
    EXPECT_EQ(plan.endsWith(QStringLiteral("...")), count > 12);
    every->setCurrentIndex(every->findData(4));
    Click(*dialog, Dialog::kPrint);
    EXPECT_EQ(dialog->assembly.barNumbers, 4);
    EXPECT_TRUE(dialog->assembly.stripTitles);
}

TEST_F(PrintDialog, PreviewFollowsMirrorRuledLinesAndBarLength)
{
    auto dialog = Make(50, PrintOptions{1, 1, 1, 0, 0, 0, 0, 0});
    const int w = dialog->width();
    const QColor arrow(220, 220, 220);
    QImage plain = Preview(*dialog);
    EXPECT_EQ(plain.pixelColor(60, 210), arrow);
    EXPECT_NE(plain.pixelColor(w - 60, 210), arrow);
    // Bar lines every 150 pixels (3 a millimetre), from the left margin of 30.
    const int between = LineY(5) + 2;
    EXPECT_EQ(plain.pixelColor(30, between), QColor(210, 210, 210));
    EXPECT_EQ(plain.pixelColor(180, between), QColor(210, 210, 210));
    EXPECT_EQ(plain.pixelColor(100, between), QColor(Qt::white));

    Click(*dialog, Dialog::kMirrorCard);
    QImage mirrored = Preview(*dialog);
    EXPECT_EQ(mirrored.pixelColor(w - 60, 210), arrow);
    EXPECT_NE(mirrored.pixelColor(60, 210), arrow);
    EXPECT_EQ(mirrored.pixelColor(w - 30, between), QColor(210, 210, 210)); // from the right margin

    Choose(*dialog, QStringLiteral("0")); // 60 pixels between bar lines
    QImage fitted = Preview(*dialog);
    EXPECT_EQ(fitted.pixelColor(w - 30 - 60, between), QColor(210, 210, 210));

    Click(*dialog, Dialog::kRuledLines);
    QImage bare = Preview(*dialog);
    EXPECT_EQ(bare.pixelColor(w / 2, LineY(5)), QColor(Qt::white));
    EXPECT_EQ(bare.pixelColor(w - 30 - 60, between), QColor(Qt::white));
}

TEST_F(PrintDialog, SwapMovesTheCLinesAndMirrorAndSwapPutThemBack)
{
    // Rows 0 (middle C), 11 and 23 are C rows; with neither option line q shows row 33 - q.
    const QColor cLine(200, 200, 200);
    const QColor rowLine(210, 210, 210);
    struct Case {
        bool mirror;
        bool swap;
        int cLineAt;
        int rowLineAt;
    };
    const Case cases[] = {{false, false, 22, 11}, {false, true, 11, 22}, {true, true, 22, 11}, {true, false, 11, 22}};
    for (const Case& c : cases) {
        auto dialog = Make(50, PrintOptions{1, 1, 1, c.mirror, c.swap, 0, 0, 0});
        const QImage preview = Preview(*dialog);
        const int x = dialog->width() / 2 + 7; // clear of the bar lines
        EXPECT_EQ(preview.pixelColor(x, LineY(c.cLineAt)), cLine) << c.mirror << c.swap;
        EXPECT_EQ(preview.pixelColor(x, LineY(c.rowLineAt)), rowLine) << c.mirror << c.swap;
    }
}

TEST_F(PrintDialog, ThickAndBlackLines)
{
    auto dialog = Make(50, PrintOptions{1, 1, 1, 0, 0, 0, 0, 0});
    const int x = dialog->width() / 2 + 7;
    const int y = LineY(5);
    const QColor rowLine(210, 210, 210);
    const QImage thin = Preview(*dialog);
    EXPECT_EQ(thin.pixelColor(x, y), rowLine);
    EXPECT_NE(thin.pixelColor(x, y - 1), rowLine);
    EXPECT_NE(thin.pixelColor(x, y + 1), rowLine);
    Click(*dialog, Dialog::kThickLines);
    const QImage thick = Preview(*dialog); // 2 pixels wide
    EXPECT_TRUE(thick.pixelColor(x, y - 1) == rowLine || thick.pixelColor(x, y + 1) == rowLine);
    Click(*dialog, Dialog::kBlackLines);
    EXPECT_EQ(Preview(*dialog).pixelColor(x, y), QColor(Qt::black));
}

TEST_F(PrintDialog, ImageIsLoadedTiledAndReleased)
{
    QTemporaryDir dir;
    QImage picture(90, 90, QImage::Format_RGB32);
    picture.fill(QColor(0, 160, 0));
    const QString path = dir.filePath(QStringLiteral("green.png"));
    ASSERT_TRUE(picture.save(path));
    auto dialog = Make(50, PrintOptions{0, 0, 1, 0, 0, 0, 0, 0});
    m_prompts->pushFileName(path);
    Click(*dialog, Dialog::kImportImage);
    EXPECT_EQ(dialog->imagePath, path);
    QImage single = Preview(*dialog);
    EXPECT_EQ(single.pixelColor(100, 100), QColor(0, 160, 0)); // one 180 × 180 tile at x = 0
    EXPECT_EQ(single.pixelColor(250, 100), QColor(Qt::white));
    Click(*dialog, Dialog::kRepeatImage);
    EXPECT_EQ(Preview(*dialog).pixelColor(250, 100), QColor(0, 160, 0));
    Click(*dialog, Dialog::kReleaseImage);
    EXPECT_TRUE(dialog->imagePath.isEmpty());
    EXPECT_EQ(Preview(*dialog).pixelColor(100, 100), QColor(Qt::white));

    // A picture that cannot be read drops the path without a message.
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    m_prompts->pushFileName(broken);
    Click(*dialog, Dialog::kImportImage);
    EXPECT_TRUE(dialog->imagePath.isEmpty());
    m_host.path = broken;
    auto reopened = Make();
    EXPECT_TRUE(reopened->imagePath.isEmpty());
    EXPECT_TRUE(m_prompts->messages().isEmpty());
}

TEST_F(PrintDialog, CancelPutsTheColourBack)
{
    auto dialog = Make();
    QColor seen;
    dialog->textColourChanged = [&seen](const QColor& colour) { seen = colour; };
    const QColor opening = dialog->textColour;
    m_prompts->pushColour(QColor(0, 0, 200));
    Click(*dialog, Dialog::kTextColour);
    EXPECT_EQ(seen, QColor(0, 0, 200));
    Click(*dialog, Dialog::kCancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->textColour, opening);

    auto standard = Make();
    standard->textColour = QColor(1, 2, 3);
    Click(*standard, Dialog::kStandardColour);
    EXPECT_EQ(standard->textColour, QColor(50, 50, 50));
}

TEST_F(PrintDialog, SaysWhenTheCardStartsAfterTheFirstBar)
{
    auto fromStart = Make();
    EXPECT_TRUE(fromStart->findChild<QLabel*>(QStringLiteral("cardStart"))->text().isEmpty());
    m_host.startX = 3 * m_host.song().barWidth() + 5;
    auto later = Make();
    EXPECT_EQ(later->findChild<QLabel*>(QStringLiteral("cardStart"))->text(),
              QStringLiteral("The card starts at bar 4: notes before the playback start are left off."));
}

TEST_F(PrintDialog, PreviewShowsTheStripNumberInTheEndMarginOnly)
{
    for (const bool mirror : {false, true}) {
        SCOPED_TRACE(mirror ? "mirrored" : "plain");
        auto dialog = Make(50, PrintOptions{1, 1, 1, mirror, 0, 0, 0, 0, 0});
        const QImage off = Preview(*dialog);
        Click(*dialog, Dialog::kStripNumbers);
        const QImage on = Preview(*dialog);
        const int w = dialog->width();
        // The end margin of the schematic card: 10 pixels at the right, at the left when mirrored.
        const int left = mirror ? 0 : w - 10;
        const int right = mirror ? 10 : w;
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < Dialog::kPreviewBottom; ++y) {
            for (int x = 0; x < on.width(); ++x) {
                if (on.pixel(x, y) != off.pixel(x, y)) {
                    (x >= left && x < right && y >= 20 && y < 200 ? inside : outside) += 1;
                }
            }
        }
        EXPECT_GT(inside, 20);
        EXPECT_EQ(outside, 0);
    }
}

TEST_F(PrintDialog, SaysWhetherThePrinterIsCalibrated)
{
    struct Case {
        QString printer;
        CalibrationFactors kept;
        QString line;
    };
    const Case cases[] = {
        {QString(), {}, QStringLiteral("Output to PDF: exact scale")},
        {QStringLiteral("Office Laser"), {}, QStringLiteral("Printer Office Laser is not calibrated (File > Print Calibration Strip)")},
        {QStringLiteral("Office Laser"), {100.0 / 98.5, 60.0 / 59.52},
         QStringLiteral("Printer Office Laser is calibrated (along ×1.0152, across ×1.0081)")},
    };
    for (const Case& c : cases) {
        QSettings().clear();
        if (c.kept.calibrated()) {
            ASSERT_TRUE(settings::SaveCalibration(c.printer, c.kept));
        }
        Dialog dialog(m_host.song(), 0);
        dialog.printerName = c.printer;
        dialog.Open();
        EXPECT_EQ(Label(dialog, Dialog::kCalibrationLine), c.line);
        EXPECT_EQ(dialog.control(Dialog::kCalibrationLine)->toolTip(), c.line);
    }
    // A name too long for the line is shortened, but the tip keeps it whole.
    Dialog dialog(m_host.song(), 0);
    dialog.printerName = QString(200, QLatin1Char('P'));
    dialog.Open();
    EXPECT_LE(dialog.control(Dialog::kCalibrationLine)->sizeHint().width(), dialog.control(Dialog::kCalibrationLine)->width());
    EXPECT_TRUE(dialog.control(Dialog::kCalibrationLine)->toolTip().contains(dialog.printerName));
    QSettings().clear();
}

TEST_F(PrintDialog, NewCaptionsFitTheirControlsInBothLanguages)
{
    for (const Language lang : {Language::English, Language::Japanese}) {
        setLanguage(lang);
        Dialog dialog(m_host.song(), 0);
        dialog.printerName = QStringLiteral("Office Laser");
        dialog.Open();
        for (int id : {int(Dialog::kStripNumbers), int(Dialog::kCalibrationLine)}) {
            QWidget* control = dialog.control(id);
            EXPECT_LE(control->sizeHint().width(), control->width()) << id << (lang == Language::Japanese ? " ja" : " en");
            EXPECT_LE(control->geometry().bottom(), dialog.height()) << id;
        }
    }
    setLanguage(Language::English);
}

// The width a control gives its text, as its style lays the control out.
int TextRoom(QWidget* control)
{
    QStyleOptionButton option;
    option.initFrom(control);
    option.rect = control->rect();
    if (qobject_cast<QCheckBox*>(control)) {
        return control->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, control).width();
    }
    if (qobject_cast<QRadioButton*>(control)) {
        return control->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, control).width();
    }
    if (qobject_cast<QPushButton*>(control)) {
        return control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control).width();
    }
    return control->contentsRect().width();
}

// The text a control shows, without the marks of its keyboard shortcut.
QString ShownText(QWidget* control)
{
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        text = button->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        text = group->title();
    }
    // "&&" shows one ampersand; a single one marks the shortcut's letter.
    const QChar kept(0x1);
    return text.replace(QStringLiteral("&&"), kept).remove(QLatin1Char('&')).replace(kept, QLatin1Char('&'));
}

TEST_F(PrintDialog, EveryCaptionShowsWholeInBothLanguages)
{
    // The count of notes that will not sound shows (at 15 mm one does), the line on the late
    // start too, and the printer's line names a printer.
    m_host.startX = 3 * m_host.song().barWidth() + 5;
    for (const Language lang : {Language::English, Language::Japanese}) {
        SCOPED_TRACE(lang == Language::Japanese ? "Japanese" : "English");
        setLanguage(lang);
        auto dialog = Make(15);
        dialog->printerName = QStringLiteral("Office Laser");
        dialog->Open();
        QApplication::processEvents();
        ASSERT_FALSE(Label(*dialog, Dialog::kSilentCount).isEmpty());
        int checked = 0;
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            const bool captioned = qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control) ||
                                   qobject_cast<QRadioButton*>(control) || qobject_cast<QPushButton*>(control) ||
                                   qobject_cast<QGroupBox*>(control);
            if (!captioned || !control->isVisible() || ShownText(control).isEmpty()) {
                continue;
            }
            ++checked;
            const QString text = ShownText(control);
            EXPECT_LE(control->fontMetrics().horizontalAdvance(text), TextRoom(control))
                << control->objectName().toStdString() << " \"" << text.toStdString() << "\"";
            // A line that is shortened to its width (the printer's) asks for no width of its own.
            if (control->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored) {
                EXPECT_GE(control->width(), control->sizeHint().width()) << control->objectName().toStdString();
            }
            EXPECT_TRUE(dialog->rect().contains(control->geometry())) << control->objectName().toStdString();
        }
        // Nine options, eight buttons, the bar length's caption, the count, the crank's figures, the
        // start and the printer.
        EXPECT_EQ(checked, 9 + 8 + 5);
    }
    setLanguage(Language::English);
}

TEST_F(PrintDialog, TheSketchShowsTheSongsHoles)
{
    // The song's notes at x 0 and 40 on row 10 from the top: line 11 of the sketch, 150 pixels a
    // bar of 50 mm from the first bar line at 30, marks 5 pixels long with their cross 3 on.
    const int y = LineY(11);
    const auto dark = [](const QImage& image, int x, int yy) { return qGray(image.pixel(x, yy)) < 100; };
    const auto holePixels = [&](const QImage& image) {
        int count = 0;
        // Inside the band and the sketch's black frame.
        for (int yy = 21; yy < 200; ++yy) {
            for (int x = 1; x + 1 < image.width(); ++x) {
                count += dark(image, x, yy) ? 1 : 0;
            }
        }
        return count;
    };
    auto dialog = Make(50, PrintOptions{1, 1, 1, 0, 0, 0, 0, 0});
    const QImage plain = Preview(*dialog);
    EXPECT_GT(holePixels(plain), 10);
    EXPECT_TRUE(dark(plain, 30 + 3, y - 1));
    EXPECT_TRUE(dark(plain, 30 + 40 * 150 / 96 + 3, y));
    // Mirrored, the card reads from the right.
    Click(*dialog, Dialog::kMirrorCard);
    const QImage mirrored = Preview(*dialog);
    const int w = dialog->width();
    EXPECT_TRUE(dark(mirrored, w - 30 - 5 + 3, LineY(33 - 11)));
    EXPECT_FALSE(dark(mirrored, 30 + 3, y));
    // A song without notes shows none.
    TestCardHost empty;
    Dialog none(empty.song(), 0);
    none.Open();
    none.show();
    EXPECT_EQ(holePixels(Preview(none)), 0);
}

TEST_F(PrintDialog, TheSketchMarksEachBoxsHolesAsWideAsTheCardDoes)
{
    // Three pixels a millimetre along the card: the 33-note card's marks are 1.8 mm (5 pixels),
    // the 20-note card's as wide as its 2.4 mm hole (7 pixels).
    struct Case {
        const char* box;
        int markPixels;
    };
    const Case cases[] = {{"33", 5}, {"20", 7}, {"15", 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        TestCardHost host;
        const MusicBox* box = FindBuiltInBox(c.box);
        ASSERT_NE(box, nullptr);
        host.song().UseBox(*box);
        host.note(0, 4);
        Dialog dialog(host.song(), 0);
        dialog.barLengthMm = 50;
        dialog.options = PrintOptions{1, 1, 1, 0, 0, 0, 0, 0};
        dialog.Open();
        dialog.show();
        const QImage image = Preview(dialog);
        // Row 4 from the top lies on line 5 of the rows + 1 lines of the 180-pixel band.
        const int y = 5 * 180 / static_cast<int>(box->notes.size()) + 20;
        int run = 0;
        for (int x = 25; x < 60; ++x) {
            run += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
        EXPECT_EQ(run, c.markPixels);
    }
}

TEST_F(PrintDialog, CaptionsComeFromTheStringTable)
{
    auto dialog = Make();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Setting print info."));
    EXPECT_EQ(static_cast<QPushButton*>(dialog->control(Dialog::kPrint))->text(), QStringLiteral("Print"));
    EXPECT_EQ(static_cast<QCheckBox*>(dialog->control(Dialog::kTwoRows))->text(), QStringLiteral("2pieces"));
    EXPECT_EQ(Label(*dialog, Dialog::kBarLengthLabel), QStringLiteral("Length of measure (mm)"));
}

} // namespace
} // namespace zembra
