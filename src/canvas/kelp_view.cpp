#include "canvas/kelp_view.h"
#include "canvas/clip_format.h"

#include "ui/command_ids.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "model/tempo_law.h"
#include "canvas/edit_commands.h"
#include "canvas/note_clip.h"
#include "canvas/playback_cursor.h"
#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"
#include "midi/sync_clock.h"
#include "model/song_tidy.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
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
constexpr int kLabelRise = 18;
constexpr int kLabelWidth = 30;
constexpr int kLabelHeight = 15;

} // namespace

QString PaneNumber(int value)
{
    return QString::asprintf("%5d", value);
}

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
    // Asking the clipboard can mean asking another program: remember the answer until it changes.
    QClipboard* clipboard = QApplication::clipboard();
    m_clipboardHasNotes = ClipboardHoldsNotes();
    connect(clipboard, &QClipboard::dataChanged, this, [this] {
        m_clipboardHasNotes = ClipboardHoldsNotes();
        emit stateChanged();
    });
    m_port = std::make_unique<MidiOutPort>(toolkit());
    m_playTimer = new QTimer(this);
    connect(m_playTimer, &QTimer::timeout, this, &CKelpView::OnPlaybackTimer);
    m_idleTimer = new QTimer(this);
    connect(m_idleTimer, &QTimer::timeout, this, &CKelpView::OnIdleTimer);
    ResetSong();
    UpdateScrollSizes();
}

CKelpView::~CKelpView() = default;

void CKelpView::ResetSong()
{
    m_song.ResetSong();
    m_keyNames.LoadKeyNames();
    m_mouse = MouseEditor{};
    m_preview = {};
    m_scrubSlots.clear();
    m_arrowMovePending = false;
    m_rangePlay = false;
    // The new song is the first state of the ring; it cannot be undone.
    RestartUndo();
    Repaint();
}

void CKelpView::RestartUndo()
{
    m_undo.ResetUndo();
    Snapshot();
}

void CKelpView::Snapshot()
{
    m_undo.Snapshot(m_song);
    emit stateChanged();
}

void CKelpView::Undo()
{
    if (m_playing) {
        return;
    }
    if (m_undo.Undo(m_song)) {
        Repaint();
    }
    emit stateChanged();
}

void CKelpView::Redo()
{
    if (m_playing) {
        return;
    }
    if (m_undo.Redo(m_song)) {
        Repaint();
    }
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

void CKelpView::setModified(bool modified)
{
    if (m_undo.modified() != modified) {
        m_undo.setModified(modified);
        emit stateChanged();
    }
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
    f.modified = m_undo.modified();
    f.canUndo = m_undo.canUndo();
    f.canRedo = m_undo.canRedo();
    f.clipboardHasNotes = m_clipboardHasNotes;
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
    case cmd::kUndo:
        Undo();
        break;
    case cmd::kRedo:
        Redo();
        break;
    case cmd::kCopy:
        CopySelection();
        break;
    case cmd::kCut:
        CutSelection();
        break;
    case cmd::kPaste:
        Paste();
        break;
    case cmd::kDuplicate:
        DuplicateSelection();
        break;
    case cmd::kClear:
        ClearSelection();
        break;
    case cmd::kQuantizeQuarter:
        QuantizeCommand(4);
        break;
    case cmd::kQuantize8th:
        QuantizeCommand(8);
        break;
    case cmd::kQuantize16th:
        QuantizeCommand(16);
        break;
    case cmd::kToggleSelectMode:
        m_song.toggleSelectMode = !m_song.toggleSelectMode;
        break;
    case cmd::kZoomMode:
        ToggleZoomMode(m_song);
        break;
    case cmd::kShiftAfterDragMode:
        ToggleShiftAfterDragMode(m_song);
        break;
    case cmd::kPlay:
        Play();
        break;
    case cmd::kStop:
        Stop();
        break;
    default:
        return false;
    }
    emit stateChanged();
    return true;
}

void CKelpView::ClearPressedFlag()
{
    m_mouse.CancelPress();
    m_preview = {};
}

void CKelpView::AfterEdit(bool snapshot)
{
    if (snapshot) {
        Snapshot();
    }
    Repaint();
    ClearPressedFlag();
    emit stateChanged();
}

