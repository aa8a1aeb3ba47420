#include "canvas/playback_controller.h"

#include "services/command_ids.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "model/canvas_geometry.h"
#include "canvas/kelp_view.h"
#include "canvas/playback_cursor.h"
#include "model/playback_list.h"
#include "model/too_close.h"
#include "model/tuning.h"
#include "services/paint_device_metrics.h"
#include "midi/midi_bytes.h"
#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/output_device_menu.h"
#include "midi/sync_clock.h"
#include "canvas/canvas_document.h"

#include <QTimer>

namespace zembra {

namespace {

constexpr int kTickMilliseconds = 100;
constexpr int kIdleMilliseconds = 60000;
constexpr int kMusicBoxChannel = 1;
constexpr int kClickChannel = 2;

MidiEvent programChange(int channel, int program)
{
    MidiEvent event{};
    event.status = static_cast<std::uint8_t>(kProgramChange + channel - 1);
    event.data1 = static_cast<std::uint8_t>(program);
    return event;
}

bool TrackSoundsSomething(const CanvasDocument* doc)
{
    const MidiTrack* track = doc ? doc->songTrack() : nullptr;
    return track && HoldsStrike(*track);
}

} // namespace

PlaybackController::PlaybackController(CKelpView& view)
    : m_view(view)
    , m_port(std::make_unique<MidiOutPort>(MidiToolkit::shared()))
{
    m_playTimer = new QTimer(this);
    connect(m_playTimer, &QTimer::timeout, this, &PlaybackController::OnPlaybackTimer);
    m_idleTimer = new QTimer(this);
    connect(m_idleTimer, &QTimer::timeout, this, &PlaybackController::OnIdleTimer);
}

PlaybackController::~PlaybackController() = default;

void PlaybackController::Attach(SyncClock* clock, OutputDeviceMenu* deviceMenu)
{
    m_clock = clock;
    if (m_clock) {
        m_clock->SetResolution(kTicksPerQuarter);
        m_clock->SetEndHandler([this] { OnEndOfMaterial(); });
    }
    m_port->SetSync(m_clock);
    // The menu comes first, so that a device chosen by the fallback below gets its check mark.
    m_deviceMenu = deviceMenu;
    if (m_deviceMenu) {
        m_deviceMenu->SetPort(m_port.get());
        connect(m_deviceMenu, &OutputDeviceMenu::picked, this, &PlaybackController::OnDeviceMenu);
    }
    if (OpenDevice(-1)) {
        m_device = -1;
    }
    m_idleTimer->start(kIdleMilliseconds);
}

void PlaybackController::Detach()
{
    Stop();
    if (m_clock) {
        m_clock->SetEndHandler({});
    }
    m_clock = nullptr;
    m_port->SetSync(nullptr);
}

void PlaybackController::SendAtOnce(const MidiEvent& event)
{
    MidiEvent now = event;
    now.time = kAtOnce;
    m_port->Put(now);
}

bool PlaybackController::OpenPort(int device)
{
    const std::uint16_t number = device < 0 ? kMapperDevice : static_cast<std::uint16_t>(device);
    if (!m_port->Open(number, MidiOutPort::kViewOptions)) {
        return false;
    }
    UseDevice(device);
    return true;
}

void PlaybackController::UseDevice(int device)
{
    m_device = device;
    SendAtOnce(programChange(kMusicBoxChannel, kMusicBoxProgram));
}

bool PlaybackController::SwitchToDevice(int device)
{
    if (m_deviceMenu) {
        m_deviceMenu->Choose(device);
    } else {
        m_port->Reset();
        m_port->Close();
        m_port->Open(static_cast<std::uint16_t>(device), MidiOutPort::kMenuOptions);
    }
    if (!m_port->IsOpen()) {
        return false;
    }
    UseDevice(device);
    return true;
}

bool PlaybackController::OpenDevice(int device)
{
    if (OpenPort(device)) {
        return true;
    }
    MidiToolkit& midi = MidiToolkit::shared();
    const int count = static_cast<int>(midi.GetNumOutDevices());
    for (int index = 0; index < count; ++index) {
        MidiOutCaps caps;
        if (!midi.GetMidiOutCaps(static_cast<std::uint16_t>(index), caps) || caps.simultaneousNotes == 0) {
            continue;
        }
        // The virtual device records but makes no sound: it is no fallback for a listener.
        if (index == midi.virtualDeviceIndex()) {
            continue;
        }
        if (SwitchToDevice(index)) {
            return true;
        }
    }
    prompts().message(&m_view, TextOf(str::kMidiOutOpenFailed), QString(), Prompts::Icon::Warning);
    return false;
}

void PlaybackController::OnDeviceMenu(int id)
{
    MidiToolkit& midi = MidiToolkit::shared();
    const int device = id - cmd::kFirstDevice;
    MidiOutCaps caps;
    if (device < 0 || device >= static_cast<int>(midi.GetNumOutDevices()) ||
        !midi.GetMidiOutCaps(static_cast<std::uint16_t>(device), caps)) {
        return;
    }
    if (caps.simultaneousNotes == 0) {
        const QString question = TextOf(str::kDeviceMayNotSound) + QString::fromUtf8(kTextDeviceNameLead) +
                                 QString::fromStdString(caps.name) + TextOf(str::kDeviceNameTrail) +
                                 TextOf(str::kDeviceMayNotSoundAdvice);
        if (prompts().ask(&m_view, question, QString(), Prompts::Buttons::OkCancel, Prompts::Answer::Cancel,
                          Prompts::Icon::Warning) != Prompts::Answer::Ok) {
            return;
        }
    }
    if (m_playing) {
        Stop();
    }
    if (!SwitchToDevice(device)) {
        OpenDevice(device);
    }
    emit stateChanged();
}

void PlaybackController::SetProgram(int channel, int program)
{
    const MidiEvent event = programChange(channel, program);
    CanvasDocument* doc = m_view.document();
    if (doc && doc->songTrack()) {
        doc->songTrack()->Append(event);
    }
    SendAtOnce(event);
}

void PlaybackController::SendMusicBoxProgram()
{
    SetProgram(kMusicBoxChannel, kMusicBoxProgram);
}

void PlaybackController::PreviewNote(const NoteRecord& note)
{
    MidiEvent strike{};
    strike.time = kAtOnce;
    strike.status = kNoteOn;
    strike.data1 = static_cast<std::uint8_t>(std::clamp(note.pitch + m_view.song().temporaryTransposition, 0, 127));
    strike.data2 = 0;
    m_port->Put(strike);
    strike.data2 = static_cast<std::uint8_t>(std::clamp(note.velocity, 0, 127));
    m_port->Put(strike);
}

void PlaybackController::SoundKey(int key, int velocity)
{
    MidiEvent strike{};
    strike.time = kAtOnce;
    strike.status = kNoteOn;
    strike.data1 = static_cast<std::uint8_t>(std::clamp(key, 0, 127));
    strike.data2 = static_cast<std::uint8_t>(std::clamp(velocity, 0, 127));
    m_port->Put(strike);
}

void PlaybackController::SilenceOutput()
{
    m_port->Reset();
}

void PlaybackController::MatchClockTempoToSong()
{
    const auto tempo = static_cast<std::uint32_t>(m_view.song().tempo);
    if (m_clock && tempo > 0 && m_clock->GetTempo() != tempo) {
        m_clock->SetTempo(tempo);
    }
}

void PlaybackController::ApplyTuning()
{
    if (m_device < 0) {
        MidiToolkit::shared().TuneBuiltIn(kMusicBoxChannelIndex, TuningCents(m_view.song().tuning, m_view.song().box));
    }
}

bool PlaybackController::BuildPlaybackTrack()
{
    CanvasDocument* doc = m_view.document();
    if (!doc || !doc->EnsureSongTrack() || !doc->songTrack()) {
        return false;
    }
    PlaybackRange range;
    range.recording = m_recording;
    range.startX = m_startX;
    range.endX = m_endX;
    range.leadIn = m_leadIn;
    range.temporaryTransposition = m_view.song().temporaryTransposition;
    range.damperDistance = m_asBox ? MinHoleDistance(m_view.song(), CheckMetrics()) : 0;
    BuildSongTrack(*doc->songTrack(), m_view.song(), range);
    return true;
}

void PlaybackController::PrepareClock()
{
    MidiTrack* track = m_view.document() ? m_view.document()->songTrack() : nullptr;
    if (track && track->Port() != m_port.get()) {
        m_port->Attach(track);
    }
    if (!m_clock) {
        return;
    }
    m_clock->SetResolution(kTicksPerQuarter);
    m_clock->SetTempo(static_cast<std::uint32_t>(m_view.song().tempo));
    m_tickBusy = false;
    m_port->Reset();
    m_clock->Start();
    if (m_port->IsOpen()) {
        m_port->Flush();
        m_clock->Pause();
    }
}

void PlaybackController::StartPlayback()
{
    if (m_playing || (m_view.song().noteCount < 1 && !m_recording) || !m_clock) {
        return;
    }
    m_view.Repaint();
    if (m_startX == 0) {
        m_view.setScrollX(0);
    }
    m_cursorX = 0;
    m_cursorShown = false;
    m_tickBusy = false;
    m_playTimer->start(kTickMilliseconds);
    if (CanvasDocument* doc = m_view.document(); doc && doc->songTrack()) {
        doc->songTrack()->Rewind();
    }
    m_playing = true;
    if (m_recording) {
        SetProgram(kClickChannel, kClickProgram);
    }
    SetProgram(kMusicBoxChannel, kMusicBoxProgram);
    ApplyTuning();
    m_port->Restart();
    m_clock->Resume();
    m_startBeats = static_cast<int>(m_clock->NotificationCount());
    emit stateChanged();
}

void PlaybackController::Play()
{
    if (m_playing || !m_clock) {
        return;
    }
    m_repeat = !m_recording;
    m_startX = m_startXSeen = m_endX = 0;
    if (!m_recording) {
        m_leadIn = 0;
    }
    if (!BuildAndStart()) {
        EndPlaybackState();
    }
}

bool PlaybackController::BuildAndStart()
{
    // Material without a strike would end as soon as it began and its repeat would start it
    // again at once, for ever: there is nothing to play.
    if (!BuildPlaybackTrack() || !TrackSoundsSomething(m_view.document())) {
        return false;
    }
    PrepareClock();
    StartPlayback();
    return m_playing;
}

void PlaybackController::PlayRange(int fromX, int toX)
{
    if (m_playing || !m_clock) {
        return;
    }
    m_rangePlay = true;
    m_repeat = !m_recording;
    m_startX = m_startXSeen = fromX;
    m_endX = toX;
    m_leadIn = 0;
    if (!BuildAndStart()) {
        EndPlaybackState();
    }
}

void PlaybackController::RestartFromStart()
{
    m_clock->Stop();
    m_port->Reset();
    m_playing = false;
    if (!BuildAndStart()) {
        // Nothing sounds after the clicked beat: playback ends there.
        Stop();
    }
}

void PlaybackController::OnPlaybackTimer()
{
    if (!m_playing || m_tickBusy || !m_clock) {
        return;
    }
    m_tickBusy = true;
    const int beats = static_cast<int>(m_clock->NotificationCount()) - m_startBeats;
    const SongState& song = m_view.song();
    const int canvasX = PlaybackCursorX(m_startX, song.pixelsPerQuarter, beats, m_leadIn);
    int c = CanvasToClientX(canvasX, m_view.scrollX());
    if (c != m_cursorX) {
        const int clientWidth = m_view.viewport()->width();
        if (c > (clientWidth - 40) * 98 / 100) {
            m_view.setScrollX(m_view.scrollX() + c);
            c = CanvasToClientX(canvasX, m_view.scrollX());
        }
        if (song.pixelsPerQuarter > 0) {
            const int beat = canvasX / song.pixelsPerQuarter;
            m_view.SetPane(kPaneX, PaneNumber(beat));
            m_view.SetPane(kPaneY, PaneNumber(song.beatsPerBar > 0 ? beat / song.beatsPerBar + 1 : 0));
        }
        m_cursorCanvasX = canvasX;
        m_cursorShown = c < CanvasToClientX(song.canvasWidth, m_view.scrollX());
        m_cursorX = c;
        m_view.viewport()->update();
    }
    if (m_startX != m_startXSeen) {
        m_startXSeen = m_startX;
        RestartFromStart();
    }
    m_tickBusy = false;
}

void PlaybackController::OnEndOfMaterial()
{
    if (!m_playing) {
        return;
    }
    m_playing = false;
    if (m_repeat && TrackSoundsSomething(m_view.document())) {
        StartPlayback();
    }
    if (!m_playing) {
        m_playTimer->stop();
        // A take that ran to the end is kept as one undo step too: without it the song would
        // not count as changed and one Undo would lose the take for good.
        EndTake();
        EndPlaybackState();
        m_view.Repaint();
    }
    emit stateChanged();
}

void PlaybackController::Stop()
{
    if (m_clock) {
        m_clock->Stop();
    }
    m_port->Reset();
    m_playing = false;
    SetProgram(kMusicBoxChannel, kMusicBoxProgram);
    m_playTimer->stop();
    EndTake();
    m_view.Repaint();
    EndPlaybackState();
    emit stateChanged();
}

void PlaybackController::BeginTake(int leadIn, std::function<bool()> takeChanged)
{
    m_recording = true;
    m_leadIn = leadIn;
    m_takeChanged = std::move(takeChanged);
}

void PlaybackController::DropTake()
{
    m_recording = false;
    m_leadIn = 0;
}

void PlaybackController::EndTake()
{
    if (m_recording && m_takeChanged && m_takeChanged()) {
        m_view.edits().Snapshot();
    }
}

void PlaybackController::EndPlaybackState()
{
    m_repeat = false;
    m_startX = m_startXSeen = m_endX = 0;
    m_playing = false;
    m_recording = false;
    m_leadIn = 0;
    m_rangePlay = false;
    m_cursorShown = false;
    SetProgram(kMusicBoxChannel, kMusicBoxProgram);
}

void PlaybackController::OnIdleTimer()
{
    if (!m_playing) {
        SetProgram(kMusicBoxChannel, kMusicBoxProgram);
    }
}

} // namespace zembra
