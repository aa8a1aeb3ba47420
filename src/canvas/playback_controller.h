#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QTimer;

namespace zembra {

class CKelpView;
class MidiOutPort;
class OutputDeviceMenu;
class SyncClock;
struct MidiEvent;
struct NoteRecord;

// The canvas heard as a music box: the output port and the device menu that switches it, the
// playback track, the clock, the 100-millisecond cursor tick and the idle resend of the program.
// Playing with the metronome and the count-in is the recording take (see RecordingController).
class PlaybackController : public QObject {
    Q_OBJECT

public:
    explicit PlaybackController(CKelpView& view);
    ~PlaybackController() override;

    // The view's creation in the main window: the clock it plays by and the "&Midi" menu the
    // frame built (none in tests); opens the output on the built-in synthesizer.
    void Attach(SyncClock* clock, OutputDeviceMenu* deviceMenu);
    // The frame is going: stop playing and forget its clock.
    void Detach();
    SyncClock* clock() const { return m_clock; }
    MidiOutPort& port() { return *m_port; }
    OutputDeviceMenu* deviceMenu() const { return m_deviceMenu; }
    // Opens the port on a device (-1: the built-in synthesizer), falling back to the first
    // device with voices; tells the user when nothing opens.
    bool OpenDevice(int device);
    int device() const { return m_device; }
    void OnDeviceMenu(int id);
    // A program change: appended to the song track when there is one, and sent at once.
    void SetProgram(int channel, int program);
    void SendMusicBoxProgram();
    void PreviewNote(const NoteRecord& note);
    // A strike sent at once, as a key of a keyboard sounds.
    void SoundKey(int key, int velocity);
    void SilenceOutput();
    void MatchClockTempoToSong();
    // Notes the box damps are heard as the damper's click (on), or every note in full; taken at
    // the next start of playback. Off until the window gives it the user's setting (on at first).
    void SetPlayAsBox(bool on) { m_asBox = on; }
    bool playAsBox() const { return m_asBox; }
    // Tunes the built-in synthesizer to the song's tuning; an external device plays as it is
    // tuned. Playback does so at every start; call it when the tuning changes meanwhile.
    void ApplyTuning();

    void Play();
    void Stop();
    void PlayRange(int fromX, int toX);
    // A click during playback: the next tick starts again at this canvas x.
    void RestartPlaybackAt(int canvasX) { m_startX = canvasX; }
    // The 100-millisecond tick that moves the cursor; public so that tests drive it.
    void OnPlaybackTimer();
    void OnIdleTimer();

    // The recording take: plays once with the count-in of leadIn pixels and the metronome;
    // takeChanged tells at its end whether the take is worth an undo step.
    void BeginTake(int leadIn, std::function<bool()> takeChanged);
    // The take did not start playing: back to plain playback.
    void DropTake();

    bool playing() const { return m_playing; }
    bool recording() const { return m_recording; }
    bool repeating() const { return m_repeat; }
    bool rangePlay() const { return m_rangePlay; }
    void clearRangePlay() { m_rangePlay = false; }
    int playbackStartX() const { return m_startX; }
    int leadIn() const { return m_leadIn; }
    int cursorX() const { return m_cursorX; }
    int cursorCanvasX() const { return m_cursorCanvasX; }
    // The cursor is drawn: playing, and the cursor is on the canvas.
    bool cursorShown() const { return m_playing && m_cursorShown; }

signals:
    void stateChanged();

private:
    void SendAtOnce(const MidiEvent& event);
    bool OpenPort(int device);
    // Records the device in use and gives it the music box program.
    void UseDevice(int device);
    // Opens the port on a device as the device menu does, moving its check mark; false when it
    // does not open.
    bool SwitchToDevice(int device);
    bool BuildAndStart();
    bool BuildPlaybackTrack();
    void PrepareClock();
    void StartPlayback();
    void RestartFromStart();
    void OnEndOfMaterial();
    void EndTake();
    void EndPlaybackState();

    CKelpView& m_view;
    SyncClock* m_clock = nullptr;
    std::unique_ptr<MidiOutPort> m_port;
    OutputDeviceMenu* m_deviceMenu = nullptr;
    QTimer* m_playTimer = nullptr;
    QTimer* m_idleTimer = nullptr;
    std::function<bool()> m_takeChanged;
    int m_device = -1;
    bool m_playing = false;
    bool m_recording = false;
    bool m_repeat = false;
    bool m_rangePlay = false;
    int m_startX = 0;
    int m_startXSeen = 0;
    int m_endX = 0;
    int m_leadIn = 0;
    int m_startBeats = 0;
    int m_cursorX = 0;
    int m_cursorCanvasX = 0;
    bool m_cursorShown = false;
    bool m_tickBusy = false;
    bool m_asBox = false;
};

} // namespace zembra
