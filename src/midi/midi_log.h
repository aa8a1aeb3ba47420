#pragma once

#include <functional>
#include <string_view>

namespace zembra {

enum class MidiLogLevel { Debug, Info, Warning, Error };

// The MIDI side's diagnostics (device probing, the synthesizer's own messages). They go to
// standard error unless the program installs a sink.
void midiLog(MidiLogLevel level, std::string_view text);
void setMidiLogSink(std::function<void(MidiLogLevel, std::string_view)> sink);

}  // namespace zembra
