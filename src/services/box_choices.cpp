#include "services/box_choices.h"

#include "services/music_box_file.h"
#include "services/own_box_store.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <algorithm>
#include <tuple>

namespace zembra {

namespace {

void AddOnce(std::vector<MusicBox>& boxes, const MusicBox& box)
{
    if (std::none_of(boxes.begin(), boxes.end(), [&box](const MusicBox& b) { return SameBox(b, box); })) {
        boxes.push_back(box);
    }
}

} // namespace

bool SameBox(const MusicBox& a, const MusicBox& b)
{
    const auto sizes = [](const MusicBoxSizes& s) {
        return std::tie(s.stripWidthMm, s.firstRowMm, s.rowPitchMm, s.holeMm, s.shortestRepeatMm, s.paperPerTurnMm);
    };
    return a.id == b.id && a.name == b.name && a.notes == b.notes && sizes(a.sizes) == sizes(b.sizes) &&
           a.centsPerTooth == b.centsPerTooth;
}

std::vector<MusicBox> BoxChoices(const SongState& song)
{
    std::vector<MusicBox> boxes{song.box};
    for (const MusicBox& box : BuiltInBoxes()) {
        AddOnce(boxes, box);
    }
    if (const std::optional<MusicBox> own = StoredOwnBox()) {
        AddOnce(boxes, *own);
    }
    return boxes;
}

MusicBox StartingBox()
{
    const std::string id = settings::LastBoxId().toStdString();
    if (id == kOwnBoxId) {
        if (std::optional<MusicBox> own = StoredOwnBox()) {
            return std::move(*own);
        }
    } else if (const MusicBox* box = FindBuiltInBox(id)) {
        return *box;
    }
    return DefaultBox();
}

void RememberChosenBox(const MusicBox& box)
{
    settings::RememberLastBoxId(Utf8(box.id));
}

} // namespace zembra
