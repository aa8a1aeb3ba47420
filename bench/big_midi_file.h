#pragma once

// A 16-track Standard MIDI File of 1,000,000 events for the benchmarks that read files, written
// once per run into the temporary folder.
#include "midi/midi_event.h"
#include "midi/smf_writer.h"

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace zembra::bench {

inline constexpr int kTracks = 16;
inline constexpr int kEventsPerTrack = 1'000'000 / kTracks;

// Strikes and releases of keys across the whole MIDI range, some controllers: most notes have
// no row, as in a real orchestral file.
inline std::vector<MidiEvent> trackEvents(int t, std::mt19937& random)
{
    std::vector<MidiEvent> events;
    events.reserve(kEventsPerTrack);
    for (int i = 0; i < kEventsPerTrack; ++i) {
        const std::uint8_t key = std::uint8_t(24 + random() % 84);
        if (i % 50 == 49) {
            events.push_back({0, std::uint8_t(0xB0 | t), 7, std::uint8_t(random() % 128), 0});
        } else {
            events.push_back({std::uint32_t(random() % 240), std::uint8_t(0x90 | t), key,
                              std::uint8_t(i % 2 ? 0 : 1 + random() % 126), 0});
        }
    }
    return events;
}

inline const std::string& bigFile()
{
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / "zembra-bench";
        std::filesystem::create_directories(dir);
        const std::string file = (dir / "import-million.mid").string();
        SmfWriter writer;
        writer.open(file);
        writer.setResolution(480);
        std::mt19937 random(1234);
        for (int t = 0; t < kTracks; ++t) {
            const std::vector<MidiEvent> events = trackEvents(t, random);
            writer.writeEvents(std::uint32_t(t), events.data(), std::uint32_t(events.size()));
        }
        writer.finish(1);
        return file;
    }();
    return path;
}

} // namespace zembra::bench
