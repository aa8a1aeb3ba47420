#include "app/device_menus.h"

#include "midi/input_device_menu.h"
#include "midi/midi_toolkit.h"
#include "midi/output_device_menu.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "services/command_ids.h"
#include "services/qt_text.h"

namespace zembra {

DeviceMenus DeviceMenus::Build(QMenuBar* menuBar, QAction* before, QObject* owner)
{
    DeviceMenus menus;
    MidiToolkit& toolkit = MidiToolkit::shared();
    menus.outputs = new OutputDeviceMenu(toolkit, owner);
    menus.outputs->Build(menuBar, before, QString::fromUtf8(kTextDeviceMenu), cmd::kFirstDevice);
    if (menus.outputs->menu()) {
        menus.inputs = new InputDeviceMenu(toolkit, owner);
        menus.inputs->Build(menus.outputs->menu(), TextOf(str::kMidiInputHeading), TextOf(str::kNoMidiInput),
                            cmd::kFirstInput);
    }
    return menus;
}

} // namespace zembra
