#include "services/safe_file_device.h"

#include "services/file_name.h"

namespace zembra {

SafeFileDevice::SafeFileDevice(const QString& target)
    : m_file(FileNameBytes(target))
{
}

SafeFileDevice::~SafeFileDevice()
{
    discard();
}

bool SafeFileDevice::open()
{
    if (!m_file.Open()) {
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool SafeFileDevice::commit()
{
    if (!isOpen()) {
        return false;
    }
    QIODevice::close();
    return m_file.Commit();
}

void SafeFileDevice::discard()
{
    if (isOpen()) {
        QIODevice::close();
    }
    m_file.Discard();
}

bool SafeFileDevice::seek(qint64 position)
{
    return position >= 0 && QIODevice::seek(position) && m_file.Seek(static_cast<std::uint64_t>(position));
}

qint64 SafeFileDevice::readData(char*, qint64)
{
    return -1;
}

qint64 SafeFileDevice::writeData(const char* data, qint64 size)
{
    return m_file.Write(data, static_cast<std::size_t>(size)) ? size : -1;
}

} // namespace zembra
