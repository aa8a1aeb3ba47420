#include "services/paint_device_metrics.h"

#include "services/printer_record.h"
#include "services/settings.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPrinter>

#include <cmath>
#include <optional>

namespace zembra {

namespace {

PrintMetrics g_last;
std::optional<PrintMetrics> g_fallback;

} // namespace

PrintMetrics MetricsOfDevice(const QPaintDevice& device)
{
    PrintMetrics m;
    m.horzRes = device.width();
    m.vertRes = device.height();
    if (device.devType() == QInternal::Image) {
        // An image keeps its resolution in dots per metre, finer than the whole dots per inch.
        const auto& image = static_cast<const QImage&>(device);
        if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
            m.horzSize10 = static_cast<int>(std::lround(m.horzRes * 10000.0 / image.dotsPerMeterX()));
            m.vertSize10 = static_cast<int>(std::lround(m.vertRes * 10000.0 / image.dotsPerMeterY()));
        }
        return m;
    }
    const int dpiX = device.physicalDpiX();
    const int dpiY = device.physicalDpiY();
    if (dpiX > 0 && dpiY > 0) {
        m.horzSize10 = static_cast<int>(std::lround(m.horzRes * kTenthsPerInch / dpiX));
        m.vertSize10 = static_cast<int>(std::lround(m.vertRes * kTenthsPerInch / dpiY));
    }
    return m;
}

QString PrinterNameOf(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        return {};
    }
    return printer.printerName();
}

QString ApplicationPrinterName()
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    return PrinterNameOf(printer);
}

PrintMetrics CalibratedMetrics(const PrintMetrics& metrics, const QString& printerName)
{
    return Calibrated(metrics, settings::LoadCalibration(printerName));
}

const PrintMetrics& LastPrintMetrics()
{
    return g_last;
}

void SetLastPrintMetrics(const PrintMetrics& metrics)
{
    g_last = metrics;
}

void ApplyApplicationPrinter(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    ApplyDevMode(applicationDevMode(), printer);
}

PrintMetrics CheckMetrics()
{
    if (g_last.horzSize10 != 0 && g_last.horzRes != 0) {
        return g_last;
    }
    if (!g_fallback) {
        QPrinter printer(QPrinter::HighResolution);
        ApplyApplicationPrinter(printer);
        g_fallback = MetricsOfDevice(printer);
    }
    return *g_fallback;
}

void ForgetPrinterMetrics()
{
    g_fallback.reset();
}

} // namespace zembra
