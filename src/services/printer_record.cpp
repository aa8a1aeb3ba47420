#include "services/printer_record.h"

#include "model/print_metrics.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <QApplication>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace zembra {

namespace {

// The record counts custom paper in tenths of a millimetre.
QPageSize pageSizeOf(const DevMode& mode)
{
    if (mode.has(DevMode::kHasPaperSize) && mode.value(DevMode::kPaperSize) != DevMode::kPaperUser) {
        const QPageSize::PageSizeId id = QPageSize::id(mode.value(DevMode::kPaperSize));
        if (id != QPageSize::Custom) {
            return QPageSize(id);
        }
    }
    if (mode.has(DevMode::kHasPaperLength) && mode.has(DevMode::kHasPaperWidth) && mode.value(DevMode::kPaperWidth) > 0 &&
        mode.value(DevMode::kPaperLength) > 0) {
        return QPageSize(QSizeF(mode.value(DevMode::kPaperWidth) / kTenthsPerMm,
                                mode.value(DevMode::kPaperLength) / kTenthsPerMm),
                         QPageSize::Millimeter);
    }
    return {};
}

} // namespace

void ApplyDevMode(const DevMode& mode, QPrinter& printer)
{
    const QString device = QString::fromLocal8Bit(mode.deviceName());
    if (!device.isEmpty() && !QPrinterInfo::printerInfo(device).isNull()) {
        printer.setPrinterName(device);
    }
    const QPageSize size = pageSizeOf(mode);
    if (size.isValid()) {
        printer.setPageSize(size);
    }
    if (mode.has(DevMode::kHasOrientation)) {
        printer.setPageOrientation(mode.value(DevMode::kOrientation) == DevMode::kLandscape ? QPageLayout::Landscape
                                                                                             : QPageLayout::Portrait);
    }
    if (mode.has(DevMode::kHasCopies) && mode.value(DevMode::kCopies) > 0) {
        printer.setCopyCount(mode.value(DevMode::kCopies));
    }
    if (mode.has(DevMode::kHasColor)) {
        printer.setColorMode(mode.value(DevMode::kColor) == DevMode::kColour ? QPrinter::Color : QPrinter::GrayScale);
    }
    if (mode.has(DevMode::kHasDuplex)) {
        switch (mode.value(DevMode::kDuplex)) {
        case DevMode::kDuplexLongEdge:
            printer.setDuplex(QPrinter::DuplexLongSide);
            break;
        case DevMode::kDuplexShortEdge:
            printer.setDuplex(QPrinter::DuplexShortSide);
            break;
        default:
            printer.setDuplex(QPrinter::DuplexNone);
            break;
        }
    }
    if (mode.has(DevMode::kHasCollate)) {
        printer.setCollateCopies(mode.value(DevMode::kCollate) != 0);
    }
    if (mode.has(DevMode::kHasYResolution) && mode.value(DevMode::kYResolution) > 0) {
        printer.setResolution(mode.value(DevMode::kYResolution));
    }
}

DevMode DevModeFromPrinter(const QPrinter& printer)
{
    DevMode mode = DevMode::blank();
    mode.setDeviceName(printer.printerName().toLocal8Bit().toStdString());
    const QPageLayout layout = printer.pageLayout();
    const QPageSize size = layout.pageSize();
    mode.setValue(DevMode::kOrientation, DevMode::kHasOrientation,
                  layout.orientation() == QPageLayout::Landscape ? DevMode::kLandscape : DevMode::kPortrait);
    const int windowsId = size.windowsId();
    if (size.id() != QPageSize::Custom && windowsId > 0) {
        mode.setValue(DevMode::kPaperSize, DevMode::kHasPaperSize, static_cast<std::int16_t>(windowsId));
    } else {
        const QSizeF mm = size.size(QPageSize::Millimeter);
        mode.setValue(DevMode::kPaperSize, DevMode::kHasPaperSize, DevMode::kPaperUser);
        mode.setValue(DevMode::kPaperWidth, DevMode::kHasPaperWidth,
                      static_cast<std::int16_t>(std::lround(mm.width() * kTenthsPerMm)));
        mode.setValue(DevMode::kPaperLength, DevMode::kHasPaperLength,
                      static_cast<std::int16_t>(std::lround(mm.height() * kTenthsPerMm)));
    }
    mode.setFormName(size.name().toLocal8Bit().toStdString());
    mode.mark(DevMode::kHasFormName);
    mode.setValue(DevMode::kCopies, DevMode::kHasCopies, static_cast<std::int16_t>(printer.copyCount()));
    mode.setValue(DevMode::kColor, DevMode::kHasColor,
                  printer.colorMode() == QPrinter::Color ? DevMode::kColour : DevMode::kMonochrome);
    std::int16_t duplex = DevMode::kSimplex;
    if (printer.duplex() == QPrinter::DuplexLongSide) {
        duplex = DevMode::kDuplexLongEdge;
    } else if (printer.duplex() == QPrinter::DuplexShortSide) {
        duplex = DevMode::kDuplexShortEdge;
    }
    mode.setValue(DevMode::kDuplex, DevMode::kHasDuplex, duplex);
    mode.setValue(DevMode::kCollate, DevMode::kHasCollate, printer.collateCopies() ? 1 : 0);
    const auto dpi = static_cast<std::int16_t>(printer.resolution());
    mode.setValue(DevMode::kPrintQuality, DevMode::kHasPrintQuality, dpi);
    mode.setValue(DevMode::kYResolution, DevMode::kHasYResolution, dpi);
    return mode;
}

bool DefaultPrinterMissing(bool hasDefaultPrinter, bool hasAnyPrinter)
{
    return hasAnyPrinter && !hasDefaultPrinter;
}

void CheckDefaultPrinter()
{
    if (DefaultPrinterMissing(!QPrinterInfo::defaultPrinter().isNull(), !QPrinterInfo::availablePrinterNames().isEmpty())) {
        const std::string_view warning = text(str::kNoDefaultPrinter);
        prompts().message(QApplication::activeWindow(),
                          Utf8(warning), QString(),
                          Prompts::Icon::Warning);
    }
}

} // namespace zembra
