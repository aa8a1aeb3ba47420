#pragma once

#include "text/strings.h"

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

} // namespace zembra
