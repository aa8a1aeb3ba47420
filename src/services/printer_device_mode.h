#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zembra {

// The printer settings as the classic 148-byte device-mode record (without driver-private data),
// little-endian, so that settings stored by earlier versions keep their meaning.
class DevMode {
public:
    static constexpr std::size_t kSize = 148;
    static constexpr std::size_t kNameSize = 32;
    static constexpr std::size_t kHexLength = kSize * 2;
    // The stored text is split into two values after this many characters.
    static constexpr std::size_t kFirstPartLength = 260;

    // Offsets of the fields the program reads and writes.
    static constexpr std::size_t kDeviceName = 0;
    static constexpr std::size_t kSpecVersion = 32;
    static constexpr std::size_t kRecordSize = 36;
    static constexpr std::size_t kFields = 40;
    static constexpr std::size_t kOrientation = 44;
    static constexpr std::size_t kPaperSize = 46;
    static constexpr std::size_t kPaperLength = 48; // tenths of a millimetre
    static constexpr std::size_t kPaperWidth = 50;
    static constexpr std::size_t kCopies = 54;
    static constexpr std::size_t kPrintQuality = 58;
    static constexpr std::size_t kColor = 60;
    static constexpr std::size_t kDuplex = 62;
    static constexpr std::size_t kYResolution = 64;
    static constexpr std::size_t kCollate = 68;
    static constexpr std::size_t kFormName = 70;

    // Bits of the fields word: which fields hold a value.
    static constexpr std::uint32_t kHasOrientation = 0x1;
    static constexpr std::uint32_t kHasPaperSize = 0x2;
    static constexpr std::uint32_t kHasPaperLength = 0x4;
    static constexpr std::uint32_t kHasPaperWidth = 0x8;
    static constexpr std::uint32_t kHasCopies = 0x100;
    static constexpr std::uint32_t kHasPrintQuality = 0x400;
    static constexpr std::uint32_t kHasColor = 0x800;
    static constexpr std::uint32_t kHasDuplex = 0x1000;
    static constexpr std::uint32_t kHasYResolution = 0x2000;
    static constexpr std::uint32_t kHasCollate = 0x8000;
    static constexpr std::uint32_t kHasFormName = 0x10000;

    static constexpr std::uint16_t kCurrentSpecVersion = 0x0401;
    static constexpr std::int16_t kPortrait = 1;
    static constexpr std::int16_t kLandscape = 2;
    static constexpr std::int16_t kMonochrome = 1;
    static constexpr std::int16_t kColour = 2;
    static constexpr std::int16_t kSimplex = 1;
    static constexpr std::int16_t kDuplexLongEdge = 2;
    static constexpr std::int16_t kDuplexShortEdge = 3;
    static constexpr std::int16_t kPaperUser = 256;

    using Bytes = std::array<std::uint8_t, kSize>;

    DevMode() = default;
    explicit DevMode(const Bytes& bytes)
        : m_bytes(bytes)
    {
    }

    const Bytes& bytes() const { return m_bytes; }
    bool isZero() const;

    std::string deviceName() const { return text(kDeviceName); }
    void setDeviceName(std::string_view name) { setText(kDeviceName, name); }
    std::string formName() const { return text(kFormName); }
    void setFormName(std::string_view name) { setText(kFormName, name); }

    std::uint32_t fields() const { return u32(kFields); }
    bool has(std::uint32_t field) const { return (fields() & field) != 0; }
    std::int16_t value(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    // Sets a 16-bit field and marks it as holding a value.
    void setValue(std::size_t offset, std::uint32_t field, std::int16_t value);
    void mark(std::uint32_t field) { setU32(kFields, fields() | field); }
    // An empty record that names its layout: what a new record from the printer looks like.
    static DevMode blank();

    // Two lowercase hexadecimal digits per byte, high nibble first.
    std::string toHex() const;
    // Only the first kHexLength characters count and every one must be a lowercase digit;
    // otherwise there is no record.
    static std::optional<DevMode> fromHex(std::string_view text);

    friend bool operator==(const DevMode&, const DevMode&) = default;

private:
    std::string text(std::size_t offset) const;
    void setText(std::size_t offset, std::string_view value);
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    void setU16(std::size_t offset, std::uint16_t value);
    void setU32(std::size_t offset, std::uint32_t value);

    Bytes m_bytes{};
};

} // namespace zembra
