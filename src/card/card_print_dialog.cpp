#include "card/card_print_dialog.h"

#include "card/assembly_plan.h"
#include "card/calibration_dialog.h"
#include "card/card_print_flow.h"
#include "card/print_dialog_rules.h"
#include "model/crank.h"
#include "model/too_close.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "services/crank_text.h"
#include "services/paint_device_metrics.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

namespace zembra {

CCardPrintDialog::CCardPrintDialog(const SongState& song, int startX, QWidget* parent)
    : QDialog(parent)
    , textColour(QColor::fromRgb(CardPrintFlow::kStandardTextColour))
    , m_song(song)
    , m_startX(startX)
{
    setObjectName(QStringLiteral("CCardPrintDialog"));
    setWindowTitle(TextOf(str::kPrintDialogTitle));
    m_sketch = new CardSketch(song, startX, [this] { return Look(); }, this);
    QPushButton* print = addButton(kPrint, str::kPrintPrint);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, &CCardPrintDialog::accept);
    QPushButton* cancel = addButton(kCancel, str::kPrintCancel);
    connect(cancel, &QPushButton::clicked, this, &CCardPrintDialog::reject);
    connect(addButton(kImportImage, str::kPrintLoadImage), &QPushButton::clicked, this,
            &CCardPrintDialog::OnImportImage);
    connect(addButton(kReleaseImage, str::kPrintReleaseImage), &QPushButton::clicked, this,
            &CCardPrintDialog::OnReleaseImage);
    addCheck(kFitSong, str::kPrintFitSong, &PrintOptions::fitSongToCard);
    addCheck(kRuledLines, str::kPrintRuledLines, &PrintOptions::ruledLines);
    addCheck(kRepeatImage, str::kPrintRepeatImage, &PrintOptions::repeatImage);
    addCheck(kMirrorCard, str::kPrintMirrorCard, &PrintOptions::mirrorCard);
    addCheck(kSwapHighLow, str::kPrintSwapHighLow, &PrintOptions::swapHighLow);
    addCheck(kThickLines, str::kPrintThickLines, &PrintOptions::thickLines);
    addCheck(kBlackLines, str::kPrintBlackLines, &PrintOptions::blackLines);
    addCheck(kTwoRows, str::kPrintTwoRows, &PrintOptions::twoRows);
    addCheck(kStripNumbers, str::kPrintStripNumbers, &PrintOptions::stripNumbers);
    // The marks' choices name themselves, so that they need no captions of their own.
    m_stripTitles = new QComboBox(this);
    m_stripTitles->setObjectName(QStringLiteral("ctl%1").arg(kStripTitles));
    m_stripTitles->addItem(TextOf(str::kPrintTitleFirstStrip), false);
    m_stripTitles->addItem(TextOf(str::kPrintStripTitles), true);
    connect(m_stripTitles, &QComboBox::currentIndexChanged, this, [this](int index) {
        assembly.stripTitles = m_stripTitles->itemData(index).toBool();
        m_sketch->update();
    });
    m_barNumbers = new QComboBox(this);
    m_barNumbers->setObjectName(QStringLiteral("ctl%1").arg(kBarNumbers));
    m_barNumbers->addItem(TextOf(str::kPrintBarNumbersNone), 0);
    m_barNumbers->addItem(TextOf(str::kPrintBarNumbersEvery), 1);
    m_barNumbers->addItem(TextOf(str::kPrintBarNumbersFourth), kBarNumbersEveryFourth);
    connect(m_barNumbers, &QComboBox::currentIndexChanged, this, [this](int index) {
        assembly.barNumbers = m_barNumbers->itemData(index).toInt();
        m_sketch->update();
    });
    m_blankLength = new QSpinBox(this);
    m_blankLength->setObjectName(QStringLiteral("ctl%1").arg(kBlankLength));
    m_blankLength->setRange(0, static_cast<int>(kLongestBlankMm));
    m_blankLength->setSingleStep(10);
    m_blankLength->setSpecialValueText(TextOf(str::kPrintBlankRoll));
    m_blankLength->setPrefix(TextOf(str::kPrintBlankLength));
    m_blankLength->setSuffix(QStringLiteral(" mm"));
    connect(m_blankLength, &QSpinBox::valueChanged, this, [this](int mm) {
        assembly.blankMm = mm;
        ShowBlanks();
    });
    // The join: butted, or overlapped by a glue zone of one of four lengths.
    m_join = new QComboBox(this);
    m_join->setObjectName(QStringLiteral("ctl%1").arg(kJoin));
    m_join->addItem(TextOf(str::kPrintJoinButt), 0.0);
    for (const double mm : {kMinOverlapMm, kDefaultOverlapMm, 15.0, kMaxOverlapMm}) {
        m_join->addItem(TextOf(str::kPrintJoinOverlap).arg(mm), mm);
    }
    connect(m_join, &QComboBox::currentIndexChanged, this, [this](int index) {
        const double mm = m_join->itemData(index).toDouble();
        assembly.join = mm > 0 ? JoinKind::Overlap : JoinKind::Butt;
        if (mm > 0) {
            assembly.overlapMm = mm;
        }
        ShowBlanks();
    });
    m_splitAtRests = new QComboBox(this);
    m_splitAtRests->setObjectName(QStringLiteral("ctl%1").arg(kSplitAtRests));
    m_splitAtRests->addItem(TextOf(str::kPrintSplitAtBars), false);
    m_splitAtRests->addItem(TextOf(str::kPrintSplitAtRests), true);
    connect(m_splitAtRests, &QComboBox::currentIndexChanged, this,
            [this](int index) { assembly.splitAtRests = m_splitAtRests->itemData(index).toBool(); });
    m_loop = new QComboBox(this);
    m_loop->setObjectName(QStringLiteral("ctl%1").arg(kLoop));
    m_loop->addItem(TextOf(str::kPrintNoLoop), false);
    m_loop->addItem(TextOf(str::kPrintLoop), true);
    connect(m_loop, &QComboBox::currentIndexChanged, this,
            [this](int index) { assembly.loop = m_loop->itemData(index).toBool(); });
    m_blankPlan = new QLabel(this);
    m_blankPlan->setObjectName(QStringLiteral("ctl%1").arg(kBlankPlan));
    m_blankPlan->setWordWrap(true);
    m_blankPlan->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    connect(addButton(kPaperSetting, str::kPrintPaperSetting), &QPushButton::clicked, this, [this] {
        if (paperSetting) {
            paperSetting();
        }
    });
    connect(addButton(kPreview, str::kPrintPreview), &QPushButton::clicked, this, &CCardPrintDialog::OnPreviewButton);
    connect(addButton(kTextColour, str::kPrintTextColour), &QPushButton::clicked, this,
            &CCardPrintDialog::OnTextColour);
    connect(addButton(kStandardColour, str::kPrintDefaultColour), &QPushButton::clicked, this,
            &CCardPrintDialog::OnStandardColour);

