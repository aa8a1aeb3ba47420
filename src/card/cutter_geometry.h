#pragma once

#include "card/card_geometry.h"
#include "card/card_layout.h"
#include "card/cutter_drawing.h"
#include "model/assembly_choices.h"
#include "model/card_constants.h"
#include "model/print_metrics.h"
#include "model/song_state.h"

#include <string>
#include <vector>

namespace zembra {

namespace cutter {

// The 33-note box's hole: 1.7 mm on rows 1.8 mm apart. A song's card is cut at its own box's hole
// unless another is chosen.
inline constexpr double kDefaultHoleMm = 1.7;
inline constexpr double kMinHoleMm = 0.5;
inline constexpr double kMaxHoleMm = 5.0;
// The card a hole must leave between neighbouring rows, so that the holes do not run together.
inline constexpr double kMinPaperBetweenRowsMm = 0.1;
inline constexpr double kMaxKerfMm = 1.0;
// Room left around and between the pieces of the strips layout, so that no two cuts coincide.
inline constexpr double kPieceGapMm = 2.0;
// A one-pixel line of the printed card.
inline constexpr double kHairlinePenMm = 0.1;

} // namespace cutter

// The paper the card is laid out on, as a printer of a given resolution would report it: the
// printable area in device pixels, the size of a pixel, and where the area lies on the paper.
struct CutterSheet {
    PrintMetrics metrics;
    double mmPerPixelX = 0;
    double mmPerPixelY = 0;
    double paperWidthMm = 0;
    double paperHeightMm = 0;
    double areaLeftMm = 0;
    double areaTopMm = 0;
};

// A sheet whose printable area is `area` pixels at `dotsPerInch`, `leftPx` and `topPx` from the
// paper's top left; its size in tenths of a millimetre is what a printer reports for that area.
CutterSheet SheetOfPixels(int dotsPerInch, int leftPx, int topPx, int widthPx, int heightPx, double paperWidthMm,
                          double paperHeightMm);

// What the cutter is to make of the card.
struct CutterSpec {
    double holeMm = cutter::kDefaultHoleMm;
    // Width of the cut: holes shrink and outlines grow by half of it, so that what is left is
    // the card's true size.
    double kerfMm = 0;
    CutterLayout layout = CutterLayout::Pages;
    bool engrave = true;
    // The playback start: notes before it are not on the card.
    int startX = 0;
    std::string title;  // UTF-8
    std::string author; // empty: no author line
    // The bar numbers and the titles of later strips on the engraving.
    AssemblyChoices assembly;
};

// Whether the sizes can be cut: a hole within the limits, and a kerf smaller than the hole.
bool CutterSizesValid(const CutterSpec& spec);
// The largest hole that leaves card between neighbouring rows `rowPitchMm` apart, and whether a
// hole is no larger; the 33-note box's rows unless told.
double LargestHoleMm(double rowPitchMm = card::kRowPitchMm);
bool HoleLeavesCardBetweenRows(double holeMm, double rowPitchMm = card::kRowPitchMm);

// The printed card in millimetres for a cutter. Every position comes from the card geometry that
// prints the card, on a device with the sheet's metrics, so that each hole is cut where the card
// printed on that sheet shows its mark. A strip is the stretch of card the geometry gives it: from
// the edge of the printable area at its leading end (leader included) to the end of its last bar,
// with the unblanked tail of the printed card after the song's last bar, and further where a mark
// near either end needs card around it; strips that hold no bar are left out. A strip cuts the holes
// the card prints on it, so that every note is cut once (twice with two rows), and two notes at one
// place are one hole.
class CutterGeometry {
public:
    CutterGeometry(const SongState& song, const CardLayout& layout, const CutterSheet& sheet, const CutterSpec& spec);

    CutterDrawing Build() const;

private:
    // One strip of the card (one copy of it) and the shift from its page's printable area to the
    // drawing, in millimetres.
    struct Piece {
        StripPlan strip;
        int copy = 0;
        double dx = 0;
        double dy = 0;
    };

    std::vector<Piece> Pieces(CutterDrawing& drawing) const;
    // The strip's card at its true size, in the drawing.
    CutterRect StripRect(const Piece& piece) const;
    void AddOutline(CutterDrawing& drawing, const Piece& piece) const;
    void AddHoles(CutterDrawing& drawing, const Piece& piece) const;
    void AddRuling(CutterDrawing& drawing, const Piece& piece) const;
    void AddRowLabels(CutterDrawing& drawing, const Piece& piece) const;
    void AddArrow(CutterDrawing& drawing, const Piece& piece) const;
    void AddTitleBlock(CutterDrawing& drawing, const Piece& piece) const;
    // The title at the start of a strip after the first, and the bar numbers in its bottom margin.
    void AddStripTitle(CutterDrawing& drawing, const Piece& piece) const;
    void AddBarNumbers(CutterDrawing& drawing, const Piece& piece) const;
    // The inner edge of a join's tape or glue zone, engraved.
    void AddJoins(CutterDrawing& drawing, const Piece& piece) const;
    void AddLine(CutterDrawing& drawing, const Piece& piece, int x1, int y1, int x2, int y2, double penMm) const;
    CutterPoint At(const Piece& piece, int x, int y) const;
    // At x, half way down from `top` to `bottom`.
    CutterPoint AtMiddle(const Piece& piece, int x, int top, int bottom) const;
    int Top(const Piece& piece) const;
    double Xmm(int px) const { return px * m_sheet.mmPerPixelX; }
    double Ymm(int px) const { return px * m_sheet.mmPerPixelY; }

    const SongState& m_song;
    CutterSheet m_sheet;
    CutterSpec m_spec;
    CardGeometry m_geometry;
    std::vector<PrintNote> m_list;
};

} // namespace zembra
