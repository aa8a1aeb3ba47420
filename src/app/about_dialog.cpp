#include "app/about_dialog.h"

#include "services/app_identity.h"
#include "services/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "canvas/canvas_palette.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>

#include <algorithm>

namespace zembra {

namespace {
const QColor kTextColour(30, 80, 40);
constexpr QSize kMinimumSize(520, 220);
constexpr int kMargin = 20;
constexpr QPoint kLabelAt(20, 20);
constexpr QPoint kEditionAt(220, 120);

// Wide enough for the label and the product line in the current language, whichever is longer.
QSize sizeForTexts()
{
    const int label = QFontMetrics(FontOfHeight(16, false)).horizontalAdvance(TextOf(str::kMovementLabel));
    const int edition = QFontMetrics(FontOfHeight(20, true)).horizontalAdvance(AboutDialog::EditionText());
    const int width = std::max({kMinimumSize.width(), kLabelAt.x() + label + kMargin, kEditionAt.x() + edition + kMargin});
    return {width, kMinimumSize.height()};
}

} // namespace

AboutDialog::AboutDialog(bool splash, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_splash(splash)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("AboutDialog"));
    // What the box paints, for screen readers.
    setAccessibleName(EditionText());
    setAccessibleDescription(TextOf(str::kMovementLabel));
    const QSize size = sizeForTexts();
    setFixedSize(size);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    ok->setGeometry(size.width() - 100, size.height() - 44, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    m_timer->setInterval(kSplashMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &AboutDialog::OnSplashTimer);
    if (m_splash) {
        m_timer->start();
    }
}

QString AboutDialog::EditionText()
{
    return TextOf(str::kAboutEditionVersion).arg(ProgramVersion());
}

void AboutDialog::OnSplashTimer()
{
    m_timer->stop();
    accept();
}

void AboutDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setBackgroundMode(Qt::TransparentMode);
    QSvgRenderer artwork(QStringLiteral(":/icons/zembra.svg"));
    if (artwork.isValid()) {
        artwork.render(&painter, QRectF(40, 70, 128, 128));
    }
    painter.setPen(kTextColour);
    painter.setFont(FontOfHeight(16, false));
    painter.drawText(QRect(kLabelAt, QSize(width() - kLabelAt.x(), 40)), Qt::AlignLeft | Qt::AlignTop,
                     TextOf(str::kMovementLabel));
    painter.setFont(FontOfHeight(20, true));
    painter.drawText(QRect(kEditionAt, QSize(width() - kEditionAt.x(), 40)), Qt::AlignLeft | Qt::AlignTop,
                     EditionText());
}

} // namespace zembra
