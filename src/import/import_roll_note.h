#pragma once

#include <cstdint>

namespace zembra {

// One note of the import editor's piano roll. Notes have no length here: a strike is all the
// music box can play. `left` and `top` double as the note's state: kRollCut, kRollDeleted,
// kRollEnd, or a live note's position (both at least 1).
struct ImportRollNote {
    std::int32_t left = -1;
    std::int32_t top = -1;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t selected = 0;
    std::int32_t key = 0;
    std::int32_t velocity = 0;
    std::int32_t onScale = 0;
    std::int32_t sourceKey = 0;
    std::int32_t octaveShift = 0;
    std::int32_t baseLeft = 0;
    std::int32_t barsRemoved = 0;
    std::int32_t eventIndex = 0;
    std::int32_t trackIndex = 0;
    std::int32_t tick = 0;

    bool isEnd() const { return left == -1 || top == -1; }
    bool isLive() const { return left >= 1 && top >= 1; }
};

inline constexpr std::int32_t kRollEnd = -1;
inline constexpr std::int32_t kRollCut = -2;
inline constexpr std::int32_t kRollDeleted = 0;

} // namespace zembra
