#pragma once

#include <string>

namespace zembra {

// Context ids of help requests for a window or menu item: this base plus the item's id.
inline constexpr int kHelpContextBase = 0x10000;

// The name of the help page for an executable: editions of the program carry a suffix
// ("zembra20C07") and share one help page named after the rest ("zembra.html"). The path's case is
// kept: file systems here tell upper from lower case.
std::string HelpFileName(const std::string& executablePath);

// The page in the language of the string table: the Japanese guide sits beside the English one
// as "<name>.ja.html".
std::string LocalisedHelpFileName(const std::string& fileName, bool japanese);

// The help context of a click on a window or menu item in context-help mode: 0 (the guide from
// its top) for ids below 1 and for 9, else kHelpContextBase + id. Every item of the "&Midi" menu
// (device and input ids from 201) asks for the menu's own context.
int HelpContextForControl(int controlId);

// The anchor of a context in the guide ("context-1e100"); empty for context 0.
std::string HelpAnchor(int context);

} // namespace zembra
