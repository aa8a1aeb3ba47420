#include "services/crank_text.h"

#include "services/qt_text.h"
#include "text/string_ids.h"

#include <cmath>

namespace zembra {

QString CrankText(const CrankFigures& crank)
{
    if (!crank.valid) {
        return QStringLiteral("-");
    }
    QString line = TextOf(str::kCrankFigures)
                       .arg(QString::number(crank.turnsPerMinute, 'f', 0), QString::number(crank.playingSeconds, 'f', 1),
                            QString::number(crank.cardLengthM, 'f', 2));
    if (crank.tooFast) {
        line += QStringLiteral(" ") + TextOf(str::kCrankTooFast);
    }
    return line;
}

QString CrankPaneText(const CrankFigures& crank)
{
    if (!crank.valid) {
        return QStringLiteral("-");
    }
    const auto seconds = static_cast<long long>(std::lround(crank.playingSeconds));
    const QString time = QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    QString line = TextOf(str::kCrankPane)
                       .arg(QString::number(crank.turnsPerMinute, 'f', 0), time,
                            QString::number(crank.cardLengthM, 'f', 2));
    if (crank.tooFast) {
        line += QStringLiteral(" ") + TextOf(str::kCrankTooFast);
    }
    return line;
}

} // namespace zembra
