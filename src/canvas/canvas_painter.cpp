#include "canvas/canvas_painter.h"
#include "canvas/close_hole_marks.h"

#include "model/canvas_geometry.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "services/qt_text.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace zembra {

namespace {

constexpr int kMaxGridPasses = 4;
constexpr int kHintX = 40;
constexpr int kAuthorX = 40;
constexpr int kKeyLabelX = 5;
constexpr int kKeyLabelWidth = 65;
constexpr int kKeyLabelGap = 55;
constexpr int kScaleBar = 5; // the bar-length scale sits under the fifth bar
constexpr int kLabelWidth = 30;
constexpr int kLabelHeight = 15;
constexpr int kCursorWidth = 4;
constexpr int kCountInY = 30;

} // namespace

CanvasPainter::CanvasPainter(const CanvasPalette& colours, const CanvasFonts& fonts)
    : m_colours(colours)
    , m_fonts(fonts)
{
}

void CanvasPainter::PaintGrid(QPainter& painter, const QImage& target, const CanvasScene& scene)
{
    for (int pass = 0; pass < kMaxGridPasses; ++pass) {
        if (PaintGridPass(painter, target, scene)) {
            return;
        }
    }
}

bool CanvasPainter::PaintGridPass(QPainter& painter, const QImage& target, const CanvasScene& scene)
{
    const SongState& song = scene.song;
    const int s = scene.scrollX;
    const int clientWidth = target.width();
    painter.fillRect(QRect(0, 0, clientWidth, target.height()), m_colours.background);
    const auto probe = [&target](int x, int y, const QColor& colour) {
        if (x < 0 || y < 0 || x >= target.width() || y >= target.height()) {
            return true; // off the client: nothing to read back
        }
        return target.pixelColor(x, y).rgb() == colour.rgb();
    };
    bool ok = true;
    const int left = CanvasToClientX(0, s);
    const int right = CanvasToClientX(song.canvasWidth, s);
    const int middle = CanvasToClientX(song.canvasWidth / 2, s);
    for (int i = 0; i <= song.rowCount; ++i) {
        const int y = (song.rowCount - i) * song.rowHeight + kBandTop;
        const bool cRow = i < song.rowCount && i < kMaxRows && song.rows[i].isC;
        const QColor& colour = cRow ? m_colours.cRowLine : m_colours.rowLine;
        painter.fillRect(QRect(QPoint(left, y), QPoint(right, y)), colour);
        ok = ok && probe(middle, y, colour);
    }
    const int bar = song.barWidth();
    if (song.pixelsPerQuarter > 0) {
        const int firstVisible = std::max(0, (s - kRowLabelMargin) / song.pixelsPerQuarter * song.pixelsPerQuarter);
        const int lastVisible = std::min(song.canvasWidth, ClientToCanvasX(clientWidth, s));
        for (int x = firstVisible; x <= lastVisible; x += song.pixelsPerQuarter) {
            const bool barLine = bar > 0 && x % bar == 0;
            const QColor& colour = barLine ? m_colours.rowLine : m_colours.beatLine;
            const int cx = CanvasToClientX(x, s);
            painter.fillRect(QRect(QPoint(cx, kBandTop), QPoint(cx, song.bandBottom())), colour);
            ok = ok && probe(cx, std::min(kPixelCheckY, song.bandBottom() - 1), colour);
        }
    }
    if (bar > 0) {
        painter.setFont(m_fonts.barNumbers);
        painter.setPen(m_colours.labelText);
        const int firstBar = std::max(1, (s - kRowLabelMargin - kBarNumberBoxWidth) / bar);
        for (int k = firstBar; k <= song.barCount; ++k) {
            const int centre = CanvasToClientX((k - 1) * bar + bar / 2, s);
            if (centre - kBarNumberBoxWidth / 2 > clientWidth) {
                break;
            }
            painter.drawText(QRect(centre - kBarNumberBoxWidth / 2, kBarNumberTop, kBarNumberBoxWidth,
                                   kBandTop - kBarNumberTop),
                             Qt::AlignHCenter | Qt::AlignVCenter, QString::asprintf("%2d", k));
        }
    }
    return ok;
}

