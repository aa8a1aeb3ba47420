#pragma once

#include "import/source_notes.h"

#include <span>
#include <vector>

namespace zembra {

// A track as the melody is chosen from: its top voice is, at each onset of the track, its
// highest note.
struct TrackVoice {
    int track = 0;
    int notes = 0;        // every note of the track
    int onsets = 0;       // notes of its top voice
    double meanTopKey = 0; // the mean key of its top voice
    bool drums = false;   // every note on MIDI channel 10
};

// The tracks that have notes, in track order.
std::vector<TrackVoice> TrackVoices(std::span<const SourceNote> notes);

// The top voice of `track`, in time order.
std::vector<SourceNote> TopVoice(std::span<const SourceNote> notes, int track);

// The melody track a user who says nothing gets: of the tracks other than drums, the one whose
// top voice has the most onsets, and of equal ones the higher mean key (then the lower track).
// -1 when no such track has notes.
int DefaultMelodyTrack(std::span<const SourceNote> notes);

} // namespace zembra
