// The card for a cutter, in millimetres, against the card's own rules: holes where the marks'
// centres are, strips 69.6 mm wide, the kerf taken off holes and added to outlines, and the
// print options that move things (mirror, swap, two rows, bar length, start).
#include "card/cutter_cuts.h"
#include "card/cutter_geometry.h"
#include "cut_readback.h"
#include "model/card_constants.h"

#include "song_fixtures.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zembra {
namespace {

// 40 device pixels to the millimetre: every card length is a whole number of pixels, so the
// rules below hold to the rounding of single terms.
constexpr double kPxPerMm = 40.0;
constexpr double kAreaWidthMm = 250.0;
constexpr double kAreaHeightMm = 150.0;
constexpr double kAreaLeftMm = 10.0;
constexpr double kAreaTopMm = 10.0;
constexpr double kPaperWidthMm = 270.0;
constexpr double kPaperHeightMm = 170.0;
constexpr double kTolerance = 0.08; // a few pixels of per-term rounding, far below a row pitch
constexpr double kCardMm = card::kCardWidthMm;
constexpr int kPixelsPerBar = 96;
constexpr int kSongBars = 10;

CutterSheet Sheet()
{
    CutterSheet sheet;
    sheet.metrics = {static_cast<int>(kAreaWidthMm * 10), static_cast<int>(kAreaHeightMm * 10),
                     static_cast<int>(kAreaWidthMm * kPxPerMm), static_cast<int>(kAreaHeightMm * kPxPerMm)};
    sheet.mmPerPixelX = sheet.mmPerPixelY = 1 / kPxPerMm;
    sheet.paperWidthMm = kPaperWidthMm;
    sheet.paperHeightMm = kPaperHeightMm;
    sheet.areaLeftMm = kAreaLeftMm;
    sheet.areaTopMm = kAreaTopMm;
    return sheet;
}

struct TestNote {
    int x;
    int rowFromTop;
};

// Bars of 50 mm: the first strip holds 4 bars after the leader, every later one 5; the song's
// 10 bars make strips of 4, 5 and 1 bars. Single strips lie two to a page, double ones one.
const TestNote kNotes[] = {
    {0, 0},                        // the song's very first moment, top row
    {48, 5},                       // half way through bar 0
    {3 * kPixelsPerBar + 95, 10},  // the last pixel of bar 3, the first strip's end
    {4 * kPixelsPerBar + 24, 32},  // a quarter into the second strip, bottom row
    {9 * kPixelsPerBar + 72, 16},  // three quarters into the last strip
};

struct Placed {
    int strip;       // of the card, from 0
    double alongMm;  // from the strip's leading end to the mark's leading edge
    int rowFromTop;
};

Placed PlacedOf(const TestNote& note)
{
    const int bar = note.x / kPixelsPerBar;
    const double inBar = (note.x % kPixelsPerBar) * 50.0 / kPixelsPerBar;
    if (bar < 4) {
        return {0, card::kLeaderMm + bar * 50.0 + inBar, note.rowFromTop};
    }
    if (bar < 9) {
        return {1, (bar - 4) * 50.0 + inBar, note.rowFromTop};
    }
    return {2, (bar - 9) * 50.0 + inBar, note.rowFromTop};
}

struct Options {
    bool mirror;
    bool swap;
    bool twoRows;
    CutterLayout layout;
};

class CutterCard {
public:
    CutterCard()
    {
        for (const TestNote& note : kNotes) {
            PlaceNote(*song, note.x, kBandTop + note.rowFromTop * song->rowHeight);
        }
        song->musicLength = kSongBars * kPixelsPerBar;
    }
    // The card with the print options and the layout of `o`.
    explicit CutterCard(const Options& o)
        : CutterCard()
    {
        song->printOptions.mirrorCard = o.mirror;
        song->printOptions.swapHighLow = o.swap;
        song->printOptions.twoRows = o.twoRows;
        spec.layout = o.layout;
    }

    CutterDrawing Draw() const
    {
        const CutterSheet sheet = Sheet();
        const LayoutResult laid = LayOutCard(*song, sheet.metrics);
        EXPECT_EQ(laid.problem, LayoutProblem::None);
        return CutterGeometry(*song, laid.layout, sheet, spec).Build();
    }

