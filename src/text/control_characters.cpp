#include "text/control_characters.h"

#include "text/utf8.h"

#include <cstddef>

namespace zembra {

namespace {

constexpr char32_t kLastC0 = 0x1F;
constexpr char32_t kDelete = 0x7F;
constexpr char32_t kFirstC1 = 0x80;
constexpr char32_t kLastC1 = 0x9F;

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
        const std::size_t length = Utf8SequenceLength(utf8, &code);
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
