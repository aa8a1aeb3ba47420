#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace zembra {

// What a run of the built program left behind.
struct CliResult {
    int exitCode = -1;
    bool finished = false;
    QString out;
    QString err;
};

// Runs the built zembra as a user would, in `folder`: no display and no platform named (the
// program must pick the offscreen one itself), English unless `language` says otherwise, its
// settings in the test's temporary place. The sanitizers' options pass on from the test, and
// `extra` adds to or replaces what the test has.
inline CliResult RunZembra(const QStringList& arguments, const QString& folder = QDir::currentPath(),
                           const QString& language = QStringLiteral("en"),
                           const QProcessEnvironment& extra = QProcessEnvironment())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(extra);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("ZEMBRA_MIDI"));
    environment.insert(QStringLiteral("ZEMBRA_LANG"), language);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(ZEMBRA_BINARY), arguments);
    CliResult result;
    result.finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

inline QString Fixture(const char* name)
{
    return QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/") + QString::fromLatin1(name);
}

// A file's bytes; empty when it cannot be read.
inline QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every entry of a folder, hidden ones too: what a failed write must not have left.
inline QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace zembra