    std::unique_ptr<SongState> song = NewSong();
    CutterSpec spec;
};

std::string NameOf(const Options& o)
{
    return std::string(o.mirror ? "mirror " : "") + (o.swap ? "swap " : "") + (o.twoRows ? "two-rows " : "") +
           (o.layout == CutterLayout::Strips ? "strips" : "pages");
}

std::vector<Options> AllOptions()
{
    std::vector<Options> all;
    for (const CutterLayout layout : {CutterLayout::Pages, CutterLayout::Strips}) {
        for (int bits = 0; bits < 8; ++bits) {
            all.push_back({(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, layout});
        }
    }
    return all;
}

// Where the card's rules put the top edge of strip `strip`, copy `copy`, in the drawing.
double StripTopMm(const Options& o, int strip, int copy)
{
    const int copies = o.twoRows ? 2 : 1;
    if (o.layout == CutterLayout::Strips) {
        return cutter::kPieceGapMm + (strip * copies + copy) * (kCardMm + cutter::kPieceGapMm);
    }
    const int perPage = o.twoRows ? 1 : 2;
    const int page = strip / perPage;
    const int onPage = strip % perPage;
    return page * kPaperHeightMm + kAreaTopMm + onPage * copies * kCardMm + copy * kCardMm;
}

double AreaLeftMm(const Options& o)
{
    return o.layout == CutterLayout::Strips ? cutter::kPieceGapMm : kAreaLeftMm;
}

// The card's reading direction runs right to left when mirrored, from the area's right edge.
double AlongToX(const Options& o, double alongMm)
{
    return AreaLeftMm(o) + (o.mirror ? kAreaWidthMm - alongMm : alongMm);
}

int LineOf(const Options& o, int rowFromTop)
{
    return o.mirror == o.swap ? rowFromTop : 32 - rowFromTop;
}

TEST(CutterGeometry, HolesLieAtTheMarkCentresForEveryOption)
{
    for (const Options& o : AllOptions()) {
        SCOPED_TRACE(NameOf(o));
        const CutterCard card(o);
        const CutterDrawing drawing = card.Draw();
        const int copies = o.twoRows ? 2 : 1;
        ASSERT_EQ(drawing.holes.size(), std::size(kNotes) * copies);
        for (const TestNote& note : kNotes) {
            const Placed placed = PlacedOf(note);
            // The centre is half a mark on from the leading edge, in reading direction.
            const double x = AlongToX(o, placed.alongMm + card::kHalfMarkMm);
            for (int c = 0; c < copies; ++c) {
                const double y = StripTopMm(o, placed.strip, c) + card::kEdgeMarginMm +
                                 LineOf(o, placed.rowFromTop) * card::kRowPitchMm;
                const auto near = [&](const CutterCircle& h) {
                    return std::abs(h.x - x) < kTolerance && std::abs(h.y - y) < kTolerance;
                };
                const auto found = std::count_if(drawing.holes.begin(), drawing.holes.end(), near);
                EXPECT_EQ(found, 1) << "note at " << note.x << " row " << note.rowFromTop << " copy " << c
                                    << ": expected (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(CutterGeometry, OutlinesAreTheStripsAtTheCardsWidth)
{
    // Strip lengths from the leading edge of the area: the leader and 4 bars, and on to half a
    // mark past the mark that starts on the last pixel of bar 3 and reaches past the strip's last
    // bar line; 5 bars; the last bar with one bar of tail, as the printed card leaves it unblanked.
    const double lengths[] = {20.0 + 3 * 50.0 + 95 * 50.0 / kPixelsPerBar + card::kMarkSizeMm + card::kHalfMarkMm,
                              5 * 50.0, 2 * 50.0};
    for (const Options& o : AllOptions()) {
        SCOPED_TRACE(NameOf(o));
        const CutterCard card(o);
        const CutterDrawing drawing = card.Draw();
        const int copies = o.twoRows ? 2 : 1;
        ASSERT_EQ(drawing.outlines.size(), std::size(lengths) * copies);
        for (int strip = 0; strip < 3; ++strip) {
            for (int c = 0; c < copies; ++c) {
                const CutterRect& r = drawing.outlines[static_cast<std::size_t>(strip * copies + c)];
                EXPECT_NEAR(r.height(), kCardMm, 1e-9);
                EXPECT_NEAR(r.top, StripTopMm(o, strip, c), kTolerance);
                const double lead = AlongToX(o, 0);
                const double tail = AlongToX(o, lengths[strip]);
                EXPECT_NEAR(std::min(lead, tail), r.left, kTolerance) << strip;
                EXPECT_NEAR(std::max(lead, tail), r.right, kTolerance) << strip;
            }
        }
        if (o.layout == CutterLayout::Pages) {
            EXPECT_EQ(drawing.widthMm, kPaperWidthMm);
            EXPECT_EQ(drawing.heightMm, (o.twoRows ? 3 : 2) * kPaperHeightMm);
        } else {
            EXPECT_NEAR(drawing.widthMm, kAreaWidthMm + 2 * cutter::kPieceGapMm, 1e-9);
            EXPECT_NEAR(drawing.outlines.back().bottom + cutter::kPieceGapMm, drawing.heightMm, 1e-9);
        }
    }
}

TEST(CutterGeometry, KerfTakesHalfFromHolesAndAddsHalfToOutlines)
{
    CutterCard plain;
    const CutterDrawing exact = plain.Draw();
    struct Case {
        double hole;
        double kerf;
    };
    const Case cases[] = {{1.8, 0.0}, {1.8, 0.1}, {1.8, 0.25}, {2.5, 0.5}, {1.0, 0.95}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hole) + " / " + std::to_string(c.kerf));
        CutterCard card;
        card.spec.holeMm = c.hole;
        card.spec.kerfMm = c.kerf;
        const CutterDrawing cut = card.Draw();
        ASSERT_EQ(cut.holes.size(), exact.holes.size());
        for (std::size_t i = 0; i < cut.holes.size(); ++i) {
            EXPECT_NEAR(cut.holes[i].radius, c.hole / 2 - c.kerf / 2, 1e-12);
            EXPECT_EQ(cut.holes[i].x, exact.holes[i].x);
            EXPECT_EQ(cut.holes[i].y, exact.holes[i].y);
        }
        ASSERT_EQ(cut.outlines.size(), exact.outlines.size());
        for (std::size_t i = 0; i < cut.outlines.size(); ++i) {
            EXPECT_NEAR(cut.outlines[i].left, exact.outlines[i].left - c.kerf / 2, 1e-12);
            EXPECT_NEAR(cut.outlines[i].right, exact.outlines[i].right + c.kerf / 2, 1e-12);
            EXPECT_NEAR(cut.outlines[i].top, exact.outlines[i].top - c.kerf / 2, 1e-12);
            EXPECT_NEAR(cut.outlines[i].height(), kCardMm + c.kerf, 1e-12);
        }
    }
}

TEST(CutterGeometry, NotesBeforeThePlaybackStartAreNotCut)
{
    CutterCard card;
    card.spec.startX = 4 * kPixelsPerBar;
    const CutterDrawing drawing = card.Draw();
    ASSERT_EQ(drawing.holes.size(), 2u);
    // The two notes from the start on keep the places the whole card gives them.
    EXPECT_NEAR(drawing.holes[0].x, kAreaLeftMm + 50.0 * 24 / 96 + card::kHalfMarkMm, kTolerance);
    EXPECT_NEAR(drawing.holes[1].y, kPaperHeightMm + kAreaTopMm + card::kEdgeMarginMm + 16 * card::kRowPitchMm,
                kTolerance);
}

TEST(CutterGeometry, ABarLengthOfNoneFitsTheSongOnOneStrip)
{
    CutterCard card;
    card.song->barLengthMm = 0;
    const CutterDrawing drawing = card.Draw();
    ASSERT_EQ(drawing.outlines.size(), 1u);
    const CutterRect& strip = drawing.outlines[0];
    ASSERT_EQ(drawing.holes.size(), std::size(kNotes));
    const double barMm = (kAreaWidthMm - card::kLeaderMm) / kSongBars;
    for (std::size_t i = 0; i < std::size(kNotes); ++i) {
        const double along = card::kLeaderMm + kNotes[i].x * barMm / kPixelsPerBar + card::kHalfMarkMm;
        EXPECT_NEAR(drawing.holes[i].x, kAreaLeftMm + along, kTolerance) << i;
        EXPECT_GT(drawing.holes[i].x, strip.left);
        EXPECT_LT(drawing.holes[i].x, strip.right);
    }
}

TEST(CutterGeometry, EngravingFollowsTheRulingOptions)
{
    struct Case {
        const char* what;
        bool ruled;
        bool engrave;
        std::size_t lines;
        std::size_t labels;
    };
    // Strips of 4, 5 and 1 bars: ruled, 33 row lines and a line at every bar boundary; unruled,
    // a tick at each boundary on both edges.
    const Case cases[] = {
        {"ruled", true, true, 3 * 33 + (5 + 6 + 2), 33},
        {"ticks", false, true, 2 * (5 + 6 + 2), 0},
        {"nothing engraved", true, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CutterCard card;
        card.song->printOptions.ruledLines = c.ruled;
        card.spec.engrave = c.engrave;
        card.spec.title = "Tune";
        card.spec.author = "Someone";
        const CutterDrawing drawing = card.Draw();
        EXPECT_EQ(drawing.lines.size(), c.lines);
        const std::size_t titleBlock = c.engrave ? 2 : 0;
        EXPECT_EQ(drawing.texts.size(), c.labels + titleBlock);
        EXPECT_EQ(drawing.arrows.size(), c.engrave ? 1u : 0u);
        EXPECT_EQ(drawing.holes.size(), std::size(kNotes));
    }
}

TEST(CutterGeometry, TitleBlockAndArrowStandAtTheLeadingEnd)
{
    for (const bool mirror : {false, true}) {
        SCOPED_TRACE(mirror ? "mirror" : "plain");
        CutterCard card;
        card.song->printOptions.mirrorCard = mirror;
        card.spec.title = "Tune";
        const CutterDrawing drawing = card.Draw();
        const std::string movement(text(str::kMovementLabel));
        const auto title = std::find_if(drawing.texts.begin(), drawing.texts.end(),
                                        [&](const CutterText& t) { return t.text == movement + " Tune"; });
        ASSERT_NE(title, drawing.texts.end());
        // The first bar starts after the leader; the title starts there, or ends there mirrored.
        const Options o{mirror, false, false, CutterLayout::Pages};
        EXPECT_NEAR(title->at.x, AlongToX(o, card::kLeaderMm), kTolerance);
        EXPECT_EQ(title->align, mirror ? CutterAlign::Right : CutterAlign::Left);
        EXPECT_NEAR(title->heightMm, card::kTitleFontMm, kTolerance);
        EXPECT_NEAR(title->at.y, kAreaTopMm + (card::kTitleTopMm + card::kEdgeMarginMm - card::kTitleBottomInsetMm) / 2,
                    kTolerance);
        ASSERT_EQ(drawing.arrows.size(), 1u);
        // The arrow's point is at the first bar, 1.5 mm above the arrow's bottom.
        const CutterPoint point = drawing.arrows[0].back();
        EXPECT_NEAR(point.x, AlongToX(o, card::kLeaderMm), kTolerance);
        const double bottom = kAreaTopMm + kCardMm - card::kArrowFromBottomMm + card::kArrowHeightMm;
        EXPECT_NEAR(point.y, bottom - card::kArrowPointRiseMm, kTolerance);
        // No author was given: no author line.
        EXPECT_EQ(std::count_if(drawing.texts.begin(), drawing.texts.end(),
                                [](const CutterText& t) { return t.heightMm > 2.5 && t.heightMm < 3.5; }),
                  0);
    }
}

TEST(CutterGeometry, SizesOutsideTheLimitsAreRefused)
{
    struct Case {
        double hole;
        double kerf;
        bool valid;
    };
    const Case cases[] = {{1.8, 0.0, true},  {0.5, 0.0, true},  {5.0, 1.0, true},   {0.4, 0.0, false},
                          {5.1, 0.0, false}, {1.8, -0.1, false}, {1.8, 1.1, false}, {0.8, 0.8, false}};
    for (const Case& c : cases) {
        CutterSpec spec;
        spec.holeMm = c.hole;
        spec.kerfMm = c.kerf;
        EXPECT_EQ(CutterSizesValid(spec), c.valid) << c.hole << " " << c.kerf;
    }
}

TEST(CutterGeometry, AHoleMustLeaveCardBetweenRows)
{
    // Rows 1.8 mm apart keep at least 0.1 mm of card between their holes.
    const std::pair<double, bool> cases[] = {{0.5, true}, {1.69, true}, {1.7, true},
                                             {1.71, false}, {1.8, false}, {2.5, false}};
    for (const auto& [hole, leaves] : cases) {
        EXPECT_EQ(HoleLeavesCardBetweenRows(hole), leaves) << hole;
    }
    EXPECT_DOUBLE_EQ(LargestHoleMm(), 1.7);
    EXPECT_DOUBLE_EQ(CutterSpec{}.holeMm, 1.7) << "the comb's own hole";
    EXPECT_TRUE(HoleLeavesCardBetweenRows(CutterSpec{}.holeMm));
}

CutLayer LayerOf(const std::vector<CutterPath>& paths)
{
    CutLayer layer;
    for (const CutterPath& path : paths) {
        const std::size_t n = path.points.size();
        for (std::size_t i = 0; i + (path.closed ? 0 : 1) < n; ++i) {
            const CutterPoint& a = path.points[i];
            const CutterPoint& b = path.points[(i + 1) % n];
            layer.segments.push_back({a.x, a.y, b.x, b.y});
        }
    }
    return layer;
}

TEST(CutterGeometry, StripsThatMeetShareOneCut)
{
    struct Case {
        const char* what;
        std::vector<CutterRect> strips;
        double kerf;
        double length; // of all cuts
        int closedPaths; // the outline round strips that meet closes on itself
    };
    const Case cases[] = {
        {"one strip", {{10, 10, 110, 79.6}}, 0, 2 * (100 + 69.6), 1},
        {"one strip with a kerf", {{10, 10, 110, 79.6}}, 0.2, 2 * (100.2 + 69.8), 1},
        {"two strips apart", {{0, 0, 100, 69.6}, {0, 71.6, 100, 141.2}}, 0, 4 * (100 + 69.6), 2},
        // The second strip's top lies where the printer's pixels put it, 0.017 mm below the first's bottom.
        {"two strips a pixel's rounding apart", {{0, 0, 100, 69.6}, {0, 69.617, 100, 139.217}}, 0,
         3 * 100 + 2 * 139.217, 1},
        {"a long strip on a short one", {{0, 0, 100, 69.6}, {0, 69.6, 80, 139.2}}, 0,
         100 + 69.6 + 20 + 80 + 69.6 + 80 + 139.2, 1},
        // The shared cut lies on the line between them; every other edge moves out by 0.1 mm.
        {"a long strip on a short one with a kerf", {{0, 0, 100, 69.6}, {0, 69.6, 80, 139.2}}, 0.2,
         100.2 + 69.8 + 20 + 80.2 + 69.7 + 80.2 + 139.4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<CutterPath> paths = CutsOfStrips(c.strips, c.kerf);
        const CutLayer layer = LayerOf(paths);
        EXPECT_TRUE(CutsMadeTwice(layer).empty());
        EXPECT_NEAR(CutLength(layer), c.length, 1e-9);
        EXPECT_EQ(std::count_if(paths.begin(), paths.end(), [](const CutterPath& p) { return p.closed; }),
                  c.closedPaths);
    }
    // A strip alone is one closed path round its four corners, grown by half the kerf.
    const std::vector<CutterPath> alone = CutsOfStrips({{10, 10, 110, 79.6}}, 0.2);
    ASSERT_EQ(alone.size(), 1u);
    ASSERT_EQ(alone[0].points.size(), 4u);
    EXPECT_NEAR(alone[0].points[0].x, 9.9, 1e-12);
    EXPECT_NEAR(alone[0].points[0].y, 9.9, 1e-12);
    EXPECT_NEAR(alone[0].points[2].x, 110.1, 1e-12);
    EXPECT_NEAR(alone[0].points[2].y, 79.7, 1e-12);
}

TEST(CutterGeometry, ASheetReportsItsAreaAsAPrinterWould)
{
    // 1200 dpi, an A4 landscape area with 10 mm margins: 277 x 190 mm.
    const CutterSheet sheet = SheetOfPixels(1200, 472, 472, 13087, 8976, 297.0, 210.0);
    EXPECT_EQ(sheet.metrics.horzRes, 13087);
    EXPECT_EQ(sheet.metrics.horzSize10, 2770);
    EXPECT_EQ(sheet.metrics.vertSize10, 1900);
    EXPECT_NEAR(sheet.areaLeftMm, 9.99, 0.01);
    EXPECT_NEAR(sheet.mmPerPixelX, 25.4 / 1200, 1e-15);
    EXPECT_FALSE(SheetOfPixels(0, 0, 0, 100, 100, 10, 10).metrics.valid());
}

} // namespace
} // namespace zembra
