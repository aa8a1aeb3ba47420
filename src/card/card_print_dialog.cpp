#include "card/card_print_dialog.h"

#include "card/calibration_dialog.h"
#include "card/card_painter.h"
#include "card/strip_numbers.h"
#include "card/card_print_flow.h"
#include "card/print_dialog_rules.h"
#include "model/too_close.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "services/paint_device_metrics.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>

namespace zembra {

namespace {

// Dialog units of the classic template to pixels.
constexpr double kUnit = 1.5;
constexpr int kDialogWidth = 333;
// The classic 227 units, a row for the strip numbers and one for the printer's calibration.
constexpr int kDialogHeight = 252;

// The schematic card.
constexpr int kPreviewTop = 20;
constexpr int kPreviewBand = 180;
constexpr int kPreviewBandBottom = kPreviewTop + kPreviewBand;
constexpr int kMarginLead = 30;
constexpr int kMarginTail = 10;
constexpr int kPixelsPerMm = 3; // along the card
constexpr int kDefaultBarPixels = 60;
constexpr int kTitleFontPixels = 12;
constexpr int kAuthorFontPixels = 9;
constexpr int kNumberFontPixels = 8;

const QColor kRowColour(210, 210, 210);
const QColor kCColour(200, 200, 200);
const QColor kArrowColour(220, 220, 220);

QRect unitRect(int x, int y, int w, int h)
{
    return QRect(qRound(x * kUnit), qRound(y * kUnit), qRound(w * kUnit), qRound(h * kUnit));
}

} // namespace

CCardPrintDialog::CCardPrintDialog(const SongState& song, int startX, QWidget* parent)
    : QDialog(parent)
    , textColour(QColor::fromRgb(CardPrintFlow::kStandardTextColour))
    , m_song(song)
    , m_startX(startX)
{
    setObjectName(QStringLiteral("CCardPrintDialog"));
    setFixedSize(qRound(kDialogWidth * kUnit), qRound(kDialogHeight * kUnit));
    setWindowTitle(TextOf(str::kPrintDialogTitle));
    QPushButton* print = addButton(kPrint, str::kPrintPrint, 238, 207, 41, 13);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, &CCardPrintDialog::accept);
    connect(addButton(kCancel, str::kPrintCancel, 284, 207, 41, 13), &QPushButton::clicked, this,
            &CCardPrintDialog::reject);
    connect(addButton(kImportImage, str::kPrintLoadImage, 7, 166, 53, 35), &QPushButton::clicked, this,
            &CCardPrintDialog::OnImportImage);
    connect(addButton(kReleaseImage, str::kPrintReleaseImage, 8, 206, 53, 14), &QPushButton::clicked, this,
            &CCardPrintDialog::OnReleaseImage);
    addCheck(kFitSong, str::kPrintFitSong, 66, 159, 83, 11, &PrintOptions::fitSongToCard);
    addCheck(kRuledLines, str::kPrintRuledLines, 66, 175, 83, 11, &PrintOptions::ruledLines);
    addCheck(kRepeatImage, str::kPrintRepeatImage, 150, 159, 103, 11, &PrintOptions::repeatImage);
    addCheck(kMirrorCard, str::kPrintMirrorCard, 150, 175, 78, 11, &PrintOptions::mirrorCard);
    addCheck(kSwapHighLow, str::kPrintSwapHighLow, 66, 192, 84, 11, &PrintOptions::swapHighLow);
    addCheck(kThickLines, str::kPrintThickLines, 150, 192, 45, 11, &PrintOptions::thickLines);
    addCheck(kBlackLines, str::kPrintBlackLines, 198, 191, 48, 11, &PrintOptions::blackLines);
    addCheck(kTwoRows, str::kPrintTwoRows, 237, 175, 29, 11, &PrintOptions::twoRows);
    addCheck(kStripNumbers, str::kPrintStripNumbers, 7, 226, 120, 11, &PrintOptions::stripNumbers);
    connect(addButton(kPaperSetting, str::kPrintPaperSetting, 146, 207, 41, 13), &QPushButton::clicked, this, [this] {
        if (paperSetting) {
            paperSetting();
        }
    });
    connect(addButton(kPreview, str::kPrintPreview, 192, 207, 41, 13), &QPushButton::clicked, this,
            &CCardPrintDialog::OnPreviewButton);
    connect(addButton(kTextColour, str::kPrintTextColour, 66, 207, 41, 13), &QPushButton::clicked, this,
            &CCardPrintDialog::OnTextColour);
    connect(addButton(kStandardColour, str::kPrintDefaultColour, 107, 207, 29, 13), &QPushButton::clicked, this,
            &CCardPrintDialog::OnStandardColour);

