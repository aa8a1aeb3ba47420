#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QRect>

class QPainter;

namespace zembra {

struct ImportRollState;

// Paints any part of the piano roll at either scale straight from the roll, so that nothing as
// wide as the whole song is ever held in memory.
class ImportRollPainter {
public:
    struct Colours {
        QColor background;
        QColor scaleBand;
        QColor barLine;
        QColor selectedOnScale;
        QColor selectedOffScale;
        QColor onScale;
        QColor offScale;
        QColor cutLine;
        QColor playLine;
        QColor hintText;
    };

    explicit ImportRollPainter(const QPalette& palette);
    const Colours& colours() const { return m_colours; }

    // Paints the roll pixels at `scale` that start at `origin` into `target` of the painter.
    void Paint(QPainter& painter, const ImportRollState& roll, int scale, QPoint origin, const QRect& target) const;
    // The six hint lines, 15 pixels apart from 90 pixels above `rollBottom`.
    void PaintHints(QPainter& painter, int rollBottom) const;

private:
    Colours m_colours;
};

} // namespace zembra
