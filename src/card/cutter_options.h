#pragma once

#include "card/cutter_drawing.h"
#include "card/cutter_geometry.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringView>

#include <optional>

namespace zembra {

enum class CutterFormat { Svg, Dxf };

// Everything a cutter file is made from besides the song, whose print options (mirror, swap,
// two rows, bar length, fitting, ruled lines) apply as they do to the printed card.
struct CutterOptions {
    static constexpr int kDotsPerInch = 1200; // the PDF export's resolution

    CutterFormat format = CutterFormat::Svg;
    double holeMm = cutter::kDefaultHoleMm;
    double kerfMm = 0;
    CutterLayout layout = CutterLayout::Pages;
    // Paper, orientation and the margins around the printable area the card is laid out on.
    QPageLayout page{QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()};
    // The resolution the card's positions are reckoned at, as on a printer of that resolution;
    // the PDF export's, so that a cut card matches the PDF hole for hole.
    int dotsPerInch = kDotsPerInch;
    // The playback start: notes before it are left off, as on the printed card.
    int startX = 0;
    // Ruled lines, row labels, feed arrow and title block on the engraving layer.
    bool engrave = true;
    QString title;
    QString author; // empty: no author line
    // Bar numbers and titles on every strip, as the print settings choose them.
    AssemblyChoices assembly;
};

// The names the command line and the dialog use: "svg", "dxf"; "pages", "strips".
std::optional<CutterFormat> CutterFormatNamed(QStringView name);
std::optional<CutterLayout> CutterLayoutNamed(QStringView name);
QString CutterSuffix(CutterFormat format);

} // namespace zembra
