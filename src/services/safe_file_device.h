#pragma once

#include "io/safe_file.h"

#include <QIODevice>
#include <QString>

namespace zembra {

// A SafeFile as a QIODevice, for Qt writers that take a device (the PDF writer, images): every
// write is checked, and the target is replaced only by commit(). A failed write makes every later
// one fail too, so that a writer that ignores errors still cannot produce a file.
class SafeFileDevice : public QIODevice {
public:
    explicit SafeFileDevice(const QString& target);
    ~SafeFileDevice() override;

    // Checks the target and opens the device for writing.
    bool open();
    bool commit();
    void discard();
    WriteProblem problem() const { return m_file.problem(); }

    bool isSequential() const override { return false; }
    bool seek(qint64 position) override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    SafeFile m_file;
};

} // namespace zembra
