#pragma once

#include <span>
#include <string_view>

namespace zembra::monkey {

class MonkeyRig;

// One thing a person can do to the window in one step. New gestures go into the table in
// monkey_gestures.cpp; the weight sets how often the dice pick it among the others.
struct Gesture {
    const char* name;
    int weight;
    // Whether the gesture may add live notes (right-click, paste, undo...). A gesture that may
    // not, but did, made a note nobody asked for.
    bool mayCreateNotes;
    void (*run)(MonkeyRig& rig);
};

std::span<const Gesture> Gestures();
// The gesture the dice pick, by weight.
const Gesture& PickGesture(int roll);
int TotalWeight();

// Whether the arrow-move mark survives the gesture (see MonkeyRig::arrowMovePending).
bool LeavesArrowMovePending(std::string_view gesture);

// Variants of gestures that meet faults being mended on other branches. The CI run skips them
// so that it stays green meanwhile; ZEMBRA_MONKEY_UNMASK runs them anyway.
bool IsMaskedUntilMended(std::string_view variant);

} // namespace zembra::monkey