void CanvasPainter::PaintTexts(QPainter& painter, const CanvasScene& scene)
{
    const SongState& song = scene.song;
    const int s = scene.scrollX;
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    painter.setFont(m_fonts.title);
    painter.drawText(QRect(CanvasToClientX(0, s), kTitleY, 4000, 40), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(song.title));
    painter.setFont(m_fonts.small);
    const QString authorLine = QString::fromStdString(song.author) + QStringLiteral("   (") +
                               QString::fromUtf8(kTextMakingCard) + QStringLiteral(")");
    painter.drawText(QRect(kAuthorX - s, song.bandBottom() + kAuthorLineGap, 4000, 30), Qt::AlignLeft | Qt::AlignTop, authorLine);
    if (song.barLengthMm != 0) {
        const int bar = song.barWidth();
        const int from = CanvasToClientX((kScaleBar - 1) * bar, s);
        const int to = CanvasToClientX(kScaleBar * bar, s);
        const int y = song.rowHeight + song.bandBottom();
        painter.fillRect(QRect(QPoint(from, y), QPoint(to, y)), m_colours.rowLine);
        const QFontMetrics metrics(m_fonts.small);
        const int textTop = y - metrics.height();
        painter.drawText(QRect(from, textTop, to - from, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                         QString::asprintf("%d mm", song.barLengthMm));
    }
}

QImage CanvasPainter::TileImage(const SongState& song, bool selected) const
{
    QImage tile(std::max(1, song.noteWidth), std::max(1, song.rowHeight), QImage::Format_RGB32);
    QPainter painter(&tile);
    const QRect r = tile.rect();
    painter.fillRect(r, selected ? m_colours.selectedFace : m_colours.noteFace);
    // Raised tiles are lit from the top left; selected ones look pressed in.
    const QColor& topLeft = selected ? m_colours.edgeShadow : m_colours.edgeHighlight;
    const QColor& bottomRight = selected ? m_colours.edgeHighlight : m_colours.edgeShadow;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    return tile;
}

void CanvasPainter::DrawTile(QPainter& painter, const NoteRecord& note, bool selected, int scrollX, int clientWidth)
{
    const QImage& tile = selected ? m_selectedTile : m_tile;
    const int x = CanvasToClientX(note.left, scrollX);
    if (x + tile.width() < 0 || x > clientWidth) {
        return;
    }
    painter.drawImage(x, note.top, tile);
}

void CanvasPainter::PaintNotes(QPainter& painter, const CanvasScene& scene, int clientWidth)
{
    const SongState& song = scene.song;
    if (m_tile.size() != QSize(song.noteWidth, song.rowHeight) || m_tileColours != m_colours.background) {
        m_tile = TileImage(song, false);
        m_selectedTile = TileImage(song, true);
        m_tileColours = m_colours.background;
    }
    const int end = song.UsedEnd();
    for (int pass = 0; pass < 2; ++pass) {
        const bool selected = pass == 1;
        for (int i = 0; i < end; ++i) {
            const NoteRecord& note = song.notes[i];
            if (song.IsLive(i) && (note.selected != 0) == selected) {
                DrawTile(painter, note, selected, scene.scrollX, clientWidth);
            }
        }
    }
}

void CanvasPainter::PaintRowNames(QPainter& painter, const CanvasScene& scene)
{
    const SongState& song = scene.song;
    painter.setFont(m_fonts.small);
    painter.setPen(m_colours.labelText);
    // Boxes first, names after: a face whose line is taller than a row must not be cut by the
    // next row's box.
    const int rows = std::min(song.rowCount, kMaxRows);
    for (int r = 0; r < rows; ++r) {
        painter.fillRect(QRect(0, song.bandTopOfRow(r), kRowLabelMargin, song.rowHeight), m_colours.background);
    }
    for (int r = 0; r < rows; ++r) {
        const QRect box(0, song.bandTopOfRow(r), kRowLabelMargin, song.rowHeight);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, Utf8(song.rows[r].name.view()));
    }
    const int key = KeyNames::KeyIndex(song.temporaryTransposition);
    const QRect keyBox(kKeyLabelX, song.rowCount * song.rowHeight + kKeyLabelGap, kKeyLabelWidth,
                       QFontMetrics(m_fonts.small).height());
    painter.fillRect(keyBox, m_colours.background);
    painter.drawText(keyBox, Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("( = ") +
                         QString::fromStdString(scene.keyNames.keys[static_cast<std::size_t>(key)]) +
                         QStringLiteral(" )"));
}

