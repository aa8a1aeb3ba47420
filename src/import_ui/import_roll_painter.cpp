#include "import_ui/import_roll_painter.h"

#include "import/import_roll_state.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QFont>
#include <QPainter>

#include <vector>

namespace zembra {

namespace {

constexpr int kHintLines = 6;
constexpr int kHintSpacing = 15;
constexpr int kHintRise = 90;
constexpr int kHintIndent = 20;
constexpr int kHintPixelSize = 11;
// The cut lines are five keys long.
constexpr int kCutLineKeys = 5;

QColor mix(const QColor& a, const QColor& b, int percentOfB)
{
    const auto part = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
    return QColor(part(a.red(), b.red()), part(a.green(), b.green()), part(a.blue(), b.blue()));
}

} // namespace

ImportRollPainter::ImportRollPainter(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor highlight = palette.color(QPalette::Highlight);
    m_colours.background = base;
    m_colours.scaleBand = mix(base, highlight, 12);
    m_colours.barLine = mix(base, text, 25);
    m_colours.selectedOnScale = highlight;
    m_colours.selectedOffScale = mix(base, highlight, 45);
    m_colours.onScale = text;
    m_colours.offScale = mix(base, text, 45);
    m_colours.cutLine = mix(base, text, 70);
    m_colours.playLine = QColor(220, 30, 30);
    m_colours.hintText = mix(base, text, 60);
}

void ImportRollPainter::Paint(QPainter& painter, const ImportRollState& roll, int scale, QPoint origin, const QRect& target) const
{
    painter.save();
    painter.setClipRect(target);
    painter.translate(target.topLeft() - origin);
    const QRect visible(origin, target.size());
    const int height = ImportRollState::BitmapHeight(scale);
    painter.fillRect(visible, m_colours.background);

    // The band of keys from the box's lowest note to its highest.
    const std::vector<int>& boxNotes = roll.box.notes;
    if (!boxNotes.empty()) {
        const int bandTop = ImportRollState::TopAt(scale, boxNotes.back());
        const int bandBottom = ImportRollState::TopAt(scale, boxNotes.front()) + ImportRollState::kNoteHeight * scale;
        painter.fillRect(QRect(visible.left(), bandTop, visible.width(), bandBottom - bandTop), m_colours.scaleBand);
    }

    const int margin = ImportRollState::kLeftMargin * scale;
    const int bar = roll.barWidth() * scale;
    int first = (visible.left() - margin) / bar;
    if (first < 0) {
        first = 0;
    }
    for (int x = margin + first * bar; x <= visible.right(); x += bar) {
        painter.fillRect(QRect(x, 0, 1, height), m_colours.barLine);
    }

    const auto& notes = roll.at(scale);
    const int last = roll.end();
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (!note.isLive() || note.right < visible.left() || note.left > visible.right() ||
            note.bottom < visible.top() || note.top > visible.bottom()) {
            continue;
        }
        const QColor& colour = note.selected ? (note.onScale ? m_colours.selectedOnScale : m_colours.selectedOffScale)
                                             : (note.onScale ? m_colours.onScale : m_colours.offScale);
        painter.fillRect(QRect(note.left, note.top, note.right - note.left, note.bottom - note.top), colour);
    }

    const int lineLength = kCutLineKeys * ImportRollState::kKeyHeight * scale;
    for (const int x1 : roll.CutLines()) {
        const int x = x1 * scale;
        if (x < visible.left() || x > visible.right()) {
            continue;
        }
        painter.fillRect(QRect(x, ImportRollState::kTopMargin * scale, scale, lineLength), m_colours.cutLine);
        painter.fillRect(QRect(x, height - lineLength, scale, lineLength), m_colours.cutLine);
    }
    painter.restore();
}

void ImportRollPainter::PaintHints(QPainter& painter, int rollBottom) const
{
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(kHintPixelSize);
    painter.setFont(font);
    painter.setPen(m_colours.hintText);
    for (int line = 0; line < kHintLines; ++line) {
        painter.drawText(QPoint(ImportRollState::kLeftMargin + kHintIndent, rollBottom - kHintRise + line * kHintSpacing),
                         TextOf(str::kEditorHintRangePlay + line));
    }
    painter.restore();
}

} // namespace zembra
