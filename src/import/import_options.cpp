#include "import/import_options.h"

#include "midi/midi_bytes.h"

namespace zembra {

namespace {

constexpr std::size_t kMaskBits = 32;

} // namespace

bool IsLeftOut(std::uint8_t status, const ImportOptions& options)
{
    return options.leaveOutDrums && (status & kStatusTypeMask) == kNoteOn && (status & kChannelMask) == kDrumChannel;
}

bool IsTrackLeftOut(std::size_t index, const ImportOptions& options)
{
    return index < kMaskBits && (options.leftOutTracks >> index & 1U) != 0;
}

} // namespace zembra
