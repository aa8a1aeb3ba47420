#pragma once

#include "cli/song_arrangement.h"

#include <QJsonObject>
#include <QString>

namespace zembra {

// `info --arrange --json`: the transposition, the melody track (numbered as the track list is),
// the counts and every change, with keys and words that are the same in every language.
QJsonObject ArrangeJson(const SongArrangement& arrangement);

// The same for a person: the summary and the list of changes, in the program's language, with the
// bar length the arranger chose when it was asked to (`barLengthMm` is the song's).
QString ArrangeText(const SongArrangement& arrangement, int barLengthMm);

} // namespace zembra
