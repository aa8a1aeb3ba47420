#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

namespace zembra {

// Lets the first message of each kind through and holds back its repeats: an overrun synthesizer
// says so once per note it drops, hundreds of thousands of times in one render.
class RepeatFilter {
public:
    // Past this many kinds every further message is held back, so that a stream of messages
    // that all differ cannot grow the filter without bound.
    static constexpr std::size_t kMaxKinds = 64;

    // True for the first message of its kind at its level.
    bool FirstOfKind(int level, std::string_view text);

    // Messages that differ only in their numbers (a voice, a channel, a count, an address) are of
    // one kind: every run of digits stands for any other.
    static std::string KindOf(std::string_view text);

private:
    std::set<std::string> m_seen;
};

} // namespace zembra
