#include "midi/output_device_menu.h"

#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zembra {

namespace {
constexpr std::uint16_t kMapper = 0xFFFF;

QString nameOf(const char* name)
{
    return QString::fromLocal8Bit(name, static_cast<qsizetype>(qstrnlen(name, MidiToolkit::kNameLength)));
}
} // namespace

OutputDeviceMenu::OutputDeviceMenu(MidiToolkit& toolkit, QObject* parent)
    : QObject(parent)
    , m_toolkit(toolkit)
{
}

OutputDeviceMenu::~OutputDeviceMenu() = default;

void OutputDeviceMenu::Build(QMenuBar* menuBar, QAction* before, const QString& caption, int firstId)
{
    m_menu = new QMenu(caption, menuBar);
    m_menu->setObjectName(QStringLiteral("OutputDeviceMenu"));
    menuBar->insertMenu(before, m_menu);
    m_first = firstId;
    m_count = 0;
    m_mapperId = 0;
    const int devices = static_cast<int>(m_toolkit.GetNumOutDevices() & 0xFFFF);
    auto addItem = [this](int id, const QString& text) {
        QAction* action = m_menu->addAction(text);
        action->setData(id);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, id] {
            // The check mark is ours to set, not the click's.
            if (QAction* a = item(id)) {
                a->setChecked(a->property("zembraChecked").toBool());
            }
            emit picked(id);
        });
    };
    for (int index = 0; index < devices; ++index) {
        char name[MidiToolkit::kNameLength] = {};
        m_toolkit.GetMidiOutDescription(static_cast<std::uint16_t>(index), name);
        addItem(firstId + index, nameOf(name));
    }
    m_count = devices;
    // A mapper that is the monitor already listed gets no second item of the same name.
    char mapperName[MidiToolkit::kNameLength] = {};
    if (!m_toolkit.mapperIsMonitor() && m_toolkit.GetMidiOutDescription(kMapper, mapperName) == 1) {
        m_mapperId = firstId + m_count;
        addItem(m_mapperId, nameOf(mapperName));
        ++m_count;
    }
}

QAction* OutputDeviceMenu::item(int id) const
{
    if (!m_menu) {
        return nullptr;
    }
    for (QAction* action : m_menu->actions()) {
        if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

int OutputDeviceMenu::checkedId() const
{
    for (int id = m_first; id < m_first + m_count; ++id) {
        if (QAction* action = item(id); action && action->isChecked()) {
            return id;
        }
    }
    return 0;
}

int OutputDeviceMenu::Choose(int command)
{
    if (command >= 0 && command < m_count) {
        command += m_first;
    }
    if (command < m_first || command >= m_first + m_count) {
        return 0;
    }
    for (int id = m_first; id < m_first + m_count; ++id) {
        QAction* action = item(id);
        bool checked = false;
        if (id == command && m_port) {
            m_port->Reset();
            m_port->Close();
            const std::uint16_t device = id == m_mapperId ? kMapper : static_cast<std::uint16_t>(id - m_first);
            checked = m_port->Open(device, MidiOutPort::kMenuOptions);
        }
        if (action) {
            action->setProperty("zembraChecked", checked);
            action->setChecked(checked);
        }
    }
    return 1;
}

} // namespace zembra
