#include "canvas/key_map.h"

namespace zembra {

namespace {

constexpr int kLetterRow[] = {vk::kZ,     vk::kX,      vk::kC,     vk::kV,     vk::kB,          vk::kN,
                              vk::kM,     vk::kComma,  vk::kPeriod, vk::kSlash, vk::kRightOfSlash};
constexpr int kDigitRowFirst = 7;
constexpr int kDigitRow[] = {vk::k1,     vk::k1 + 1, vk::k1 + 2, vk::k1 + 3,    vk::k1 + 4,  vk::k1 + 5, vk::k1 + 6,
                             vk::k1 + 7, vk::k9,     vk::k0,     vk::kMinus, vk::kRightOfMinus, vk::kYen};

} // namespace

void KeyMap::Build()
{
    m_rows.fill(kNoRow);
    int row = 0;
    for (int key : kLetterRow) {
        m_rows[static_cast<std::size_t>(key)] = static_cast<std::int8_t>(row++);
    }
    row = kDigitRowFirst;
    for (int key : kDigitRow) {
        m_rows[static_cast<std::size_t>(key)] = static_cast<std::int8_t>(row++);
    }
}

int KeyMap::RowOf(int virtualKey) const
{
    if (virtualKey < 0 || virtualKey >= kSize) {
        return kNoRow;
    }
    return m_rows[static_cast<std::size_t>(virtualKey)];
}

} // namespace zembra
