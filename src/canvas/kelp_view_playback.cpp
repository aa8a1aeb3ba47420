// The canvas heard as a music box: device choice, the playback track, the clock and the cursor.
#include "ui/command_ids.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "model/canvas_geometry.h"
#include "canvas/kelp_view.h"
#include "canvas/playback_cursor.h"
#include "model/playback_list.h"
#include "midi/midi_bytes.h"
#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/output_device_menu.h"
#include "midi/sync_clock.h"
#include "song/kelp_doc.h"

#include <QPainter>
#include <QScrollBar>

namespace zembra {

namespace {

constexpr int kTickMilliseconds = 100;
constexpr int kIdleMilliseconds = 60000;
constexpr int kCursorWidth = 4;
constexpr int kCountInY = 30;
constexpr int kMusicBoxChannel = 1;
constexpr int kClickChannel = 2;

MidiEvent programChange(int channel, int program)
{
    MidiEvent event{};
    event.status = static_cast<std::uint8_t>(kProgramChange + channel - 1);
    event.data1 = static_cast<std::uint8_t>(program);
    return event;
}

bool TrackSoundsSomething(const CKelpDoc* doc)
{
    const MidiTrack* track = doc ? doc->songTrack() : nullptr;
    return track && HoldsStrike(*track);
}

} // namespace

MidiToolkit& CKelpView::toolkit() const
{
    return MidiToolkit::shared();
}

void CKelpView::AttachToFrame(SyncClock* clock, QMenuBar* menuBar, QAction* before)
{
    m_clock = clock;
    if (m_clock) {
        m_clock->SetResolution(kTicksPerQuarter);
        m_clock->SetEndHandler([this] { OnEndOfMaterial(); });
    }
    m_port->SetSync(m_clock);
    // The menu comes first, so that a device chosen by the fallback below gets its check mark.
    if (menuBar) {
        m_deviceMenu = new OutputDeviceMenu(toolkit(), this);
        m_deviceMenu->Build(menuBar, before, QString::fromUtf8(kTextDeviceMenu), cmd::kFirstDevice);
        m_deviceMenu->SetPort(m_port.get());
        connect(m_deviceMenu, &OutputDeviceMenu::picked, this, &CKelpView::OnDeviceMenu);
        BuildInputMenu();
    }
    if (OpenDevice(-1)) {
        m_device = -1;
    }
    ResetSong();
    m_idleTimer->start(kIdleMilliseconds);
}

void CKelpView::DetachFromFrame()
{
    Stop();
    if (m_clock) {
        m_clock->SetEndHandler({});
    }
    m_clock = nullptr;
    m_port->SetSync(nullptr);
    m_doc = nullptr;
}

void CKelpView::SendAtOnce(const MidiEvent& event)
{
    MidiEvent now = event;
    now.time = kAtOnce;
    m_port->Put(now);
}

bool CKelpView::OpenPort(int device)
{
    const std::uint16_t number = device < 0 ? kMapperDevice : static_cast<std::uint16_t>(device);
    if (!m_port->Open(number, MidiOutPort::kViewOptions)) {
        return false;
    }
    UseDevice(device);
    return true;
}

void CKelpView::UseDevice(int device)
{
    m_device = device;
    SendAtOnce(programChange(kMusicBoxChannel, kMusicBoxProgram));
}

bool CKelpView::SwitchToDevice(int device)
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

bool CKelpView::OpenDevice(int device)
{
    if (OpenPort(device)) {
        return true;
    }
    MidiToolkit& midi = toolkit();
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
    prompts().message(this, TextOf(str::kMidiOutOpenFailed), QString(), Prompts::Icon::Warning);
    return false;
}

void CKelpView::OnDeviceMenu(int id)
{
    MidiToolkit& midi = toolkit();
    const int device = id - cmd::kFirstDevice;
    MidiOutCaps caps;
    if (device < 0 || device >= static_cast<int>(midi.GetNumOutDevices()) ||
        !midi.GetMidiOutCaps(static_cast<std::uint16_t>(device), caps)) {
        return;
    }
    if (caps.simultaneousNotes == 0) {
        const QString question = TextOf(str::kDeviceMayNotSound) + QString::fromUtf8(kTextDeviceNameLead) +
                                 QString::fromStdString(caps.name) + QString::fromUtf8(kTextDeviceNameTrail) +
                                 TextOf(str::kDeviceMayNotSoundAdvice);
        if (prompts().ask(this, question, QString(), Prompts::Buttons::OkCancel, Prompts::Answer::Cancel,
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

void CKelpView::SetProgram(int channel, int program)
{
    const MidiEvent event = programChange(channel, program);
    if (m_doc && m_doc->songTrack()) {
        m_doc->songTrack()->Append(event);
    }
    SendAtOnce(event);
}

void CKelpView::SendMusicBoxProgram()
{
    SetProgram(kMusicBoxChannel, kMusicBoxProgram);
}

void CKelpView::PreviewNote(const NoteRecord& note)
{
    MidiEvent strike{};
    strike.time = kAtOnce;
    strike.status = kNoteOn;
    strike.data1 = static_cast<std::uint8_t>(std::clamp(note.pitch + m_song.temporaryTransposition, 0, 127));
    strike.data2 = 0;
    m_port->Put(strike);
    strike.data2 = static_cast<std::uint8_t>(std::clamp(note.velocity, 0, 127));
    m_port->Put(strike);
}

void CKelpView::SilenceOutput()
{
    m_port->Reset();
}

void CKelpView::MatchClockTempoToSong()
{
    const auto tempo = static_cast<std::uint32_t>(m_song.tempo);
    if (m_clock && tempo > 0 && m_clock->GetTempo() != tempo) {
        m_clock->SetTempo(tempo);
    }
}

bool CKelpView::BuildPlaybackTrack()
{
    if (!m_doc || !m_doc->EnsureSongTrack() || !m_doc->songTrack()) {
        return false;
    }
    PlaybackRange range;
    range.recording = m_recording;
    range.startX = m_startX;
    range.endX = m_endX;
    range.leadIn = m_leadIn;
    range.temporaryTransposition = m_song.temporaryTransposition;
    BuildSongTrack(*m_doc->songTrack(), m_song, range);
    return true;
}

void CKelpView::PrepareClock()
{
    MidiTrack* track = m_doc ? m_doc->songTrack() : nullptr;
    if (track && track->Port() != m_port.get()) {
        m_port->Attach(track);
    }
    if (!m_clock) {
        return;
    }
    m_clock->SetResolution(kTicksPerQuarter);
    m_clock->SetTempo(static_cast<std::uint32_t>(m_song.tempo));
    m_tickBusy = false;
    m_port->Reset();
    m_clock->Start();
    if (m_port->IsOpen()) {
        m_port->Flush();
        m_clock->Pause();
    }
}

void CKelpView::StartPlayback()
{
    if (m_playing || (m_song.noteCount < 1 && !m_recording) || !m_clock) {
        return;
    }
    Repaint();
    if (m_startX == 0) {
        setScrollX(0);
    }
    m_cursorX = 0;
    m_cursorShown = false;
    m_tickBusy = false;
    m_playTimer->start(kTickMilliseconds);
    if (m_doc && m_doc->songTrack()) {
        m_doc->songTrack()->Rewind();
    }
    m_playing = true;
    if (m_recording) {
        SetProgram(kClickChannel, kClickProgram);
    }
    SetProgram(kMusicBoxChannel, kMusicBoxProgram);
    m_port->Restart();
    m_clock->Resume();
    m_startBeats = static_cast<int>(m_clock->NotificationCount());
    emit stateChanged();
}

void CKelpView::Play()
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

bool CKelpView::BuildAndStart()
{
    // Material without a strike would end as soon as it began and its repeat would start it
    // again at once, for ever: there is nothing to play.
    if (!BuildPlaybackTrack() || !TrackSoundsSomething(m_doc)) {
        return false;
    }
    PrepareClock();
    StartPlayback();
    return m_playing;
}

void CKelpView::PlayRange(int fromX, int toX)
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

void CKelpView::RestartPlaybackAt(int canvasX)
{
    m_startX = canvasX;
}

void CKelpView::RestartFromStart()
{
    m_clock->Stop();
    m_port->Reset();
    m_playing = false;
    if (!BuildAndStart()) {
        // Nothing sounds after the clicked beat: playback ends there.
        Stop();
    }
}

void CKelpView::OnPlaybackTimer()
{
    if (!m_playing || m_tickBusy || !m_clock) {
        return;
    }
    m_tickBusy = true;
    const int beats = static_cast<int>(m_clock->NotificationCount()) - m_startBeats;
    const int canvasX = PlaybackCursorX(m_startX, m_song.pixelsPerQuarter, beats, m_leadIn);
    int c = CanvasToClientX(canvasX, scrollX());
    if (c != m_cursorX) {
        const int clientWidth = viewport()->width();
        if (c > (clientWidth - 40) * 98 / 100) {
            setScrollX(scrollX() + c);
            c = CanvasToClientX(canvasX, scrollX());
        }
        if (m_song.pixelsPerQuarter > 0) {
            const int beat = canvasX / m_song.pixelsPerQuarter;
            SetPane(kPaneX, PaneNumber(beat));
            SetPane(kPaneY, PaneNumber(m_song.beatsPerBar > 0 ? beat / m_song.beatsPerBar + 1 : 0));
        }
        m_cursorCanvasX = canvasX;
        m_cursorShown = c < CanvasToClientX(m_song.canvasWidth, scrollX());
        m_cursorX = c;
        viewport()->update();
    }
    if (m_startX != m_startXSeen) {
        m_startXSeen = m_startX;
        RestartFromStart();
    }
    m_tickBusy = false;
}

void CKelpView::PaintCursor(QPainter& painter)
{
    if (!m_playing || !m_cursorShown) {
        return;
    }
    const int ppq = m_song.pixelsPerQuarter;
    if (m_cursorCanvasX < 0 && ppq > 0) {
        // The count-in: beats left before the song starts.
        const int left = -m_cursorCanvasX / ppq;
        painter.setFont(m_fonts.title);
        painter.setPen(m_colours.noteNameText);
        painter.drawText(QRect(40 - 10 * left, kCountInY, 30, kBandTop - kCountInY), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(left));
        return;
    }
    painter.fillRect(QRect(m_cursorX, kBandTop - kCursorWidth / 2, ppq, kCursorWidth), m_colours.noteNameText);
}

void CKelpView::OnEndOfMaterial()
{
    if (!m_playing) {
        return;
    }
    m_playing = false;
    if (m_repeat && TrackSoundsSomething(m_doc)) {
        StartPlayback();
    }
    if (!m_playing) {
        m_playTimer->stop();
        // A take that ran to the end is kept as one undo step too: without it the song would
        // not count as changed and one Undo would lose the take for good.
        if (m_recording && m_recorder.TakeChanged(m_song)) {
            Snapshot();
        }
        EndPlaybackState();
        Repaint();
    }
    emit stateChanged();
}

void CKelpView::Stop()
{
    if (m_clock) {
        m_clock->Stop();
    }
    m_port->Reset();
    m_playing = false;
    SetProgram(kMusicBoxChannel, kMusicBoxProgram);
    m_playTimer->stop();
    if (m_recording && m_recorder.TakeChanged(m_song)) {
        Snapshot();
    }
    Repaint();
    EndPlaybackState();
    emit stateChanged();
}

void CKelpView::EndPlaybackState()
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

void CKelpView::OnIdleTimer()
{
    if (!m_playing) {
        SetProgram(kMusicBoxChannel, kMusicBoxProgram);
    }
}

} // namespace zembra
