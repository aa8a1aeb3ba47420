#include "canvas/mouse_editor.h"

#include "model/canvas_geometry.h"
#include "canvas/edit_commands.h"

#include <algorithm>
#include <cstdlib>

namespace zembra {

int ScaledLeft(int left, int anchor, int span, int x)
{
    if (span == 0) {
        return left;
    }
    const float factor = static_cast<float>(x - anchor) / static_cast<float>(span);
    return anchor + static_cast<int>(static_cast<float>(std::abs(left - anchor)) * factor);
}

int MouseEditor::CreateNote(SongState& song, Point canvas)
{
    song.DeselectAll();
    const int slot = song.AllocateNote(canvas.x, canvas.y);
    if (slot == kNoFreeSlot) {
        return kNoFreeSlot;
    }
    song.notes[slot].selected = 0;
    GridSnap(song, slot);
    if (song.NormaliseNote(slot)) {
        ++song.noteCount;
    }
    return slot;
}

void MouseEditor::Press(SongState& song, Point canvas, Point client, Modifiers modifiers, int scrollX)
{
    m_pressPoint = canvas;
    m_pressClient = client;
    m_lastMove = client;
    song.savedScroll = {scrollX, 0};
    m_hitIndex = -1;
    m_pressOnNote = false;
    m_zoomDrag = false;
    m_additive = modifiers.shift || song.toggleSelectMode;
    m_ctrl = modifiers.ctrl || song.zoomMode;
    m_selectedAtPress = song.selectedCount;

    const int hit = song.HitTest(canvas.x, canvas.y);
    if (hit >= 0) {
        m_hitIndex = hit;
        m_pressOnNote = true;
        if (song.notes[hit].selected) {
            if (m_ctrl && song.selectedCount >= 2) {
                m_zoomDrag = PrepareScaling(song);
            }
        } else if (!m_additive) {
            song.DeselectAll();
        }
    } else if (!m_additive && !m_ctrl) {
        song.DeselectAll();
    }
    m_pressed = true;
}

bool MouseEditor::PrepareScaling(const SongState& song)
{
    Box box{song.canvasWidth, song.bandBottom(), 0, 0};
    bool any = false;
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        const NoteRecord& n = song.notes[i];
        if (song.IsLive(i) && n.selected) {
            box.left = std::min(box.left, n.left);
            box.top = std::min(box.top, n.top);
            box.right = std::max(box.right, n.right);
            box.bottom = std::max(box.bottom, n.bottom);
            any = true;
        }
    }
    if (!any) {
        return false;
    }
    m_zoomBox = box;
    const int a = m_pressPoint.x;
    // The end of the selection farther from the press stays where it is.
    m_zoomAnchor = (box.right - a) >= (a - box.left) ? box.right - song.noteWidth : box.left;
    m_zoomSpan = std::abs(a - m_zoomAnchor);
    return m_zoomSpan != 0;
}

MouseEditor::Preview MouseEditor::Move(const SongState& song, Point canvas, Point client)
{
    Preview preview;
    if (!m_pressed || client == m_lastMove) {
        return preview;
    }
    m_lastMove = client;
    if (!m_pressOnNote) {
        preview.kind = Preview::Kind::Band;
        preview.bandFrom = m_pressClient;
        preview.bandTo = client;
        preview.pane = {canvas.x, canvas.y - kBandTop};
        return preview;
    }
    preview.kind = Preview::Kind::Notes;
    const int dx = client.x - m_pressClient.x;
    const int dy = client.y - m_pressClient.y;
    const NoteRecord& hit = song.notes[m_hitIndex];
    if (hit.selected) {
        const int end = song.UsedEnd();
        for (int i = 0; i < end; ++i) {
            const NoteRecord& n = song.notes[i];
            if (!song.IsLive(i) || !n.selected) {
                continue;
            }
            if (m_zoomDrag) {
                preview.tiles.push_back({ScaledLeft(n.left, m_zoomAnchor, m_zoomSpan, canvas.x), n.top, true});
            } else {
                preview.tiles.push_back({n.left + dx, n.top + dy, true});
            }
        }
    } else {
        preview.tiles.push_back({hit.left + dx, hit.top + dy, false});
    }
    const int wouldBeLeft = hit.left + (canvas.x - m_pressPoint.x);
    preview.noteValue = NoteValueAt(wouldBeLeft, song.pixelsPerQuarter);
    preview.labelLeft = wouldBeLeft;
    preview.labelTop = hit.top + dy - kLabelRise;
    preview.pane = {hit.left + dx, hit.top + dy - kBandTop};
    return preview;
}

