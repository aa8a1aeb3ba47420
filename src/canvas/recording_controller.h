#pragma once

#include "canvas/keyboard_recorder.h"

#include <QObject>

#include <memory>

namespace zembra {

class CKelpView;
class InputDeviceMenu;
class MidiInPort;
class PlaybackController;
struct MidiEvent;

// Recording against the metronome: keys of the computer keyboard and of a MIDI keyboard become
// selected notes where the clock has got to. The take itself is played by the playback controller.
class RecordingController : public QObject {
    Q_OBJECT

public:
    RecordingController(CKelpView& view, PlaybackController& playback);
    ~RecordingController() override;

    // Takes the inputs of the "&Midi" menu the frame built (none in tests).
    void SetMenu(InputDeviceMenu* menu);
    // Plays with a one-bar count-in and the metronome; each recording key, by its Windows
    // virtual-key code, makes a selected note where the clock has got to.
    void StartRecording();
    void RecordKey(int virtualKey);
    bool recording() const;
    const KeyboardRecorder& recorder() const { return m_recorder; }
    void ResetKeys() { m_recorder.ResetKeys(); }
    // The MIDI keyboard: while recording its keys on the comb record as the keys do.
    MidiInPort& input();
    InputDeviceMenu* inputMenu() const { return m_inputMenu; }
    // Opens the input of an index (-1: none) and moves the menu's check mark; tells the user when it
    // does not open.
    bool OpenInput(int index);
    void OnInputMenu(int index);

signals:
    void stateChanged();
    // A control change arrived on the MIDI input: a turn of the crank when cranking by hand.
    void controlChanged();

private:
    void RecordRow(int row);
    int RecordingPlace() const;
    void OnInputEvent(const MidiEvent& event);

    CKelpView& m_view;
    PlaybackController& m_playback;
    KeyboardRecorder m_recorder;
    std::unique_ptr<MidiInPort> m_input;
    InputDeviceMenu* m_inputMenu = nullptr;
};

} // namespace zembra
