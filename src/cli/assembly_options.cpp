#include "cli/assembly_options.h"

#include "cli/option_set.h"
#include "services/qt_text.h"
#include "text/string_ids.h"

namespace zembra {

void DeclareAssemblyOptions(OptionSet& options)
{
    options.add({QStringLiteral("join")}, str::kCliOptionJoin, QStringLiteral("butt|overlap[:MM]"));
    options.add({QStringLiteral("split-at-rests")}, str::kCliOptionSplitAtRests);
    options.add({QStringLiteral("blank-mm")}, str::kCliOptionBlankMm, QStringLiteral("MM"));
    options.add({QStringLiteral("loop")}, str::kCliOptionLoop);
}

bool ReadAssemblyOptions(const OptionSet& options, AssemblyChoices* choices, QString* error)
{
    choices->splitAtRests = options.isSet(QStringLiteral("split-at-rests"));
    choices->loop = options.isSet(QStringLiteral("loop"));
    QString join;
    QString blank;
    if (!options.singleValue(QStringLiteral("join"), &join, error) ||
        !options.singleValue(QStringLiteral("blank-mm"), &blank, error)) {
        return false;
    }
    if (options.isSet(QStringLiteral("join"))) {
        const QString kind = join.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
        const QString length = join.section(QLatin1Char(':'), 1);
        bool ok = kind == QLatin1String("butt") ? length.isEmpty() : kind == QLatin1String("overlap");
        double overlap = kDefaultOverlapMm;
        if (ok && kind == QLatin1String("overlap") && join.contains(QLatin1Char(':'))) {
            overlap = length.trimmed().toDouble(&ok);
            // The comparison also turns away "nan" and "inf".
            ok = ok && overlap >= kMinOverlapMm && overlap <= kMaxOverlapMm;
        }
        if (!ok) {
            *error = TextOf(str::kCliBadValue)
                         .arg(OptionSet::Spelled(QStringLiteral("join")), join,
                              QStringLiteral("butt, overlap, overlap:%1...%2").arg(kMinOverlapMm).arg(kMaxOverlapMm));
            return false;
        }
        choices->join = kind == QLatin1String("overlap") ? JoinKind::Overlap : JoinKind::Butt;
        choices->overlapMm = overlap;
    }
    if (options.isSet(QStringLiteral("blank-mm"))) {
        bool ok = false;
        const double mm = blank.trimmed().toDouble(&ok);
        if (!ok || !(mm >= 0 && mm <= kLongestBlankMm)) {
            *error = TextOf(str::kCliBadValue)
                         .arg(OptionSet::Spelled(QStringLiteral("blank-mm")), blank,
                              QStringLiteral("0...%1").arg(kLongestBlankMm));
            return false;
        }
        choices->blankMm = mm;
    }
    return true;
}

} // namespace zembra
