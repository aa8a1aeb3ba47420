#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zembra {

// Lines of cells in columns as wide as their widest entry, indented under a heading.
QString TextColumns(const std::vector<QStringList>& lines);

} // namespace zembra
