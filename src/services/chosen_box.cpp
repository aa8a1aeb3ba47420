#include "services/chosen_box.h"

#include "import/box_choices.h"

#include "services/music_box_file.h"
#include "services/own_box_store.h"
#include "services/qt_text.h"
#include "services/settings.h"


namespace zembra {

std::vector<MusicBox> BoxChoices(const SongState& song)
{
    return BoxChoices(song.box, StoredOwnBox());
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
