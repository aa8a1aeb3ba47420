#include "failing_targets.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace zembra::monkey {

namespace {

const QByteArray kKept = "a file that no failed write may touch";

void writeKept(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(kKept);
    }
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string leftover(const QString& folder)
{
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName().startsWith(QLatin1String(".zembra-saving-"))) {
            return "a temporary file was left: " + path.toStdString();
        }
    }
    return {};
}

} // namespace

FailingTargets::FailingTargets(const QTemporaryDir& dir)
    : m_folder(dir.path())
{
    const QString readOnly = dir.filePath(QStringLiteral("read-only.mid"));
    writeKept(readOnly);
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.wav"))).constData(), 0644);
    QDir(dir.path()).mkdir(QStringLiteral("folder.pdf"));
    m_names = {readOnly, dir.filePath(QStringLiteral("pipe.wav")), dir.filePath(QStringLiteral("folder.pdf"))};
    if (m_disk.mounted()) {
        writeKept(m_disk.out() + QStringLiteral("/full.mid"));
        m_disk.fill();
        m_names << m_disk.out() + QStringLiteral("/full.mid") << m_disk.out() + QStringLiteral("/new.pdf");
    }
}

std::string FailingTargets::Check() const
{
    if (contents(m_names[0]) != kKept) {
        return "a write changed the read-only file";
    }
    struct stat info {};
    if (::lstat(QFile::encodeName(m_names[1]).constData(), &info) != 0 || !S_ISFIFO(info.st_mode)) {
        return "a write replaced the FIFO";
    }
    if (!QFileInfo(m_names[2]).isDir()) {
        return "a write replaced the folder";
    }
    if (m_disk.mounted()) {
        if (contents(m_disk.out() + QStringLiteral("/full.mid")) != kKept) {
            return "a write on the full disk changed the file there";
        }
        if (QFileInfo::exists(m_disk.out() + QStringLiteral("/new.pdf"))) {
            return "a write on the full disk left a file";
        }
        if (std::string left = leftover(m_disk.out()); !left.empty()) {
            return left;
        }
    }
    return leftover(m_folder);
}

} // namespace zembra::monkey
