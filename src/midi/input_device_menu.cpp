#include "midi/input_device_menu.h"

#include "midi/midi_toolkit.h"

#include <QAction>
#include <QMenu>

namespace zembra {

InputDeviceMenu::InputDeviceMenu(MidiToolkit& toolkit, QObject* parent)
    : QObject(parent)
    , m_toolkit(toolkit)
{
}

void InputDeviceMenu::Build(QMenu* menu, const QString& heading, const QString& noneFound, int firstId)
{
    m_menu = menu;
    m_first = firstId;
    m_count = static_cast<int>(m_toolkit.GetNumInDevices() & 0xFFFF);
    m_menu->addSeparator();
    QAction* title = m_menu->addAction(heading);
    title->setEnabled(false);
    if (m_count == 0) {
        QAction* none = m_menu->addAction(noneFound);
        none->setObjectName(QStringLiteral("NoMidiInput"));
        none->setEnabled(false);
        return;
    }
    for (int index = 0; index < m_count; ++index) {
        char name[MidiToolkit::kNameLength] = {};
        m_toolkit.GetMidiInDescription(static_cast<std::uint16_t>(index), name);
        QAction* action = m_menu->addAction(
            QString::fromLocal8Bit(name, static_cast<qsizetype>(qstrnlen(name, MidiToolkit::kNameLength))));
        action->setData(firstId + index);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, index] {
            // The check mark follows the input that really opened, not the click.
            SetChecked(checkedIndex());
            emit picked(index);
        });
    }
}

QAction* InputDeviceMenu::item(int index) const
{
    if (!m_menu || index < 0 || index >= m_count) {
        return nullptr;
    }
    for (QAction* action : m_menu->actions()) {
        if (action->data().isValid() && action->data().toInt() == m_first + index) {
            return action;
        }
    }
    return nullptr;
}

void InputDeviceMenu::SetChecked(int index)
{
    for (int i = 0; i < m_count; ++i) {
        if (QAction* action = item(i)) {
            action->setChecked(i == index);
            action->setProperty("zembraChecked", i == index);
        }
    }
}

int InputDeviceMenu::checkedIndex() const
{
    for (int i = 0; i < m_count; ++i) {
        if (QAction* action = item(i); action && action->property("zembraChecked").toBool()) {
            return i;
        }
    }
    return -1;
}

} // namespace zembra