bool CKelpView::CopySelection()
{
    const std::optional<NoteClip> clip = CollectSelection(m_song);
    if (!clip) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = EncodeClip(*clip);
    auto* data = new QMimeData;
    data->setData(QLatin1String(kNoteClipMimeType),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setMimeData(data);
    if (clipboard->mimeData() && clipboard->mimeData()->hasFormat(QLatin1String(kNoteClipMimeType))) {
        m_mouse.setPasteAnchorX(clip->smallestLeft + m_song.noteWidth);
        m_song.pasteStep = m_song.noteWidth;
        m_song.pasteOriginX = clip->smallestLeft;
    }
    emit stateChanged();
    return true;
}

void CKelpView::CutSelection()
{
    if (CopySelection()) {
        m_song.DeleteSelected();
        AfterEdit(true);
    }
}

void CKelpView::Paste()
{
    if (m_song.noteCount >= kMaxNotes) {
        return;
    }
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(QLatin1String(kNoteClipMimeType))) {
        return;
    }
    const QByteArray bytes = data->data(QLatin1String(kNoteClipMimeType));
    if (bytes.isEmpty()) {
        return;
    }
    const std::vector<std::uint32_t> entries =
        DecodeClip(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    PastePlacement placement{m_mouse.pasteAnchorX()};
    PasteNotes(m_song, entries, placement);
    m_mouse.setPasteAnchorX(placement.anchorX);
    AfterEdit(true);
}

void CKelpView::DuplicateSelection()
{
    if (m_song.selectedCount < 1) {
        return;
    }
    const DuplicateResult result = Duplicate(m_song);
    if (result.storeFull) {
        prompts().message(this, TextOf(str::kNoteLimit), QString(), Prompts::Icon::Warning);
    }
    AfterEdit(true);
}

void CKelpView::ClearSelection()
{
    const int before = m_song.selectedCount;
    m_song.DeleteSelected();
    AfterEdit(m_song.selectedCount != before);
}

void CKelpView::QuantizeCommand(int noteValue)
{
    const bool moved = QuantizeSelection(m_song, noteValue);
    if (moved) {
        Snapshot();
    }
    ToggleSnapMode(m_song, noteValue);
    AfterEdit(false);
}

void CKelpView::ArrowKey(int qtKey)
{
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
        if (m_arrowMovePending) {
            Snapshot();
            m_arrowMovePending = false;
        }
        return;
    }
    zembra::ArrowKey key;
    switch (qtKey) {
    case Qt::Key_Left:
        key = zembra::ArrowKey::Left;
        break;
    case Qt::Key_Right:
        key = zembra::ArrowKey::Right;
        break;
    case Qt::Key_Up:
        key = zembra::ArrowKey::Up;
        break;
    case Qt::Key_Down:
        key = zembra::ArrowKey::Down;
        break;
    default:
        return;
    }
    const Offset offset = ArrowOffset(m_song, key);
    if (ArrowMoveLeavesCanvas(m_song, offset)) {
        prompts().beep();
        const Prompts::Answer answer =
            prompts().ask(this, TextOf(str::kMoveClearsNotes), TextOf(str::kMoveCaption),
                          Prompts::Buttons::YesNo, Prompts::Answer::No, Prompts::Icon::Question);
        if (answer != Prompts::Answer::Yes) {
            return;
        }
    }
    MoveSelection(m_song, offset);
    m_arrowMovePending = true;
    Repaint();
}

Point CKelpView::ToCanvas(const QPoint& client) const
{
    return {ClientToCanvasX(client.x(), scrollX()), client.y()};
}

void CKelpView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (!viewport()->rect().contains(p) || m_playing) {
        return;
    }
    const Modifiers modifiers{(event->modifiers() & Qt::ShiftModifier) != 0,
                              (event->modifiers() & Qt::ControlModifier) != 0};
    m_mouse.Press(m_song, ToCanvas(p), {p.x(), p.y()}, modifiers, scrollX());
    m_preview = {};
    Repaint();
    emit stateChanged();
}

void CKelpView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_playing) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (m_mouse.pressed()) {
        const MouseEditor::Preview preview = m_mouse.Move(m_song, ToCanvas(p), {p.x(), p.y()});
        if (preview.kind == MouseEditor::Preview::Kind::None) {
            return;
        }
        m_preview = preview;
        SetPane(kPaneX, PaneNumber(preview.pane.x));
        SetPane(kPaneY, PaneNumber(preview.pane.y));
        viewport()->update();
        return;
    }
    Hover(p, event->modifiers());
}

