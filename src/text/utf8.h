#pragma once

#include <cstddef>
#include <string_view>

namespace zembra {

// The length of the well-formed UTF-8 sequence at the start of `bytes`, its code point in `*code`
// when `code` is given; 0 when the bytes there start none: a byte that cannot lead, a sequence cut
// short, an overlong form, a surrogate or a value past U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view bytes, char32_t* code = nullptr);

bool IsValidUtf8(std::string_view bytes);

} // namespace zembra
