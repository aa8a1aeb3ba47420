#include "document/song_writer.h"

#include "text/string_ids.h"
#include "text/strings.h"
#include "midi/midi_bytes.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "text/file_text.h"
#include "model/song_tags.h"

namespace zembra {

namespace {

constexpr std::uint8_t kQuarterDenominator = 2; // 2 to the power 2
constexpr std::uint8_t kClocksPerClick = 24;
constexpr std::uint8_t kThirtySecondsPerQuarter = 8;
constexpr int kMetaEventCount = 5;

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
    int expected = kMetaEventCount;
    if (!header.boxDefinition.empty()) {
        text(kMetaText, header.boxDefinition);
        ++expected;
    }

    if (result.metaAccepted < expected) {
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
    // The box's tag and the tuning's go last and whole: a long title is cut short before them.
    const std::string boxTag = BoxTag(song.box.id) + TuningTag(song.tuning);
    if (header.tags.size() + boxTag.size() > kMaxTagBytes) {
        header.tags.resize(kMaxTagBytes - boxTag.size());
    }
    header.tags += boxTag;
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

SongWriteResult WriteSongFile(MidiFile& file, MidiTrack& songTrack, const std::string& path,
                              const SongFileHeader& header)
{
    SongWriteResult result;
    // The file is made beside the target and takes its place only on close, when every byte is
    // on the disk: a failure at any step leaves the previous file as it was.
    if (!file.Open(path, 'w', 0)) {
        result.status = SongWriteStatus::CannotCreate;
        result.problem = file.Problem();
        result.detail = file.ErrorText();
        return result;
    }
    try {
        writeInto(file, songTrack, header, result);
    } catch (...) {
        // Out of memory half-way: closing without the track would write a file, so the toolkit
        // is told to drop it by a close that cannot be completed.
        try {
            file.Abandon();
        } catch (...) {
        }
        throw;
    }
    if (result.status != SongWriteStatus::Written) {
        file.Abandon();
        return result;
    }
    if (!file.Close()) {
        result.problem = file.Problem();
        result.status = result.problem.error == SafeFileError::NotReplaced ? SongWriteStatus::NotReplaced
                                                                            : SongWriteStatus::NotWritten;
        result.detail = file.ErrorText();
    }
    return result;
}

} // namespace zembra
