#include "midi/smf_writer.h"

#include "midi/midi_bytes.h"

#include <cstring>

namespace zembra {

namespace {

constexpr std::uint32_t kMaxVlq = 0x0FFFFFFF;  // 28 bits: four bytes of seven
constexpr std::uint32_t kMaxTracks = 0xFFFF;
constexpr std::size_t kMaxTextBytes = 0x0FFFFFFF;

void putVlq(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = value & kDataMask;
        value >>= 7;
    } while (value && n < 4);
    while (n-- > 1)
        out.push_back(groups[n] | kStatusBit);
    out.push_back(groups[0]);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v >> 24));
    out.push_back(std::uint8_t(v >> 16));
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

std::uint32_t standardMetaLength(std::uint8_t type, const std::uint8_t* data)
{
    switch (type) {
    case kMetaTempo: return 3;
    case kMetaTimeSignature: return 4;
    case kMetaKeySignature: return 2;
    case kMetaSmpteOffset: return 5;
    case kMetaSequenceNumber: return 2;
    case kMetaChannelPrefix: case kMetaPort: return 1;
    case kMetaEndOfTrack: return 0;
    default: return data ? static_cast<std::uint32_t>(strnlen(reinterpret_cast<const char*>(data), kMaxTextBytes)) : 0;
    }
}

}  // namespace

SmfWriter::~SmfWriter()
{
    abandon();
}

bool SmfWriter::open(const std::string& path)
{
    abandon();
    m_tracks.clear();
    m_error.clear();
    m_file = std::make_unique<SafeFile>(path);
    if (!m_file->Open()) {
        m_error = m_file->reason();
        return false;
    }
    return true;
}

SmfWriter::Track* SmfWriter::track(std::uint32_t index)
{
    if (index >= kMaxTracks)
        return nullptr;
    if (index >= m_tracks.size())
        m_tracks.resize(index + 1);
    return &m_tracks[index];
}

std::uint32_t SmfWriter::writeEvents(std::uint32_t index, const MidiEvent* events, std::uint32_t count)
{
    Track* t = track(index);
    if (!t || !events)
        return 0;
    std::uint32_t written = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const MidiEvent& e = events[i];
        const std::uint32_t time = e.time == kAtOnce ? 0 : e.time;
        const std::uint64_t delta = std::uint64_t(t->pendingDelta) + time;
        const std::size_t length = e.status < kSysEx ? midiMessageLength(e.status) : 0;
        const bool dataOk = (e.data1 & kStatusBit) == 0 && (length < 3 || (e.data2 & kStatusBit) == 0);
        if (length == 0 || !dataOk || delta > kMaxVlq) {
            t->pendingDelta = delta > kMaxVlq ? kMaxVlq : std::uint32_t(delta);
            continue;
        }
        putVlq(t->bytes, std::uint32_t(delta));
        t->pendingDelta = 0;
        t->bytes.push_back(e.status);
        t->bytes.push_back(e.data1);
        if (length == 3)
            t->bytes.push_back(e.data2);
        ++written;
    }
    return written;
}

bool SmfWriter::writeMeta(std::uint32_t index, std::uint8_t type, const std::uint8_t* data, std::uint32_t length)
{
    Track* t = track(index);
    if (!t || (type & kStatusBit) || type == kMetaEndOfTrack)
        return false;
    if (length == 0)
        length = standardMetaLength(type, data);
    if (length > kMaxVlq || (length > 0 && !data))
        return false;
    putVlq(t->bytes, t->pendingDelta);
    t->pendingDelta = 0;
    t->bytes.push_back(kMeta);
    t->bytes.push_back(type);
    putVlq(t->bytes, length);
    t->bytes.insert(t->bytes.end(), data, data + length);
    return true;
}

std::vector<std::uint8_t> SmfWriter::image(std::uint32_t format) const
{
    const std::size_t trackCount = m_tracks.empty() ? 1 : m_tracks.size();
    if (format > 2 || (format == 0 && trackCount > 1))
        format = 1;
    std::vector<std::uint8_t> out;
    out.insert(out.end(), {'M', 'T', 'h', 'd'});
    put32(out, 6);
    put16(out, std::uint16_t(format));
    put16(out, std::uint16_t(trackCount));
    put16(out, m_resolution);
    for (std::size_t i = 0; i < trackCount; ++i) {
        static const Track empty;
        const Track& t = i < m_tracks.size() ? m_tracks[i] : empty;
        std::vector<std::uint8_t> body = t.bytes;
        putVlq(body, t.pendingDelta);
        body.insert(body.end(), {kMeta, kMetaEndOfTrack, 0});
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        put32(out, std::uint32_t(body.size()));
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

bool SmfWriter::finish(std::uint32_t format)
{
    if (!m_file || !m_file->isOpen())
        return false;
    if (!m_file->Write(image(format)) || !m_file->Commit()) {
        m_error = m_file->reason();
        return false;
    }
    return true;
}

void SmfWriter::abandon()
{
    if (m_file)
        m_file->Discard();
}

}  // namespace zembra
