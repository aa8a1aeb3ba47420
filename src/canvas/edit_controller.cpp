#include "canvas/edit_controller.h"

#include "canvas/clip_format.h"
#include "canvas/edit_commands.h"
#include "canvas/hole_mend.h"
#include "canvas/kelp_view.h"
#include "canvas/note_clip.h"
#include "text/string_ids.h"
#include "services/paint_device_metrics.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace zembra {

EditController::EditController(CKelpView& view)
    : m_view(view)
{
    // Asking the clipboard can mean asking another program: remember the answer until it changes.
    QClipboard* clipboard = QApplication::clipboard();
    m_clipboardHasNotes = ClipboardHoldsNotes();
    connect(clipboard, &QClipboard::dataChanged, this, [this] {
        m_clipboardHasNotes = ClipboardHoldsNotes();
        emit stateChanged();
    });
}

void EditController::RestartUndo()
{
    m_view.ForgetGestures();
    m_arrowMovePending = false;
    m_undo.ResetUndo();
    Snapshot();
}

void EditController::SettleArrowMove()
{
    if (m_arrowMovePending) {
        m_arrowMovePending = false;
        Snapshot();
    }
}

void EditController::Snapshot()
{
    m_undo.Snapshot(m_view.song());
    emit stateChanged();
    emit songEdited();
}

void EditController::setModified(bool modified)
{
    if (m_undo.modified() != modified) {
        m_undo.setModified(modified);
        emit stateChanged();
    }
    if (modified) {
        emit songEdited();
    }
}

void EditController::Undo()
{
    if (m_view.playing() || m_view.mouse().pressed()) {
        return;
    }
    SettleArrowMove();
    if (m_undo.Undo(m_view.song())) {
        m_view.Repaint();
        emit songEdited();
    }
    emit stateChanged();
}

void EditController::Redo()
{
    if (m_view.playing() || m_view.mouse().pressed()) {
        return;
    }
    SettleArrowMove();
    if (m_undo.Redo(m_view.song())) {
        m_view.Repaint();
        emit songEdited();
    }
    emit stateChanged();
}

void EditController::AfterEdit(bool snapshot)
{
    if (snapshot) {
        Snapshot();
    }
    m_view.Repaint();
    m_view.ClearPressedFlag();
    emit stateChanged();
}

bool EditController::CopySelection()
{
    const std::optional<NoteClip> clip = CollectSelection(m_view.song());
    if (!clip) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = EncodeClip(*clip);
    const std::vector<std::uint8_t> pitches = EncodeClipPitches(*clip);
    auto* data = new QMimeData;
    data->setData(QLatin1String(kNoteClipMimeType),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    data->setData(QLatin1String(kNotePitchesMimeType),
                  QByteArray(reinterpret_cast<const char*>(pitches.data()), static_cast<qsizetype>(pitches.size())));
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setMimeData(data);
    if (clipboard->mimeData() && clipboard->mimeData()->hasFormat(QLatin1String(kNoteClipMimeType))) {
        m_view.mouse().setPasteAnchorX(clip->smallestLeft + m_view.song().noteWidth);
        m_view.song().pasteStep = m_view.song().noteWidth;
        m_view.song().pasteOriginX = clip->smallestLeft;
    }
    emit stateChanged();
    return true;
}

void EditController::CutSelection()
{
    if (CopySelection()) {
        SettleArrowMove();
        m_view.song().DeleteSelected();
        AfterEdit(true);
    }
}

void EditController::Paste()
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
    // Notes copied by another program come without their pitches and land where they were.
    const QByteArray pitchBytes = data->data(QLatin1String(kNotePitchesMimeType));
    const std::vector<int> pitches =
        DecodeClipPitches(reinterpret_cast<const std::uint8_t*>(pitchBytes.constData()),
                          static_cast<std::size_t>(pitchBytes.size()), entries.size());
    PastePlacement placement{m_view.mouse().pasteAnchorX()};
    // A full store takes nothing and changes nothing, not even the undo ring.
    const bool full = m_view.song().noteCount >= kMaxNotes;
    if (!full) {
        SettleArrowMove();
    }
    const PasteResult result = PasteNotes(m_view.song(), entries, placement, pitches);
    if (!full) {
        m_view.mouse().setPasteAnchorX(placement.anchorX);
        AfterEdit(true);
    }
    m_view.SetPane(kPaneMessage,
                   result.notPlayable > 0 ? TextOf(str::kPasteNotPlayable).arg(result.notPlayable) : QString());
    if (result.leftOut > 0) {
        prompts().message(&m_view,
                          TextOf(str::kNoteLimit) + '\n' +
                              TextOf(str::kPasteLeftOut).arg(result.leftOut).arg(entries.size()).arg(kMaxNotes),
                          QString(), Prompts::Icon::Warning);
    }
}

void EditController::DuplicateSelection()
{
    if (m_view.song().selectedCount < 1) {
        return;
    }
    SettleArrowMove();
    const DuplicateResult result = Duplicate(m_view.song());
    if (result.storeFull) {
        prompts().message(&m_view, TextOf(str::kNoteLimit), QString(), Prompts::Icon::Warning);
    }
    AfterEdit(true);
}

void EditController::ClearSelection()
{
    SettleArrowMove();
    const int before = m_view.song().selectedCount;
    m_view.song().DeleteSelected();
    AfterEdit(m_view.song().selectedCount != before);
}

void EditController::MendCloseHoles()
{
    SettleArrowMove();
    const MendResult result = zembra::MendCloseHoles(m_view.song(), MinHoleDistance(m_view.song(), CheckMetrics()));
    AfterEdit(result.moved + result.removed > 0);
    prompts().message(&m_view, TextOf(str::kMendResult).arg(result.moved).arg(result.removed), QString(),
                      Prompts::Icon::Information);
}

void EditController::QuantizeCommand(int noteValue)
{
    SettleArrowMove();
    const bool moved = QuantizeSelection(m_view.song(), noteValue);
    if (moved) {
        Snapshot();
    }
    ToggleSnapMode(m_view.song(), noteValue);
    AfterEdit(false);
}

void EditController::ArrowKey(int qtKey)
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
    const Offset offset = ArrowOffset(m_view.song(), key);
    if (ArrowMoveLeavesCanvas(m_view.song(), offset)) {
        prompts().beep();
        const Prompts::Answer answer =
            prompts().ask(&m_view, TextOf(str::kMoveClearsNotes), TextOf(str::kMoveCaption),
                          Prompts::Buttons::YesNo, Prompts::Answer::No, Prompts::Icon::Question);
        if (answer != Prompts::Answer::Yes) {
            return;
        }
    }
    MoveSelection(m_view.song(), offset);
    m_arrowMovePending = true;
    m_view.Repaint();
}

bool EditController::ClipboardHoldsNotes()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(QLatin1String(kNoteClipMimeType));
}

} // namespace zembra
