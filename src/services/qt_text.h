#pragma once

#include "text/control_characters.h"
#include "text/strings.h"

#include <QByteArray>
#include <QString>

#include <string_view>

namespace zembra {

// UTF-8 text from the plain side as a QString.
inline QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the string table in the program's language.
inline QString TextOf(int id)
{
    return Utf8(text(id));
}

// Text from a file, fit for a terminal: its control characters replaced.
inline QString Printable(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return Utf8(ReplaceControlCharacters(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

} // namespace zembra
