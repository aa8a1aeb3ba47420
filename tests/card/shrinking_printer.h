#pragma once

#include <QImage>
#include <QPaintDevice>

#include <cmath>

namespace zembra {

// A printer whose driver gets its scale wrong: it reports `reportedDpiX` and `reportedDpiY` (and
// the page size in millimetres that follows from them) while its pixels really lie `realDpiX`
// and `realDpiY` apart on paper. Everything painted on it lands in an image, where it can be
// measured in real millimetres.
class ShrinkingPrinter : public QPaintDevice {
public:
    ShrinkingPrinter(double widthMm, double heightMm, double realDpiX, double realDpiY, int reportedDpiX,
                     int reportedDpiY)
        : m_image(static_cast<int>(widthMm * realDpiX / 25.4), static_cast<int>(heightMm * realDpiY / 25.4),
                  QImage::Format_RGB32)
        , m_realDpiX(realDpiX)
        , m_realDpiY(realDpiY)
        , m_reportedDpiX(reportedDpiX)
        , m_reportedDpiY(reportedDpiY)
    {
        m_image.fill(Qt::white);
    }

    QPaintEngine* paintEngine() const override { return m_image.paintEngine(); }

    const QImage& image() const { return m_image; }
    void clear() { m_image.fill(Qt::white); }
    // Real millimetres on paper of a distance in pixels.
    double realMmX(double pixels) const { return pixels * 25.4 / m_realDpiX; }
    double realMmY(double pixels) const { return pixels * 25.4 / m_realDpiY; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_image.width();
        case PdmHeight:
            return m_image.height();
        case PdmWidthMM:
            return static_cast<int>(std::lround(m_image.width() * 25.4 / m_reportedDpiX));
        case PdmHeightMM:
            return static_cast<int>(std::lround(m_image.height() * 25.4 / m_reportedDpiY));
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_reportedDpiX;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_reportedDpiY;
        case PdmNumColors:
            return m_image.colorCount();
        case PdmDepth:
            return m_image.depth();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QImage m_image;
    double m_realDpiX;
    double m_realDpiY;
    int m_reportedDpiX;
    int m_reportedDpiY;
};

} // namespace zembra
