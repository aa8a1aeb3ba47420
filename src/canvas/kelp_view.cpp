#include "canvas/kelp_view.h"
#include "canvas/clip_format.h"

#include "app/command_ids.h"
#include "app/string_ids.h"
#include "app/strings.h"
#include "model/song_tidy.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

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

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString formatNumber(int value)
{
    return QString::asprintf("%5d", value);
}

} // namespace

CKelpView::CKelpView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The canvas jumps to the new place only when the scroll box is let go.
    horizontalScrollBar()->setTracking(false);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_colours = CanvasPalette::FromPalette(palette());
    m_fonts = CanvasFonts::Create();
    ResetSong();
    UpdateScrollSizes();
}

CKelpView::~CKelpView() = default;

void CKelpView::ResetSong()
{
    m_song.ResetSong();
    m_keyNames.LoadKeyNames();
    m_modified = false;
    Repaint();
    emit stateChanged();
}

void CKelpView::UpdateScrollSizes()
{
    const ScrollSizes sizes = ComputeScrollSizes(m_song, viewport()->width());
    if (!sizes.valid) {
        return;
    }
    m_song.canvasWidth = sizes.canvasWidth;
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, sizes.totalWidth - viewport()->width()));
    bar->setPageStep(std::max(1, sizes.page));
    bar->setSingleStep(std::max(1, sizes.line));
    Repaint();
}

void CKelpView::Repaint()
{
    m_needsFullPaint = true;
    viewport()->update();
}

int CKelpView::scrollX() const
{
    return horizontalScrollBar()->value();
}

void CKelpView::setScrollX(int x)
{
    horizontalScrollBar()->setValue(x);
}

ViewFacts CKelpView::facts() const
{
    ViewFacts f;
    f.selectedCount = m_song.selectedCount;
    f.noteCount = m_song.noteCount;
    f.playing = m_playing;
    f.recording = m_recording;
    f.modified = m_modified;
    f.snapQuarter = m_song.snapQuarter != 0;
    f.snap8th = m_song.snap8th != 0;
    f.snap16th = m_song.snap16th != 0;
    f.toggleSelectMode = m_song.toggleSelectMode != 0;
    f.zoomMode = m_song.zoomMode != 0;
    f.shiftAfterDragMode = m_song.shiftAfterDragMode != 0;
    f.distanceCheckMode = m_song.distanceCheckMode != 0;
    return f;
}

bool CKelpView::OnCommand(int commandId)
{
    if (!StateOf(commandId, facts()).enabled) {
        return false;
    }
    switch (commandId) {
    case cmd::kSelectAll:
        m_song.SelectAll();
        Repaint();
        break;
    default:
        return false;
    }
    emit stateChanged();
    return true;
}

void CKelpView::paintEvent(QPaintEvent*)
{
    if (m_needsFullPaint || m_offscreen.size() != viewport()->size()) {
        PaintOffscreen();
    }
    QPainter painter(viewport());
    painter.drawImage(0, 0, m_offscreen);
}

void CKelpView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
}

void CKelpView::scrollContentsBy(int, int)
{
    Repaint();
}

void CKelpView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        m_colours = CanvasPalette::FromPalette(palette());
        Repaint();
    }
    QAbstractScrollArea::changeEvent(event);
}

void CKelpView::PaintOffscreen()
{
    const QSize size = viewport()->size().expandedTo(QSize(1, 1));
    if (m_offscreen.size() != size) {
        m_offscreen = QImage(size, QImage::Format_RGB32);
    }
    QPainter painter(&m_offscreen);
    Paint(painter);
    m_needsFullPaint = false;
}

void CKelpView::Paint(QPainter& painter)
{
    const int selectedBefore = m_song.selectedCount;
    const int notesBefore = m_song.noteCount;
    PaintGrid(painter);
    PaintTexts(painter);
    SetPane(kPaneDistanceCheck, formatNumber(m_song.distanceCheckMode ? DrawDistanceCheck(painter) : 0));
    MatchClockTempoToSong();
    PaintNotes(painter);
    PaintRowNames(painter);
    WritePanes();
    if (m_firstPaint) {
        PaintHint(painter);
        m_firstPaint = false;
        ShowSplash();
    }
    SendMusicBoxProgram();
    if (selectedBefore != m_song.selectedCount || notesBefore != m_song.noteCount) {
        emit stateChanged();
    }
}

