#pragma once

class QAction;
class QMenuBar;
class QObject;

namespace zembra {

class InputDeviceMenu;
class OutputDeviceMenu;

// The "&Midi" popup of the menu bar: the output devices, and below them the MIDI keyboards. The
// frame builds it and hands it to the canvas, which switches its ports by it.
struct DeviceMenus {
    OutputDeviceMenu* outputs = nullptr;
    InputDeviceMenu* inputs = nullptr;

    // Inserts the popup into the menu bar before `before` (the Help menu); the menus' objects
    // belong to `owner`.
    static DeviceMenus Build(QMenuBar* menuBar, QAction* before, QObject* owner);
};

} // namespace zembra
