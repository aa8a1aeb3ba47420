#pragma once

#include "text/utf8.h"

#include <string>
#include <string_view>

namespace zembra {

// Text inside song files. Files made on Japanese Windows carry Shift-JIS (CP932); the program
// keeps UTF-8 inside.

// CP932 when every character has a form in it, so that older readers show Japanese titles;
// otherwise the UTF-8 bytes unchanged.
std::string EncodeFileText(std::string_view utf8);

// Valid UTF-8 stays as it is; anything else is read as CP932. A byte that is not CP932 either
// (a double-byte character cut in half at the end of a text) becomes U+FFFD.
std::string DecodeFileText(std::string_view bytes);

} // namespace zembra
