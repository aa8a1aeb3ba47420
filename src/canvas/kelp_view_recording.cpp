// Recording against the metronome: keys of the computer keyboard and of a MIDI keyboard become
// selected notes where the clock has got to.
#include "canvas/kelp_view.h"

#include "canvas/key_position.h"
#include "midi/input_device_menu.h"
#include "midi/midi_bytes.h"
#include "midi/midi_in_port.h"
#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"
#include "midi/output_device_menu.h"
#include "midi/sync_clock.h"
#include "text/string_ids.h"
#include "ui/command_ids.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace zembra {

void CKelpView::StartRecording()
{
    if (m_playing) {
        Stop();
    }
    if (!m_clock) {
        return;
    }
    m_recording = true;
    m_leadIn = KeyboardRecorder::LeadIn(m_song);
    m_recorder.Begin(m_song);
    Play();
    if (!m_playing) {
        // Nothing to play into (no song track): recording does not begin either.
        m_recording = false;
        m_leadIn = 0;
    }
    setFocus(Qt::OtherFocusReason);
    emit stateChanged();
}

int CKelpView::RecordingPlace() const
{
    const int lead = m_startX != 0 ? 0 : m_leadIn;
    return KeyboardRecorder::PlaceOf(m_song.pixelsPerQuarter, m_clock->GetPosition(), m_clock->GetResolution(),
                                     m_startX, lead);
}

void CKelpView::RecordKey(int virtualKey)
{
    if (m_recording) {
        RecordRow(m_recorder.RowOfKey(virtualKey));
    }
}

void CKelpView::RecordKeyEvent(const QKeyEvent& event)
{
    // A held key repeats its press; one press is one note.
    if (event.isAutoRepeat()) {
        return;
    }
    RecordKey(RecordingVirtualKey(NativeScanCodeSet(), event.nativeScanCode(), event.key()));
}

void CKelpView::SoundKey(int key, int velocity)
{
    MidiEvent strike{};
    strike.time = kAtOnce;
    strike.status = kNoteOn;
    strike.data1 = static_cast<std::uint8_t>(std::clamp(key, 0, 127));
    strike.data2 = static_cast<std::uint8_t>(std::clamp(velocity, 0, 127));
    m_port->Put(strike);
}

void CKelpView::RecordRow(int row)
{
    if (row < 0 || row >= m_song.rowCount || row >= kRowCount || !m_clock) {
        return;
    }
    const RowEntry& entry = m_song.rows[static_cast<std::size_t>(row)];
    SoundKey(entry.pitch, entry.velocity);
    const KeyboardRecorder::Result result = KeyboardRecorder::PlaceRow(m_song, row, RecordingPlace());
    switch (result.outcome) {
    case KeyboardRecorder::Outcome::StoreFull:
        prompts().message(this, TextOf(str::kNoteLimit), QString(), Prompts::Icon::Warning);
        break;
    case KeyboardRecorder::Outcome::Placed:
        Repaint();
        emit stateChanged();
        break;
    default:
        break;
    }
}

MidiInPort& CKelpView::input()
{
    if (!m_input) {
        m_input = std::make_unique<MidiInPort>(toolkit());
        m_input->SetHandler([this](const MidiEvent& event) { OnInputEvent(event); });
    }
    return *m_input;
}

void CKelpView::OnInputEvent(const MidiEvent& event)
{
    // A Note On of velocity 0 is how many keyboards let go of a key: the music box has no release.
    if ((event.status & kStatusTypeMask) != kNoteOn || event.data2 == 0) {
        return;
    }
    const int row = m_recording ? KeyboardRecorder::RowOfPitch(m_song, event.data1) : -1;
    if (row >= 0) {
        RecordRow(row);
        return;
    }
    // Keys off the comb, or played while not recording, only sound.
    SoundKey(event.data1, event.data2);
}

void CKelpView::BuildInputMenu()
{
    if (!m_deviceMenu || !m_deviceMenu->menu()) {
        return;
    }
    m_inputMenu = new InputDeviceMenu(toolkit(), this);
    m_inputMenu->Build(m_deviceMenu->menu(), TextOf(str::kMidiInputHeading), TextOf(str::kNoMidiInput),
                       cmd::kFirstInput);
    connect(m_inputMenu, &InputDeviceMenu::picked, this, &CKelpView::OnInputMenu);
}

bool CKelpView::OpenInput(int index)
{
    if (index < 0) {
        input().Close();
    } else if (!input().Open(static_cast<std::uint16_t>(index))) {
        if (m_inputMenu) {
            m_inputMenu->SetChecked(-1);
        }
        prompts().message(this, TextOf(str::kMidiInputOpenFailed), QString(), Prompts::Icon::Warning);
        return false;
    }
    if (m_inputMenu) {
        m_inputMenu->SetChecked(index);
    }
    return true;
}

void CKelpView::OnInputMenu(int index)
{
    // Picking the input in use again lets go of it.
    const bool inUse = m_input && m_input->IsOpen() && m_input->Device() == index;
    OpenInput(inUse ? -1 : index);
}

} // namespace zembra
