#pragma once

#include "canvas/undo_ring.h"

#include <QObject>

namespace zembra {

class CKelpView;

// The edits that are not mouse gestures, and what they keep: the undo ring, the clipboard and an
// arrow move not yet recorded. Each command calls the edit rules on the view's song, then records
// one undo step and repaints.
class EditController : public QObject {
    Q_OBJECT

public:
    explicit EditController(CKelpView& view);

    // Records the song as the newest undo step.
    void Snapshot();
    // Neither acts while playing or while a left-button press is in progress.
    void Undo();
    void Redo();
    const UndoRing& undoRing() const { return m_undo; }
    // Empties the undo ring and makes the current song its first state (after a file lands);
    // whatever the mouse or the arrow keys had begun on the old song is dropped.
    void RestartUndo();
    // Set at the first real edit after the song was started, opened or saved.
    bool modified() const { return m_undo.modified(); }
    void setModified(bool modified);
    // Records an arrow move not yet recorded as an undo step of its own, before another edit
    // changes the song.
    void SettleArrowMove();
    // An arrow move not yet recorded; a click's release records it with the click.
    bool& arrowMovePending() { return m_arrowMovePending; }
    bool clipboardHasNotes() const { return m_clipboardHasNotes; }

    bool CopySelection();
    void CutSelection();
    void Paste();
    void DuplicateSelection();
    void ClearSelection();
    void QuantizeCommand(int noteValue);
    // Moves the notes the hole-spacing check flags by octaves, or deletes them; one undo step.
    void MendCloseHoles();
    void ArrowKey(int qtKey);

signals:
    void stateChanged();
    void songEdited();

private:
    void AfterEdit(bool snapshot);
    static bool ClipboardHoldsNotes();

    CKelpView& m_view;
    UndoRing m_undo;
    bool m_arrowMovePending = false;
    bool m_clipboardHasNotes = false;
};

} // namespace zembra
