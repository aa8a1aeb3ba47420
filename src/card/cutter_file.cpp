#include "card/cutter_file.h"

#include "card/card_job.h"
#include "card/card_layout.h"
#include "card/cutter_dxf_writer.h"
#include "card/cutter_svg_writer.h"
#include "text/string_ids.h"
#include "ui/qt_text.h"

#include <QRect>
#include <QRectF>
#include <QSaveFile>

namespace zembra {

namespace {

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

CutterSpec SpecOf(const CutterOptions& options)
{
    CutterSpec spec;
    spec.holeMm = options.holeMm;
    spec.kerfMm = options.kerfMm;
    spec.layout = options.layout;
    spec.engrave = options.engrave;
    spec.startX = options.startX;
    spec.title = options.title.toStdString();
    spec.author = options.author.toStdString();
    return spec;
}

} // namespace

CutterOptions CutterOptionsOfSong(const SongState& song, int startX, CutterOptions chosen)
{
    const CardLook look = LookOfSong(song, nullptr, QColor());
    chosen.title = look.title;
    chosen.author = look.author;
    chosen.startX = startX;
    return chosen;
}

CutterSheet SheetOfOptions(const CutterOptions& options)
{
    const int dpi = options.dotsPerInch;
    const QRect full = options.page.fullRectPixels(dpi);
    const QRect paint = options.page.paintRectPixels(dpi);
    const QRectF paper = options.page.fullRect(QPageLayout::Millimeter);
    return SheetOfPixels(dpi, paint.left() - full.left(), paint.top() - full.top(), paint.width(), paint.height(),
                         paper.width(), paper.height());
}

bool DrawCutterCard(const SongState& song, const CutterOptions& options, CutterDrawing* drawing, QString* error)
{
    const CutterSpec spec = SpecOf(options);
    if (!CutterSizesValid(spec)) {
        setError(error, TextOf(str::kCutterBadSizes)
                            .arg(cutter::kMinHoleMm, 0, 'f', 1)
                            .arg(cutter::kMaxHoleMm, 0, 'f', 1)
                            .arg(cutter::kMaxKerfMm, 0, 'f', 1));
        return false;
    }
    const CutterSheet sheet = SheetOfOptions(options);
    const LayoutResult laid = LayOutCard(song, sheet.metrics);
    if (laid.problem == LayoutProblem::NoMetrics) {
        setError(error, TextOf(str::kCardNoPaperSize));
        return false;
    }
    if (laid.problem == LayoutProblem::BarTooLong) {
        setError(error, TextOf(str::kCardBarTooLong)
                            .arg(song.barLengthMm)
                            .arg(sheet.metrics.printableWidthMm(), 0, 'f', 1));
        return false;
    }
    *drawing = CutterGeometry(song, laid.layout, sheet, spec).Build();
    return true;
}

bool WriteCutterFile(const SongState& song, const CutterOptions& options, const QString& path, QString* error)
{
    CutterDrawing drawing;
    if (!DrawCutterCard(song, options, &drawing, error)) {
        return false;
    }
    QByteArray bytes;
    if (options.format == CutterFormat::Dxf) {
        const std::optional<QByteArray> dxf = CutterDxf(drawing);
        if (!dxf) {
            setError(error, TextOf(str::kCutterFailed) + path);
            return false;
        }
        bytes = *dxf;
    } else {
        bytes = CutterSvg(drawing, options.title);
    }
    // The whole file is written beside the target and takes its name only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        setError(error, TextOf(str::kCutterFailed) + path);
        return false;
    }
    return true;
}

} // namespace zembra
