#include "midi/notice_pump.h"

#include "midi/midi_toolkit.h"

#include <QMetaObject>

namespace zembra {

NoticePump::NoticePump(MidiToolkit& toolkit, QObject* parent)
    : QObject(parent)
    , m_toolkit(toolkit)
{
    m_toolkit.setWaker([this] { QMetaObject::invokeMethod(this, &NoticePump::deliver, Qt::QueuedConnection); });
    // Notices queued before the pump existed (the first "more" of a port) are not lost.
    QMetaObject::invokeMethod(this, &NoticePump::deliver, Qt::QueuedConnection);
}

NoticePump::~NoticePump()
{
    // After this returns the toolkit's thread no longer calls us; queued calls die with us.
    m_toolkit.setWaker({});
}

void NoticePump::deliver()
{
    m_toolkit.dispatchNotices();
}

}  // namespace zembra
