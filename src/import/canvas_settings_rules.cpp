#include "import/canvas_settings_rules.h"

#include "midi/midi_bytes.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace zembra {

namespace {

using namespace std::string_view_literals;

constexpr std::array kBeats = {"4"sv, "3"sv};
constexpr std::array kBarCounts = {"8"sv, "12"sv, "16"sv, "24"sv, "32"sv, "48"sv, "64"sv, "80"sv};
constexpr std::array kBarLengths = {"0"sv,  "15"sv, "20"sv, "25"sv, "30"sv, "32"sv, "35"sv, "40"sv,
                                    "45"sv, "50"sv, "55"sv, "60"sv, "70"sv, "80"sv, "90"sv, "100"sv};
constexpr std::array kScales = {"16"sv, "24"sv, "32"sv, "48"sv, "64"sv, "80"sv, "96"sv};
constexpr std::array kTranspositions = {"-12"sv, "-11"sv, "-10"sv, "-9"sv, "-8"sv, "-7"sv, "-6"sv, "-5"sv, "-4"sv,
                                        "-3"sv,  "-2"sv,  "-1"sv,  "0"sv,  "+1"sv, "+2"sv, "+3"sv, "+4"sv, "+5"sv,
                                        "+6"sv,  "+7"sv,  "+8"sv,  "+9"sv, "+10"sv, "+11"sv, "+12"sv};
// The transposition search begins after this many entries.
constexpr std::size_t kTranspositionSearchStart = 4;
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

bool BeginsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

std::string LimitSettingsText(std::string_view text)
{
    int units = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        // A byte that starts no UTF-8 sequence counts as one unit.
        const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text.substr(at)));
        // A character beyond the basic plane takes two units, as a surrogate pair.
        const int needs = length == 4 ? 2 : 1;
        if (units + needs > kSettingsTextLimit) {
            break;
        }
        units += needs;
        at = std::min(text.size(), at + length);
    }
    return std::string(text.substr(0, at));
}

std::span<const std::string_view> BeatsEntries() { return kBeats; }
std::span<const std::string_view> BarCountEntries() { return kBarCounts; }
std::span<const std::string_view> BarLengthEntries() { return kBarLengths; }
std::span<const std::string_view> ScaleEntries() { return kScales; }
std::span<const std::string_view> TranspositionEntries() { return kTranspositions; }

int BeatsIndex(int beatsPerBar)
{
    const std::string wanted = std::to_string(beatsPerBar);
    for (std::size_t i = 0; i < kBeats.size(); ++i) {
        if (kBeats[i] == wanted) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

int SelectByValue(std::span<const std::string_view> entries, int value)
{
    const std::string prefix = std::to_string(value);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (BeginsWith(entries[i], prefix)) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::optional<int> number = ParseEntry(entries[i]);
        if (number && *number >= value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TranspositionIndex(int semitones)
{
    const std::string wanted = semitones > 0 ? "+" + std::to_string(semitones) : std::to_string(semitones);
    const std::size_t count = kTranspositions.size();
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = (kTranspositionSearchStart + k) % count;
        if (BeginsWith(kTranspositions[i], wanted)) {
            return static_cast<int>(i);
        }
    }
    return TranspositionIndex(0);
}

std::optional<int> ParseEntry(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    const std::string_view rest(end, static_cast<std::size_t>(text.data() + text.size() - end));
    if (!rest.empty() && rest.front() != '.') {
        return std::nullopt;
    }
    return value;
}

std::uint32_t ClockTempoFor(double tempo, int resolution)
{
    if (tempo <= 0) {
        return 0;
    }
    const auto t = static_cast<std::uint64_t>(tempo);
    if (resolution <= 0) {
        return static_cast<std::uint32_t>(t);
    }
    return static_cast<std::uint32_t>(t * kTicksPerQuarter / static_cast<std::uint64_t>(resolution));
}

std::string TranspositionCountsLine(int importable, int notImportable)
{
    const std::string pieces(text(str::kPieces));
    return std::string(text(str::kImportableNotes)) + " " + std::to_string(importable) + std::string(kIdeographicSpace) +
           pieces + " " + std::string(text(str::kNotImportableNotes)) + std::to_string(notImportable) +
           std::string(kIdeographicSpace) + pieces;
}

std::string EditedCountsLine(int importable, int notImportable)
{
    const std::string pieces(text(str::kPieces));
    return std::string(text(str::kImportableNotes)) + " " + std::to_string(importable) + " " + pieces +
           std::string(text(str::kNotImportableNotes)) + " " + std::to_string(notImportable) + " " + pieces;
}

std::string BoxSwitchLine(const BoxSwitchCount& count, bool fold)
{
    std::string line(text(fold ? str::kBoxSwitchLine : str::kBoxSwitchLineNoFold));
    const int values[] = {count.kept, fold ? count.folded : count.removed, count.removed};
    for (int n = 0; n < (fold ? 3 : 2); ++n) {
        const std::string marker = "%" + std::to_string(n + 1);
        const std::size_t at = line.find(marker);
        if (at != std::string::npos) {
            line.replace(at, marker.size(), std::to_string(values[n]));
        }
    }
    return line;
}

std::optional<SettingsValues> ReadChoice(const SettingsChoice& choice, const SettingsEnabled& enabled,
                                         SettingsValues values)
{
    struct Field {
        bool enabled;
        int index;
        std::span<const std::string_view> entries;
        int* target;
    };
    const Field fields[] = {
        {enabled.beats, choice.beats, kBeats, &values.beatsPerBar},
        {enabled.bars, choice.bars, kBarCounts, &values.barCount},
        {enabled.barLength, choice.barLength, kBarLengths, &values.barLengthMm},
        {enabled.scale, choice.scale, kScales, &values.pixelsPerQuarter},
        {enabled.transposition, choice.transposition, kTranspositions, &values.transposition},
    };
    for (const Field& field : fields) {
        if (!field.enabled) {
            continue;
        }
        if (field.index < 0 || static_cast<std::size_t>(field.index) >= field.entries.size()) {
            return std::nullopt;
        }
        const std::optional<int> number = ParseEntry(field.entries[static_cast<std::size_t>(field.index)]);
        if (!number) {
            return std::nullopt;
        }
        *field.target = *number;
    }
    return values;
}

SettingsChoice OpeningChoice(const SettingsValues& values)
{
    return {BeatsIndex(values.beatsPerBar), SelectByValue(kBarCounts, values.barCount),
            SelectByValue(kBarLengths, values.barLengthMm), SelectByValue(kScales, values.pixelsPerQuarter),
            TranspositionIndex(values.transposition)};
}

SettingsValues ConfirmedUnchanged(const SettingsValues& values)
{
    SettingsChoice choice = OpeningChoice(values);
    auto orLast = [](int& index, std::size_t entries) {
        if (index < 0) {
            index = static_cast<int>(entries) - 1;
        }
    };
    orLast(choice.bars, kBarCounts.size());
    orLast(choice.barLength, kBarLengths.size());
    orLast(choice.scale, kScales.size());
    // Every list now has a selection, so the read-back cannot fail.
    return ReadChoice(choice, SettingsEnabled{}, values).value_or(values);
}

} // namespace zembra
