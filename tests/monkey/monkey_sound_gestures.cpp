#include "monkey_sound_gestures.h"

#include "app/box_sound_menu.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "model/tuning.h"
#include "monkey_rig.h"

#include <QAction>

#include <string>
#include <vector>

namespace zembra::monkey {

void BoxSound(MonkeyRig& rig)
{
    auto* menu = rig.frame().findChild<BoxSoundMenu*>();
    if (!menu) {
        return;
    }
    menu->Refresh();
    std::vector<QAction*> enabled;
    for (QAction* action : menu->actions()) {
        if (action->isEnabled()) {
            enabled.push_back(action);
        }
    }
    if (enabled.empty()) {
        return;
    }
    QAction* action = enabled[static_cast<std::size_t>(rig.dice().below(static_cast<int>(enabled.size())))];
    action->trigger();
    rig.Note(action->objectName().toStdString() + ": tuning " +
             std::string(TuningName(rig.view().song().tuning)) + ", as the box " +
             (rig.view().playback().playAsBox() ? "on" : "off"));
}

} // namespace zembra::monkey
