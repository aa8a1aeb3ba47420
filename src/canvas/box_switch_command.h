#pragma once

#include "model/music_box.h"

class QWidget;

namespace zembra {

class CKelpView;

// Moves the canvas's song onto `box` as one undo step. Notes that would move by octaves or be
// removed are counted first and the user is asked; notes kept on the row of their pitch need no
// question. A pitch the new box lacks is folded by octaves where a row takes it, else removed.
// True when the song is on the new box.
bool SwitchCanvasBox(CKelpView& view, const MusicBox& box, QWidget* parent);

} // namespace zembra