    m_barLength = new QComboBox(this);
    m_barLength->setObjectName(QStringLiteral("ctl%1").arg(kBarLength));
    for (std::string_view item : kBarLengthItems) {
        m_barLength->addItem(Utf8(item));
    }
    m_barLength->setGeometry(unitRect(271, 173, 38, 14));
    connect(m_barLength, &QComboBox::activated, this, &CCardPrintDialog::OnBarLength);

    auto* label = new QLabel(TextOf(str::kPrintBarLengthLabel), this);
    label->setObjectName(QStringLiteral("ctl%1").arg(kBarLengthLabel));
    label->setGeometry(unitRect(266, 159, 56, 12));
    m_silentCount = new QLabel(this);
    m_silentCount->setObjectName(QStringLiteral("ctl%1").arg(kSilentCount));
    m_silentCount->setGeometry(unitRect(250, 190, 73, 13));
    m_startNote = new QLabel(this);
    m_startNote->setObjectName(QStringLiteral("cardStart"));
    m_startNote->setGeometry(unitRect(66, 147, 260, 11));
    m_calibration = new QLabel(this);
    m_calibration->setObjectName(QStringLiteral("ctl%1").arg(kCalibrationLine));
    m_calibration->setGeometry(unitRect(7, 239, 318, 11));
}

