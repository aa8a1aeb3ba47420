#include "canvas/kelp_view.h"

#include "text/string_ids.h"
#include "text/strings.h"
#include "services/command_ids.h"
#include "services/paint_device_metrics.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "model/tempo_law.h"
#include "canvas/edit_commands.h"
#include "canvas/key_position.h"
#include "canvas/playback_cursor.h"
#include "model/song_tidy.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace zembra {

QString PaneNumber(int value)
{
    return QString::asprintf("%5d", value);
}

CKelpView::CKelpView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    // A client too short for the rows of the song's box (many rows on a short screen) scrolls down.
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The canvas jumps to the new place only when the scroll box is let go.
    horizontalScrollBar()->setTracking(false);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_colours = CanvasPalette::FromPalette(palette());
    m_fonts = CanvasFonts::Create();
    connect(&m_edits, &EditController::stateChanged, this, &CKelpView::stateChanged);
    connect(&m_edits, &EditController::songEdited, this, &CKelpView::songEdited);
    connect(&m_playback, &PlaybackController::stateChanged, this, &CKelpView::stateChanged);
    connect(&m_recorder, &RecordingController::stateChanged, this, &CKelpView::stateChanged);
    connect(&m_crank, &CrankController::stateChanged, this, &CKelpView::stateChanged);
    ResetSong();
    UpdateScrollSizes();
}

CKelpView::~CKelpView() = default;

void CKelpView::AttachToFrame(SyncClock* clock, OutputDeviceMenu* devices, InputDeviceMenu* inputs)
{
    m_recorder.SetMenu(inputs);
    m_playback.Attach(clock, devices);
    ResetSong();
}

void CKelpView::DetachFromFrame()
{
    m_playback.Detach();
    m_doc = nullptr;
}

void CKelpView::ResetSong()
{
    m_song.ResetSong();
    m_arranger.Forget();
    m_keyNames.LoadKeyNames();
    m_recorder.ResetKeys();
    m_playback.clearRangePlay();
    // The new song is the first state of the ring; it cannot be undone.
    TakeNewSong();
    Repaint();
}

void CKelpView::TakeNewSong()
{
    m_mouse = MouseEditor{};
    m_edits.RestartUndo();
}

void CKelpView::Refresh()
{
    Repaint();
    emit stateChanged();
}

void CKelpView::ForgetGestures()
{
    // A press or a scrub made on the song before cannot apply to the one now on the canvas: its
    // slots may be free or hold other notes (the edit controller drops a pending arrow move).
    ClearPressedFlag();
    m_mouse.hoverIndex = -1;
    m_scrubSlots.clear();
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
    UpdateVerticalRange();
    Repaint();
}

void CKelpView::UpdateVerticalRange()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, VerticalScrollRange(m_song, viewport()->height()));
    bar->setPageStep(std::max(1, viewport()->height()));
    bar->setSingleStep(std::max(1, m_song.rowHeight));
}

void CKelpView::Repaint()
{
    FollowRowCount();
    m_needsFullPaint = true;
    viewport()->update();
}

void CKelpView::FollowRowCount()
{
    // Every change of the song ends in a repaint: a box switch, an undo or redo across one, a
    // song opened or restored on another box.
    if (m_song.rowCount == m_shownRows) {
        return;
    }
    const int oldRows = std::exchange(m_shownRows, m_song.rowCount);
    UpdateVerticalRange();
    emit rowCountChanged(oldRows, m_shownRows);
}

int CKelpView::scrollX() const
{
    return horizontalScrollBar()->value();
}

void CKelpView::setScrollX(int x)
{
    horizontalScrollBar()->setValue(x);
}

int CKelpView::scrollY() const
{
    return verticalScrollBar()->value();
}

ViewFacts CKelpView::facts() const
{
    ViewFacts f;
    f.selectedCount = m_song.selectedCount;
    f.noteCount = m_song.noteCount;
    f.playing = playing();
    f.recording = recording();
    f.cranking = m_crank.active();
    f.modified = m_edits.modified();
    f.canUndo = m_edits.undoRing().canUndo();
    f.canRedo = m_edits.undoRing().canRedo();
    f.clipboardHasNotes = m_edits.clipboardHasNotes();
    f.snapQuarter = m_song.snapQuarter != 0;
    f.snap8th = m_song.snap8th != 0;
    f.snap16th = m_song.snap16th != 0;
    f.toggleSelectMode = m_song.toggleSelectMode != 0;
    f.zoomMode = m_song.zoomMode != 0;
    f.shiftAfterDragMode = m_song.shiftAfterDragMode != 0;
    f.distanceCheckMode = m_song.distanceCheckMode != 0;
    if (f.distanceCheckMode) {
        f.closeHoleCount = std::max(0, CountCloseHoles(m_song, CheckMetrics(), m_song.barLengthMm));
    }
    f.buttonDown = m_mouse.pressed();
    f.arrangeSourceKept = m_arranger.kept();
    return f;
}

