#pragma once

#include <array>
#include <cstdint>

namespace zembra {

// Windows virtual-key codes of the keys that record; the table is indexed by these codes on every
// platform, so that a key keeps its row whatever the toolkit calls it.
namespace vk {
inline constexpr int kZ = 0x5A;
inline constexpr int kX = 0x58;
inline constexpr int kC = 0x43;
inline constexpr int kV = 0x56;
inline constexpr int kB = 0x42;
inline constexpr int kN = 0x4E;
inline constexpr int kM = 0x4D;
inline constexpr int kComma = 0xBC;
inline constexpr int kPeriod = 0xBE;
inline constexpr int kSlash = 0xBF;
// Right of the slash on a Japanese keyboard ("ろ", backslash).
inline constexpr int kRightOfSlash = 0xE2;
inline constexpr int k0 = 0x30;
inline constexpr int k1 = 0x31;
inline constexpr int k9 = 0x39;
inline constexpr int kMinus = 0xBD;
// Right of the minus: the caret on a Japanese keyboard, "=" on most others.
inline constexpr int kRightOfMinus = 0xDE;
// The next key: the yen sign on a Japanese keyboard.
inline constexpr int kYen = 0xDC;
} // namespace vk

// Which row of the scale (0 = the bottom row) each key records onto: the lower letter row covers
// rows 0 to 10, the digit row rows 7 to 19, so rows 7 to 10 can be played from either.
class KeyMap {
public:
    static constexpr int kSize = 256;
    static constexpr int kNoRow = -1;

    KeyMap() { Build(); }
    // Every key unmapped except the two keyboard rows.
    void Build();
    // The row of a virtual-key code; kNoRow for keys outside the table and codes outside 0..255.
    int RowOf(int virtualKey) const;

private:
    std::array<std::int8_t, kSize> m_rows{};
};

} // namespace zembra
