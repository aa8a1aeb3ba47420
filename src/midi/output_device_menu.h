#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

class QAction;
class QMenu;
class QMenuBar;

namespace zembra {

class MidiOutPort;
class MidiToolkit;

// The "&Midi" popup: one item per output device of the toolkit and one for the built-in
// synthesizer (none where the synthesizer is the monitor listed already), the item in use
// checked. Item ids are consecutive from the first id.
class OutputDeviceMenu : public QObject {
    Q_OBJECT

public:
    explicit OutputDeviceMenu(MidiToolkit& toolkit, QObject* parent = nullptr);
    ~OutputDeviceMenu() override;

    // Creates the popup and inserts it into the menu bar before `before` (at the end when null).
    void Build(QMenuBar* menuBar, QAction* before, const QString& caption, int firstId);
    // Opens the port on the device of a command (an item id, or an index below the item count)
    // and moves the check mark there. 1 when it acted, 0 for a command outside the menu.
    int Choose(int command);
    void SetPort(MidiOutPort* port) { m_port = port; }

    QMenu* menu() const { return m_menu; }
    int itemCount() const { return m_count; }
    int firstId() const { return m_first; }
    // The built-in synthesizer's item, 0 when there is none.
    int mapperItemId() const { return m_mapperId; }
    QAction* item(int id) const;
    // The id of the checked item, or 0.
    int checkedId() const;

signals:
    // The user picked an item; the view decides whether to switch to it.
    void picked(int id);

private:
    MidiToolkit& m_toolkit;
    MidiOutPort* m_port = nullptr;
    QMenu* m_menu = nullptr;
    int m_count = 0;
    int m_first = 0;
    int m_mapperId = 0;
};

} // namespace zembra
