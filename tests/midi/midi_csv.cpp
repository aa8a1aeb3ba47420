#include "midi_csv.h"

#include "midi/midi_bytes.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zembra::test {

namespace {

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

int num(const CsvRecord& r, std::size_t i)
{
    return std::stoi(r.fields.at(i));
}

}  // namespace

std::vector<CsvRecord> parseCsv(const std::string& text)
{
    std::vector<CsvRecord> records;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (trim(line).empty() || trim(line)[0] == '#')
            continue;
        std::vector<std::string> parts;
        std::string field;
        bool quoted = false;
        for (char c : line) {
            if (c == '"')
                quoted = !quoted;
            if (c == ',' && !quoted) {
                parts.push_back(trim(field));
                field.clear();
            } else {
                field += c;
            }
        }
        parts.push_back(trim(field));
        if (parts.size() < 3)
            continue;
        CsvRecord r;
        r.track = std::stoi(parts[0]);
        r.time = std::stoull(parts[1]);
        r.type = parts[2];
        r.fields.assign(parts.begin() + 3, parts.end());
        records.push_back(r);
    }
    return records;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::map<int, std::vector<TimedEvent>> channelEvents(const std::vector<CsvRecord>& records)
{
    std::map<int, std::vector<TimedEvent>> tracks;
    for (const CsvRecord& r : records) {
        MidiEvent e;
        if (r.type == "Note_on_c")
            e = {0, std::uint8_t(kNoteOn | num(r, 0)), std::uint8_t(num(r, 1)), std::uint8_t(num(r, 2)), 0};
        else if (r.type == "Note_off_c")
            e = {0, std::uint8_t(kNoteOff | num(r, 0)), std::uint8_t(num(r, 1)), std::uint8_t(num(r, 2)), 0};
        else if (r.type == "Poly_aftertouch_c")
            e = {0, std::uint8_t(kPolyPressure | num(r, 0)), std::uint8_t(num(r, 1)), std::uint8_t(num(r, 2)), 0};
        else if (r.type == "Control_c")
            e = {0, std::uint8_t(kControlChange | num(r, 0)), std::uint8_t(num(r, 1)), std::uint8_t(num(r, 2)), 0};
        else if (r.type == "Program_c")
            e = {0, std::uint8_t(kProgramChange | num(r, 0)), std::uint8_t(num(r, 1)), 0, 0};
        else if (r.type == "Channel_aftertouch_c")
            e = {0, std::uint8_t(kChannelPressure | num(r, 0)), std::uint8_t(num(r, 1)), 0, 0};
        else if (r.type == "Pitch_bend_c")
            e = {0, std::uint8_t(kPitchBend | num(r, 0)), std::uint8_t(num(r, 1) & 0x7F), std::uint8_t(num(r, 1) >> 7), 0};
        else
            continue;
        tracks[r.track].push_back(TimedEvent{r.time, e});
    }
    return tracks;
}

std::vector<TimedEvent> absolute(const MidiEvent* events, std::uint32_t count)
{
    std::vector<TimedEvent> out;
    std::uint64_t time = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        time += events[i].time;
        MidiEvent e = events[i];
        e.time = 0;
        out.push_back(TimedEvent{time, e});
    }
    return out;
}

bool haveProgram(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::optional<std::string> runCommand(const std::string& command)
{
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    if (pclose(pipe) != 0)
        return std::nullopt;
    return out;
}

}  // namespace zembra::test
