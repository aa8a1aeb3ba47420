#pragma once

#include <array>
#include <string>

namespace zembra {

// Key names for the temporary transposition display: index 0 = C, one semitone per step.
struct KeyNames {
    std::array<std::string, 12> keys;
    std::array<std::string, 12> pairs; // key name, a space, and its relative minor

    void LoadKeyNames();
    // The key a transposition of `semitones` leads to, as an index 0..11.
    static int KeyIndex(int semitones);
};

} // namespace zembra
