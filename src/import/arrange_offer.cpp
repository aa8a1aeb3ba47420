#include "import/arrange_offer.h"

#include "import/canvas_settings_rules.h"
#include "import/melody.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <algorithm>

namespace zembra {

namespace {

std::string Replaced(std::string pattern, std::string_view mark, const std::string& value)
{
    const std::size_t at = pattern.find(mark);
    if (at != std::string::npos) {
        pattern.replace(at, mark.size(), value);
    }
    return pattern;
}

} // namespace

std::vector<MelodyTrackChoice> MelodyTrackChoices(std::span<const SourceNote> notes,
                                                  std::span<const TrackSummary> tracks)
{
    std::vector<MelodyTrackChoice> choices;
    for (const TrackVoice& voice : TrackVoices(notes)) {
        if (voice.drums) {
            continue;
        }
        const std::string number = std::to_string(voice.track + 1);
        std::string name = voice.track >= 0 && static_cast<std::size_t>(voice.track) < tracks.size()
                               ? tracks[static_cast<std::size_t>(voice.track)].name
                               : std::string();
        if (name.empty()) {
            name = Replaced(std::string(text(str::kArrangeTrackUnnamed)), "%1", number);
        }
        std::string label = Replaced(std::string(text(str::kArrangeTrackEntry)), "%1", number);
        label = Replaced(label, "%2", name);
        label = Replaced(label, "%3", std::to_string(voice.notes));
        choices.push_back({voice.track, label});
    }
    return choices;
}

BarLengthAdvice AdviseBarLength(std::span<const SourceNote> notes, const ArrangeRequest& request,
                                const ArrangeResult& result, double repeatMm, int barLengthMm)
{
    const bool melodyHeldBack = std::any_of(result.edits.begin(), result.edits.end(), [](const ArrangeEdit& edit) {
        return edit.melody && edit.reason == ArrangeReason::TooClose;
    });
    if (!melodyHeldBack) {
        return {};
    }
    std::vector<int> lengths;
    for (std::string_view entry : BarLengthEntries()) {
        if (const std::optional<int> mm = ParseEntry(entry); mm && *mm > 0) {
            lengths.push_back(*mm);
        }
    }
    ArrangeRequest asArranged = request;
    asArranged.melodyTrack = result.melodyTrack;
    asArranged.transposition = result.transposition;
    const int shortest = ShortestMelodyBarLength(notes, asArranged, repeatMm, lengths);
    BarLengthAdvice advice;
    if (shortest < 0) {
        advice.show = true;
        advice.text = text(str::kArrangeBarNone);
    } else if (barLengthMm <= 0 || shortest > barLengthMm) {
        advice.show = true;
        advice.barLengthMm = shortest;
        advice.text = Replaced(std::string(text(str::kArrangeBarHint)), "%1", std::to_string(shortest));
    }
    // Otherwise the bar is long enough: what moved the melody was a neighbour, not its own pace.
    return advice;
}

ArrangeOutcome ArrangeOntoSong(SongState& song, std::span<const SourceNote> notes, int resolution,
                               const PrintMetrics& metrics, const ArrangeChoices& choices)
{
    const ArrangeRequest request = ArrangeRequestFor(song, resolution, metrics, choices);
    ArrangeOutcome outcome;
    outcome.result = Arrange(notes, request);
    outcome.resolution = resolution;
    outcome.beatsPerBar = song.beatsPerBar;
    PlaceArrangement(song, outcome.result);
    outcome.advice = AdviseBarLength(notes, request, outcome.result, song.box.sizes.shortestRepeatMm, song.barLengthMm);
    return outcome;
}

} // namespace zembra
