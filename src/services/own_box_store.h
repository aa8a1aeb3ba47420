#pragma once

#include "model/music_box.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zembra {

// The box of one's own that the user last chose, kept as its JSON text in the application's
// data folder, so that it is offered again after the program restarts.
QString OwnBoxPath();

// The kept box; none when nothing is kept or the kept file no longer reads as a box.
std::optional<MusicBox> StoredOwnBox();

// Keeps `text`, the whole of a box file, in place of the box kept before. False, with the reason
// in `error` (which may be null), when the text is not a box that can be used or the file could
// not be written; what was kept before then stays.
bool KeepOwnBox(const QByteArray& text, QString* error);

} // namespace zembra
