#include "app/about_dialog.h"

#include "ui/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "canvas/canvas_palette.h"

#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>

namespace zembra {

namespace {
const QColor kTextColour(30, 80, 40);
constexpr QSize kDialogSize(520, 220);

} // namespace

AboutDialog::AboutDialog(bool splash, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_splash(splash)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setFixedSize(kDialogSize);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(kDialogSize.width() - 100, kDialogSize.height() - 44, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    if (m_splash) {
        QTimer::singleShot(kSplashMilliseconds, this, &QDialog::accept);
    }
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
    painter.drawText(QRect(20, 20, width() - 40, 40), Qt::AlignLeft | Qt::AlignTop, TextOf(str::kMovementLabel));
    painter.setFont(FontOfHeight(20, true));
    painter.drawText(QRect(220, 120, width() - 230, 40), Qt::AlignLeft | Qt::AlignTop, TextOf(str::kAboutEdition));
}

} // namespace zembra
