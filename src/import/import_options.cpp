#include "import/import_options.h"

#include "midi/midi_bytes.h"

namespace zembra {

bool IsLeftOut(std::uint8_t status, const ImportOptions& options)
{
    return options.leaveOutDrums && (status & kStatusTypeMask) == kNoteOn && (status & kChannelMask) == kDrumChannel;
}

} // namespace zembra