    m_barLength = new QComboBox(this);
    m_barLength->setObjectName(QStringLiteral("ctl%1").arg(kBarLength));
    for (std::string_view item : kBarLengthItems) {
        m_barLength->addItem(Utf8(item));
    }
    connect(m_barLength, &QComboBox::activated, this, &CCardPrintDialog::OnBarLength);

    auto* label = new QLabel(TextOf(str::kPrintBarLengthLabel), this);
    label->setObjectName(QStringLiteral("ctl%1").arg(kBarLengthLabel));
    label->setBuddy(m_barLength);
    m_silentCount = new QLabel(this);
    m_silentCount->setObjectName(QStringLiteral("ctl%1").arg(kSilentCount));
    m_crank = new QLabel(this);
    m_crank->setObjectName(QStringLiteral("crankFigures"));
    m_startNote = new QLabel(this);
    m_startNote->setObjectName(QStringLiteral("cardStart"));
    m_calibration = new QLabel(this);
    m_calibration->setObjectName(QStringLiteral("ctl%1").arg(kCalibrationLine));
    // A long printer name must not widen the dialog: the line is shortened to the width it gets.
    m_calibration->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_calibration->setMinimumWidth(1);
    LayOut(print, cancel);
}

void CCardPrintDialog::LayOut(QPushButton* print, QPushButton* cancel)
{
    // The controls in the classic order: the picture's buttons, the options, the bar length with
    // the count of notes that will not sound; the strip numbers and the printer's calibration;
    // then the colour, paper, preview and the closing buttons.
    auto* picture = new QVBoxLayout;
    picture->addWidget(control(kImportImage));
    picture->addWidget(control(kReleaseImage));
    picture->addStretch();

    auto* checks = new QGridLayout;
    const int grid[3][3] = {{kFitSong, kRepeatImage, 0}, {kRuledLines, kMirrorCard, kTwoRows},
                            {kSwapHighLow, kThickLines, kBlackLines}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (grid[row][column] != 0) {
                checks->addWidget(control(grid[row][column]), row, column);
            }
        }
    }
    checks->setRowStretch(3, 1);

    auto* length = new QVBoxLayout;
    length->addWidget(control(kBarLengthLabel));
    length->addWidget(m_barLength, 0, Qt::AlignLeft);
    length->addWidget(m_silentCount);
    length->addStretch();

    auto* choices = new QHBoxLayout;
    choices->addLayout(picture);
    choices->addLayout(checks, 1);
    choices->addLayout(length);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(control(kTextColour));
    buttons->addWidget(control(kStandardColour));
    buttons->addStretch(1);
    buttons->addWidget(control(kPaperSetting));
    buttons->addWidget(control(kPreview));
    buttons->addWidget(print);
    buttons->addWidget(cancel);

    auto* controls = new QVBoxLayout;
    controls->addWidget(m_startNote);
    controls->addLayout(choices);
    controls->addWidget(m_crank);
    auto* marks = new QHBoxLayout;
    marks->addWidget(control(kStripNumbers));
    marks->addWidget(m_stripTitles);
    marks->addWidget(m_barNumbers);
    marks->addStretch(1);
    controls->addLayout(marks);
    auto* joins = new QHBoxLayout;
    joins->addWidget(m_join);
    joins->addWidget(m_splitAtRests);
    joins->addWidget(m_loop);
    joins->addStretch(1);
    controls->addLayout(joins);
    auto* blanks = new QHBoxLayout;
    blanks->addWidget(m_blankLength);
    blanks->addWidget(m_blankPlan, 1);
    controls->addLayout(blanks);
    controls->addWidget(m_calibration);
    controls->addLayout(buttons);

    // The sketch runs from edge to edge at the top; the controls keep the style's margins.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_sketch);
    outer->addLayout(controls);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    controls->setContentsMargins(margin, margin, margin, margin);
    outer->setSizeConstraint(QLayout::SetMinimumSize);
    adjustSize();
}

