#pragma once

#include "card/cutter_drawing.h"
#include "card/cutter_geometry.h"
#include "card/cutter_options.h"
#include "model/song_state.h"

#include <QString>

namespace zembra {

// The chosen options with what `song` prints: its title block, and the playback start `startX`.
CutterOptions CutterOptionsOfSong(const SongState& song, int startX, CutterOptions chosen);
// The same with the defaults chosen, the hole the song's box's own.
CutterOptions CutterOptionsOfSong(const SongState& song, int startX);

// Why a hole is refused when it leaves too little card between rows: the hole and the row pitch
// (the 33-note box's unless told).
QString HoleTooLargeText(double holeMm, double rowPitchMm = card::kRowPitchMm);

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
