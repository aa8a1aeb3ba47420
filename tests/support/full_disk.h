#pragma once

// A folder on a file system that is full: a small tmpfs mounted for the test (the tests run as
// root in CI and on the developers' machines) and filled to the last byte, with an empty folder
// "out" on it for the files under test. Where mounting is not allowed, mounted() is false and the
// caller uses a file-size limit instead (LimitFileSize), which fails a write at a chosen byte.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace zembra::test {

class FullDisk {
public:
    explicit FullDisk(int kilobytes = 256)
    {
        const QByteArray point = QFile::encodeName(m_folder.path());
        const QByteArray size = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = m_folder.isValid() && ::mount("tmpfs", point.constData(), "tmpfs", 0, size.constData()) == 0;
        if (m_mounted) {
            QDir(m_folder.path()).mkdir(QStringLiteral("out"));
        }
    }
    ~FullDisk()
    {
        if (m_mounted) {
            ::umount2(QFile::encodeName(m_folder.path()).constData(), MNT_DETACH);
        }
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString out() const { return m_folder.path() + QStringLiteral("/out"); }

    // Fills what is left; files put into out() before stay whole.
    void fill()
    {
        QFile filler(m_folder.path() + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            return;
        }
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write(block.constData(), 1) == 1) {
        }
    }

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};

// Every write past `bytes` of any file fails (EFBIG), as on a full disk, until the limit is put
// back. The signal the limit raises is ignored, so that the write's failure is what is seen. Only
// the soft limit is lowered, so that a test can lift it again.
inline void LimitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace zembra::test