Point CKelpView::ToCanvas(const QPoint& client) const
{
    return {ClientToCanvasX(client.x(), scrollX()), client.y() + scrollY()};
}

void CKelpView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (!viewport()->rect().contains(p) || playing()) {
        return;
    }
    const Modifiers modifiers{(event->modifiers() & Qt::ShiftModifier) != 0,
                              (event->modifiers() & Qt::ControlModifier) != 0};
    // The press may already change the selection: the arrow move before it is an undo step of
    // its own, and the click or drag the next.
    m_edits.SettleArrowMove();
    // The mouse editor's client points are the canvas's rows: the client scrolled down.
    m_mouse.Press(m_song, ToCanvas(p), {p.x(), p.y() + scrollY()}, modifiers, scrollX());
    m_preview = {};
    Repaint();
    emit stateChanged();
}

void CKelpView::mouseMoveEvent(QMouseEvent* event)
{
    if (playing()) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (m_mouse.pressed()) {
        const MouseEditor::Preview preview = m_mouse.Move(m_song, ToCanvas(p), {p.x(), p.y() + scrollY()});
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
            for (int row = 0; row < m_song.rowCount && row < kMaxRows; ++row) {
                const int slot = m_grid.SlotAt(canvas.x, row);
                if (slot >= 0 && m_song.IsLive(slot) && m_song.notes[slot].left == canvas.x) {
                    m_scrubSlots.push_back(slot);
                    m_playback.PreviewNote(m_song.notes[slot]);
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
        m_playback.SendMusicBoxProgram();
        m_playback.PreviewNote(m_song.notes[under]);
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
        if (playing()) {
            return;
        }
        m_edits.SettleArrowMove();
        const int slot = MouseEditor::CreateNote(m_song, canvas);
        if (slot == kNoFreeSlot) {
            prompts().message(this, TextOf(str::kNoteLimit), QString(), Prompts::Icon::Warning);
            return;
        }
        // A left press in progress stays: its release still ends it.
        m_edits.Snapshot();
        Repaint();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (playing() && !m_playback.rangePlay()) {
        // A click during playback moves the start to the beat at or before it.
        const int x = PlaybackStartForClick(canvas.x, m_song.musicLength, m_song.pixelsPerQuarter, m_song.beatsPerBar);
        if (x >= 0) {
            m_playback.RestartPlaybackAt(x);
        }
        return;
    }
    const MouseEditor::ReleaseOutcome outcome =
        m_mouse.Release(m_song, canvas, {p.x(), p.y() + scrollY()}, m_edits.arrowMovePending());
    m_preview = {};
    if (outcome.modesCleared) {
        m_playback.SilenceOutput();
        m_playback.SendMusicBoxProgram();
    }
    if (outcome.rangePlay) {
        m_playback.PlayRange(outcome.rangeFrom, outcome.rangeTo);
    }
    if (outcome.snapshot) {
        m_edits.Snapshot();
    }
    if (outcome.shiftedOff > 0) {
        prompts().message(this, QString::asprintf("%d", outcome.shiftedOff) + TextOf(str::kNotesPushedOff),
                          QString(), Prompts::Icon::Information);
    }
    Repaint();
    emit stateChanged();
}

void CKelpView::keyPressEvent(QKeyEvent* event)
{
    if (m_crank.Key(event->key())) {
        return;
    }
    if (recording()) {
        // Keyboard recording takes the keys; a held key repeats its press, and one press is one note.
        if (!event->isAutoRepeat()) {
            m_recorder.RecordKey(RecordingVirtualKey(NativeScanCodeSet(), event->nativeScanCode(), event->key()));
        }
        return;
    }
    if (m_song.selectedCount > 0 && !m_song.zoomMode && !m_song.shiftAfterDragMode && !m_mouse.pressed() && !playing()) {
        m_edits.ArrowKey(event->key());
        emit stateChanged();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CKelpView::wheelEvent(QWheelEvent* event)
{
    if (m_crank.Wheel(event->angleDelta().y())) {
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CKelpView::paintEvent(QPaintEvent*)
{
    if (m_needsFullPaint || m_offscreen.size() != OffscreenSize()) {
        PaintOffscreen();
    }
    QPainter painter(viewport());
    painter.drawImage(0, -scrollY(), m_offscreen);
    painter.translate(0, -scrollY());
    PaintOverlay(painter);
    if (m_playback.cursorShown()) {
        m_painter.PaintCursor(painter, m_playback.cursorX(), m_playback.cursorCanvasX(), m_song.pixelsPerQuarter);
    } else if (m_crank.cursorShown()) {
        m_painter.PaintCursor(painter, m_crank.cursorX(), m_crank.cursorCanvasX(), m_song.pixelsPerQuarter);
    }
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
        m_edits.Undo();
        break;
    case cmd::kRedo:
        m_edits.Redo();
        break;
    case cmd::kCopy:
        m_edits.CopySelection();
        break;
    case cmd::kCut:
        m_edits.CutSelection();
        break;
    case cmd::kPaste:
        m_edits.Paste();
        break;
    case cmd::kDuplicate:
        m_edits.DuplicateSelection();
        break;
    case cmd::kClear:
        m_edits.ClearSelection();
        break;
    case cmd::kQuantizeQuarter:
        m_edits.QuantizeCommand(4);
        break;
    case cmd::kQuantize8th:
        m_edits.QuantizeCommand(8);
        break;
    case cmd::kQuantize16th:
        m_edits.QuantizeCommand(16);
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
        m_playback.Play();
        break;
    case cmd::kStop:
        m_crank.End();
        if (m_playback.playing()) {
            m_playback.Stop();
        }
        break;
    case cmd::kCrank:
        m_crank.Toggle();
        break;
    case cmd::kDistanceCheck:
        m_song.distanceCheckMode = !m_song.distanceCheckMode;
        Repaint();
        break;
    case cmd::kMendCloseHoles:
        m_edits.MendCloseHoles();
        break;
    case cmd::kArrangeAgain:
        m_arranger.ArrangeAgain();
        break;
    case cmd::kSettings:
        m_importer.CanvasSettings();
        break;
    case cmd::kRecording:
        m_recorder.StartRecording();
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

CanvasScene CKelpView::Scene() const
{
    return {m_song, m_keyNames, scrollX()};
}

void CKelpView::PaintOverlay(QPainter& painter)
{
    const CanvasScene scene = Scene();
    if (m_mouse.pressed() && m_mouse.zoomDrag()) {
        m_painter.PaintZoomBox(painter, m_mouse.zoomBox(), scene.scrollX);
    }
    m_painter.PaintPreview(painter, m_preview, scene.scrollX);
    if (!m_mouse.pressed()) {
        const int hover = m_mouse.hoverIndex;
        if (hover >= 0 && hover < kMaxNotes && m_song.IsLive(hover)) {
            m_painter.PaintHover(painter, m_song.notes[hover], scene);
        }
        for (int slot : m_scrubSlots) {
            m_painter.PaintScrubbed(painter, m_song.notes[slot], scene);
        }
    }
}

void CKelpView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
}

void CKelpView::scrollContentsBy(int dx, int)
{
    // The off-screen copy holds every row: scrolling down only shows another part of it.
    if (dx != 0) {
        Repaint();
    } else {
        viewport()->update();
    }
}

void CKelpView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        m_colours = CanvasPalette::FromPalette(palette());
        m_painter.ForgetTiles();
        Repaint();
    }
    QAbstractScrollArea::changeEvent(event);
}

QSize CKelpView::OffscreenSize() const
{
    return QSize(viewport()->width(), viewport()->height() + verticalScrollBar()->maximum()).expandedTo(QSize(1, 1));
}

void CKelpView::PaintOffscreen()
{
    FollowRowCount();
    const QSize size = OffscreenSize();
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
    const CanvasScene scene = Scene();
    m_painter.PaintGrid(painter, m_offscreen, scene);
    m_painter.PaintTexts(painter, scene);
    SetPane(kPaneDistanceCheck, PaneNumber(m_song.distanceCheckMode ? DrawTooClose(painter) : 0));
    m_playback.MatchClockTempoToSong();
    TidySong(m_song, m_grid);
    m_painter.PaintNotes(painter, scene, m_offscreen.width());
    m_painter.PaintRowNames(painter, scene);
    WritePanes();
    if (m_firstPaint) {
        m_painter.PaintHint(painter, scene);
        m_firstPaint = false;
        emit splashRequested();
    }
    m_playback.SendMusicBoxProgram();
    if (selectedBefore != m_song.selectedCount || notesBefore != m_song.noteCount) {
        emit stateChanged();
    }
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

int CKelpView::DrawTooClose(QPainter& painter)
{
    // The hole-spacing check shades the notes that follow their row's previous note too closely
    // and gives their count.
    const PrintMetrics metrics = CheckMetrics();
    const int count = CountCloseHoles(m_song, metrics, m_checkList);
    CanvasScene scene = Scene();
    scene.checkList = &m_checkList;
    scene.minHoleDistance = MinHoleDistance(m_song, metrics);
    m_painter.PaintCloseHoleMarks(painter, scene);
    return count;
}

} // namespace zembra