void CanvasPainter::PaintHint(QPainter& painter, const CanvasScene& scene)
{
    painter.setFont(m_fonts.title);
    painter.setPen(m_colours.noteNameText);
    painter.drawText(QRect(kHintX, scene.song.rowHeight * 8 + kBandTop, 4000, 200), Qt::AlignLeft | Qt::AlignTop,
                     TextOf(str::kCanvasHint));
}

void CanvasPainter::PaintCursor(QPainter& painter, int clientX, int canvasX, int pixelsPerQuarter)
{
    const int ppq = pixelsPerQuarter;
    if (canvasX < 0 && ppq > 0) {
        const int left = -canvasX / ppq;
        painter.setFont(m_fonts.title);
        painter.setPen(m_colours.noteNameText);
        painter.drawText(QRect(40 - 10 * left, kCountInY, 30, kBandTop - kCountInY), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(left));
        return;
    }
    painter.fillRect(QRect(clientX, kBandTop - kCursorWidth / 2, ppq, kCursorWidth), m_colours.noteNameText);
}

void CanvasPainter::PaintZoomBox(QPainter& painter, const MouseEditor::Box& box, int scrollX)
{
    painter.setPen(QPen(m_colours.edgeShadow, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(CanvasToClientX(box.left, scrollX), box.top),
                           QPoint(CanvasToClientX(box.right, scrollX), box.bottom)));
}

void CanvasPainter::PaintPreview(QPainter& painter, const MouseEditor::Preview& preview, int scrollX)
{
    using Kind = MouseEditor::Preview::Kind;
    if (preview.kind == Kind::Notes) {
        for (const MouseEditor::PreviewTile& tile : preview.tiles) {
            painter.drawImage(CanvasToClientX(tile.left, scrollX), tile.top, tile.selectedLook ? m_selectedTile : m_tile);
        }
        if (preview.noteValue != 0) {
            painter.setFont(m_fonts.small);
            painter.setPen(m_colours.noteNameText);
            painter.drawText(QRect(CanvasToClientX(preview.labelLeft, scrollX), preview.labelTop, kLabelWidth, kLabelHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::asprintf("%2d", preview.noteValue));
        }
    } else if (preview.kind == Kind::Band) {
        painter.setPen(QPen(m_colours.labelText, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(preview.bandFrom.x, preview.bandFrom.y), QPoint(preview.bandTo.x, preview.bandTo.y))
                             .normalized());
    }
}

void CanvasPainter::PaintHover(QPainter& painter, const NoteRecord& note, const CanvasScene& scene)
{
    const QRect tile(CanvasToClientX(note.left, scene.scrollX), note.top, scene.song.noteWidth, scene.song.rowHeight);
    painter.setPen(note.selected ? m_colours.edgeHighlight : m_colours.edgeShadow);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(tile.adjusted(-1, -1, 0, 0));
    DrawNoteName(painter, note, scene.scrollX);
}

void CanvasPainter::PaintScrubbed(QPainter& painter, const NoteRecord& note, const CanvasScene& scene)
{
    painter.fillRect(QRect(CanvasToClientX(note.left, scene.scrollX), note.top, scene.song.noteWidth, scene.song.rowHeight),
                     m_colours.noteNameText);
    DrawNoteName(painter, note, scene.scrollX);
}

void CanvasPainter::DrawNoteName(QPainter& painter, const NoteRecord& note, int scrollX)
{
    painter.setFont(m_fonts.small);
    painter.setPen(m_colours.noteNameText);
    painter.drawText(QRect(CanvasToClientX(note.left, scrollX), note.top - kLabelRise, kLabelWidth, kLabelHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, Utf8(note.name.view()));
}

void CanvasPainter::PaintCloseHoleMarks(QPainter& painter, const CanvasScene& scene)
{
    if (scene.checkList != nullptr) {
        DrawCloseHoleMarks(painter, *scene.checkList, scene.minHoleDistance, scene.song.rowHeight, scene.scrollX,
                           m_colours.edgeShadow);
    }
}

} // namespace zembra
