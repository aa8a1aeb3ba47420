#include "song/song_writer.h"

#include "text/string_ids.h"
#include "text/strings.h"
#include "midi/midi_bytes.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "song/file_text.h"
#include "song/song_tags.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace zembra {

namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kMetaCopyright = 0x02;
constexpr std::uint8_t kQuarterDenominator = 2; // 2 to the power 2
constexpr std::uint8_t kClocksPerClick = 24;
constexpr std::uint8_t kThirtySecondsPerQuarter = 8;
constexpr int kMetaEventCount = 5;

bool writeProtected(const fs::path& target)
{
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ec || !fs::is_regular_file(status)) {
        return false;
    }
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

void removeQuietly(const std::string& path)
{
    std::error_code ec;
    fs::remove(path, ec);
}

// The meta events of the header, then the track; the result tells how far the toolkit took them.
void writeInto(MidiFile& file, MidiTrack& songTrack, const SongFileHeader& header, SongWriteResult& result)
{
    file.AddTrack(&songTrack);
    file.SetResolution(kTicksPerQuarter);

    auto meta = [&](std::uint8_t type, const std::uint8_t* data, std::size_t size) {
        // An empty text is still written, as an event of length 0.
        static const std::uint8_t kNothing = 0;
        if (file.WriteMeta(&songTrack, type, size ? data : &kNothing, static_cast<std::uint32_t>(size))) {
            ++result.metaAccepted;
        }
    };
    auto text = [&](std::uint8_t type, const std::string& bytes) {
        meta(type, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    };
    text(kMetaTrackName, header.title);
    text(kMetaCopyright, header.author);
    meta(kMetaTempo, header.tempo.data(), header.tempo.size());
    meta(kMetaTimeSignature, header.timeSignature.data(), header.timeSignature.size());
    text(kMetaText, header.tags);

    if (result.metaAccepted < kMetaEventCount) {
        result.status = SongWriteStatus::MetaRejected;
    } else if (!file.WriteTrack(&songTrack)) {
        result.status = SongWriteStatus::TrackIncomplete;
    }
}

} // namespace

SongFileHeader MakeSongFileHeader(const SongState& song, std::string_view title, std::uint32_t tempo)
{
    SongFileHeader header;
    header.title = EncodeFileText(title);
    header.author = EncodeFileText(song.author);
    header.tempo = {static_cast<std::uint8_t>(tempo >> 16), static_cast<std::uint8_t>(tempo >> 8),
                    static_cast<std::uint8_t>(tempo)};
    header.timeSignature = {static_cast<std::uint8_t>(song.beatsPerBar == 3 ? 3 : 4), kQuarterDenominator,
                            kClocksPerClick, kThirtySecondsPerQuarter};
    header.tags = EncodeFileText(BuildTagString(
        {song.barLengthMm, song.pixelsPerQuarter, song.barCount, std::string(title), song.author}));
    if (header.tags.size() > kMaxTagBytes) {
        header.tags.resize(kMaxTagBytes);
    }
    return header;
}

std::string DefaultSongFileName(bool ownFile, std::string_view songTitle, std::string_view fileTitle)
{
    if (!songTitle.empty()) {
        return std::string(songTitle);
    }
    if (ownFile) {
        return std::string(text(str::kDefaultTitle));
    }
    return std::string(fileTitle) + "(" + std::string(text(str::kImportedMark)) + ")";
}

std::string SiblingTempPath(const std::string& target)
{
    const fs::path path(target);
    std::random_device seed;
    std::mt19937 random(seed());
    for (;;) {
        const fs::path candidate = path.parent_path() /
            ("." + path.filename().string() + "." + std::to_string(random() % 1000000) + ".saving");
        std::error_code ec;
        if (!fs::exists(candidate, ec)) {
            return candidate.string();
        }
    }
}

SongWriteResult WriteSongFile(MidiFile& file, MidiTrack& songTrack, const std::string& path,
                              const SongFileHeader& header)
{
    SongWriteResult result;
    if (writeProtected(path)) {
        result.status = SongWriteStatus::CannotCreate;
        result.detail = path + " is read-only";
        return result;
    }
    const std::string temp = SiblingTempPath(path);
    if (!file.Open(temp, 'w', 0)) {
        result.status = SongWriteStatus::CannotCreate;
        result.detail = file.ErrorText();
        return result;
    }
    try {
        writeInto(file, songTrack, header, result);
    } catch (...) {
        // Out of memory half-way: the half-written file goes, the previous one stays.
        try {
            file.Close();
        } catch (...) {
        }
        removeQuietly(temp);
        throw;
    }
    const bool closed = file.Close();
    if (result.status != SongWriteStatus::Written || !closed) {
        if (result.status == SongWriteStatus::Written) {
            result.status = SongWriteStatus::NotWritten;
            result.detail = file.ErrorText();
        }
        removeQuietly(temp);
        return result;
    }

    std::error_code ec;
    const fs::file_status previous = fs::status(path, ec);
    if (!ec && fs::is_regular_file(previous)) {
        fs::permissions(temp, previous.permissions(), ec); // the new file keeps the old one's access
    }
    fs::rename(temp, path, ec);
    if (ec) {
        result.status = SongWriteStatus::NotReplaced;
        result.detail = "cannot replace " + path + ": " + ec.message();
        removeQuietly(temp);
    }
    return result;
}

} // namespace zembra
