#pragma once

#include "io/safe_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zembra {

class MidiToolkit;
class MidiTrack;

// One Standard MIDI File opened for reading ('r') or writing ('w'), and the tracks added to
// it: moves whole tracks and single meta events between the file and memory. The added
// tracks are not owned; their order is the track numbering in the file.
class MidiFile {
public:
    MidiFile();
    explicit MidiFile(MidiToolkit& toolkit);
    virtual ~MidiFile();
    MidiFile(const MidiFile&) = delete;
    MidiFile& operator=(const MidiFile&) = delete;

    bool Open(const std::string& path, char mode, std::uint32_t format);
    // False when a file being written could not be saved (the target is then unchanged).
    bool Close();
    // Closes a file being written without writing it; the target is unchanged.
    void Abandon();
    bool IsOpen() const { return m_open; }
    char Mode() const { return m_mode; }
    std::uint32_t Format() const { return m_format; }
    std::uint32_t TrackCount() const { return m_fileTrackCount; }
    std::uint32_t AddedTrackCount() const { return static_cast<std::uint32_t>(m_tracks.size()); }
    // Why the last Open or Close failed, from the toolkit.
    std::string ErrorText() const;
    WriteProblem Problem() const;
    // A file being read whose tracks end early at damage; empty when it is intact.
    std::string Damage() const;

    int AddTrack(MidiTrack* track);
    int RemoveTrack(MidiTrack* track);
    virtual int ReadTrack(MidiTrack* track);
    virtual int WriteTrack(MidiTrack* track);
    // 0 also when the file is damaged: the tracks then hold what came before the damage.
    int ReadAll();
    // -1 when absent or refused; otherwise the toolkit's result and a copy of the data.
    int ReadMeta(MidiTrack* track, std::uint8_t type, std::vector<std::uint8_t>& data);
    // Length 0: the data up to its NUL, or the standard size of a fixed-size meta type.
    int WriteMeta(MidiTrack* track, std::uint8_t type, const std::uint8_t* data, std::uint32_t length);
    void SetResolution(std::uint16_t ticksPerQuarter);
    std::uint16_t Resolution() const;
    // The tempo reading puts on the clock: the file's first tempo event, 120 bpm without one.
    std::uint32_t FirstTempo() const;
    int Rewind();

private:
    int trackNumber(const MidiTrack* track) const;

    MidiToolkit& m_toolkit;
    std::uint32_t m_handle = 0;
    bool m_open = false;
    char m_mode = 0;
    std::uint32_t m_format = 0;
    std::uint32_t m_fileTrackCount = 0;
    std::vector<MidiTrack*> m_tracks;
    std::string m_closeError;
    WriteProblem m_closeProblem;
};

}  // namespace zembra
