#include "cli/text_columns.h"

#include <algorithm>

namespace zembra {

QString TextColumns(const std::vector<QStringList>& lines)
{
    std::vector<qsizetype> widths;
    for (const QStringList& line : lines) {
        widths.resize(std::max(widths.size(), static_cast<std::size_t>(line.size())), 0);
        for (qsizetype c = 0; c < line.size(); ++c) {
            widths[static_cast<std::size_t>(c)] = std::max(widths[static_cast<std::size_t>(c)], line[c].size());
        }
    }
    QString out;
    for (const QStringList& line : lines) {
        QString text = QStringLiteral("    ");
        for (qsizetype c = 0; c < line.size(); ++c) {
            text += c + 1 < line.size() ? line[c].leftJustified(widths[static_cast<std::size_t>(c)] + 2) : line[c];
        }
        while (text.endsWith(' ')) {
            text.chop(1);
        }
        out += text + '\n';
    }
    return out;
}

} // namespace zembra
