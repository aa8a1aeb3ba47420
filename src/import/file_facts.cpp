#include "import/file_facts.h"

#include "midi/midi_bytes.h"
#include "text/file_text.h"
#include "text/string_ids.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zembra {

namespace {

// Key names by row: sharps 0..7, then flats 1..7.
constexpr std::array<int, 15> kMajorKeys = {
    str::kKeyNameC,     str::kKeyNameG,     str::kKeyNameD,     str::kKeyNameA,     str::kKeyNameE,
    str::kKeyNameB,     str::kKeyNameFSharp, str::kKeyNameCSharp, str::kKeyNameF,   str::kKeyNameBFlat,
    str::kKeyNameEFlat, str::kKeyNameAFlat, str::kKeyNameDFlat, str::kKeyNameGFlat, str::kKeyNameCFlat,
};
constexpr std::array<int, 15> kMinorKeys = {
    str::kMinorNameA,      str::kMinorNameE,     str::kMinorNameB,     str::kMinorNameFSharp, str::kMinorNameCSharp,
    str::kMinorNameGSharp, str::kMinorNameDSharp, str::kMinorNameASharp, str::kMinorNameD,  str::kMinorNameG,
    str::kMinorNameC,      str::kMinorNameF,     str::kMinorNameBFlat, str::kMinorNameEFlat,  str::kMinorNameAFlat,
};
constexpr int kMaxAccidentals = 7;
// A denominator beyond this power of two is no note value; it gives no beats either.
constexpr int kMaxDenominatorPower = 30;

} // namespace

int BeatsPerBarFromTimeSignature(std::span<const std::uint8_t> data)
{
    if (data.size() < 2 || data[0] == 0) {
        return -1;
    }
    const int numerator = data[0];
    const int power = data[1];
    if (power == 0) {
        return numerator;
    }
    if (power > kMaxDenominatorPower) {
        return -1;
    }
    const long long beats = static_cast<long long>(numerator) * 4 / (1LL << power);
    return beats > 0 ? static_cast<int>(beats) : -1;
}

int KeyNameIdFromKeySignature(std::span<const std::uint8_t> data)
{
    if (data.size() < 2) {
        return 0;
    }
    const int sharps = static_cast<std::int8_t>(data[0]);
    const int minor = data[1];
    if (sharps < -kMaxAccidentals || sharps > kMaxAccidentals || (minor != 0 && minor != 1)) {
        return 0;
    }
    const auto row = static_cast<std::size_t>(sharps >= 0 ? sharps : kMaxAccidentals - sharps);
    return minor ? kMinorKeys[row] : kMajorKeys[row];
}

FileKey FileKeyFromKeySignature(std::span<const std::uint8_t> data)
{
    FileKey key;
    if (KeyNameIdFromKeySignature(data) == 0) {
        return key;
    }
    constexpr int kFifth = 7;
    const int sharps = static_cast<std::int8_t>(data[0]);
    key.known = true;
    // Each sharp is a fifth up, each flat a fifth down.
    key.majorIndex = ((sharps * kFifth) % kOctave + kOctave) % kOctave;
    key.minor = data[1] == 1;
    return key;
}

std::string TextFromTextEvent(std::span<const std::uint8_t> data)
{
    const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
    const std::string_view bytes(reinterpret_cast<const char*>(data.data()), static_cast<std::size_t>(end - data.begin()));
    return DecodeFileText(bytes);
}

bool HasSongFileEnding(std::string_view path)
{
    for (std::string_view ending : {std::string_view(".mid"), std::string_view(".midi"), std::string_view(".smf")}) {
        if (path.size() < ending.size()) {
            continue;
        }
        const std::string_view tail = path.substr(path.size() - ending.size());
        if (std::equal(tail.begin(), tail.end(), ending.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            })) {
            return true;
        }
    }
    return false;
}

} // namespace zembra
