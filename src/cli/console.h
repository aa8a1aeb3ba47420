#pragma once

#include <QString>

namespace zembra {

// Where the command line speaks: results on standard output, messages and progress on standard
// error, both in UTF-8. Every message starts with the command's name, as a shell user expects.
class Console {
public:
    explicit Console(QString command = QStringLiteral("zembra"));

    void setCommand(const QString& command) { m_command = command; }
    void setQuiet(bool quiet) { m_quiet = quiet; }
    bool quiet() const { return m_quiet; }
    // Standard error is a terminal: a share done can rewrite its line.
    bool interactive() const { return m_interactive; }

    void error(const QString& text) const;
    void fileError(const QString& file, const QString& text) const;
    void progress(const QString& text) const;
    // A share of the current file's work, on a terminal only, rewriting one line.
    void percent(int percent) const;
    // Ends a line that percent() left open.
    void endPercent() const;
    void out(const QString& text) const;

private:
    void write(bool toError, const QString& text) const;

    QString m_command;
    bool m_quiet = false;
    bool m_interactive = false;
    mutable bool m_percentOpen = false;
};

} // namespace zembra
