#pragma once

#include "card/cutter_drawing.h"
#include "card/cutter_geometry.h"
#include "card/cutter_options.h"
#include "model/song_state.h"

#include <QString>

namespace zembra {

// The chosen options (the defaults when none are given) with what `song` prints: its title block,
// and the playback start `startX`.
CutterOptions CutterOptionsOfSong(const SongState& song, int startX, CutterOptions chosen = {});

// Why a hole is refused when it leaves too little card between rows: the hole and the row pitch.
QString HoleTooLargeText(double holeMm);

// The printable area of the options' page at their resolution, as a printer reports it.
CutterSheet SheetOfOptions(const CutterOptions& options);

// The card laid out on the options' page and drawn for the cutter; false with the reason in
// `error` when the sizes cannot be cut or the card does not fit the page.
bool DrawCutterCard(const SongState& song, const CutterOptions& options, CutterDrawing* drawing, QString* error);

// Writes the card for a laser or vinyl cutter to `path` in the options' format. The file is
// written beside the target and renamed over it once it is whole, so a failure leaves no partial
// file and the old one as it was. False with the reason in `error`. Needs no window.
bool WriteCutterFile(const SongState& song, const CutterOptions& options, const QString& path, QString* error);

} // namespace zembra
