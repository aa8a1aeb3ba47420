#pragma once

#include "import/import_settings.h"
#include "import/track_list.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zembra {

class MidiFile;
class MidiTrack;

inline constexpr int kMaxImportTracks = 16;

// A Standard MIDI File read for import: its first 16 tracks as MidiTracks, and what the import
// settings start from (resolution, tempo, time signature, key, tag text). The window's document
// and the command line both read files through it, so that both import the same notes.
class ImportedFile {
public:
    ImportedFile();
    ~ImportedFile();
    ImportedFile(const ImportedFile&) = delete;
    ImportedFile& operator=(const ImportedFile&) = delete;

    // False when the file cannot be read at all; errorText() says why.
    bool Open(const std::string& path);
    // A track for each of the file's first 16; returns how many could not be made (out of
    // memory), which are then left out.
    int MakeTracks();
    // Reads every track made. False when the file is damaged: the tracks then hold what came
    // before the damage, and damage() says where it begins.
    bool ReadAll();
    // Open, make the tracks and read them: false when the file could not be opened.
    bool Read(const std::string& path);
    // Open, make the tracks and read them, for a reader that takes a file whole or not at all.
    enum class Whole { Read, CannotOpen, OutOfMemory, Damaged, NoTracks };
    Whole ReadWhole(const std::string& path);
    // Lets go of the tracks too.
    void Close();

    bool IsOpen() const;
    std::string errorText() const;
    std::string damage() const;

    // The tracks made, in file order.
    std::vector<const MidiTrack*> tracks() const;
    std::vector<MidiTrack*> editableTracks();
    int trackCount() const { return m_trackCount; }
    // Every track the file holds, also those beyond the 16th.
    int fileTrackCount() const;
    int format() const;
    // Ticks per quarter note.
    int resolution() const;
    // Microseconds per quarter note of the first tempo event; 120 bpm without one.
    std::uint32_t tempo() const;

    // Facts of the first track while the file is open: -1, empty data or text, 0 when absent.
    int BeatsPerBar() const;
    std::vector<std::uint8_t> TimeSignature() const;
    std::string Text() const;
    int KeyNameId() const;
    // The data of the key signature; empty when there is none.
    std::vector<std::uint8_t> KeySignature() const;
    // What MakeImportSettings starts from; `fileTitle` is the file's name without its extension.
    FileFacts Facts(const std::string& fileTitle) const;
    // The tracks made, in file order, each with its name, channels and strikes.
    std::vector<TrackSummary> TrackSummaries() const;

private:
    std::vector<std::uint8_t> FirstTrackMeta(std::uint8_t type) const;

    std::unique_ptr<MidiFile> m_file;
    std::array<std::unique_ptr<MidiTrack>, kMaxImportTracks> m_tracks;
    int m_trackCount = 0;
};

} // namespace zembra