void CKelpView::Hover(const QPoint& client, Qt::KeyboardModifiers modifiers)
{
    const Point canvas = ToCanvas(client);
    const bool scrubbing = (modifiers & Qt::ShiftModifier) && (modifiers & Qt::ControlModifier);
    if (scrubbing) {
        m_scrubSlots.clear();
        if (m_grid.ColumnMarked(canvas.x)) {
            for (int row = 0; row < m_song.rowCount && row < kRowCount; ++row) {
                const int slot = m_grid.SlotAt(canvas.x, row);
                if (slot >= 0 && m_song.IsLive(slot) && m_song.notes[slot].left == canvas.x) {
                    m_scrubSlots.push_back(slot);
                    PreviewNote(m_song.notes[slot]);
                }
            }
        }
        viewport()->update();
        return;
    }
    if (!m_scrubSlots.empty()) {
        m_scrubSlots.clear();
        viewport()->update();
    }
    const int under = m_song.HitTest(canvas.x, canvas.y);
    if (under >= 0 && under != m_mouse.hoverIndex) {
        SendMusicBoxProgram();
        PreviewNote(m_song.notes[under]);
        viewport()->update();
    } else if (under < 0 && m_mouse.hoverIndex >= 0) {
        viewport()->update();
    }
    if (under >= 0) {
        SetPane(kPaneX, PaneNumber(m_song.notes[under].left));
        SetPane(kPaneY, PaneNumber(m_song.notes[under].top - kBandTop));
    } else {
        SetPane(kPaneX, PaneNumber(canvas.x));
        SetPane(kPaneY, PaneNumber(canvas.y - kBandTop));
    }
    m_mouse.hoverIndex = under;
}

void CKelpView::leaveEvent(QEvent* event)
{
    if (m_mouse.hoverIndex >= 0 || !m_scrubSlots.empty()) {
        m_mouse.hoverIndex = -1;
        m_scrubSlots.clear();
        viewport()->update();
    }
    QAbstractScrollArea::leaveEvent(event);
}

void CKelpView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const Point canvas = ToCanvas(p);
    if (event->button() == Qt::RightButton) {
        if (m_playing) {
            return;
        }
        const int slot = MouseEditor::CreateNote(m_song, canvas);
        if (slot == kNoFreeSlot) {
            prompts().message(this, TextOf(str::kNoteLimit), QString(), Prompts::Icon::Warning);
            return;
        }
        AfterEdit(true);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (m_playing && !m_rangePlay) {
        // A click during playback moves the start to the beat at or before it.
        const int x = PlaybackStartForClick(canvas.x, m_song.musicLength, m_song.pixelsPerQuarter, m_song.beatsPerBar);
        if (x >= 0) {
            RestartPlaybackAt(x);
        }
        return;
    }
    const MouseEditor::ReleaseOutcome outcome = m_mouse.Release(m_song, canvas, {p.x(), p.y()}, m_arrowMovePending);
    m_preview = {};
    if (outcome.modesCleared) {
        SilenceOutput();
        SendMusicBoxProgram();
    }
    if (outcome.rangePlay) {
        PlayRange(outcome.rangeFrom, outcome.rangeTo);
    }
    if (outcome.snapshot) {
        Snapshot();
    }
    if (outcome.shiftedOff > 0) {
        prompts().message(this, QString::asprintf("%d", outcome.shiftedOff) + QString::fromUtf8(kTextNotesOutside),
                          QString(), Prompts::Icon::Information);
    }
    Repaint();
    emit stateChanged();
}

