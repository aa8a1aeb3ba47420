#pragma once

#include <string>
#include <vector>

// The card as a cutter takes it: millimetres with y downward from the top left of the drawing.
// What is cut goes on one layer, what is only marked on the card (engraved, drawn by a pen) on
// another.
namespace zembra {

// How the strips lie in the drawing. Pages: the pages of the printed card one below the other,
// each strip where the page puts it. Strips: every strip of the card (each copy of it with two
// rows) as a piece of its own, in card order from top to bottom, each at the x its page gives it.
enum class CutterLayout { Pages, Strips };

struct CutterPoint {
    double x = 0;
    double y = 0;
};

struct CutterCircle {
    double x = 0;
    double y = 0;
    double radius = 0;
};

struct CutterRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

struct CutterLine {
    CutterPoint from;
    CutterPoint to;
    double penMm = 0;
};

// A cut along straight lines through `points`; a closed one returns to its first point.
struct CutterPath {
    std::vector<CutterPoint> points;
    bool closed = false;
};

enum class CutterAlign { Left, Right };

// A line of text: `at` is its left end (right end when right-aligned) on the text's vertical centre.
struct CutterText {
    std::string text; // UTF-8
    CutterPoint at;
    double heightMm = 0;
    CutterAlign align = CutterAlign::Left;
};

struct CutterDrawing {
    double widthMm = 0;
    double heightMm = 0;
    // Cut: the holes of the notes, and the outlines of the strips, each line of them once.
    std::vector<CutterCircle> holes;
    std::vector<CutterPath> cuts;
    // The outline of every strip, the kerf added, as `cuts` would cut it were the strip alone.
    std::vector<CutterRect> outlines;
    // Engraved: row and bar lines (or the bar ticks), the feed arrow (a filled outline), the
    // row labels, the title and the author.
    std::vector<CutterLine> lines;
    std::vector<std::vector<CutterPoint>> arrows;
    std::vector<CutterText> texts;
};

} // namespace zembra