QPushButton* CCardPrintDialog::addButton(int id, int textId, int x, int y, int w, int h)
{
    auto* button = new QPushButton(TextOf(textId), this);
    button->setObjectName(QStringLiteral("ctl%1").arg(id));
    button->setGeometry(unitRect(x, y, w, h));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* CCardPrintDialog::addCheck(int id, int textId, int x, int y, int w, int h, std::int32_t PrintOptions::*flag)
{
    auto* box = new QCheckBox(TextOf(textId), this);
    box->setObjectName(QStringLiteral("ctl%1").arg(id));
    box->setGeometry(unitRect(x, y, w, h));
    connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
        options.*flag = on ? 1 : 0;
        update();
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
    m_previewImage = QImage();
    if (!imagePath.isEmpty() && !LoadPreviewImage(imagePath)) {
        imagePath.clear();
    }
    m_previewRect = rect();
    openingTextColour = textColour;
    ShowSilentCount(barLengthMm);
    const int startBar = CardStartBar(m_startX, m_song.barWidth());
    m_startNote->setText(startBar > 1 ? TextOf(str::kCardStartsLater).arg(startBar) : QString());
    ShowCalibration();
    update();
}

void CCardPrintDialog::ShowCalibration()
{
    // A long printer name is shortened in its middle; the whole line stays in the tip.
    const QString line = CalibrationStatusText(printerName, settings::LoadCalibration(printerName));
    m_calibration->setToolTip(line);
    m_calibration->setText(m_calibration->fontMetrics().elidedText(line, Qt::ElideMiddle, m_calibration->width()));
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
    update();
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
    update();
}

void CCardPrintDialog::OnReleaseImage()
{
    m_previewImage = QImage();
    imagePath.clear();
    update();
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
    update();
}

void CCardPrintDialog::OnStandardColour()
{
    textColour = QColor::fromRgb(CardPrintFlow::kStandardTextColour);
    if (textColourChanged) {
        textColourChanged(textColour);
    }
    update();
}

void CCardPrintDialog::TakeChecks()
{
    for (std::size_t i = 0; i < m_checkCount; ++i) {
        options.*(m_checks[i].second) = m_checks[i].first->isChecked() ? 1 : 0;
    }
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

void CCardPrintDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintPreview(painter);
}

void CCardPrintDialog::PaintPreview(QPainter& painter)
{
    QRect area = m_previewRect.isNull() ? rect() : m_previewRect;
    area.setTop(0);
    area.setBottom(kPreviewBottom);
    const int w = area.width();
    const bool mirror = options.mirrorCard != 0;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::NoBrush);

    if (!m_previewImage.isNull()) {
        const int tileW = kPreviewBand * m_previewImage.width() / m_previewImage.height();
        if (tileW > 0) {
            if (!mirror) {
                for (int x = 0; x < w; x += tileW) {
                    painter.drawImage(QRect(x, kPreviewTop, tileW, kPreviewBand), m_previewImage);
                    if (!options.repeatImage) {
                        break;
                    }
                }
            } else {
                for (int x = w - tileW; x > -tileW; x -= tileW) {
                    painter.drawImage(QRect(x, kPreviewTop, tileW, kPreviewBand), m_previewImage);
                    if (!options.repeatImage) {
                        break;
                    }
                }
            }
        }
    }

    if (options.ruledLines) {
        const int left = mirror ? kMarginTail : kMarginLead;
        const int right = mirror ? kMarginLead : kMarginTail;
        const QColor rowColour = options.blackLines ? QColor(Qt::black) : kRowColour;
        const QColor cColour = options.blackLines ? QColor(Qt::black) : kCColour;
        const QPen rowPen(rowColour, options.thickLines ? 2 : 1, Qt::SolidLine, Qt::FlatCap);
        const QPen cPen(cColour, 2, Qt::SolidLine, Qt::FlatCap);
        const int rows = m_song.rowCount;
        const bool flipped = (options.mirrorCard != 0) != (options.swapHighLow != 0);
        for (int q = 0; q <= rows; ++q) {
            // Line q stands for the row counted from the top, or from the bottom when the card is
            // turned one way only; one end line names no row.
            const int row = flipped ? q : rows - q;
            const bool isC = row >= 0 && row < rows && row < kRowCount && m_song.rows[static_cast<std::size_t>(row)].isC;
            const int y = q * kPreviewBand / std::max(1, rows) + kPreviewTop;
            painter.setPen(isC ? cPen : rowPen);
            painter.drawLine(left, y, w - right, y);
        }
        const int step = barLengthMm == 0 ? kDefaultBarPixels : barLengthMm * kPreviewBand / kDefaultBarPixels;
        painter.setPen(rowPen);
        if (step > 0) {
            if (!mirror) {
                for (int x = left; x <= w - right; x += step) {
                    painter.drawLine(x, kPreviewTop, x, kPreviewBandBottom);
                }
            } else {
                for (int x = w - right; x >= left; x -= step) {
                    painter.drawLine(x, kPreviewTop, x, kPreviewBandBottom);
                }
            }
        }
    }

    QPolygon arrow;
    if (!mirror) {
        arrow << QPoint(30, 205) << QPoint(120, 205) << QPoint(120, 215) << QPoint(30, 215) << QPoint(10, 210);
    } else {
        arrow << QPoint(w - 30, 205) << QPoint(w - 120, 205) << QPoint(w - 120, 215) << QPoint(w - 30, 215)
              << QPoint(w - 10, 210);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrowColour);
    painter.drawPolygon(arrow);
    painter.setBrush(Qt::NoBrush);

    if (options.stripNumbers) {
        PaintStripNumber(painter, w);
    }

    painter.setPen(options.blackLines ? QColor(Qt::black) : textColour);
    const QString title = TextOf(str::kMovementLabel) + QLatin1Char(' ') + QString::fromStdString(m_song.title);
    const QString author = QString::fromStdString(m_song.author);
    const bool noAuthor = author == TextOf(str::kNoAuthor);
    painter.setFont(CardFont(kTitleFontPixels));
    if (!mirror) {
        painter.drawText(QRect(QPoint(20, 3), QPoint(200, 20)), Qt::AlignLeft | Qt::AlignVCenter, title);
    } else {
        painter.drawText(QRect(QPoint(w - 200, 3), QPoint(w - 20, 20)), Qt::AlignRight | Qt::AlignVCenter, title);
    }
    if (!noAuthor) {
        painter.setFont(CardFont(kAuthorFontPixels));
        if (!mirror) {
            painter.drawText(QRect(QPoint(130, 203), QPoint(310, 220)), Qt::AlignLeft | Qt::AlignVCenter, author);
        } else {
            painter.drawText(QRect(QPoint(w - 510, 203), QPoint(w - 150, 220)), Qt::AlignRight | Qt::AlignVCenter,
                             author);
        }
    }
}

void CCardPrintDialog::PaintStripNumber(QPainter& painter, int width)
{
    // The first strip's number in the end margin of the schematic card, reading across it, as the
    // card has it after its last bar; the count comes from the card laid out with these options.
    const int count = StripCountWith(m_song, options, barLengthMm, CalibratedMetrics(CheckMetrics(), printerName));
    const QString label = QString::fromStdString(StripNumberText(1, count, m_song.title));
    const bool mirror = options.mirrorCard != 0;
    const QRect band = mirror ? QRect(1, kPreviewTop, kMarginTail - 1, kPreviewBand)
                              : QRect(width - kMarginTail, kPreviewTop, kMarginTail - 1, kPreviewBand);
    painter.save();
    painter.setClipRect(band);
    painter.setPen(options.blackLines ? QColor(Qt::black) : textColour);
    painter.setFont(CardFont(kNumberFontPixels));
    painter.translate(band.left(), band.bottom() + 1);
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, band.height(), band.width()), Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.restore();
}

} // namespace zembra