SketchLook CCardPrintDialog::Look() const
{
    SketchLook look;
    look.options = options;
    look.assembly = assembly;
    look.barLengthMm = barLengthMm;
    look.textColour = textColour;
    look.background = m_previewImage.isNull() ? nullptr : &m_previewImage;
    look.printerName = printerName;
    return look;
}

QPushButton* CCardPrintDialog::addButton(int id, int textId)
{
    auto* button = new QPushButton(TextOf(textId), this);
    button->setObjectName(QStringLiteral("ctl%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* CCardPrintDialog::addCheck(int id, int textId, std::int32_t PrintOptions::*flag)
{
    auto* box = new QCheckBox(TextOf(textId), this);
    box->setObjectName(QStringLiteral("ctl%1").arg(id));
    connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
        options.*flag = on ? 1 : 0;
        ShowCrank();
        m_sketch->update();
    });
    m_checks[m_checkCount++] = {box, flag};
    return box;
}

QWidget* CCardPrintDialog::control(int id) const
{
    return findChild<QWidget*>(QStringLiteral("ctl%1").arg(id));
}

void CCardPrintDialog::Open()
{
    for (std::size_t i = 0; i < m_checkCount; ++i) {
        const QSignalBlocker block(m_checks[i].first);
        m_checks[i].first->setChecked(options.*(m_checks[i].second) != 0);
    }
    {
        const QSignalBlocker block(m_barLength);
        m_barLength->setCurrentIndex(SelectBarLengthItem(barLengthMm));
    }
    {
        const QSignalBlocker block(m_barNumbers);
        m_barNumbers->setCurrentIndex(std::max(0, m_barNumbers->findData(assembly.barNumbers)));
    }
    {
        const QSignalBlocker block(m_stripTitles);
        m_stripTitles->setCurrentIndex(assembly.stripTitles ? 1 : 0);
    }
    {
        const QSignalBlocker block(m_blankLength);
        m_blankLength->setValue(static_cast<int>(std::lround(assembly.blankMm)));
    }
    {
        const QSignalBlocker block(m_join);
        int overlap = m_join->findData(assembly.overlapMm);
        if (assembly.join == JoinKind::Overlap && overlap <= 0) {
            // A glue zone the command line or an earlier version chose stays a choice.
            m_join->addItem(TextOf(str::kPrintJoinOverlap).arg(assembly.overlapMm), assembly.overlapMm);
            overlap = m_join->count() - 1;
        }
        m_join->setCurrentIndex(assembly.join == JoinKind::Overlap ? overlap : 0);
    }
    {
        const QSignalBlocker block(m_splitAtRests);
        m_splitAtRests->setCurrentIndex(assembly.splitAtRests ? 1 : 0);
    }
    {
        const QSignalBlocker block(m_loop);
        m_loop->setCurrentIndex(assembly.loop ? 1 : 0);
    }
    ShowBlanks();
    m_previewImage = QImage();
    if (!imagePath.isEmpty() && !LoadPreviewImage(imagePath)) {
        imagePath.clear();
    }
    openingTextColour = textColour;
    ShowSilentCount(barLengthMm);
    ShowCrank();
    const int startBar = CardStartBar(m_startX, m_song.barWidth());
    m_startNote->setText(startBar > 1 ? TextOf(str::kCardStartsLater).arg(startBar) : QString());
    m_startNote->setVisible(startBar > 1);
    // The texts have changed: the dialog takes the size they need before the line is shortened.
    layout()->activate();
    adjustSize();
    ShowCalibration();
    m_sketch->update();
}

void CCardPrintDialog::ShowCalibration()
{
    // A long printer name is shortened in its middle; the whole line stays in the tip.
    m_calibrationLine = CalibrationStatusText(printerName, settings::LoadCalibration(printerName));
    m_calibration->setToolTip(m_calibrationLine);
    ElideCalibration();
}

void CCardPrintDialog::ShowBlanks()
{
    if (assembly.blankMm <= 0) {
        m_blankPlan->clear();
        return;
    }
    const BlankPlan plan = PlanBlanksOfSong(m_song, m_startX, barLengthMm, CalibratedMetrics(CheckMetrics(), printerName),
                                            assembly);
    if (!plan.ok) {
        m_blankPlan->setText(TextOf(str::kPrintBlanksStuck).arg(plan.stuckAt.bar).arg(plan.stuckAt.beat));
        return;
    }
    // A dozen ends say where to cut; a card of very short blanks lists no more than that.
    constexpr qsizetype kShownEnds = 12;
    QStringList ends;
    for (const BlankPiece& piece : plan.blanks) {
        if (ends.size() == kShownEnds) {
            ends << QStringLiteral("...");
            break;
        }
        ends << TextOf(str::kPrintBlankEnd).arg(piece.end.bar).arg(piece.end.beat);
    }
    m_blankPlan->setText(TextOf(str::kPrintBlanksNeeded).arg(plan.blanks.size()).arg(ends.join(QStringLiteral(", "))));
}

void CCardPrintDialog::ElideCalibration()
{
    m_calibration->setText(
        m_calibration->fontMetrics().elidedText(m_calibrationLine, Qt::ElideMiddle, m_calibration->contentsRect().width()));
}

void CCardPrintDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The layout has placed the line by now.
    ElideCalibration();
}

