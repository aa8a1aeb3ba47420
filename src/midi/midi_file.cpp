#include "midi/midi_file.h"

#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"

#include <algorithm>
#include <new>

namespace zembra {

MidiFile::MidiFile()
    : MidiFile(MidiToolkit::shared())
{
}

MidiFile::MidiFile(MidiToolkit& toolkit)
    : m_toolkit(toolkit)
{
}

MidiFile::~MidiFile()
{
    Close();
    // Tracks added while closed cannot exist, but a track must never keep a link to us.
    while (!m_tracks.empty())
        RemoveTrack(m_tracks.front());
}

bool MidiFile::Open(const std::string& path, char mode, std::uint32_t format)
{
    Close();
    m_mode = mode;
    m_format = format;
    m_closeError.clear();
    m_closeProblem = {};
    const char modeText[2] = {mode, '\0'};
    m_handle = m_toolkit.OpenSMF(path.c_str(), &m_format, modeText, &m_fileTrackCount);
    m_open = m_handle != 0;
    return m_open;
}

bool MidiFile::Close()
{
    bool saved = true;
    if (m_open) {
        saved = m_toolkit.CloseSMF(m_handle) == 0;
        if (!saved) {
            m_closeError = m_toolkit.LastSMFError();
            m_closeProblem = m_toolkit.LastSMFWriteProblem();
        }
        while (!m_tracks.empty())
            RemoveTrack(m_tracks.front());
        m_fileTrackCount = 0;
    }
    m_handle = 0;
    m_open = false;
    return saved;
}

void MidiFile::Abandon()
{
    if (m_open && m_mode == 'w') {
        m_toolkit.AbandonSMF(m_handle);
        while (!m_tracks.empty())
            RemoveTrack(m_tracks.front());
        m_fileTrackCount = 0;
        m_handle = 0;
        m_open = false;
        return;
    }
    Close();
}

std::string MidiFile::ErrorText() const
{
    return m_closeError.empty() ? m_toolkit.LastSMFError() : m_closeError;
}

WriteProblem MidiFile::Problem() const
{
    return m_closeProblem.failed() ? m_closeProblem : m_toolkit.LastSMFWriteProblem();
}

std::string MidiFile::Damage() const
{
    return m_open && m_mode == 'r' ? m_toolkit.SMFDamage(m_handle) : std::string();
}

int MidiFile::trackNumber(const MidiTrack* track) const
{
    auto it = std::find(m_tracks.begin(), m_tracks.end(), track);
    return it == m_tracks.end() ? -1 : static_cast<int>(it - m_tracks.begin());
}

int MidiFile::AddTrack(MidiTrack* track)
{
    if (!m_open || !track || trackNumber(track) >= 0)
        return 0;
    try {
        m_tracks.push_back(track);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (m_tracks.size() > 1)
        m_format = 1;
    if (track->m_file && track->m_file != this)
        track->m_file->RemoveTrack(track);
    track->m_file = this;
    return 1;
}

int MidiFile::RemoveTrack(MidiTrack* track)
{
    const int index = trackNumber(track);
    if (index < 0)
        return 0;
    m_tracks.erase(m_tracks.begin() + index);
    if (m_tracks.empty())
        m_tracks.shrink_to_fit();
    if (track->m_file == this)
        track->m_file = nullptr;
    return 1;
}

int MidiFile::ReadTrack(MidiTrack* track)
{
    const int number = trackNumber(track);
    if (!m_open || m_mode != 'r' || number < 0)
        return 0;
    // The buffer handed to the toolkit always has room for a full read of kGrowth events.
    std::vector<MidiEvent> events = std::move(track->EventArray());
    std::uint32_t total = 0;
    try {
        for (;;) {
            if (events.size() - total < MidiTrack::kGrowth)
                events.resize(events.size() + std::max<std::size_t>(total, MidiTrack::kGrowth - (events.size() - total)));
            const std::uint32_t n = m_toolkit.ReadSMF(m_handle, std::uint32_t(number), events.data() + total, MidiTrack::kGrowth);
            if (n == 0)
                break;
            total += n;
        }
    } catch (const std::bad_alloc&) {
        track->ReplaceArray(std::move(events), 0);
        return 0;
    }
    track->ReplaceArray(std::move(events), total);
    return total > 0 ? 1 : 0;
}

int MidiFile::ReadAll()
{
    if (!m_open || m_mode != 'r' || m_tracks.empty())
        return 0;
    m_toolkit.RewindSMF(m_handle);
    for (MidiTrack* track : m_tracks) {
        track->Clear();
        ReadTrack(track);
    }
    return Damage().empty() ? 1 : 0;
}

int MidiFile::WriteTrack(MidiTrack* track)
{
    const int number = trackNumber(track);
    if (!m_open || m_mode != 'w' || number < 0)
        return 0;
    if (track->Name())
        WriteMeta(track, kMetaTrackName, reinterpret_cast<const std::uint8_t*>(track->Name()), 0);
    const std::uint32_t count = track->Remaining();
    return m_toolkit.WriteSMF(m_handle, std::uint32_t(number), track->EventArray().data(), count) == count ? 1 : 0;
}

int MidiFile::ReadMeta(MidiTrack* track, std::uint8_t type, std::vector<std::uint8_t>& data)
{
    // -1 means no data: the caller must never find a previous call's bytes and take them for these.
    data.clear();
    const int number = trackNumber(track);
    if (!m_open || m_mode != 'r' || number < 0)
        return -1;
    const std::uint8_t* p = nullptr;
    std::uint32_t n = 0;
    const int result = m_toolkit.ReadMetaEvent(m_handle, std::uint32_t(number), type, &p, &n);
    if (result == -1)
        return -1;
    // The toolkit's bytes live only as long as the open file.
    data.assign(p, p + n);
    return result;
}

int MidiFile::WriteMeta(MidiTrack* track, std::uint8_t type, const std::uint8_t* data, std::uint32_t length)
{
    const int number = trackNumber(track);
    if (!m_open || m_mode != 'w' || number < 0)
        return 0;
    return m_toolkit.WriteMetaEvent(m_handle, std::uint32_t(number), type, data, length) == 0 ? 1 : 0;
}

void MidiFile::SetResolution(std::uint16_t ticksPerQuarter)
{
    if (m_open)
        m_toolkit.SetSMFResolution(m_handle, ticksPerQuarter);
}

std::uint16_t MidiFile::Resolution() const
{
    return m_open ? m_toolkit.GetSMFResolution(m_handle) : 0;
}

std::uint32_t MidiFile::FirstTempo() const
{
    return m_open && m_mode == 'r' ? m_toolkit.GetSMFTempo(m_handle) : kDefaultTempo;
}

int MidiFile::Rewind()
{
    return m_open && m_toolkit.RewindSMF(m_handle) == 0 ? 1 : 0;
}

}  // namespace zembra