void CKelpView::PaintGrid(QPainter& painter)
{
    // A busy display may drop lines; repaint the grid until a probe pixel on each line is right.
    for (int pass = 0; pass < kMaxGridPasses; ++pass) {
        if (PaintGridPass(painter)) {
            return;
        }
    }
}

bool CKelpView::PaintGridPass(QPainter& painter)
{
    const int s = scrollX();
    const int clientWidth = m_offscreen.width();
    painter.fillRect(QRect(0, 0, clientWidth, m_offscreen.height()), m_colours.background);
    const auto probe = [this](int x, int y, const QColor& colour) {
        if (x < 0 || y < 0 || x >= m_offscreen.width() || y >= m_offscreen.height()) {
            return true; // off the client: nothing to read back
        }
        return m_offscreen.pixelColor(x, y).rgb() == colour.rgb();
    };
    bool ok = true;
    const int left = CanvasToClientX(0, s);
    const int right = CanvasToClientX(m_song.canvasWidth, s);
    const int middle = CanvasToClientX(m_song.canvasWidth / 2, s);
    for (int i = 0; i <= m_song.rowCount; ++i) {
        const int y = (m_song.rowCount - i) * m_song.rowHeight + kBandTop;
        const bool cRow = i < m_song.rowCount && i < kRowCount && m_song.rows[i].isC;
        const QColor& colour = cRow ? m_colours.cRowLine : m_colours.rowLine;
        painter.fillRect(QRect(QPoint(left, y), QPoint(right, y)), colour);
        ok = ok && probe(middle, y, colour);
    }
    const int bar = m_song.barWidth();
    if (m_song.pixelsPerQuarter > 0) {
        const int firstVisible = std::max(0, (s - kRowLabelMargin) / m_song.pixelsPerQuarter * m_song.pixelsPerQuarter);
        const int lastVisible = std::min(m_song.canvasWidth, ClientToCanvasX(clientWidth, s));
        for (int x = firstVisible; x <= lastVisible; x += m_song.pixelsPerQuarter) {
            const bool barLine = bar > 0 && x % bar == 0;
            const QColor& colour = barLine ? m_colours.rowLine : m_colours.beatLine;
            const int cx = CanvasToClientX(x, s);
            painter.fillRect(QRect(QPoint(cx, kBandTop), QPoint(cx, kBandBottom)), colour);
            ok = ok && probe(cx, kPixelCheckY, colour);
        }
    }
    if (bar > 0) {
        painter.setFont(m_fonts.barNumbers);
        painter.setPen(m_colours.labelText);
        const int firstBar = std::max(1, (s - kRowLabelMargin - kBarNumberBoxWidth) / bar);
        for (int k = firstBar; k <= m_song.barCount; ++k) {
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

void CKelpView::PaintTexts(QPainter& painter)
{
    const int s = scrollX();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    painter.setFont(m_fonts.title);
    painter.drawText(QRect(CanvasToClientX(0, s), kTitleY, 4000, 40), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(m_song.title));
    painter.setFont(m_fonts.small);
    const QString authorLine = QString::fromStdString(m_song.author) + QStringLiteral("   (") +
                               QString::fromUtf8(kTextMakingCard) + QStringLiteral(")");
    painter.drawText(QRect(kAuthorX - s, kAuthorLineY, 4000, 30), Qt::AlignLeft | Qt::AlignTop, authorLine);
    if (m_song.barLengthMm != 0) {
        const int bar = m_song.barWidth();
        const int from = CanvasToClientX((kScaleBar - 1) * bar, s);
        const int to = CanvasToClientX(kScaleBar * bar, s);
        const int y = m_song.rowHeight + kBandBottom;
        painter.fillRect(QRect(QPoint(from, y), QPoint(to, y)), m_colours.rowLine);
        const QFontMetrics metrics(m_fonts.small);
        const int textTop = y - metrics.height();
        painter.drawText(QRect(from, textTop, to - from, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                         QString::asprintf("%d mm", m_song.barLengthMm));
    }
}

void CKelpView::DrawTile(QPainter& painter, const NoteRecord& note, bool selected)
{
    const int s = scrollX();
    const QRect tile(CanvasToClientX(note.left, s), note.top, m_song.noteWidth, m_song.rowHeight);
    if (tile.right() < 0 || tile.left() > m_offscreen.width()) {
        return;
    }
    painter.fillRect(tile, selected ? m_colours.selectedFace : m_colours.noteFace);
    // Raised tiles are lit from the top left; selected ones look pressed in.
    const QColor& topLeft = selected ? m_colours.edgeShadow : m_colours.edgeHighlight;
    const QColor& bottomRight = selected ? m_colours.edgeHighlight : m_colours.edgeShadow;
    painter.fillRect(QRect(tile.left(), tile.top(), tile.width(), 1), topLeft);
    painter.fillRect(QRect(tile.left(), tile.top(), 1, tile.height()), topLeft);
    painter.fillRect(QRect(tile.left(), tile.bottom(), tile.width(), 1), bottomRight);
    painter.fillRect(QRect(tile.right(), tile.top(), 1, tile.height()), bottomRight);
}

void CKelpView::PaintNotes(QPainter& painter)
{
    TidySong(m_song, m_grid);
    const int end = m_song.UsedEnd();
    for (int pass = 0; pass < 2; ++pass) {
        const bool selected = pass == 1;
        for (int i = 0; i < end; ++i) {
            const NoteRecord& note = m_song.notes[i];
            if (m_song.IsLive(i) && (note.selected != 0) == selected) {
                DrawTile(painter, note, selected);
            }
        }
    }
}

void CKelpView::PaintRowNames(QPainter& painter)
{
    painter.setFont(m_fonts.small);
    painter.setPen(m_colours.labelText);
    for (int r = 0; r < m_song.rowCount && r < kRowCount; ++r) {
        const QRect box(0, m_song.bandTopOfRow(r), kRowLabelMargin, m_song.rowHeight);
        painter.fillRect(box, m_colours.background);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(m_song.rows[r].name.view().data(),
                                                                                  static_cast<qsizetype>(m_song.rows[r].name.view().size())));
    }
    const int key = KeyNames::KeyIndex(m_song.temporaryTransposition);
    const QRect keyBox(kKeyLabelX, m_song.rowCount * m_song.rowHeight + kKeyLabelGap, kKeyLabelWidth,
                       QFontMetrics(m_fonts.small).height());
    painter.fillRect(keyBox, m_colours.background);
    painter.drawText(keyBox, Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("( = ") + QString::fromStdString(m_keyNames.keys[static_cast<std::size_t>(key)]) +
                         QStringLiteral(" )"));
}

void CKelpView::PaintHint(QPainter& painter)
{
    painter.setFont(m_fonts.title);
    painter.setPen(m_colours.noteNameText);
    painter.drawText(QRect(kHintX, m_song.rowHeight * 8 + kBandTop, 4000, 200), Qt::AlignLeft | Qt::AlignTop,
                     fromUtf8(text(str::kCanvasHint)));
}

void CKelpView::WritePanes()
{
    SetPane(kPaneNoteCount, formatNumber(m_song.noteCount));
    const long long tempo = static_cast<long long>(m_song.tempo);
    SetPane(kPaneTempo, formatNumber(tempo > 0 ? static_cast<int>(60000000LL / tempo) : 0));
    const int key = KeyNames::KeyIndex(m_song.temporaryTransposition);
    SetPane(kPaneKey, QString::asprintf("%2d (", m_song.temporaryTransposition) +
                          QString::fromStdString(m_keyNames.pairs[static_cast<std::size_t>(key)]) + QStringLiteral(")"));
}

void CKelpView::SetPane(int pane, const QString& text)
{
    QString& slot = m_panes[static_cast<std::size_t>(pane)];
    if (slot != text) {
        slot = text;
        emit paneChanged(pane, text);
    }
}

int CKelpView::DrawDistanceCheck(QPainter&)
{
    return 0;
}

void CKelpView::MatchClockTempoToSong() {}

void CKelpView::SendMusicBoxProgram() {}

void CKelpView::ShowSplash()
{
    emit splashRequested();
}

bool CKelpView::clipboardHasNotes() const
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(QLatin1String(kNoteClipMimeType));
}

} // namespace zembra
