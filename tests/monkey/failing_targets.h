#pragma once

#include "full_disk.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

class QTemporaryDir;

namespace zembra::monkey {

// Targets that every write must fail on and leave as they were: a file on a full disk (where a
// tmpfs can be mounted), a read-only file, a FIFO and a folder. After every step the run checks
// that they are unchanged and that no temporary file is left anywhere in its folders.
class FailingTargets {
public:
    explicit FailingTargets(const QTemporaryDir& dir);

    // Names for the file chooser to offer.
    QStringList names() const { return m_names; }
    // What went wrong, or empty.
    std::string Check() const;

private:
    test::FullDisk m_disk;
    QString m_folder;
    QStringList m_names;
};

} // namespace zembra::monkey
