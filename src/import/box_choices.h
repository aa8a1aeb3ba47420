#pragma once

#include "model/music_box.h"

#include <optional>
#include <vector>

namespace zembra {

// The boxes the settings offer a song: its own box first, then the other built-in boxes in their
// order, then a box of one's own when there is one. No box is offered twice.
std::vector<MusicBox> BoxChoices(const MusicBox& songBox, const std::optional<MusicBox>& ownBox = std::nullopt);

} // namespace zembra
