// The view's commands: each turns a menu, toolbar or key command into calls of the edit rules
// and the undo ring, then repaints.
#include "canvas/kelp_view.h"

#include "canvas/clip_format.h"
#include "canvas/edit_commands.h"
#include "canvas/hole_mend.h"
#include "canvas/note_clip.h"
#include "text/string_ids.h"
#include "ui/command_ids.h"
#include "ui/device_metrics.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace zembra {

void CKelpView::Undo()
{
    if (playing() || m_mouse.pressed()) {
        return;
    }
    SettleArrowMove();
    if (m_undo.Undo(m_song)) {
        Repaint();
        emit songEdited();
    }
    emit stateChanged();
}

void CKelpView::Redo()
{
    if (playing() || m_mouse.pressed()) {
        return;
    }
    SettleArrowMove();
    if (m_undo.Redo(m_song)) {
        Repaint();
        emit songEdited();
    }
    emit stateChanged();
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
        m_playback.Play();
        break;
    case cmd::kStop:
        m_playback.Stop();
        break;
    case cmd::kDistanceCheck:
        m_song.distanceCheckMode = !m_song.distanceCheckMode;
        Repaint();
        break;
    case cmd::kMendCloseHoles:
        MendCloseHoles();
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
        SettleArrowMove();
        m_song.DeleteSelected();
        AfterEdit(true);
    }
}

void CKelpView::Paste()
{
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
    // A full store takes nothing and changes nothing, not even the undo ring.
    const bool full = m_song.noteCount >= kMaxNotes;
    if (!full) {
        SettleArrowMove();
    }
    const PasteResult result = PasteNotes(m_song, entries, placement);
    if (!full) {
        m_mouse.setPasteAnchorX(placement.anchorX);
        AfterEdit(true);
    }
    if (result.leftOut > 0) {
        prompts().message(this,
                          TextOf(str::kNoteLimit) + '\n' +
                              TextOf(str::kPasteLeftOut).arg(result.leftOut).arg(entries.size()).arg(kMaxNotes),
                          QString(), Prompts::Icon::Warning);
    }
}

void CKelpView::DuplicateSelection()
{
    if (m_song.selectedCount < 1) {
        return;
    }
    SettleArrowMove();
    const DuplicateResult result = Duplicate(m_song);
    if (result.storeFull) {
        prompts().message(this, TextOf(str::kNoteLimit), QString(), Prompts::Icon::Warning);
    }
    AfterEdit(true);
}

void CKelpView::ClearSelection()
{
    SettleArrowMove();
    const int before = m_song.selectedCount;
    m_song.DeleteSelected();
    AfterEdit(m_song.selectedCount != before);
}

void CKelpView::MendCloseHoles()
{
    SettleArrowMove();
    const MendResult result = zembra::MendCloseHoles(m_song, MinHoleDistance(m_song, CheckMetrics()));
    AfterEdit(result.moved + result.removed > 0);
    prompts().message(this, TextOf(str::kMendResult).arg(result.moved).arg(result.removed), QString(),
                      Prompts::Icon::Information);
}

void CKelpView::QuantizeCommand(int noteValue)
{
    SettleArrowMove();
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
        SettleArrowMove();
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

bool CKelpView::ClipboardHoldsNotes()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(QLatin1String(kNoteClipMimeType));
}

} // namespace zembra
