#pragma once

#include "midi/midi_event.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zembra::test {

// One line of the text that midicsv prints and csvmidi reads.
struct CsvRecord {
    int track = 0;
    std::uint64_t time = 0;
    std::string type;
    std::vector<std::string> fields;
};

struct TimedEvent {
    std::uint64_t time = 0;  // absolute ticks
    MidiEvent event;
    friend bool operator==(const TimedEvent&, const TimedEvent&) = default;
};

std::vector<CsvRecord> parseCsv(const std::string& text);
std::string readText(const std::string& path);
// The channel events of each track (1-based as in the text), with absolute times.
std::map<int, std::vector<TimedEvent>> channelEvents(const std::vector<CsvRecord>& records);
// Absolute times from the delta times of a track's events.
std::vector<TimedEvent> absolute(const MidiEvent* events, std::uint32_t count);

bool haveProgram(const char* name);
// Standard output of a command, nullopt when it could not run or failed.
std::optional<std::string> runCommand(const std::string& command);

}  // namespace zembra::test
