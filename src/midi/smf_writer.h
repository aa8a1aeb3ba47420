#pragma once

#include "io/safe_file.h"
#include "midi/midi_bytes.h"
#include "midi/midi_event.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zembra {

// Standard MIDI File writer. Tracks are built in memory and the file is written when it is
// finished: into a temporary file beside the target, renamed over it only once every byte
// is on disk, so that a failed save never destroys the previous file.
class SmfWriter {
public:
    SmfWriter() = default;
    ~SmfWriter();
    SmfWriter(const SmfWriter&) = delete;
    SmfWriter& operator=(const SmfWriter&) = delete;

    // Creates the temporary file, so that an unwritable target fails here and not at the end.
    bool open(const std::string& path);
    const std::string& error() const { return m_error; }
    WriteProblem problem() const { return m_file ? m_file->problem() : WriteProblem{}; }

    void setResolution(std::uint16_t ticksPerQuarter) { m_resolution = ticksPerQuarter; }
    std::uint16_t resolution() const { return m_resolution; }

    // Appends channel events; returns how many were written. Events that a file cannot carry
    // (no status, system status, data byte with its top bit set, delta beyond 28 bits) are left
    // out, their delta kept for the next event.
    std::uint32_t writeEvents(std::uint32_t track, const MidiEvent* events, std::uint32_t count);
    // Length 0 means: the standard size for the fixed-size types (tempo 3, time signature 4,
    // key signature 2, SMPTE offset 5, sequence number 2, channel prefix and port 1), and
    // up to the NUL for any other type.
    bool writeMeta(std::uint32_t track, std::uint8_t type, const std::uint8_t* data, std::uint32_t length);

    // Writes the file with the given format (0 with several tracks is written as 1).
    bool finish(std::uint32_t format);
    // Drops the temporary file; the target is untouched.
    void abandon();

    // The complete file image; the golden tests compare it byte by byte.
    std::vector<std::uint8_t> image(std::uint32_t format) const;

private:
    struct Track {
        std::vector<std::uint8_t> bytes;
        std::uint32_t pendingDelta = 0;
    };

    Track* track(std::uint32_t index);

    std::vector<Track> m_tracks;
    std::unique_ptr<SafeFile> m_file;
    std::string m_error;
    std::uint16_t m_resolution = kDefaultResolution;
};

}  // namespace zembra
