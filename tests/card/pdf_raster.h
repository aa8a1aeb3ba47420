#pragma once

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <vector>

namespace zembra {

// Runs a program that is not ours and gives its standard output; empty when it failed.
inline QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages of a PDF as pdftoppm renders them at `dpi` in shades of grey, in page order.
inline std::vector<QImage> RasterisePdf(const QString& pdf, int dpi, const QString& folder)
{
    const QString prefix = folder + QStringLiteral("/page");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), pdf, prefix});
    std::vector<QImage> pages;
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        return pages;
    }
    QStringList files = QDir(folder).entryList({QStringLiteral("page*.pgm")}, QDir::Files, QDir::Name);
    // pdftoppm pads the page numbers to one width, so the names sort in page order.
    // A page at 600 dpi is larger than the readers' default allocation limit.
    QImageReader::setAllocationLimit(0);
    for (const QString& file : files) {
        pages.push_back(QImage(folder + QLatin1Char('/') + file).convertToFormat(QImage::Format_Grayscale8));
    }
    return pages;
}

// Whether a grey value is a printed line's: neither the white paper nor a black mark.
inline bool IsLineGrey(int g)
{
    return g > 140 && g < 232;
}

// Centres of the grey line runs met along one column, in mm from `top`, on a page rendered at
// `pxPerMm` pixels a millimetre.
inline std::vector<double> GreyRunsDown(const QImage& page, int x, double top, double pxPerMm)
{
    std::vector<double> runs;
    int start = -1;
    for (int y = 0; y <= page.height(); ++y) {
        const bool grey = y < page.height() && IsLineGrey(page.constScanLine(y)[x]);
        if (grey && start < 0) {
            start = y;
        } else if (!grey && start >= 0) {
            runs.push_back((start + y) / 2.0 / pxPerMm - top);
            start = -1;
        }
    }
    return runs;
}

} // namespace zembra
