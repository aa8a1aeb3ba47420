#include "services/printer_device_mode.h"

#include <algorithm>

namespace zembra {

namespace {

constexpr std::string_view kDigits = "0123456789abcdef";

} // namespace

bool DevMode::isZero() const
{
    return std::all_of(m_bytes.begin(), m_bytes.end(), [](std::uint8_t b) { return b == 0; });
}

void DevMode::setValue(std::size_t offset, std::uint32_t field, std::int16_t value)
{
    setU16(offset, static_cast<std::uint16_t>(value));
    mark(field);
}

DevMode DevMode::blank()
{
    DevMode mode;
    mode.setU16(kSpecVersion, kCurrentSpecVersion);
    mode.setU16(kRecordSize, static_cast<std::uint16_t>(kSize));
    return mode;
}

std::string DevMode::toHex() const
{
    std::string hex;
    hex.reserve(kHexLength);
    for (std::uint8_t b : m_bytes) {
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 0x0F]);
    }
    return hex;
}

std::optional<DevMode> DevMode::fromHex(std::string_view text)
{
    if (text.size() < kHexLength) {
        return std::nullopt;
    }
    Bytes bytes{};
    for (std::size_t i = 0; i < kSize; ++i) {
        const std::size_t high = kDigits.find(text[2 * i]);
        const std::size_t low = kDigits.find(text[2 * i + 1]);
        if (high == std::string_view::npos || low == std::string_view::npos) {
            return std::nullopt;
        }
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return DevMode(bytes);
}

std::string DevMode::text(std::size_t offset) const
{
    const auto* first = reinterpret_cast<const char*>(m_bytes.data() + offset);
    const auto* end = std::find(first, first + kNameSize, '\0');
    return std::string(first, end);
}

void DevMode::setText(std::size_t offset, std::string_view value)
{
    std::fill_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), kNameSize, std::uint8_t{0});
    // The last byte stays NUL so that the name always ends inside its field.
    const std::size_t n = std::min(value.size(), kNameSize - 1);
    std::copy_n(value.begin(), n, m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::uint16_t DevMode::u16(std::size_t offset) const
{
    return static_cast<std::uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8));
}

std::uint32_t DevMode::u32(std::size_t offset) const
{
    return static_cast<std::uint32_t>(u16(offset)) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
}

void DevMode::setU16(std::size_t offset, std::uint16_t value)
{
    m_bytes[offset] = static_cast<std::uint8_t>(value);
    m_bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void DevMode::setU32(std::size_t offset, std::uint32_t value)
{
    setU16(offset, static_cast<std::uint16_t>(value));
    setU16(offset + 2, static_cast<std::uint16_t>(value >> 16));
}

} // namespace zembra