void CKelpView::keyPressEvent(QKeyEvent* event)
{
    if (m_recording) {
        return; // keyboard recording takes the keys
    }
    if (m_song.selectedCount > 0 && !m_song.zoomMode && !m_song.shiftAfterDragMode && !m_mouse.pressed() && !m_playing) {
        ArrowKey(event->key());
        emit stateChanged();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CKelpView::paintEvent(QPaintEvent*)
{
    if (m_needsFullPaint || m_offscreen.size() != viewport()->size()) {
        PaintOffscreen();
    }
    QPainter painter(viewport());
    painter.drawImage(0, 0, m_offscreen);
    PaintOverlay(painter);
    PaintCursor(painter);
}

void CKelpView::DrawNoteName(QPainter& painter, const NoteRecord& note)
{
    painter.setFont(m_fonts.small);
    painter.setPen(m_colours.noteNameText);
    painter.drawText(QRect(CanvasToClientX(note.left, scrollX()), note.top - kLabelRise, kLabelWidth, kLabelHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     Utf8(note.name.view()));
}

void CKelpView::PaintOverlay(QPainter& painter)
{
    const int s = scrollX();
    using Kind = MouseEditor::Preview::Kind;
    if (m_mouse.pressed() && m_mouse.zoomDrag()) {
        const MouseEditor::Box box = m_mouse.zoomBox();
        painter.setPen(QPen(m_colours.edgeShadow, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(CanvasToClientX(box.left, s), box.top),
                               QPoint(CanvasToClientX(box.right, s), box.bottom)));
    }
    if (m_preview.kind == Kind::Notes) {
        for (const MouseEditor::PreviewTile& tile : m_preview.tiles) {
            painter.drawImage(CanvasToClientX(tile.left, s), tile.top, tile.selectedLook ? m_selectedTile : m_tile);
        }
        if (m_preview.noteValue != 0) {
            painter.setFont(m_fonts.small);
            painter.setPen(m_colours.noteNameText);
            painter.drawText(QRect(CanvasToClientX(m_preview.labelLeft, s), m_preview.labelTop, kLabelWidth, kLabelHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::asprintf("%2d", m_preview.noteValue));
        }
    } else if (m_preview.kind == Kind::Band) {
        painter.setPen(QPen(m_colours.labelText, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(m_preview.bandFrom.x, m_preview.bandFrom.y),
                               QPoint(m_preview.bandTo.x, m_preview.bandTo.y))
                             .normalized());
    }
    if (!m_mouse.pressed()) {
        const int hover = m_mouse.hoverIndex;
        if (hover >= 0 && hover < kMaxNotes && m_song.IsLive(hover)) {
            const NoteRecord& note = m_song.notes[hover];
            const QRect tile(CanvasToClientX(note.left, s), note.top, m_song.noteWidth, m_song.rowHeight);
            painter.setPen(note.selected ? m_colours.edgeHighlight : m_colours.edgeShadow);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(tile.adjusted(-1, -1, 0, 0));
            DrawNoteName(painter, note);
        }
        for (int slot : m_scrubSlots) {
            const NoteRecord& note = m_song.notes[slot];
            painter.fillRect(QRect(CanvasToClientX(note.left, s), note.top, m_song.noteWidth, m_song.rowHeight),
                             m_colours.noteNameText);
            DrawNoteName(painter, note);
        }
    }
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
        m_tile = QImage();
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
    SetPane(kPaneDistanceCheck, PaneNumber(m_song.distanceCheckMode ? DrawDistanceCheck(painter) : 0));
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

QImage CKelpView::TileImage(bool selected) const
{
    QImage tile(std::max(1, m_song.noteWidth), std::max(1, m_song.rowHeight), QImage::Format_RGB32);
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

void CKelpView::DrawTile(QPainter& painter, const NoteRecord& note, bool selected)
{
    const QImage& tile = selected ? m_selectedTile : m_tile;
    const int x = CanvasToClientX(note.left, scrollX());
    if (x + tile.width() < 0 || x > m_offscreen.width()) {
        return;
    }
    painter.drawImage(x, note.top, tile);
}

void CKelpView::PaintNotes(QPainter& painter)
{
    TidySong(m_song, m_grid);
    if (m_tile.size() != QSize(m_song.noteWidth, m_song.rowHeight) || m_tileColours != m_colours.background) {
        m_tile = TileImage(false);
        m_selectedTile = TileImage(true);
        m_tileColours = m_colours.background;
    }
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
    // Boxes first, names after: a face whose line is taller than a row must not be cut by the
    // next row's box.
    const int rows = std::min(m_song.rowCount, kRowCount);
    for (int r = 0; r < rows; ++r) {
        painter.fillRect(QRect(0, m_song.bandTopOfRow(r), kRowLabelMargin, m_song.rowHeight), m_colours.background);
    }
    for (int r = 0; r < rows; ++r) {
        const QRect box(0, m_song.bandTopOfRow(r), kRowLabelMargin, m_song.rowHeight);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, Utf8(m_song.rows[r].name.view()));
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
                     TextOf(str::kCanvasHint));
}

void CKelpView::WritePanes()
{
    SetPane(kPaneNoteCount, PaneNumber(m_song.noteCount));
    SetPane(kPaneTempo, PaneNumber(BeatsPerMinute(m_song.tempo)));
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

void CKelpView::ShowSplash()
{
    emit splashRequested();
}

bool CKelpView::ClipboardHoldsNotes()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(QLatin1String(kNoteClipMimeType));
}

} // namespace zembra
