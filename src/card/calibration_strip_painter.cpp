#include "card/calibration_strip_painter.h"

#include "model/calibration.h"
#include "card/card_painter.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QPainter>
#include <QRect>

#include <algorithm>

namespace zembra {

CalibrationStripPainter::CalibrationStripPainter(const PrintMetrics& metrics, QString printerName)
    : m_metrics(metrics)
    , m_printerName(std::move(printerName))
{
}

QRect CalibrationStripPainter::DeviceBox(const MmBox& box) const
{
    return QRect(QPoint(m_metrics.MmToDeviceX(box.left), m_metrics.MmToDeviceY(box.top)),
                 QPoint(m_metrics.MmToDeviceX(box.right) - 1, m_metrics.MmToDeviceY(box.bottom) - 1));
}

void CalibrationStripPainter::Paint(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    DrawRulers(painter);
    DrawTexts(painter);
    painter.restore();
}

void CalibrationStripPainter::DrawRulers(QPainter& painter) const
{
    using S = CalibrationStrip;
    const PrintMetrics& m = m_metrics;
    // Ticks across the page are as thick as the device makes 0.15 mm along it, and the other way.
    const QPen alongPen(Qt::black, std::max(1, m.MmToDeviceX(S::kLineMm)), Qt::SolidLine, Qt::FlatCap);
    const QPen acrossPen(Qt::black, std::max(1, m.MmToDeviceY(S::kLineMm)), Qt::SolidLine, Qt::FlatCap);

    const QRect outline = DeviceBox(S::Outline());
    painter.setPen(acrossPen);
    painter.drawLine(outline.left(), outline.top(), outline.right(), outline.top());
    painter.drawLine(outline.left(), outline.bottom(), outline.right(), outline.bottom());
    painter.setPen(alongPen);
    painter.drawLine(outline.left(), outline.top(), outline.left(), outline.bottom());
    painter.drawLine(outline.right(), outline.top(), outline.right(), outline.bottom());

    painter.setFont(CardFont(m.MmToDeviceY(S::kLabelFontMm)));
    const int along = static_cast<int>(calibration::kAlongRulerMm);
    const int base = m.MmToDeviceY(S::kAlongBaseY);
    painter.setPen(acrossPen);
    painter.drawLine(m.MmToDeviceX(S::kAlongZeroX), base, m.MmToDeviceX(S::kAlongZeroX + along), base);
    for (const RulerTick& tick : S::Ticks(along)) {
        const int x = m.MmToDeviceX(S::kAlongZeroX + tick.mm);
        painter.setPen(alongPen);
        painter.drawLine(x, base, x, m.MmToDeviceY(S::kAlongBaseY + tick.lengthMm));
        if (tick.label >= 0) {
            painter.drawText(DeviceBox(S::AlongLabel(tick)), Qt::AlignCenter, QString::number(tick.label));
        }
    }

    const int across = static_cast<int>(calibration::kAcrossRulerMm);
    const int left = m.MmToDeviceX(S::kAcrossBaseX);
    painter.setPen(alongPen);
    painter.drawLine(left, m.MmToDeviceY(S::kAcrossZeroY), left, m.MmToDeviceY(S::kAcrossZeroY + across));
    for (const RulerTick& tick : S::Ticks(across)) {
        const int y = m.MmToDeviceY(S::kAcrossZeroY + tick.mm);
        painter.setPen(acrossPen);
        painter.drawLine(left, y, m.MmToDeviceX(S::kAcrossBaseX + tick.lengthMm), y);
        if (tick.label >= 0) {
            painter.drawText(DeviceBox(S::AcrossLabel(tick)), Qt::AlignLeft | Qt::AlignVCenter,
                             QString::number(tick.label));
        }
    }
}

void CalibrationStripPainter::DrawTexts(QPainter& painter) const
{
    using S = CalibrationStrip;
    painter.setPen(Qt::black);
    painter.setFont(CardFont(m_metrics.MmToDeviceY(S::kHeadingFontMm)));
    painter.drawText(DeviceBox(S::HeadingBox()), Qt::AlignLeft | Qt::AlignVCenter, TextOf(str::kCalibrationStripHeading));
    painter.setFont(CardFont(m_metrics.MmToDeviceY(S::kTextFontMm)));
    painter.drawText(DeviceBox(S::PrinterBox()), Qt::AlignLeft | Qt::AlignVCenter,
                     TextOf(str::kCalibrationPrinter) + m_printerName);
    painter.drawText(DeviceBox(S::AdviceBox()), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     TextOf(str::kCalibrationStripAdvice));
}

} // namespace zembra
