#include "canvas/recording_controller.h"

#include "canvas/kelp_view.h"
#include "canvas/playback_controller.h"
#include "midi/input_device_menu.h"
#include "midi/midi_bytes.h"
#include "midi/midi_in_port.h"
#include "midi/midi_toolkit.h"
#include "midi/sync_clock.h"
#include "text/string_ids.h"
#include "services/prompts.h"
#include "services/qt_text.h"

namespace zembra {

RecordingController::RecordingController(CKelpView& view, PlaybackController& playback)
    : m_view(view)
    , m_playback(playback)
{
}

RecordingController::~RecordingController() = default;

bool RecordingController::recording() const
{
    return m_playback.recording();
}

void RecordingController::StartRecording()
{
    if (m_playback.playing()) {
        m_playback.Stop();
    }
    if (!m_playback.clock()) {
        return;
    }
    const SongState& song = m_view.song();
    m_playback.BeginTake(KeyboardRecorder::LeadIn(song), [this] { return m_recorder.TakeChanged(m_view.song()); });
    m_recorder.Begin(song);
    m_playback.Play();
    if (!m_playback.playing()) {
        // Nothing to play into (no song track): recording does not begin either.
        m_playback.DropTake();
    }
    m_view.setFocus(Qt::OtherFocusReason);
    emit stateChanged();
}

int RecordingController::RecordingPlace() const
{
    const int startX = m_playback.playbackStartX();
    const int lead = startX != 0 ? 0 : m_playback.leadIn();
    const SyncClock& clock = *m_playback.clock();
    return KeyboardRecorder::PlaceOf(m_view.song().pixelsPerQuarter, clock.GetPosition(), clock.GetResolution(),
                                     startX, lead);
}

void RecordingController::RecordKey(int virtualKey)
{
    if (recording()) {
        RecordRow(m_recorder.RowOfKey(virtualKey));
    }
}

void RecordingController::RecordRow(int row)
{
    SongState& song = m_view.song();
    if (row < 0 || row >= song.rowCount || row >= kMaxRows || !m_playback.clock()) {
        return;
    }
    const RowEntry& entry = song.rows[static_cast<std::size_t>(row)];
    m_playback.SoundKey(entry.pitch, entry.velocity);
    const KeyboardRecorder::Result result = KeyboardRecorder::PlaceRow(song, row, RecordingPlace());
    switch (result.outcome) {
    case KeyboardRecorder::Outcome::StoreFull:
        prompts().message(&m_view, TextOf(str::kNoteLimit), QString(), Prompts::Icon::Warning);
        break;
    case KeyboardRecorder::Outcome::Placed:
        m_view.Repaint();
        emit stateChanged();
        break;
    default:
        break;
    }
}

MidiInPort& RecordingController::input()
{
    if (!m_input) {
        m_input = std::make_unique<MidiInPort>(MidiToolkit::shared());
        m_input->SetHandler([this](const MidiEvent& event) { OnInputEvent(event); });
    }
    return *m_input;
}

void RecordingController::OnInputEvent(const MidiEvent& event)
{
    if ((event.status & kStatusTypeMask) == kControlChange) {
        emit controlChanged();
        return;
    }
    // A Note On of velocity 0 is how many keyboards let go of a key: the music box has no release.
    if ((event.status & kStatusTypeMask) != kNoteOn || event.data2 == 0) {
        return;
    }
    const int row = recording() ? KeyboardRecorder::RowOfPitch(m_view.song(), event.data1) : -1;
    if (row >= 0) {
        RecordRow(row);
        return;
    }
    // Keys off the comb, or played while not recording, only sound.
    m_playback.SoundKey(event.data1, event.data2);
}

void RecordingController::SetMenu(InputDeviceMenu* menu)
{
    m_inputMenu = menu;
    if (m_inputMenu) {
        connect(m_inputMenu, &InputDeviceMenu::picked, this, &RecordingController::OnInputMenu);
    }
}

bool RecordingController::OpenInput(int index)
{
    if (index < 0) {
        input().Close();
    } else if (!input().Open(static_cast<std::uint16_t>(index))) {
        if (m_inputMenu) {
            m_inputMenu->SetChecked(-1);
        }
        prompts().message(&m_view, TextOf(str::kMidiInputOpenFailed), QString(), Prompts::Icon::Warning);
        return false;
    }
    if (m_inputMenu) {
        m_inputMenu->SetChecked(index);
    }
    return true;
}

void RecordingController::OnInputMenu(int index)
{
    // Picking the input in use again lets go of it.
    const bool inUse = m_input && m_input->IsOpen() && m_input->Device() == index;
    OpenInput(inUse ? -1 : index);
}

} // namespace zembra
