#pragma once

#include "midi/midi_bytes.h"
#include "model/song_state.h"

#include <cstdint>
#include <vector>

namespace zembra {

class MidiTrack;

inline constexpr int kMaxPlaybackEntries = 2000;
// Notes and metronome clicks together while recording.
inline constexpr int kMaxRecordingItems = 1800;
// Keys of metronome entries in the list; every real key is above them.
inline constexpr int kClickBeat = 1;
inline constexpr int kClickDownbeat = 2;

// The General MIDI program of the click, counted from 0: the music box (kMusicBoxProgram) plays on
// channel 1, the click on channel 2.
inline constexpr std::uint8_t kClickProgram = 115;
// The music box's channel counted from 0, as the synthesizer's tuning names it.
inline constexpr int kMusicBoxChannelIndex = 0;
inline constexpr std::uint8_t kDownbeatClickKey = 106;
inline constexpr std::uint8_t kDownbeatClickVelocity = 127;
inline constexpr std::uint8_t kBeatClickKey = 88;
inline constexpr std::uint8_t kBeatClickVelocity = 64;

struct PlaybackEntry {
    int x = 0; // canvas pixels from the start of playback
    int key = 0; // MIDI key, or kClickBeat / kClickDownbeat
    int velocity = 0;
    bool click = false; // a note the box damps: heard as the damper's click (see DampedNotes)

    friend bool operator==(const PlaybackEntry&, const PlaybackEntry&) = default;
};

// What decides the list besides the song: playback, range playback, recording and saving all
// build through here. Saving builds with everything at 0.
struct PlaybackRange {
    bool recording = false;
    int startX = 0; // canvas x where playback starts
    int endX = 0; // last canvas x played; 0 = to the end
    int leadIn = 0; // count-in pixels before the song when recording from the start
    int temporaryTransposition = 0;
    // Heard as the box plays it: a note less than this many canvas pixels after its row's previous
    // note is the damper's click. 0: every note sounds in full, as saving and the plain setting
    // want.
    int damperDistance = 0;
};

// The time-sorted list of notes (and clicks while recording) between startX and endX.
std::vector<PlaybackEntry> BuildPlaybackList(const SongState& song, const PlaybackRange& range);

// Clears the track and fills it with the program changes and the note events of the list: a
// strike is a Note On of velocity 0 (ending the previous strike of that key) and the Note On
// proper, both at the entry's tick; a click ends the key's strike the same way and strikes the
// damper's click on the percussion channel instead; the track ends one bar after its last entry. False when the
// track could not grow; it then holds what fitted.
bool FillSongTrack(MidiTrack& track, const std::vector<PlaybackEntry>& list, const SongState& song,
                   const PlaybackRange& range);

// Both steps; what playback runs at every start and saving runs before writing.
bool BuildSongTrack(MidiTrack& track, const SongState& song, const PlaybackRange& range);

// True when the track sounds something: a Note On with a velocity (a pluck or a click). Material
// without one ends the moment it starts, so it is not worth starting, nor repeating.
bool HoldsStrike(const MidiTrack& track);

} // namespace zembra
