#pragma once

#include <string>
#include <string_view>

namespace zembra {

// Characters a terminal acts on instead of showing: the C0 controls (tab and line breaks too, so
// that a value stays on its own line), DEL and the C1 controls, whose 0x9B alone starts an escape
// sequence on some terminals.
bool IsControlCharacter(char32_t c);

// U+FFFD, the replacement character, in UTF-8.
inline constexpr std::string_view kControlReplacement = "\xEF\xBF\xBD";

// `utf8` fit for a terminal: each control character, and each byte that is not part of a valid
// UTF-8 sequence, becomes kControlReplacement; everything else is kept as it was.
std::string ReplaceControlCharacters(std::string_view utf8);

} // namespace zembra
