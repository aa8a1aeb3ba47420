#pragma once

class QWidget;

namespace zembra {

class CKelpView;

// File > Box...: the user picks a box file of their own. A file that cannot be used is refused
// with the message that names it and its wrong field, and nothing changes. A good one is kept in
// the application's data folder, to be offered again after a restart, and the song moves onto it
// as one undo step (asked first when notes would move by octaves or be removed); the next start
// of the program begins on it.
void ChooseBoxFile(CKelpView& view, QWidget* parent);

} // namespace zembra
