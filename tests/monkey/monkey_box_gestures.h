#pragma once

#include <QStringList>

#include <string>

class QTemporaryDir;

namespace zembra {
class CKelpView;
}

namespace zembra::monkey {

class MonkeyRig;

// Box files for File > Box... in `dir`: boxes of one's own of 15, 20, 30, 33 and 48 notes, one
// whose holes are too wide for its rows, and one that is no JSON at all.
QStringList WriteBoxFiles(const QTemporaryDir& dir);

// File > Box..., from the menu or its key; RandomPrompts picks one of the box files (or cancels)
// and answers the question about the notes that move. A refused file leaves the song as it was.
void ChooseBox(MonkeyRig& rig);

// The first broken rule of the canvas's band, in words; empty when every row of the song's box
// is painted and the canvas scrolls down exactly as far as its client needs for them.
std::string BandViolation(const CKelpView& view);

} // namespace zembra::monkey
