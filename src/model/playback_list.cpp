#include "model/playback_list.h"

#include "midi/midi_bytes.h"
#include "midi/midi_track.h"
#include "model/damper_clicks.h"

#include <algorithm>
#include <tuple>

namespace zembra {

namespace {

// Ordered as the packed key (x << 16 | key << 8 | velocity) compares as an unsigned number, without
// the packing's limit of 65535 pixels.
bool earlier(const PlaybackEntry& a, const PlaybackEntry& b)
{
    return std::tie(a.x, a.key, a.velocity) < std::tie(b.x, b.key, b.velocity);
}

MidiEvent event(std::uint32_t delta, std::uint8_t status, int data1, int data2)
{
    return {delta, status, static_cast<std::uint8_t>(data1), static_cast<std::uint8_t>(data2), 0};
}

} // namespace

std::vector<PlaybackEntry> BuildPlaybackList(const SongState& song, const PlaybackRange& range)
{
    std::vector<PlaybackEntry> list;
    const int lead = range.startX != 0 ? 0 : range.leadIn;
    const int end = song.UsedEnd();
    const std::vector<bool> damped = DampedNotes(song, range.damperDistance);
    for (int i = 0; i < end && static_cast<int>(list.size()) < song.noteCount; ++i) {
        const NoteRecord& note = song.notes[static_cast<std::size_t>(i)];
        if (!song.IsLive(i) || note.left < range.startX || (range.endX != 0 && note.left > range.endX)) {
            continue;
        }
        list.push_back({note.left + lead - range.startX, note.pitch, note.velocity,
                        damped[static_cast<std::size_t>(i)]});
    }
    if (range.recording && song.pixelsPerQuarter > 0 && song.beatsPerBar > 0) {
        const int notes = static_cast<int>(list.size());
        const int n = std::min(song.beatsPerBar * song.barCount + notes + lead / song.pixelsPerQuarter + 1,
                               kMaxRecordingItems);
        for (int m = 0; m < n - notes; ++m) {
            const int x = m * song.pixelsPerQuarter - range.startX;
            if (x >= 0) {
                list.push_back({x, m % song.beatsPerBar == 0 ? kClickDownbeat : kClickBeat, kBeatClickVelocity});
            }
        }
    }
    std::sort(list.begin(), list.end(), earlier);
    if (list.size() > static_cast<std::size_t>(kMaxPlaybackEntries)) {
        list.resize(static_cast<std::size_t>(kMaxPlaybackEntries));
    }
    return list;
}

bool FillSongTrack(MidiTrack& track, const std::vector<PlaybackEntry>& list, const SongState& song,
                   const PlaybackRange& range)
{
    const std::uint8_t channel1 = kNoteOn;
    const std::uint8_t channel2 = kNoteOn | 1;
    const auto perQuarter = static_cast<std::uint32_t>(std::max(1, song.pixelsPerQuarter));

    track.Clear();
    bool ok = true;
    if (range.recording) {
        ok &= track.Append(event(0, kProgramChange | 1, kClickProgram, 0));
    }
    ok &= track.Append(event(0, kProgramChange, kMusicBoxProgram, 0));

    int previousX = 0;
    MidiEvent last{};
    for (const PlaybackEntry& entry : list) {
        // Truncated per entry and not carried over: at 64 or 80 pixels per quarter the ticks may
        // drift from the canvas by up to one per entry, as files written before always have.
        const std::uint32_t delta =
            static_cast<std::uint32_t>(entry.x - previousX) * kTicksPerQuarter / perQuarter;
        previousX = entry.x;
        if (entry.key < 3) {
            const bool downbeat = entry.key == kClickDownbeat;
            last = event(delta, channel2, downbeat ? kDownbeatClickKey : kBeatClickKey,
                         downbeat ? kDownbeatClickVelocity : kBeatClickVelocity);
            ok &= track.Append(last);
        } else {
            const int key = entry.key + range.temporaryTransposition;
            // Velocity 0 first: it ends the previous strike of the key, so no Note Off is needed.
            ok &= track.Append(event(delta, channel1, key, 0));
            last = entry.click ? event(0, kNoteOn | kDamperClickChannel, kDamperClickKey, kDamperClickVelocity)
                               : event(0, channel1, key, entry.velocity);
            ok &= track.Append(last);
        }
    }
    if (!list.empty()) {
        // The material ends one bar after the last strike.
        ok &= track.Append(event(static_cast<std::uint32_t>(song.beatsPerBar * kTicksPerQuarter), last.status,
                                 last.data1, 0));
    }
    return ok;
}

bool BuildSongTrack(MidiTrack& track, const SongState& song, const PlaybackRange& range)
{
    return FillSongTrack(track, BuildPlaybackList(song, range), song, range);
}

bool HoldsStrike(const MidiTrack& track)
{
    for (std::uint32_t i = 0; i < track.Count(); ++i) {
        const MidiEvent* e = track.Event(i);
        if ((e->status & kStatusTypeMask) == kNoteOn && e->data2 != 0) {
            return true;
        }
    }
    return false;
}

} // namespace zembra
