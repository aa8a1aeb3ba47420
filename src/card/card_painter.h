#pragma once

#include "card/card_geometry.h"
#include "card/card_layout.h"
#include "model/song_state.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <vector>

class QImage;
class QPainter;

namespace zembra {

// What a page shows besides the song: the background picture and the title colour.
struct CardLook {
    const QImage* background = nullptr;
    QColor textColour{50, 50, 50};
    QString title;
    QString author; // empty: no author line
};

// Draws pages of the card onto any paint device: printer, preview, PDF, image. Positions come
// from the card geometry; the painter only turns them into pens, brushes and text.
class CardPainter {
public:
    CardPainter(const SongState& song, const CardGeometry& geometry, const std::vector<PrintNote>& printList,
                const CardLook& look);

    // Where the device can be read back (an image), each line and mark is checked after drawing.
    void setReadBack(const QImage* image) { m_readBack = image; }
    // Marks on paper are counted; a preview does not count.
    void setCountMarks(bool count) { m_countMarks = count; }

    void PaintPage(QPainter& painter, int page);

    int marksDrawn() const { return m_marksDrawn; }
    bool drawFailed() const { return m_drawFailed; }

private:
    void DrawBackground(QPainter& painter, int page, const std::vector<StripPlan>& strips);
    void DrawRowLabels(QPainter& painter, int lead, int y0);
    void DrawRuling(QPainter& painter, int x0, int y0, int n);
    void DrawMarks(QPainter& painter, const StripPlan& strip, int y0);
    void DrawStartArrow(QPainter& painter, int x, int y0);
    void DrawTitleBlock(QPainter& painter, int x, int y0);
    void BlankAfterStrip(QPainter& painter, int x, int y0);
    void Line(QPainter& painter, const QPen& pen, int x1, int y1, int x2, int y2);
    void Check(int x, int y, const QColor& colour);
    QColor Ink(const QColor& colour) const;

    const SongState& m_song;
    const CardGeometry& m_geometry;
    const std::vector<PrintNote>& m_list;
    CardLook m_look;
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
