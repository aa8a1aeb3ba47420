#include "cli/batch_outputs.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace zembra {

namespace {

QString Identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

BatchOutputs::BatchOutputs(const QStringList& inputs, const QString& output, const QString& extension)
    : m_output(output)
{
    const QFileInfo target(output);
    const bool namedAsFolder = output.endsWith('/') || output.endsWith(QDir::separator());
    const bool toFolder = inputs.size() > 1 || target.isDir() || namedAsFolder;
    m_outputIsFile = toFolder && target.exists() && !target.isDir();
    m_needsFolder = toFolder && !target.exists();

    QSet<QString> taken;
    for (const QString& input : inputs) {
        const QString path =
            toFolder ? QDir(output).filePath(QFileInfo(input).completeBaseName() + extension) : output;
        m_outputs << path;
        const QString identity = Identity(path);
        Conflict conflict = Conflict::None;
        if (identity == Identity(input)) {
            conflict = Conflict::IsInput;
        } else if (taken.contains(identity)) {
            conflict = Conflict::SameAsEarlier;
        }
        taken.insert(identity);
        m_conflicts << conflict;
    }
}

} // namespace zembra
