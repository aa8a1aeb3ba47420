#include "import/track_list.h"

#include "midi/midi_bytes.h"
#include "midi/midi_track.h"

#include <bit>
#include <charconv>

namespace zembra {

namespace {

constexpr int kChannels = 16;
// Track numbers a mask holds.
constexpr int kMaskBits = 32;

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

TrackSummary SummarizeTrack(const MidiTrack& track, std::string name)
{
    TrackSummary summary;
    summary.name = std::move(name);
    const std::uint32_t events = track.Remaining();
    for (std::uint32_t i = 0; i < events; ++i) {
        const MidiEvent& event = *track.Event(i);
        if ((event.status & kStatusTypeMask) == kNoteOn && event.data2 != 0) {
            ++summary.notes;
            summary.channels |= static_cast<std::uint16_t>(1U << (event.status & kChannelMask));
        }
    }
    return summary;
}

std::string ChannelListText(std::uint16_t channels)
{
    std::string list;
    for (int c = 0; c < kChannels; ++c) {
        if ((channels >> c & 1U) != 0) {
            list += (list.empty() ? "" : ", ") + std::to_string(c + 1);
        }
    }
    return list;
}

std::optional<std::uint32_t> ParseTrackNumbers(std::string_view list, int highest)
{
    std::uint32_t chosen = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string_view entry =
            Trimmed(list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        int number = 0;
        const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), number);
        if (entry.empty() || error != std::errc() || end != entry.data() + entry.size() || number < 1 ||
            number > highest || number > kMaskBits) {
            return std::nullopt;
        }
        chosen |= 1U << (number - 1);
        if (comma == std::string_view::npos) {
            return chosen;
        }
        start = comma + 1;
    }
}

std::uint32_t TracksLeftOutBesides(std::uint32_t chosen)
{
    return ~chosen;
}

int HighestTrackNumber(std::uint32_t chosen)
{
    return kMaskBits - std::countl_zero(chosen);
}

} // namespace zembra
