#include "midi/smf_reader.h"

#include "midi/midi_bytes.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

namespace zembra {

namespace {

// Larger files are refused rather than read: no real song comes near this.
constexpr std::uintmax_t kMaxFileBytes = 256u * 1024 * 1024;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kMinHeaderLength = 6;
constexpr std::size_t kMaxVlqBytes = 4;
constexpr std::uint16_t kSmpteFlag = 0x8000;
constexpr std::uint16_t kMaxResolution = 0x7FFF;

std::uint32_t be32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint32_t le32(const std::uint8_t* p)
{
    return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

std::uint16_t be16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

std::string hex(unsigned v)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s = "0x";
    s += digits[(v >> 4) & 0xF];
    s += digits[v & 0xF];
    return s;
}

std::string chunkName(const std::uint8_t* p)
{
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += (p[i] >= 0x20 && p[i] < 0x7F) ? char(p[i]) : '?';
    return s;
}

// Saturating: the sum of carried deltas must never reach kAtOnce, which means "now".
std::uint32_t addDelta(std::uint32_t a, std::uint32_t b)
{
    const std::uint64_t sum = std::uint64_t(a) + b;
    return sum >= kAtOnce ? kAtOnce - 1 : std::uint32_t(sum);
}

enum class Kind { Channel, Meta, SysEx, End, Error };

struct Item {
    Kind kind = Kind::Error;
    std::uint32_t delta = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::uint8_t metaType = 0;
    std::size_t dataPos = 0;
    std::uint32_t dataLength = 0;
    std::string error;
};

class Decoder {
public:
    Decoder(const std::vector<std::uint8_t>& bytes, std::size_t& pos, std::size_t end, std::uint8_t& running)
        : m_b(bytes), m_pos(pos), m_end(end), m_running(running)
    {
    }

    Item next()
    {
        Item item;
        if (m_pos >= m_end) {
            // A track that stops without its end-of-track event is taken as ended.
            item.kind = Kind::End;
            return item;
        }
        if (!vlq(item.delta, item, "delta time"))
            return item;
        if (m_pos >= m_end)
            return error(item, "event expected after delta time at byte " + std::to_string(m_pos));
        const std::size_t at = m_pos;
        std::uint8_t status = m_b[m_pos];
        if (status & kStatusBit) {
            ++m_pos;
        } else if (m_running) {
            status = m_running;
        } else {
            return error(item, "data byte " + hex(status) + " without a status at byte " + std::to_string(at));
        }
        item.status = status;

        if (status < kSysEx) {
            m_running = status;
            const std::size_t dataBytes = midiMessageLength(status) - 1;
            std::uint8_t data[2] = {0, 0};
            for (std::size_t i = 0; i < dataBytes; ++i) {
                if (m_pos >= m_end)
                    return error(item, "event at byte " + std::to_string(at) + " runs past the end of its track");
                if (m_b[m_pos] & kStatusBit)
                    return error(item, "data byte expected at byte " + std::to_string(m_pos) + ", found " + hex(m_b[m_pos]));
                data[i] = m_b[m_pos++];
            }
            item.kind = Kind::Channel;
            item.data1 = data[0];
            item.data2 = data[1];
            return item;
        }
        if (status == kSysEx || status == kSysExEnd) {
            if (!vlq(item.dataLength, item, "sysex length") || !payload(item, at, "sysex"))
                return item;
            item.kind = Kind::SysEx;
            return item;
        }
        if (status == kMeta) {
            if (m_pos >= m_end)
                return error(item, "meta type expected at byte " + std::to_string(m_pos));
            item.metaType = m_b[m_pos++];
            if (item.metaType & kStatusBit)
                return error(item, "meta type " + hex(item.metaType) + " at byte " + std::to_string(m_pos - 1) + " is not a meta type");
            if (!vlq(item.dataLength, item, "meta length") || !payload(item, at, "meta event"))
                return item;
            item.kind = item.metaType == kMetaEndOfTrack ? Kind::End : Kind::Meta;
            return item;
        }
        return error(item, "status " + hex(status) + " at byte " + std::to_string(at) + " cannot appear in a file");
    }

private:
    Item& error(Item& item, std::string text)
    {
        item.kind = Kind::Error;
        item.error = std::move(text);
        return item;
    }

    bool vlq(std::uint32_t& value, Item& item, const char* what)
    {
        value = 0;
        const std::size_t at = m_pos;
        for (std::size_t i = 0; i < kMaxVlqBytes; ++i) {
            if (m_pos >= m_end) {
                error(item, std::string(what) + " at byte " + std::to_string(at) + " runs past the end of its track");
                return false;
            }
            const std::uint8_t b = m_b[m_pos++];
            value = (value << 7) | (b & kDataMask);
            if (!(b & kStatusBit))
                return true;
        }
        error(item, std::string(what) + " at byte " + std::to_string(at) + " is longer than 4 bytes");
        return false;
    }