void CCardPrintDialog::ShowSilentCount(int len)
{
    const int count = len <= 0 ? 0 : CountCloseHoles(m_song, CheckMetrics(), len);
    m_silentCount->setText(Utf8(SilentCountText(len, count, text(str::kNotSoundableCount))));
}

void CCardPrintDialog::OnBarLength(int index)
{
    barLengthMm = BarLengthOfItem(index);
    ShowSilentCount(barLengthMm);
    ShowCrank();
    ShowBlanks();
    m_sketch->update();
}

void CCardPrintDialog::ShowCrank()
{
    const double barMm = PrintedBarMm(m_song, CheckMetrics(), barLengthMm, options.fitSongToCard != 0);
    const CrankFigures figures = ComputeCrank(m_song, barMm);
    m_crank->setText(TextOf(str::kCrankDialogLine).arg(CrankText(figures)));
    m_crank->setProperty("tooFast", figures.tooFast);
}

bool CCardPrintDialog::LoadPreviewImage(const QString& path)
{
    // The dialog's own copy: a picture that does not load only drops the path, without a message.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    m_previewImage = reader.read();
    if (m_previewImage.width() <= 0 || m_previewImage.height() <= 0) {
        m_previewImage = QImage();
        return false;
    }
    return true;
}

void CCardPrintDialog::OnImportImage()
{
    const QString path = prompts().openFileName(
        this, {QString(), settings::RestoreFolder(settings::kImageFolder), QString(),
               TextOf(str::kImageFileFilter) + QStringLiteral(" (") +
                   Utf8(kTextImageFilePatterns).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')'),
               QString()});
    if (path.isEmpty()) {
        return;
    }
    m_previewImage = QImage();
    if (LoadPreviewImage(path)) {
        imagePath = path;
        settings::RememberFolder(settings::kImageFolder, path);
    } else {
        imagePath.clear();
    }
    m_sketch->update();
}

