#include "text/control_characters.h"

#include <cstddef>

namespace zembra {

namespace {

constexpr char32_t kLastC0 = 0x1F;
constexpr char32_t kDelete = 0x7F;
constexpr char32_t kFirstC1 = 0x80;
constexpr char32_t kLastC1 = 0x9F;

// The length of the well-formed UTF-8 sequence at the start of `s` and its code point; 0 when the
// bytes there are not one (overlong forms, surrogates and values past U+10FFFF are not).
std::size_t DecodeOne(std::string_view s, char32_t* code)
{
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        *code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    *code = value;
    return length;
}

} // namespace

bool IsControlCharacter(char32_t c)
{
    return c <= kLastC0 || c == kDelete || (c >= kFirstC1 && c <= kLastC1);
}

std::string ReplaceControlCharacters(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        char32_t code = 0;
        const std::size_t length = DecodeOne(utf8, &code);
        if (length == 0) {
            out += kControlReplacement;
            utf8.remove_prefix(1);
            continue;
        }
        if (IsControlCharacter(code)) {
            out += kControlReplacement;
        } else {
            out += utf8.substr(0, length);
        }
        utf8.remove_prefix(length);
    }
    return out;
}

} // namespace zembra