    bool payload(Item& item, std::size_t at, const char* what)
    {
        if (item.dataLength > m_end - m_pos) {
            error(item, std::string(what) + " at byte " + std::to_string(at) + " claims " + std::to_string(item.dataLength)
                            + " bytes, only " + std::to_string(m_end - m_pos) + " remain in its track");
            return false;
        }
        item.dataPos = m_pos;
        m_pos += item.dataLength;
        return true;
    }

    const std::vector<std::uint8_t>& m_b;
    std::size_t& m_pos;
    std::size_t m_end;
    std::uint8_t& m_running;
};

}  // namespace

bool SmfReader::fail(std::string message)
{
    m_error = std::move(message);
    m_damage.clear();
    m_tracks.clear();
    m_bytes.clear();
    return false;
}

void SmfReader::noteDamage(std::string message)
{
    // The first damage is the one worth telling; later ones often follow from it.
    if (m_damage.empty())
        m_damage = std::move(message);
}

bool SmfReader::load(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path p(path);
    if (!std::filesystem::is_regular_file(p, ec))
        return fail("not a readable file: " + path);
    const std::uintmax_t size = std::filesystem::file_size(p, ec);
    if (ec)
        return fail("cannot read " + path);
    if (size > kMaxFileBytes)
        return fail("file is too large for a MIDI file (" + std::to_string(size) + " bytes)");
    std::ifstream in(p, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return fail("cannot read " + path);
    return parse(std::move(bytes));
}

bool SmfReader::parse(std::vector<std::uint8_t> bytes)
{
    m_bytes = std::move(bytes);
    m_tracks.clear();
    m_error.clear();
    m_damage.clear();
    m_smpte = false;
    const std::size_t size = m_bytes.size();
    const std::uint8_t* b = m_bytes.data();

    std::size_t start = 0;
    std::size_t end = size;
    if (size >= 4 && std::memcmp(b, "RIFF", 4) == 0) {
        // RIFF MIDI: "RIFF" size "RMID", then sub-chunks (little-endian sizes); the SMF is "data".
        if (size < 12 || std::memcmp(b + 8, "RMID", 4) != 0)
            return fail("RIFF file is not RIFF MIDI (expected RMID at byte 8)");
        std::size_t pos = 12;
        bool found = false;
        while (size - pos >= kChunkHeaderBytes) {
            std::uint32_t length = le32(b + pos + 4);
            const bool isData = std::memcmp(b + pos, "data", 4) == 0;
            if (length > size - pos - kChunkHeaderBytes) {
                if (!isData)
                    return fail("RIFF chunk '" + chunkName(b + pos) + "' at byte " + std::to_string(pos) + " runs past the end of the file");
                // A cut-off download: the MIDI data goes as far as the file does.
                noteDamage("RIFF data chunk at byte " + std::to_string(pos) + " runs past the end of the file");
                length = static_cast<std::uint32_t>(size - pos - kChunkHeaderBytes);
            }
            if (isData) {
                start = pos + kChunkHeaderBytes;
                end = start + length;
                found = true;
                break;
            }
            pos += kChunkHeaderBytes + length + (length & 1);
            if (pos > size)
                break;
        }
        if (!found)
            return fail("RIFF MIDI file has no data chunk");
    }

    if (end - start < kChunkHeaderBytes || std::memcmp(b + start, "MThd", 4) != 0)
        return fail("not a MIDI file: expected MThd at byte " + std::to_string(start));
    const std::uint32_t headerLength = be32(b + start + 4);
    if (headerLength < kMinHeaderLength)
        return fail("MThd length " + std::to_string(headerLength) + " is shorter than 6");
    if (headerLength > end - start - kChunkHeaderBytes)
        return fail("MThd at byte " + std::to_string(start) + " runs past the end of the file");
    const std::uint8_t* h = b + start + kChunkHeaderBytes;
    m_format = be16(h);
    const std::uint16_t declared = be16(h + 2);
    const std::uint16_t division = be16(h + 4);
    if (m_format > 2)
        return fail("unknown MIDI file format " + std::to_string(m_format));
    if (declared == 0)
        return fail("the header declares no tracks");
    if (division == 0)
        return fail("time division is 0");

    parseChunks(start + kChunkHeaderBytes + headerLength, end, declared);
    if (m_tracks.size() < declared)
        noteDamage("the header declares " + std::to_string(declared) + " tracks, the file holds "
                   + std::to_string(m_tracks.size()));

    std::uint64_t tempoTick = std::numeric_limits<std::uint64_t>::max();
    std::uint32_t tempo = kDefaultTempo;
    for (std::size_t i = 0; i < m_tracks.size(); ++i)
        checkTrack(i, tempoTick, tempo);
    m_firstTempo = tempo;

    if (division & kSmpteFlag)
        return deriveSmpteResolution(division);
    m_resolution = division;
    return true;
}

bool SmfReader::parseChunks(std::size_t pos, std::size_t end, std::size_t declared)
{
    const std::uint8_t* b = m_bytes.data();
    // Each track costs at least a chunk header of the file, so the table never outgrows it.
    while (end - pos >= kChunkHeaderBytes) {
        std::uint32_t length = be32(b + pos + 4);
        const bool wanted = std::memcmp(b + pos, "MTrk", 4) == 0 && m_tracks.size() < declared;
        if (length > end - pos - kChunkHeaderBytes) {
            // Bytes after the last track that was asked for are of no concern.
            if (!wanted)
                return true;
            // A truncated track keeps what the file still holds of it.
            noteDamage("chunk '" + chunkName(b + pos) + "' at byte " + std::to_string(pos) + " claims "
                       + std::to_string(length) + " bytes, only " + std::to_string(end - pos - kChunkHeaderBytes)
                       + " remain");
            length = static_cast<std::uint32_t>(end - pos - kChunkHeaderBytes);
        }
        if (wanted) {
            Track t;
            t.begin = pos + kChunkHeaderBytes;
            t.end = t.begin + length;
            t.pos = t.begin;
            m_tracks.push_back(t);
        }
        pos += kChunkHeaderBytes + length;
    }
    return true;
}

bool SmfReader::checkTrack(std::size_t index, std::uint64_t& tempoTick, std::uint32_t& tempo)
{
    Track& t = m_tracks[index];
    std::size_t pos = t.begin;
    std::uint8_t running = 0;
    std::uint64_t tick = 0;
    Decoder decoder(m_bytes, pos, t.end, running);
    for (;;) {
        const std::size_t itemStart = pos;
        const Item item = decoder.next();
        if (item.kind == Kind::Error) {
            // The track ends before the event that cannot be decoded, so that reading it
            // afterwards hands out exactly the events before the damage.
            noteDamage("track " + std::to_string(index + 1) + ": " + item.error);
            t.end = itemStart;
            return false;
        }
        if (item.kind == Kind::End)
            return true;
        tick += item.delta;
        // The file's tempo is its earliest tempo event; at equal times the lower track wins.
        if (item.kind == Kind::Meta && item.metaType == kMetaTempo && item.dataLength >= 3 && tick < tempoTick) {
            const std::uint8_t* d = m_bytes.data() + item.dataPos;
            const std::uint32_t value = (std::uint32_t(d[0]) << 16) | (std::uint32_t(d[1]) << 8) | d[2];
            if (value > 0) {
                tempoTick = tick;
                tempo = value;
            }
        }
    }
}

bool SmfReader::deriveSmpteResolution(std::uint16_t division)
{
    // SMPTE division: high byte is minus the frame rate, low byte the ticks per frame. The
    // program counts in ticks per quarter note, so take as many ticks as one quarter lasts
    // at the file's tempo.
    const int frames = -static_cast<std::int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    double framesPerSecond = 0;
    switch (frames) {
    case 24: case 25: case 30: framesPerSecond = frames; break;
    case 29: framesPerSecond = 30000.0 / 1001.0; break;  // drop-frame 29.97
    default: return fail("SMPTE division with an unknown frame rate of " + std::to_string(frames));
    }
    if (ticksPerFrame == 0)
        return fail("SMPTE division with 0 ticks per frame");
    const double perQuarter = framesPerSecond * ticksPerFrame * (m_firstTempo / 1e6);
    const long rounded = std::lround(perQuarter);
    if (rounded < 1 || rounded > kMaxResolution)
        return fail("SMPTE division gives " + std::to_string(rounded) + " ticks per quarter note at this tempo");
    m_resolution = static_cast<std::uint16_t>(rounded);
    m_smpte = true;
    return true;
}

std::uint32_t SmfReader::read(std::size_t track, MidiEvent* out, std::uint32_t max)
{
    if (track >= m_tracks.size() || !out)
        return 0;
    Track& t = m_tracks[track];
    std::uint32_t n = 0;
    Decoder decoder(m_bytes, t.pos, t.end, t.running);
    while (n < max && !t.ended) {
        const Item item = decoder.next();
        if (item.kind == Kind::End || item.kind == Kind::Error) {
            t.ended = true;
            break;
        }
        const std::uint32_t delta = addDelta(t.carried, item.delta);
        if (item.kind != Kind::Channel) {
            t.carried = delta;
            continue;
        }
        t.carried = 0;
        out[n++] = MidiEvent{delta, item.status, item.data1, item.data2, 0};
    }
    return n;
}

void SmfReader::rewind()
{
    for (Track& t : m_tracks) {
        t.pos = t.begin;
        t.running = 0;
        t.carried = 0;
        t.ended = false;
    }
}

bool SmfReader::findMeta(std::size_t track, std::uint8_t type, const std::uint8_t** data, std::uint32_t* length,
                         std::size_t skip) const
{
    if (track >= m_tracks.size())
        return false;
    const Track& t = m_tracks[track];
    std::size_t pos = t.begin;
    std::uint8_t running = 0;
    Decoder decoder(m_bytes, pos, t.end, running);
    for (;;) {
        const Item item = decoder.next();
        if (item.kind == Kind::End || item.kind == Kind::Error)
            return false;
        if (item.kind == Kind::Meta && item.metaType == type) {
            if (skip > 0) {
                --skip;
                continue;
            }
            if (data)
                *data = m_bytes.data() + item.dataPos;
            if (length)
                *length = item.dataLength;
            return true;
        }
    }
}

}  // namespace zembra
