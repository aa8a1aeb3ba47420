#include "midi/midi_log.h"

#include <iostream>
#include <mutex>

namespace zembra {

namespace {

std::mutex& sinkMutex()
{
    static std::mutex m;
    return m;
}

std::function<void(MidiLogLevel, std::string_view)>& sink()
{
    static std::function<void(MidiLogLevel, std::string_view)> s;
    return s;
}

}  // namespace

void midiLog(MidiLogLevel level, std::string_view text)
{
    std::lock_guard lock(sinkMutex());
    if (sink()) {
        sink()(level, text);
        return;
    }
    if (level == MidiLogLevel::Debug)
        return;
    static const char* const names[] = {"debug", "info", "warning", "error"};
    std::clog << "zembra midi " << names[static_cast<int>(level)] << ": " << text << '\n';
}

void setMidiLogSink(std::function<void(MidiLogLevel, std::string_view)> s)
{
    std::lock_guard lock(sinkMutex());
    sink() = std::move(s);
}

}  // namespace zembra
