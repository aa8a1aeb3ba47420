#include "import/import_settings.h"

#include "model/song_tags.h"
#include "text/string_ids.h"
#include "text/strings.h"

namespace zembra {

namespace {

constexpr int kDefaultBarLengthMm = 50;
constexpr int kDefaultPixelsPerQuarter = 24;

} // namespace

int DialogBeatsPerBar(int fileBeats)
{
    return fileBeats == 3 ? 3 : 4;
}

int DefaultBarCount(std::uint64_t pieceTicks, int resolution, int beatsPerBar, bool* clipped)
{
    if (clipped) {
        *clipped = false;
    }
    if (resolution <= 0 || beatsPerBar <= 0) {
        return 0;
    }
    const std::uint64_t bar = static_cast<std::uint64_t>(resolution) * static_cast<std::uint64_t>(beatsPerBar);
    const std::uint64_t bars = (pieceTicks + bar - 1) / bar;
    if (bars > static_cast<std::uint64_t>(kLongestBarCount)) {
        if (clipped) {
            *clipped = true;
        }
        return kLongestBarCount;
    }
    return static_cast<int>(bars);
}

ImportSettings MakeImportSettings(const FileFacts& facts, const ImportCounts& counts)
{
    ImportSettings settings;
    settings.beatsPerBar = DialogBeatsPerBar(facts.beatsPerBar);
    if (HasTags(facts.text)) {
        settings.ownFile = true;
        const SongTagValues tags = ReadTags(facts.text);
        settings.title = tags.title;
        settings.author = tags.author;
        settings.barLengthMm = tags.barLengthMm;
        settings.pixelsPerQuarter = tags.pixelsPerQuarter;
        settings.barCount = tags.barCount;
        return settings;
    }
    settings.title = facts.fileTitle + "(" + std::string(text(str::kImportedMark)) + ")";
    settings.author = std::string(text(str::kNoAuthor));
    settings.barLengthMm = kDefaultBarLengthMm;
    settings.pixelsPerQuarter = kDefaultPixelsPerQuarter;
    settings.barCount =
        DefaultBarCount(counts.longestTrackTicks, facts.resolution, settings.beatsPerBar, &settings.barsClipped);
    return settings;
}

bool PlacedAsSaved(bool ownFile, const PlacedSong& opened, const PlacedSong& confirmed)
{
    return ownFile && opened == confirmed;
}

std::string ImportInfoLine(const ImportCounts& counts)
{
    return std::string(text(str::kImportableNotes)) + " " + std::to_string(counts.importable) +
           std::string(text(str::kPieces)) + " " + std::string(text(str::kNotImportableNotes)) + " " +
           std::to_string(counts.notImportable) + std::string(text(str::kPieces));
}


} // namespace zembra
