#include "import/melody.h"

#include <map>

namespace zembra {

std::vector<TrackVoice> TrackVoices(std::span<const SourceNote> notes)
{
    // Notes come in time order, the lower key first: the last note of a track at a tick is its
    // highest there.
    struct Tally {
        TrackVoice voice;
        std::uint32_t lastTick = 0;
        int lastKey = -1;
        double keySum = 0;
        bool anyTonal = false;
    };
    std::map<int, Tally> tallies;
    for (const SourceNote& note : notes) {
        Tally& tally = tallies[note.track];
        tally.voice.track = note.track;
        ++tally.voice.notes;
        if (note.drum) {
            continue; // drums have no melody
        }
        tally.anyTonal = true;
        if (tally.lastKey >= 0 && tally.lastTick == note.tick) {
            tally.keySum += note.key - tally.lastKey; // a higher note at the same onset replaces it
        } else {
            ++tally.voice.onsets;
            tally.keySum += note.key;
        }
        tally.lastTick = note.tick;
        tally.lastKey = note.key;
    }
    std::vector<TrackVoice> voices;
    for (auto& [track, tally] : tallies) {
        tally.voice.meanTopKey = tally.voice.onsets > 0 ? tally.keySum / tally.voice.onsets : 0;
        tally.voice.drums = !tally.anyTonal;
        voices.push_back(tally.voice);
    }
    return voices;
}

std::vector<SourceNote> TopVoice(std::span<const SourceNote> notes, int track)
{
    std::vector<SourceNote> voice;
    for (const SourceNote& note : notes) {
        if (note.track != track || note.drum) {
            continue;
        }
        if (!voice.empty() && voice.back().tick == note.tick) {
            voice.back() = note; // sorted by key within a tick: the later is the higher
        } else {
            voice.push_back(note);
        }
    }
    return voice;
}

int DefaultMelodyTrack(std::span<const SourceNote> notes)
{
    int best = -1;
    TrackVoice bestVoice;
    for (const TrackVoice& voice : TrackVoices(notes)) {
        if (voice.drums) {
            continue;
        }
        const bool better = best < 0 || voice.onsets > bestVoice.onsets ||
                            (voice.onsets == bestVoice.onsets && voice.meanTopKey > bestVoice.meanTopKey);
        if (better) {
            best = voice.track;
            bestVoice = voice;
        }
    }
    return best;
}

} // namespace zembra
