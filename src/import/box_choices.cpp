#include "import/box_choices.h"

#include <algorithm>

namespace zembra {

std::vector<MusicBox> BoxChoices(const MusicBox& songBox, const std::optional<MusicBox>& ownBox)
{
    std::vector<MusicBox> boxes{songBox};
    const auto offer = [&boxes](const MusicBox& box) {
        if (std::find(boxes.begin(), boxes.end(), box) == boxes.end()) {
            boxes.push_back(box);
        }
    };
    for (const MusicBox& box : BuiltInBoxes()) {
        offer(box);
    }
    if (ownBox) {
        offer(*ownBox);
    }
    return boxes;
}

} // namespace zembra
