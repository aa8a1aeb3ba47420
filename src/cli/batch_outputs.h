#pragma once

#include <QString>
#include <QStringList>

namespace zembra {

// Where each input's output goes. One input writes to the output as named, unless that names a
// folder (one that exists, or a name ending in a separator); several inputs need a folder, in
// which each output takes its input's name with the command's extension.
class BatchOutputs {
public:
    enum class Conflict { None, SameAsEarlier, IsInput };

    BatchOutputs(const QStringList& inputs, const QString& output, const QString& extension);

    // Several inputs, and the output names something that is not a folder.
    bool outputIsFile() const { return m_outputIsFile; }
    // The folder must be made before anything is written into it.
    bool needsFolder() const { return m_needsFolder; }
    const QString& folder() const { return m_output; }

    int count() const { return static_cast<int>(m_outputs.size()); }
    const QString& outputFor(int i) const { return m_outputs.at(i); }
    // Why input i may not be written: its output is an earlier input's too, or the input itself.
    Conflict conflictFor(int i) const { return m_conflicts.at(i); }

private:
    QString m_output;
    QStringList m_outputs;
    QList<Conflict> m_conflicts;
    bool m_outputIsFile = false;
    bool m_needsFolder = false;
};

} // namespace zembra
