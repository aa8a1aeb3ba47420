#pragma once

namespace zembra {

// The clipboard format that carries note positions between canvases, also between two running
// programs.
inline constexpr const char* kNoteClipMimeType = "application/x-kelp-onpu-clip";

} // namespace zembra
