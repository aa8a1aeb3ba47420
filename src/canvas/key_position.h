#pragma once

#include <cstdint>

namespace zembra {

// How a platform numbers the physical keys in its key events.
enum class ScanCodeSet {
    None,   // no position is given: only the key's meaning is known
    PcSet1, // the PC keyboard's set 1 scan codes, as Windows gives them
    XkbKeycode, // Linux (X11 and Wayland): the kernel's key code plus 8
};

// The convention of the platform this program runs on.
ScanCodeSet NativeScanCodeSet();

// A native scan code as a PC set 1 scan code; 0 when the key has none or is unknown.
std::uint32_t Set1ScanCode(ScanCodeSet set, std::uint32_t native);

// The virtual-key code of the recording key at a physical place (a set 1 scan code), whatever the
// layout prints on it; 0 when no recording key sits there.
int VirtualKeyAtPosition(std::uint32_t set1ScanCode);

// The virtual-key code of a key by its meaning: the toolkit's key code, which for printable keys is
// the upper-case Latin-1 character. 0 for keys that have no code here (arrows, function keys).
int VirtualKeyOfMeaning(int toolkitKey);

// The key's place when the platform gives one, else its meaning.
int RecordingVirtualKey(ScanCodeSet set, std::uint32_t nativeScanCode, int toolkitKey);

} // namespace zembra
