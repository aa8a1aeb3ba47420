#pragma once

#include "midi/midi_bytes.h"
#include "midi/smf_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zembra {

enum class SmfOutcome { Refused, Read, ReadDamaged };

// Everything a caller can do with a file the reader accepted, so that the fuzzer and the
// corpus replay test walk the same paths.
inline SmfOutcome exerciseSmfReader(const std::uint8_t* data, std::size_t size)
{
    SmfReader reader;
    if (!reader.parse(std::vector<std::uint8_t>(data, data + size)))
        return SmfOutcome::Refused;
    std::vector<MidiEvent> buffer(8192);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t t = 0; t < reader.trackCount(); ++t)
            while (reader.read(t, buffer.data(), std::uint32_t(buffer.size())) > 0) {
            }
        reader.rewind();
    }
    for (std::size_t t = 0; t < reader.trackCount(); ++t) {
        for (std::uint8_t type : {kMetaText, kMetaTrackName, kMetaTempo, kMetaTimeSignature, kMetaKeySignature}) {
            const std::uint8_t* meta = nullptr;
            std::uint32_t length = 0;
            if (reader.findMeta(t, type, &meta, &length) && length > 0) {
                volatile std::uint8_t last = meta[length - 1];  // must lie inside the file
                (void)last;
            }
        }
    }
    if (reader.resolution() == 0)
        return SmfOutcome::Refused;
    return reader.damaged() ? SmfOutcome::ReadDamaged : SmfOutcome::Read;
}

}  // namespace zembra
