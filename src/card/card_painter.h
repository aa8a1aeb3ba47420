#pragma once

#include "card/card_geometry.h"
#include "card/card_layout.h"
#include "model/assembly_choices.h"
#include "model/song_state.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class QImage;
class QPainter;

namespace zembra {

class BarNumbers;
class StripNumbers;

// What a page shows besides the song: the background picture and the title colour.
struct CardLook {
    const QImage* background = nullptr;
    QColor textColour{50, 50, 50};
    QString title;
    QString author; // empty: no author line
    // The bar numbers and the titles of later strips.
    AssemblyChoices assembly;
};

// Draws pages of the card onto any paint device: printer, preview, PDF, image. Positions come
// from the card geometry; the painter only turns them into pens, brushes and text.
class CardPainter {
public:
    CardPainter(const SongState& song, const CardGeometry& geometry, const std::vector<PrintNote>& printList,
                const CardLook& look);
    ~CardPainter();

    // Where the device can be read back (an image), each line and mark is checked after drawing.
    void setReadBack(const QImage* image) { m_readBack = image; }
    // Marks on paper are counted; a preview does not count.
    void setCountMarks(bool count) { m_countMarks = count; }

    // `numbers` false paints the card as it is without the strip numbers, on the same layout.
    void PaintPage(QPainter& painter, int page, bool numbers = true);

    int marksDrawn() const { return m_marksDrawn; }
    bool drawFailed() const { return m_drawFailed; }

private:
    void DrawBackground(QPainter& painter, int page, const std::vector<StripPlan>& strips);
    void DrawRowLabels(QPainter& painter, int lead, int y0);
    void DrawRuling(QPainter& painter, const StripPlan& strip, int y0);
    void DrawMarks(QPainter& painter, const StripPlan& strip, int y0);
    // A join's tape or glue zone under the ruling, and the cut line at a strip's end over it.
    void DrawJoinZones(QPainter& painter, const StripPlan& strip, int y0);
    void DrawJoinCuts(QPainter& painter, const StripPlan& strip, int y0);
    // At the song's first bar, whose span is `bar`.
    void DrawStartArrow(QPainter& painter, const Span& bar, int y0);
    void DrawTitleBlock(QPainter& painter, const Span& bar, int y0);
    // Blanks from 1 mm after `end`, measured from the card's leading end along the strip.
    void BlankAfterStrip(QPainter& painter, int end, int y0);
    void DrawStripNumber(QPainter& painter, int page, const StripPlan& strip, int copy);
    void DrawBarNumbers(QPainter& painter, const StripPlan& strip, int copy);
    // The title at the start of a strip after the first.
    void DrawStripTitle(QPainter& painter, const StripPlan& strip, int y0);
    void Line(QPainter& painter, const QPen& pen, int x1, int y1, int x2, int y2);
    void Check(int x, int y, const QColor& colour);
    QColor Ink(const QColor& colour) const;

    const SongState& m_song;
    const CardGeometry& m_geometry;
    const std::vector<PrintNote>& m_list;
    CardLook m_look;
    std::unique_ptr<StripNumbers> m_numbers;
    std::unique_ptr<BarNumbers> m_barNumbers;
    QFont m_titleFont;
    QFont m_authorFont;
    QFont m_labelFont;
    const QImage* m_readBack = nullptr;
    bool m_countMarks = false;
    int m_marksDrawn = 0;
    bool m_drawFailed = false;
};

// The face of every card text in the program's language, `pixels` high.
QFont CardFont(int pixels);

} // namespace zembra
