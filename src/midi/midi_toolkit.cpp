#include "midi/midi_toolkit.h"

#include "midi/fluid_synth_device.h"
#include "midi/midi_bytes.h"
#include "midi/midi_inputs.h"
#include "midi/midi_log.h"
#include "midi/rtmidi_device.h"
#include "midi/sequencer.h"
#include "midi/smf_reader.h"
#include "midi/smf_writer.h"
#include "midi/synth_engine.h"
#include "midi/virtual_device.h"

#include <cstdlib>
#include <cstring>

namespace zembra {

namespace {

constexpr char kVirtualName[] = "Zembra MIDI monitor";
constexpr char kMapperName[] = "Zembra built-in synthesizer";
constexpr int kVirtualVoices = 64;
constexpr int kBuiltInVoices = 256;
constexpr std::uint16_t kKeepSetting = 0xFFFF;

MidiToolkit* g_installed = nullptr;

void copyName(const std::string& from, char to[MidiToolkit::kNameLength])
{
    std::strncpy(to, from.c_str(), MidiToolkit::kNameLength - 1);
    to[MidiToolkit::kNameLength - 1] = '\0';
}

}  // namespace

struct MidiToolkit::SmfEntry {
    std::unique_ptr<SmfReader> reader;
    std::unique_ptr<SmfWriter> writer;
    std::uint32_t* format = nullptr;  // the caller's, read when a written file is closed
    bool tempoTaken = false;
};

ToolkitOptions ToolkitOptions::fromEnvironment()
{
    ToolkitOptions options;
    const char* mode = std::getenv("ZEMBRA_MIDI");
    options.virtualOnly = mode && std::strcmp(mode, "virtual") == 0;
    if (const char* log = std::getenv("ZEMBRA_MIDI_LOG"))
        options.monitorLogPath = log;
    options.monitor = options.virtualOnly || !options.monitorLogPath.empty();
    return options;
}

ToolkitOptions ToolkitOptions::manual(std::shared_ptr<ManualTimeSource> time)
{
    ToolkitOptions options;
    options.time = std::move(time);
    options.virtualOnly = true;
    options.monitor = true;
    return options;
}

MidiToolkit::MidiToolkit(ToolkitOptions options)
    : m_options(std::move(options))
{
    if (!m_options.time)
        m_options.time = std::make_shared<SteadyTimeSource>();
    m_virtual = std::make_shared<VirtualDevice>(m_options.monitorLogPath);
    if (!m_options.virtualOnly)
        m_externalNames = RtMidiDevice::portNames();
    m_sequencer = std::make_unique<Sequencer>(m_options.time);
    m_inputs = std::make_unique<MidiInputs>(m_options.virtualOnly);
}

MidiToolkit::~MidiToolkit()
{
    if (g_installed == this)
        g_installed = nullptr;
    m_inputs.reset();
    m_sequencer.reset();
}

MidiToolkit& MidiToolkit::shared()
{
    if (g_installed)
        return *g_installed;
    static MidiToolkit fromEnvironment;
    return fromEnvironment;
}

void MidiToolkit::setShared(MidiToolkit* toolkit)
{
    g_installed = toolkit;
}

// ---- devices

std::uint32_t MidiToolkit::GetNumOutDevices() const
{
    return static_cast<std::uint32_t>(m_externalNames.size() + (monitorListed() ? 1 : 0)) & 0xFFFF;
}

std::uint16_t MidiToolkit::virtualDeviceIndex() const
{
    return static_cast<std::uint16_t>(m_externalNames.size());
}

bool MidiToolkit::GetMidiOutCaps(std::uint16_t device, MidiOutCaps& caps)
{
    if (device == kMapperDevice) {
        if (m_options.virtualOnly) {
            caps = MidiOutCaps{kVirtualName, kVirtualVoices};
            return true;
        }
        if (!mapper())
            return false;
        caps = MidiOutCaps{kMapperName, kBuiltInVoices};
        return true;
    }
    if (device < m_externalNames.size()) {
        caps.name = m_externalNames[device];
        caps.simultaneousNotes = RtMidiDevice::simultaneousNotesFor(caps.name);
        return true;
    }
    if (device == virtualDeviceIndex() && monitorListed()) {
        caps = MidiOutCaps{kVirtualName, kVirtualVoices};
        return true;
    }
    return false;
}

int MidiToolkit::GetMidiOutDescription(std::uint16_t device, char name[kNameLength])
{
    MidiOutCaps caps;
    if (!GetMidiOutCaps(device, caps)) {
        if (name)
            name[0] = '\0';
        return 0;
    }
    if (name)
        copyName(caps.name, name);
    return 1;
}

void MidiToolkit::setSoundFontPath(const std::string& path)
{
    if (path == m_options.soundFontPath)
        return;
    m_options.soundFontPath = path;
    if (!m_mapper)
        m_mapperTried = false;
}

bool MidiToolkit::TuneBuiltIn(int channel, const std::array<double, 128>& cents)
{
    const std::shared_ptr<OutputDevice> builtIn = mapper();
    return builtIn && builtIn->tune(channel, cents);
}

std::shared_ptr<OutputDevice> MidiToolkit::mapper()
{
    if (m_options.virtualOnly)
        return m_virtual;
    if (!m_mapperTried) {
        m_mapperTried = true;
        const std::string font = findSoundFont(m_options.soundFontPath);
        std::string error;
        if (font.empty())
            error = "no General MIDI sound font found";
        else
            m_mapper = FluidSynthDevice::create(font, error);
        if (!m_mapper)
            midiLog(MidiLogLevel::Warning,
                    "the built-in synthesizer is not available: " + (font.empty() ? "" : font + ": ") + error);
    }
    return m_mapper;
}

std::shared_ptr<OutputDevice> MidiToolkit::openDevice(std::uint16_t device, std::string& error)
{
    if (device == kMapperDevice)
        return mapper();
    if (device == virtualDeviceIndex() && monitorListed())
        return m_virtual;
    if (device < m_externalNames.size())
        return RtMidiDevice::open(device, error);
    error = "no MIDI output " + std::to_string(device);
    return nullptr;
}

// ---- output ports

std::uint32_t MidiToolkit::OpenMidiOut(NoticeTarget* target, std::uint16_t device, std::uint32_t clock, std::uint32_t)
{
    if (clock != 0 && !m_sequencer->hasClock(clock))
        return 0;
    std::string error;
    std::shared_ptr<OutputDevice> out = openDevice(device, error);
    if (!out) {
        if (!error.empty())
            midiLog(MidiLogLevel::Warning, "cannot open MIDI output: " + error);
        return 0;
    }
    const std::uint32_t handle = newHandle();
    m_sequencer->addPort(handle, target, clock, std::move(out));
    return handle;
}

int MidiToolkit::PutMidiOut(std::uint32_t port, const MidiEvent* event)
{
    if (!event)
        return -1;
    return m_sequencer->put(port, *event);
}

int MidiToolkit::ResetMidiOut(std::uint32_t port)
{
    return m_sequencer->reset(port) ? 0 : -1;
}

int MidiToolkit::FlushMidiOut(std::uint32_t port)
{
    return m_sequencer->flush(port) ? 0 : -1;
}

int MidiToolkit::CloseMidiOut(std::uint32_t port)
{
    if (!m_sequencer->hasPort(port))
        return -1;
    m_sequencer->reset(port);
    m_sequencer->removePort(port);
    return 0;
}

// ---- clocks

std::uint32_t MidiToolkit::OpenSync(std::uint32_t reopen, NoticeTarget* target, std::uint16_t a, std::uint16_t b)
{
    if (reopen != 0) {
        auto it = m_clockSettings.find(reopen);
        if (it == m_clockSettings.end())
            return 0;
        if (a != kKeepSetting)
            it->second.first = a;
        if (b != kKeepSetting)
            it->second.second = b;
        m_sequencer->retargetClock(reopen, target);
        return reopen;
    }
    const std::uint32_t handle = newHandle();
    m_clockSettings[handle] = {a == kKeepSetting ? 0 : a, b == kKeepSetting ? 0 : b};
    m_sequencer->addClock(handle, target);
    return handle;
}

int MidiToolkit::CloseSync(std::uint32_t clock)
{
    if (!m_clockSettings.erase(clock))
        return -1;
    m_sequencer->removeClock(clock);
    return 0;
}

int MidiToolkit::StartSync(std::uint32_t clock)
{
    return m_sequencer->start(clock) ? 0 : -1;
}

int MidiToolkit::ReStartSync(std::uint32_t clock)
{
    return m_sequencer->resume(clock) ? 0 : -1;
}

int MidiToolkit::StopSync(std::uint32_t clock)
{
    return m_sequencer->pause(clock) ? 0 : -1;
}

int MidiToolkit::PauseSync(std::uint32_t clock, int)
{
    return m_sequencer->pause(clock) ? 0 : -1;
}

int MidiToolkit::SetTempo(std::uint32_t clock, std::uint32_t microsPerQuarter)
{
    return m_sequencer->setTempo(clock, microsPerQuarter) ? 0 : -1;
}

std::uint32_t MidiToolkit::GetTempo(std::uint32_t clock) const
{
    return m_sequencer->tempo(clock).value_or(kDefaultTempo);
}

int MidiToolkit::SetResolution(std::uint32_t clock, std::uint16_t ticksPerQuarter)
{
    return m_sequencer->setResolution(clock, ticksPerQuarter) ? 0 : -1;
}

std::uint16_t MidiToolkit::GetResolution(std::uint32_t clock) const
{
    return m_sequencer->resolution(clock).value_or(kDefaultResolution);
}

std::uint32_t MidiToolkit::GetPosition(std::uint32_t clock, int) const
{
    return m_sequencer->position(clock).value_or(0);
}

// ---- Standard MIDI Files

MidiToolkit::SmfEntry* MidiToolkit::smf(std::uint32_t file)
{
    auto it = m_files.find(file);
    return it == m_files.end() ? nullptr : it->second.get();
}

const MidiToolkit::SmfEntry* MidiToolkit::smf(std::uint32_t file) const
{
    auto it = m_files.find(file);
    return it == m_files.end() ? nullptr : it->second.get();
}

std::uint32_t MidiToolkit::OpenSMF(const char* path, std::uint32_t* format, const char* mode, std::uint32_t* trackCount)
{
    m_smfError.clear();
    m_smfProblem = {};
    if (!path || !format || !mode || !trackCount) {
        m_smfError = "no file given";
        return 0;
    }
    auto entry = std::make_unique<SmfEntry>();
    if (std::strcmp(mode, "r") == 0) {
        entry->reader = std::make_unique<SmfReader>();
        if (!entry->reader->load(path)) {
            m_smfError = entry->reader->error();
            return 0;
        }
        *format = entry->reader->format();
        *trackCount = static_cast<std::uint32_t>(entry->reader->trackCount());
    } else if (std::strcmp(mode, "w") == 0) {
        entry->writer = std::make_unique<SmfWriter>();
        if (!entry->writer->open(path)) {
            m_smfError = entry->writer->error();
            m_smfProblem = entry->writer->problem();
            return 0;
        }
        entry->format = format;
    } else {
        m_smfError = std::string("unknown file mode '") + mode + "'";
        return 0;
    }
    const std::uint32_t handle = newHandle();
    m_files[handle] = std::move(entry);
    return handle;
}

std::uint32_t MidiToolkit::ReadSMF(std::uint32_t file, std::uint32_t track, MidiEvent* buffer, std::uint32_t max)
{
    SmfEntry* entry = smf(file);
    if (!entry || !entry->reader)
        return 0;
    // Reading puts the file's tempo on the clock, so that the file plays at its own speed.
    if (!entry->tempoTaken) {
        entry->tempoTaken = true;
        m_sequencer->setTempoEverywhere(entry->reader->firstTempo());
    }
    return entry->reader->read(track, buffer, max);
}

std::uint32_t MidiToolkit::WriteSMF(std::uint32_t file, std::uint32_t track, const MidiEvent* events, std::uint32_t count)
{
    SmfEntry* entry = smf(file);
    if (!entry || !entry->writer)
        return 0;
    return entry->writer->writeEvents(track, events, count);
}

int MidiToolkit::ReadMetaEvent(std::uint32_t file, std::uint32_t track, std::uint8_t type, const std::uint8_t** data,
                               std::uint32_t* length)
{
    SmfEntry* entry = smf(file);
    if (!entry || !entry->reader || !entry->reader->findMeta(track, type, data, length))
        return -1;
    return 0;
}

int MidiToolkit::WriteMetaEvent(std::uint32_t file, std::uint32_t track, std::uint8_t type, const std::uint8_t* data,
                                std::uint32_t length)
{
    SmfEntry* entry = smf(file);
    if (!entry || !entry->writer)
        return -1;
    return entry->writer->writeMeta(track, type, data, length) ? 0 : -1;
}

int MidiToolkit::SetSMFResolution(std::uint32_t file, std::uint16_t ticksPerQuarter)
{
    SmfEntry* entry = smf(file);
    // A file's division must be ticks per quarter: 1..0x7FFF.
    if (!entry || !entry->writer || ticksPerQuarter == 0 || ticksPerQuarter > 0x7FFF)
        return -1;
    entry->writer->setResolution(ticksPerQuarter);
    return 0;
}

std::uint16_t MidiToolkit::GetSMFResolution(std::uint32_t file) const
{
    const SmfEntry* entry = smf(file);
    if (!entry)
        return 0;
    return entry->reader ? entry->reader->resolution() : entry->writer->resolution();
}

std::uint32_t MidiToolkit::GetSMFTempo(std::uint32_t file) const
{
    const SmfEntry* entry = smf(file);
    return entry && entry->reader ? entry->reader->firstTempo() : kDefaultTempo;
}

int MidiToolkit::RewindSMF(std::uint32_t file)
{
    SmfEntry* entry = smf(file);
    if (!entry)
        return -1;
    if (entry->reader)
        entry->reader->rewind();
    return 0;
}

int MidiToolkit::CloseSMF(std::uint32_t file)
{
    auto it = m_files.find(file);
    if (it == m_files.end())
        return -1;
    std::unique_ptr<SmfEntry> entry = std::move(it->second);
    m_files.erase(it);
    if (!entry->writer)
        return 0;
    if (!entry->writer->finish(*entry->format)) {
        m_smfError = entry->writer->error();
        m_smfProblem = entry->writer->problem();
        return -1;
    }
    return 0;
}

void MidiToolkit::AbandonSMF(std::uint32_t file)
{
    auto it = m_files.find(file);
    if (it == m_files.end())
        return;
    if (it->second->writer)
        it->second->writer->abandon();
    m_files.erase(it);
}

std::string MidiToolkit::SMFDamage(std::uint32_t file) const
{
    const SmfEntry* entry = smf(file);
    return entry && entry->reader ? entry->reader->damage() : std::string();
}

std::string MidiToolkit::LastSMFError() const
{
    return m_smfError;
}

// ---- inputs

std::uint32_t MidiToolkit::GetNumInDevices() const
{
    return m_inputs->count() & 0xFFFF;
}

int MidiToolkit::GetMidiInDescription(std::uint16_t device, char name[kNameLength])
{
    std::string found;
    const bool exists = m_inputs->name(device, found);
    if (name)
        copyName(found, name);
    return exists ? 1 : 0;
}

VirtualInput& MidiToolkit::virtualInput()
{
    return m_inputs->virtualInput();
}

std::uint32_t MidiToolkit::OpenMidiIn(NoticeTarget* target, std::uint16_t device)
{
    const std::uint32_t handle = newHandle();
    std::string error;
    if (!m_inputs->open(handle, target, device, error)) {
        midiLog(MidiLogLevel::Warning, "MIDI input did not open: " + error);
        return 0;
    }
    return handle;
}

int MidiToolkit::GetMidiIn(std::uint32_t input, MidiEvent* event)
{
    return m_inputs->read(input, event);
}

int MidiToolkit::CloseMidiIn(std::uint32_t input)
{
    return m_inputs->close(input) ? 0 : -1;
}

// ---- notices and time

void MidiToolkit::setWaker(std::function<void()> waker)
{
    m_inputs->setWaker(waker);
    m_sequencer->setWaker(std::move(waker));
}

void MidiToolkit::dispatchNotices()
{
    m_sequencer->dispatchNotices();
    m_inputs->dispatchNotices();
}

std::size_t MidiToolkit::pendingNotices() const
{
    return m_sequencer->pendingNotices() + m_inputs->pendingNotices();
}

void MidiToolkit::advance(std::chrono::microseconds by)
{
    m_sequencer->advance(by.count());
}

}  // namespace zembra
