#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace zembra::test {

using Bytes = std::vector<std::uint8_t>;

inline void append(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

inline Bytes be32(std::uint32_t v)
{
    return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

inline Bytes chunk(const std::string& id, const Bytes& body)
{
    Bytes out(id.begin(), id.end());
    append(out, be32(std::uint32_t(body.size())));
    append(out, body);
    return out;
}

inline Bytes header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division)
{
    return chunk("MThd", {std::uint8_t(format >> 8), std::uint8_t(format), std::uint8_t(tracks >> 8),
                          std::uint8_t(tracks), std::uint8_t(division >> 8), std::uint8_t(division)});
}

// A file of the given tracks (bodies without their chunk framing).
inline Bytes smf(std::uint16_t format, std::uint16_t division, std::initializer_list<Bytes> tracks)
{
    Bytes out = header(format, std::uint16_t(tracks.size()), division);
    for (const Bytes& t : tracks)
        append(out, chunk("MTrk", t));
    return out;
}

}  // namespace zembra::test
