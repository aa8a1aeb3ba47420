#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace zembra {

class MidiToolkit;

// The MIDI keyboards of the "&Midi" popup, below its output devices: a heading, then one item per
// input the toolkit finds (the one in use checked), or a line that says there is none.
class InputDeviceMenu : public QObject {
    Q_OBJECT

public:
    explicit InputDeviceMenu(MidiToolkit& toolkit, QObject* parent = nullptr);

    // Appends the inputs to the popup; item ids run from firstId.
    void Build(QMenu* menu, const QString& heading, const QString& noneFound, int firstId);
    int itemCount() const { return m_count; }
    int firstId() const { return m_first; }
    QAction* item(int index) const;
    // Moves the check mark to the input (-1: none).
    void SetChecked(int index);
    int checkedIndex() const;

signals:
    // The user picked the input of this index.
    void picked(int index);

private:
    MidiToolkit& m_toolkit;
    QMenu* m_menu = nullptr;
    int m_count = 0;
    int m_first = 0;
};

} // namespace zembra
