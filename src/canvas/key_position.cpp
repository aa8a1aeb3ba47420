#include "canvas/key_position.h"

#include "canvas/key_map.h"

namespace zembra {

namespace {

struct Place {
    std::uint32_t scanCode;
    int virtualKey;
};

// The lower letter row and the digit row of a PC keyboard, by set 1 scan code. The key right of the
// slash (0x73) and the yen key (0x7D) exist on Japanese and Brazilian keyboards only.
constexpr Place kPlaces[] = {
    {0x2C, vk::kZ},      {0x2D, vk::kX},      {0x2E, vk::kC},      {0x2F, vk::kV},
    {0x30, vk::kB},      {0x31, vk::kN},      {0x32, vk::kM},      {0x33, vk::kComma},
    {0x34, vk::kPeriod}, {0x35, vk::kSlash},  {0x73, vk::kRightOfSlash},
    {0x02, vk::k1},      {0x03, vk::k1 + 1},  {0x04, vk::k1 + 2},  {0x05, vk::k1 + 3},
    {0x06, vk::k1 + 4},  {0x07, vk::k1 + 5},  {0x08, vk::k1 + 6},  {0x09, vk::k1 + 7},
    {0x0A, vk::k9},      {0x0B, vk::k0},      {0x0C, vk::kMinus},  {0x0D, vk::kRightOfMinus},
    {0x7D, vk::kYen},
};

// The kernel numbers the main block as set 1 does, except the two Japanese keys.
constexpr std::uint32_t kXkbOffset = 8;
constexpr std::uint32_t kKernelRo = 89;
constexpr std::uint32_t kKernelYen = 124;
constexpr std::uint32_t kKernelMainBlockEnd = 88;
constexpr std::uint32_t kSet1Ro = 0x73;
constexpr std::uint32_t kSet1Yen = 0x7D;
// Windows marks keys of the extended set in bit 8; none of them records.
constexpr std::uint32_t kSet1Mask = 0x1FF;

struct Meaning {
    int toolkitKey;
    int virtualKey;
};

constexpr Meaning kMeanings[] = {
    {0x2C, vk::kComma},  // ,
    {0x2E, vk::kPeriod}, // .
    {0x2F, vk::kSlash},  // /
    {0x2D, vk::kMinus},  // -
    {0x5E, vk::kRightOfMinus}, // ^ on a Japanese keyboard
    {0x3D, vk::kRightOfMinus}, // = in the same place on most others
    {0xA5, vk::kYen},          // ¥
    {0x5C, vk::kRightOfSlash}, // backslash, printed on the Japanese key right of the slash
};

} // namespace

ScanCodeSet NativeScanCodeSet()
{
#if defined(_WIN32)
    return ScanCodeSet::PcSet1;
#elif defined(__linux__)
    return ScanCodeSet::XkbKeycode;
#else
    return ScanCodeSet::None;
#endif
}

std::uint32_t Set1ScanCode(ScanCodeSet set, std::uint32_t native)
{
    switch (set) {
    case ScanCodeSet::PcSet1:
        return native & kSet1Mask;
    case ScanCodeSet::XkbKeycode: {
        if (native <= kXkbOffset) {
            return 0;
        }
        const std::uint32_t kernel = native - kXkbOffset;
        if (kernel == kKernelRo) {
            return kSet1Ro;
        }
        if (kernel == kKernelYen) {
            return kSet1Yen;
        }
        return kernel <= kKernelMainBlockEnd ? kernel : 0;
    }
    case ScanCodeSet::None:
        break;
    }
    return 0;
}

int VirtualKeyAtPosition(std::uint32_t set1ScanCode)
{
    for (const Place& place : kPlaces) {
        if (place.scanCode == set1ScanCode) {
            return place.virtualKey;
        }
    }
    return 0;
}

int VirtualKeyOfMeaning(int toolkitKey)
{
    if ((toolkitKey >= 'A' && toolkitKey <= 'Z') || (toolkitKey >= '0' && toolkitKey <= '9')) {
        return toolkitKey; // the virtual-key codes of letters and digits are their characters
    }
    for (const Meaning& meaning : kMeanings) {
        if (meaning.toolkitKey == toolkitKey) {
            return meaning.virtualKey;
        }
    }
    return 0;
}

int RecordingVirtualKey(ScanCodeSet set, std::uint32_t nativeScanCode, int toolkitKey)
{
    const std::uint32_t scanCode = Set1ScanCode(set, nativeScanCode);
    if (scanCode != 0) {
        return VirtualKeyAtPosition(scanCode);
    }
    return VirtualKeyOfMeaning(toolkitKey);
}

} // namespace zembra
