#pragma once

namespace zembra {

// The clipboard format that carries note positions between canvases, also between two running
// programs.
inline constexpr const char* kNoteClipMimeType = "application/x-kelp-onpu-clip";
// Beside it, the pitches of the same notes, so that a paste onto a canvas of another box lands each
// note on the row of its pitch. A program that knows only the block above still reads that block.
inline constexpr const char* kNotePitchesMimeType = "application/x-zembra-note-pitches";

} // namespace zembra
