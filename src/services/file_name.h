#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zembra {

// File names are the file system's bytes, not always UTF-8. A byte that is not part of valid
// UTF-8 becomes a lone surrogate U+DC80–U+DCFF in the QString and turns back into the same byte,
// so that a name taken from the command line reaches the file system unchanged. Qt's own
// conversion would make such a byte U+FFFD and name another file.
QString FileNameText(std::string_view bytes);
std::string FileNameBytes(const QString& name);

} // namespace zembra
