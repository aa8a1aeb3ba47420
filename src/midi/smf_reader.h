#pragma once

#include "midi/midi_event.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zembra {

// Standard MIDI File reader (formats 0, 1 and 2, RIFF-wrapped files too). The whole file is
// checked when it is loaded, so that reading events afterwards cannot fail half way. A file
// whose header is unusable is refused with a message that says what was expected and where; a
// file with a usable header opens, and a track that is damaged or missing (a truncated
// download, a chunk length past the end) ends where the damage begins, which damage() tells.
class SmfReader {
public:
    bool load(const std::string& path);
    bool parse(std::vector<std::uint8_t> bytes);
    const std::string& error() const { return m_error; }
    // Empty for an intact file; otherwise what was wrong with the first damaged track.
    const std::string& damage() const { return m_damage; }
    bool damaged() const { return !m_damage.empty(); }

    std::uint16_t format() const { return m_format; }
    std::size_t trackCount() const { return m_tracks.size(); }
    // Ticks per quarter note; for SMPTE division derived from frames, ticks per frame and tempo.
    std::uint16_t resolution() const { return m_resolution; }
    bool isSmpte() const { return m_smpte; }
    // Microseconds per quarter of the file's first tempo event, or kDefaultTempo without one.
    std::uint32_t firstTempo() const { return m_firstTempo; }

    // Channel events of `track` from where the last call stopped, with the deltas of the
    // skipped meta and sysex events added to the next channel event. 0 = track exhausted.
    std::uint32_t read(std::size_t track, MidiEvent* out, std::uint32_t max);
    void rewind();
    // The first meta event of `type` in `track`, or with `skip` the one after that many others of
    // the type; the data points into the reader's bytes.
    bool findMeta(std::size_t track, std::uint8_t type, const std::uint8_t** data,
                  std::uint32_t* length, std::size_t skip = 0) const;

private:
    struct Track {
        std::size_t begin = 0;  // first byte of the chunk's data
        std::size_t end = 0;
        std::size_t pos = 0;    // decoding position of read()
        std::uint8_t running = 0;
        std::uint32_t carried = 0;  // delta of skipped events not yet handed out
        bool ended = false;
    };

    bool fail(std::string message);
    void noteDamage(std::string message);
    bool parseChunks(std::size_t pos, std::size_t end, std::size_t declared);
    bool checkTrack(std::size_t index, std::uint64_t& tempoTick, std::uint32_t& tempo);
    bool deriveSmpteResolution(std::uint16_t division);

    std::vector<std::uint8_t> m_bytes;
    std::vector<Track> m_tracks;
    std::string m_error;
    std::string m_damage;
    std::uint16_t m_format = 0;
    std::uint16_t m_resolution = 0;
    std::uint32_t m_firstTempo = 0;
    bool m_smpte = false;
};

}  // namespace zembra
