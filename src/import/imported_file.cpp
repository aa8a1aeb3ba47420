#include "import/imported_file.h"

#include "midi/midi_bytes.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "import/file_facts.h"

#include <algorithm>
#include <new>

namespace zembra {

ImportedFile::ImportedFile()
    : m_file(std::make_unique<MidiFile>())
{
}

ImportedFile::~ImportedFile()
{
    // The file first: closing it lets go of the tracks it was given.
    Close();
}

bool ImportedFile::Open(const std::string& path)
{
    Close();
    return m_file->Open(path, 'r', 0);
}

int ImportedFile::MakeTracks()
{
    if (!m_file->IsOpen()) {
        return 0;
    }
    m_trackCount = static_cast<int>(std::min<std::uint32_t>(m_file->TrackCount(), kMaxImportTracks));
    int notMade = 0;
    for (int i = 0; i < m_trackCount; ++i) {
        auto& track = m_tracks[static_cast<std::size_t>(i)];
        try {
            track = std::make_unique<MidiTrack>();
        } catch (const std::bad_alloc&) {
            ++notMade;
            continue;
        }
        m_file->AddTrack(track.get());
    }
    return notMade;
}

bool ImportedFile::ReadAll()
{
    if (!m_file->IsOpen()) {
        return false;
    }
    const bool whole = m_file->ReadAll() != 0;
    m_file->Rewind();
    for (int i = 0; i < m_trackCount; ++i) {
        if (m_tracks[static_cast<std::size_t>(i)]) {
            m_tracks[static_cast<std::size_t>(i)]->Rewind();
        }
    }
    return whole;
}

bool ImportedFile::Read(const std::string& path)
{
    if (!Open(path)) {
        return false;
    }
    MakeTracks();
    ReadAll();
    return true;
}

ImportedFile::Whole ImportedFile::ReadWhole(const std::string& path)
{
    if (!Open(path)) {
        return Whole::CannotOpen;
    }
    if (MakeTracks() > 0) {
        return Whole::OutOfMemory;
    }
    if (!ReadAll()) {
        return Whole::Damaged;
    }
    return tracks().empty() ? Whole::NoTracks : Whole::Read;
}

void ImportedFile::Close()
{
    if (m_file->IsOpen()) {
        m_file->Close();
    }
    for (auto& track : m_tracks) {
        track.reset();
    }
    m_trackCount = 0;
}

bool ImportedFile::IsOpen() const
{
    return m_file->IsOpen();
}

std::string ImportedFile::errorText() const
{
    return m_file->ErrorText();
}

std::string ImportedFile::damage() const
{
    return m_file->Damage();
}

std::vector<const MidiTrack*> ImportedFile::tracks() const
{
    std::vector<const MidiTrack*> list;
    for (int i = 0; i < m_trackCount; ++i) {
        if (m_tracks[static_cast<std::size_t>(i)]) {
            list.push_back(m_tracks[static_cast<std::size_t>(i)].get());
        }
    }
    return list;
}

std::vector<MidiTrack*> ImportedFile::editableTracks()
{
    std::vector<MidiTrack*> list;
    for (int i = 0; i < m_trackCount; ++i) {
        if (m_tracks[static_cast<std::size_t>(i)]) {
            list.push_back(m_tracks[static_cast<std::size_t>(i)].get());
        }
    }
    return list;
}

int ImportedFile::fileTrackCount() const
{
    return static_cast<int>(m_file->TrackCount());
}

int ImportedFile::format() const
{
    return static_cast<int>(m_file->Format());
}

int ImportedFile::resolution() const
{
    return m_file->Resolution() & 0xFFFF;
}

std::uint32_t ImportedFile::tempo() const
{
    return m_file->FirstTempo();
}

std::vector<std::uint8_t> ImportedFile::FirstTrackMeta(std::uint8_t type) const
{
    std::vector<std::uint8_t> data;
    if (!m_file->IsOpen() || m_trackCount < 1 || !m_tracks[0]) {
        return data;
    }
    if (m_file->ReadMeta(m_tracks[0].get(), type, data) == -1) {
        data.clear();
    }
    return data;
}

int ImportedFile::BeatsPerBar() const
{
    return BeatsPerBarFromTimeSignature(FirstTrackMeta(kMetaTimeSignature));
}

std::vector<std::uint8_t> ImportedFile::TimeSignature() const
{
    return FirstTrackMeta(kMetaTimeSignature);
}

std::string ImportedFile::Text() const
{
    return TextFromTextEvent(FirstTrackMeta(kMetaText));
}

int ImportedFile::KeyNameId() const
{
    return KeyNameIdFromKeySignature(FirstTrackMeta(kMetaKeySignature));
}

std::vector<std::uint8_t> ImportedFile::KeySignature() const
{
    return FirstTrackMeta(kMetaKeySignature);
}

FileFacts ImportedFile::Facts(const std::string& fileTitle) const
{
    FileFacts facts;
    facts.fileTitle = fileTitle;
    facts.text = Text();
    facts.beatsPerBar = BeatsPerBar();
    facts.tempo = static_cast<double>(tempo());
    facts.resolution = resolution();
    return facts;
}

std::vector<TrackSummary> ImportedFile::TrackSummaries() const
{
    std::vector<TrackSummary> list;
    for (int i = 0; i < m_trackCount; ++i) {
        MidiTrack* track = m_tracks[static_cast<std::size_t>(i)].get();
        if (!track) {
            continue;
        }
        // Without a name event the data stays empty.
        std::vector<std::uint8_t> name;
        m_file->ReadMeta(track, kMetaTrackName, name);
        list.push_back(SummarizeTrack(*track, TextFromTextEvent(name)));
    }
    return list;
}

} // namespace zembra
