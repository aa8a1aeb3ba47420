#include "card/cutter_file.h"

#include "card/card_job.h"
#include "card/card_layout.h"
#include "card/cutter_dxf_writer.h"
#include "card/rest_strips.h"
#include "card/cutter_svg_writer.h"
#include "text/string_ids.h"
#include "io/safe_file.h"
#include "services/file_name.h"
#include "services/qt_text.h"
#include "services/write_problem_text.h"

#include <QRect>
#include <QRectF>

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
    spec.assembly = options.assembly;
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

CutterOptions CutterOptionsOfSong(const SongState& song, int startX)
{
    CutterOptions chosen;
    chosen.holeMm = song.box.sizes.holeMm;
    return CutterOptionsOfSong(song, startX, chosen);
}

QString HoleTooLargeText(double holeMm, double rowPitchMm)
{
    return TextOf(str::kCutterHoleTooLarge)
        .arg(QString::number(holeMm), QString::number(rowPitchMm), QString::number(cutter::kMinPaperBetweenRowsMm),
             QString::number(LargestHoleMm(rowPitchMm)));
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
    const double rowPitchMm = song.box.sizes.rowPitchMm;
    if (!HoleLeavesCardBetweenRows(spec.holeMm, rowPitchMm)) {
        setError(error, HoleTooLargeText(spec.holeMm, rowPitchMm));
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
    if (CutsInRests(spec.assembly) && laid.layout.barsPerStrip > 0) {
        const CardGeometry probe(song, sheet.metrics, laid.layout);
        const RestCuts cuts = RestCutsOfSong(song, probe, BuildPrintList(song, spec.startX), spec.assembly);
        if (!cuts.ok) {
            setError(error, cuts.stuckBar > 0 ? TextOf(str::kCardNoRestToCut).arg(cuts.stuckBar) : TextOf(str::kCardLoopNoSeam));
            return false;
        }
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
    auto failed = [&](const WriteProblem& problem) {
        setError(error, TextOf(str::kCutterFailed) + path + '\n' + WriteProblemText(problem));
        return false;
    };
    // The whole file is written beside the target and takes its name only once it is complete.
    if (options.format == CutterFormat::Dxf) {
        SafeFile file(FileNameBytes(path));
        if (!file.Open()) {
            return failed(file.problem());
        }
        if (const int problem = WriteCutterDxf(drawing, file.tempPath())) {
            file.Discard();
            return failed({SafeFileError::WriteFailed, problem, TargetKind::Regular});
        }
        return file.Commit() || failed(file.problem());
    }
    const QByteArray svg = CutterSvg(drawing, options.title);
    SafeFile file(FileNameBytes(path));
    return WriteWholeFile(file, svg.constData(), static_cast<std::size_t>(svg.size())) || failed(file.problem());
}

} // namespace zembra
