#pragma once

#include <cstddef>
#include <cstdint>

namespace zembra {

// Channel message status bytes (high nibble; the low nibble is the channel 0..15).
inline constexpr std::uint8_t kNoteOff = 0x80;
inline constexpr std::uint8_t kNoteOn = 0x90;
inline constexpr std::uint8_t kPolyPressure = 0xA0;
inline constexpr std::uint8_t kControlChange = 0xB0;
inline constexpr std::uint8_t kProgramChange = 0xC0;
inline constexpr std::uint8_t kChannelPressure = 0xD0;
inline constexpr std::uint8_t kPitchBend = 0xE0;
inline constexpr std::uint8_t kStatusTypeMask = 0xF0;
inline constexpr std::uint8_t kChannelMask = 0x0F;
inline constexpr std::uint8_t kStatusBit = 0x80;
inline constexpr std::uint8_t kDataMask = 0x7F;
inline constexpr int kChannelCount = 16;
inline constexpr int kKeyCount = 128;
// Keys are a semitone apart: twelve make an octave.
inline constexpr int kOctave = 12;

// Controllers used to silence a device.
inline constexpr std::uint8_t kCcAllSoundOff = 120;
inline constexpr std::uint8_t kCcAllNotesOff = 123;

// System and file-only status bytes.
inline constexpr std::uint8_t kSysEx = 0xF0;
inline constexpr std::uint8_t kSysExEnd = 0xF7;
inline constexpr std::uint8_t kMeta = 0xFF;

// Meta event types.
inline constexpr std::uint8_t kMetaSequenceNumber = 0x00;
inline constexpr std::uint8_t kMetaText = 0x01;
inline constexpr std::uint8_t kMetaCopyright = 0x02;
inline constexpr std::uint8_t kMetaTrackName = 0x03;
inline constexpr std::uint8_t kMetaLastTextType = 0x0F;
inline constexpr std::uint8_t kMetaChannelPrefix = 0x20;
inline constexpr std::uint8_t kMetaPort = 0x21;
inline constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr std::uint8_t kMetaTempo = 0x51;
inline constexpr std::uint8_t kMetaSmpteOffset = 0x54;
inline constexpr std::uint8_t kMetaTimeSignature = 0x58;
inline constexpr std::uint8_t kMetaKeySignature = 0x59;

// Event time meaning "send now, outside the timed queue".
inline constexpr std::uint32_t kAtOnce = 0xFFFFFFFF;

// Device number of the mapper: the built-in synthesizer.
inline constexpr std::uint16_t kMapperDevice = 0xFFFF;

// Toolkit results: handles of 32 or less mean the open failed.
inline constexpr std::uint32_t kLastFailedHandle = 32;

// Notices the toolkit delivers on the GUI thread.
inline constexpr unsigned kNoticeClockBeat = 0x5452;   // one per quarter note of the clock
inline constexpr unsigned kNoticeMoreEvents = 0x5453;  // the port can take more events
inline constexpr unsigned kNoticeEndOfMaterial = 0x5457;
inline constexpr unsigned kNoticeMidiInput = 0x5458;    // an input has events to read

inline constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter, 120 bpm
// The resolution of the canvas, of the clock and of every file Zembra writes.
inline constexpr int kTicksPerQuarter = 96;
inline constexpr std::uint16_t kDefaultResolution = kTicksPerQuarter;  // a clock before any file

// The General MIDI program of the music box, counted from 0.
inline constexpr std::uint8_t kMusicBoxProgram = 10;

// Bytes on the wire for a status byte, 0 for one that cannot be sent as a short message.
constexpr std::size_t midiMessageLength(std::uint8_t status)
{
    if (status < kStatusBit)
        return 0;
    if (status < kSysEx) {
        const std::uint8_t type = status & kStatusTypeMask;
        return (type == kProgramChange || type == kChannelPressure) ? 2 : 3;
    }
    switch (status) {
    case 0xF1: case 0xF3: return 2;  // time code quarter frame, song select
    case 0xF2: return 3;             // song position
    case 0xF6: case 0xF8: case 0xFA: case 0xFB: case 0xFC: case 0xFE: return 1;
    default: return 0;               // sysex, undefined, and 0xFF which is meta in files
    }
}

}  // namespace zembra