void MouseEditor::ApplyDrag(SongState& song)
{
    const int dx = m_releasePoint.x - m_pressPoint.x;
    const int dy = m_releasePoint.y - m_pressPoint.y;
    auto moveNote = [&](int i) {
        NoteRecord& n = song.notes[i];
        n.left += dx;
        n.top += dy;
        n.right = n.left + song.noteWidth;
        n.bottom = n.top + song.rowHeight;
        GridSnap(song, i);
        song.NormaliseNote(i);
    };
    if (song.notes[m_hitIndex].selected) {
        if (m_zoomDrag) {
            ApplyScaling(song, m_releasePoint.x);
            return;
        }
        const int end = song.UsedEnd();
        for (int i = 0; i < end; ++i) {
            if (song.IsLive(i) && song.notes[i].selected) {
                moveNote(i);
            }
        }
    } else {
        moveNote(m_hitIndex);
    }
}

void MouseEditor::ApplyScaling(SongState& song, int x)
{
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        NoteRecord& n = song.notes[i];
        if (song.IsLive(i) && n.selected) {
            n.left = ScaledLeft(n.left, m_zoomAnchor, m_zoomSpan, x);
            n.right = n.left + song.noteWidth;
        }
    }
}

void MouseEditor::SelectInBand(SongState& song, bool toggle)
{
    const int left = std::min(m_pressPoint.x, m_releasePoint.x);
    const int right = std::max(m_pressPoint.x, m_releasePoint.x);
    const int top = std::min(m_pressPoint.y, m_releasePoint.y);
    const int bottom = std::max(m_pressPoint.y, m_releasePoint.y);
    const int end = song.UsedEnd();
    int selected = 0;
    for (int i = 0; i < end; ++i) {
        if (!song.IsLive(i)) {
            continue;
        }
        NoteRecord& n = song.notes[i];
        const bool inside = n.left >= left && n.right <= right && n.top >= top && n.bottom <= bottom;
        if (toggle) {
            if (inside) {
                n.selected = !n.selected;
            }
        } else {
            n.selected = inside ? 1 : 0;
        }
        selected += n.selected ? 1 : 0;
    }
    song.selectedCount = selected;
}

int MouseEditor::ShiftAfterDrag(SongState& song)
{
    const int d = m_releasePoint.x - m_pressPoint.x;
    int pushedOff = 0;
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        NoteRecord& n = song.notes[i];
        if (song.IsLive(i) && n.left >= m_pressPoint.x) {
            const bool wasSelected = n.selected != 0;
            n.left += d;
            n.right = n.left + song.noteWidth;
            if (!song.NormaliseNote(i)) {
                ++pushedOff;
                if (wasSelected) {
                    --song.selectedCount;
                }
            }
        }
    }
    return pushedOff;
}

void MouseEditor::CancelPress()
{
    m_pressed = false;
    m_pressOnNote = false;
    m_zoomDrag = false;
    m_ctrl = false;
    m_additive = false;
    m_hitIndex = -1;
}

MouseEditor::ReleaseOutcome MouseEditor::Release(SongState& song, Point canvas, Point client, bool& arrowMovePending)
{
    ReleaseOutcome outcome;
    if (m_pressed) {
        outcome.wasPressed = true;
        m_releasePoint = canvas;
        m_releaseClient = client;
        if (m_releasePoint == m_pressPoint) {
            if (m_pressOnNote) {
                NoteRecord& n = song.notes[m_hitIndex];
                if (m_additive) {
                    n.selected = !n.selected;
                    song.selectedCount += n.selected ? 1 : -1;
                } else {
                    song.DeselectAll();
                    n.selected = 1;
                    song.selectedCount = 1;
                }
                outcome.snapshot = true;
            } else {
                song.DeselectAll();
                outcome.snapshot = song.selectedCount != m_selectedAtPress;
            }
        } else if (m_pressOnNote) {
            ApplyDrag(song);
            outcome.snapshot = true;
        } else {
            if (m_additive && !m_ctrl) {
                SelectInBand(song, true);
            } else if (m_additive && m_ctrl) {
                outcome.rangePlay = true;
                outcome.rangeFrom = std::min(m_pressPoint.x, m_releasePoint.x);
                outcome.rangeTo = std::max(m_pressPoint.x, m_releasePoint.x);
            } else if (song.shiftAfterDragMode) {
                outcome.shiftedOff = ShiftAfterDrag(song);
            } else {
                SelectInBand(song, false);
            }
            if (song.selectedCount != m_selectedAtPress || song.shiftAfterDragMode) {
                outcome.snapshot = true;
            }
        }
    } else {
        song.zoomMode = 0;
        song.shiftAfterDragMode = 0;
        song.toggleSelectMode = 0;
        song.snapQuarter = song.snap8th = song.snap16th = 0;
        song.distanceCheckMode = 0;
        if (arrowMovePending) {
            outcome.snapshot = true;
            arrowMovePending = false;
        }
        outcome.modesCleared = true;
    }
    CancelPress();
    song.pasteStep = pasteAnchorX() - song.pasteOriginX;
    m_pressPoint = m_releasePoint;
    m_pressClient = m_releaseClient;
    song.savedScroll.x = 0;
    return outcome;
}

} // namespace zembra
