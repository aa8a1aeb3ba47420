#pragma once

#include <QObject>

namespace zembra {

class MidiToolkit;

// Brings the toolkit's notices onto the GUI thread: the toolkit's thread only asks for a
// queued call, and the call delivers what was waiting when it began (see
// MidiToolkit::dispatchNotices).
class NoticePump : public QObject {
    Q_OBJECT

public:
    explicit NoticePump(MidiToolkit& toolkit, QObject* parent = nullptr);
    ~NoticePump() override;

private:
    void deliver();

    MidiToolkit& m_toolkit;
};

}  // namespace zembra
