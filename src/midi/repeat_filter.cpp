#include "midi/repeat_filter.h"

namespace zembra {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string RepeatFilter::KindOf(std::string_view text)
{
    std::string kind;
    kind.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            kind += text[i];
        } else if (i == 0 || !IsDigit(text[i - 1])) {
            kind += '#';
        }
    }
    return kind;
}

bool RepeatFilter::FirstOfKind(int level, std::string_view text)
{
    std::string key = std::to_string(level) + ':' + KindOf(text);
    if (m_seen.count(key) != 0 || m_seen.size() >= kMaxKinds) {
        return false;
    }
    m_seen.insert(std::move(key));
    return true;
}

} // namespace zembra
