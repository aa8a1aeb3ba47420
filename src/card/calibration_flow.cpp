#include "card/calibration_flow.h"

#include "card/calibration_dialog.h"
#include "card/calibration_strip.h"
#include "card/calibration_strip_painter.h"
#include "card/card_host.h"
#include "text/string_ids.h"
#include "services/paint_device_metrics.h"
#include "services/printer_record.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace zembra {

namespace {

const QString kPdfName = QStringLiteral("PDF");

} // namespace

CalibrationFlow::CalibrationFlow(CardHost& host)
    : m_host(host)
{
}

bool CalibrationFlow::PaintStrip(QPaintDevice& device, const QString& printerName, QString* error)
{
    // The printer's own scale: the strip is what the correction is measured from.
    const PrintMetrics metrics = MetricsOfDevice(device);
    if (!CalibrationStrip::FitsOn(metrics)) {
        if (error) {
            *error = TextOf(str::kCalibrationPageTooSmall);
        }
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error) {
            *error = TextOf(str::kCalibrationPrintFailed);
        }
        return false;
    }
    CalibrationStripPainter(metrics, printerName.isEmpty() ? kPdfName : printerName).Paint(painter);
    if (!painter.end()) {
        if (error) {
            *error = TextOf(str::kCalibrationPrintFailed);
        }
        return false;
    }
    return true;
}

void CalibrationFlow::PrintStripCommand()
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    QPrintDialog dialog(&printer, m_host.window());
    dialog.setMinMax(1, 1);
    if (prompts().runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    // As with the card, the printer chosen becomes the one the printer settings name.
    applicationDevMode() = DevModeFromPrinter(printer);
    ForgetPrinterMetrics();
    const QString name = PrinterNameOf(printer);
    QString error;
    if (!PaintStrip(printer, name, &error)) {
        prompts().message(m_host.window(), error, QString(), Prompts::Icon::Warning);
        return;
    }
    if (name.isEmpty()) {
        prompts().message(m_host.window(), TextOf(str::kCalibrationNoPrinter), QString(), Prompts::Icon::Information);
        return;
    }
    EnterLengths(name);
}

void CalibrationFlow::LengthsCommand()
{
    const QString name = ApplicationPrinterName();
    if (name.isEmpty()) {
        prompts().message(m_host.window(), TextOf(str::kCalibrationNoPrinter), QString(), Prompts::Icon::Information);
        return;
    }
    EnterLengths(name);
}

void CalibrationFlow::EnterLengths(const QString& printerName)
{
    CalibrationDialog dialog(printerName, settings::LoadCalibration(printerName), m_host.window());
    if (prompts().runDialog(dialog) == QDialog::Accepted) {
        Apply(dialog);
    }
}

void CalibrationFlow::Apply(const CalibrationDialog& dialog)
{
    if (dialog.forgetRequested()) {
        settings::ForgetCalibration(dialog.printerName());
        return;
    }
    if (!settings::SaveCalibration(dialog.printerName(), dialog.factors())) {
        prompts().message(m_host.window(), TextOf(str::kCalibrationSaveFailed), QString(), Prompts::Icon::Warning);
    }
}

} // namespace zembra