void CCardPrintDialog::OnReleaseImage()
{
    m_previewImage = QImage();
    imagePath.clear();
    m_sketch->update();
}

void CCardPrintDialog::OnTextColour()
{
    const QColor chosen = prompts().chooseColour(this, textColour);
    if (!chosen.isValid()) {
        return;
    }
    textColour = chosen;
    if (textColourChanged) {
        textColourChanged(textColour);
    }
    m_sketch->update();
}

void CCardPrintDialog::OnStandardColour()
{
    textColour = QColor::fromRgb(CardPrintFlow::kStandardTextColour);
    if (textColourChanged) {
        textColourChanged(textColour);
    }
    m_sketch->update();
}

void CCardPrintDialog::TakeChecks()
{
    for (std::size_t i = 0; i < m_checkCount; ++i) {
        options.*(m_checks[i].second) = m_checks[i].first->isChecked() ? 1 : 0;
    }
    assembly.barNumbers = m_barNumbers->currentData().toInt();
    assembly.stripTitles = m_stripTitles->currentData().toBool();
}

void CCardPrintDialog::accept()
{
    previewRequested = false;
    m_previewImage = QImage();
    TakeChecks();
    QDialog::accept();
}

void CCardPrintDialog::OnPreviewButton()
{
    previewRequested = true;
    m_previewImage = QImage();
    TakeChecks();
    QDialog::accept();
}

void CCardPrintDialog::reject()
{
    m_previewImage = QImage();
    textColour = openingTextColour;
    QDialog::reject();
}

} // namespace zembra
