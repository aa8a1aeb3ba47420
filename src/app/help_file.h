#pragma once

#include <string>

namespace zembra {

// Context ids of help requests for a window or menu item: this base plus the item's id.
inline constexpr int kHelpContextBase = 0x10000;

// The name of the help page for an executable: editions of the program carry a suffix
// ("zembra20C07") and share one help page named after the rest ("zembra.html"). The path's case is
// kept: file systems here tell upper from lower case.
std::string HelpFileName(const std::string& executablePath);

} // namespace zembra
