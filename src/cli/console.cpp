#include "cli/console.h"

#include "text/string_ids.h"
#include "services/qt_text.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define ZEMBRA_ISATTY _isatty
#define ZEMBRA_FILENO _fileno
#else
#include <unistd.h>
#define ZEMBRA_ISATTY isatty
#define ZEMBRA_FILENO fileno
#endif

namespace zembra {

Console::Console(QString command)
    : m_command(std::move(command))
    , m_interactive(ZEMBRA_ISATTY(ZEMBRA_FILENO(stderr)) != 0)
{
}

void Console::write(bool toError, const QString& text) const
{
    std::FILE* stream = toError ? stderr : stdout;
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void Console::error(const QString& text) const
{
    endPercent();
    write(true, m_command + QStringLiteral(": ") + text + '\n');
}

void Console::fileError(const QString& file, const QString& text) const
{
    // A name given by a shell's wildcard is as much the file's own text as its title is.
    error(Printable(file) + QStringLiteral(": ") + text);
}

void Console::progress(const QString& text) const
{
    if (m_quiet) {
        return;
    }
    endPercent();
    write(true, text + '\n');
}

void Console::percent(int percent) const
{
    if (m_quiet || !m_interactive) {
        return;
    }
    write(true, '\r' + TextOf(str::kCliRendering).arg(percent));
    m_percentOpen = true;
}

void Console::endPercent() const
{
    if (m_percentOpen) {
        m_percentOpen = false;
        write(true, QStringLiteral("\n"));
    }
}

void Console::out(const QString& text) const
{
    write(false, text);
}

} // namespace zembra
