#include "cli/arrange_info.h"

#include "cli/text_columns.h"
#include "import/arrange_report.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QStringList>

namespace zembra {

namespace {

QString ChangeWord(ArrangeChange change)
{
    switch (change) {
    case ArrangeChange::MovedOctave:
        return QStringLiteral("movedOctave");
    case ArrangeChange::Replaced:
        return QStringLiteral("replaced");
    case ArrangeChange::Dropped:
        break;
    }
    return QStringLiteral("dropped");
}

QString ReasonWord(ArrangeReason reason)
{
    switch (reason) {
    case ArrangeReason::None:
        break;
    case ArrangeReason::OffComb:
        return QStringLiteral("offComb");
    case ArrangeReason::TooClose:
        return QStringLiteral("tooClose");
    case ArrangeReason::Semitone:
        return QStringLiteral("semitone");
    case ArrangeReason::ChordFull:
        return QStringLiteral("chordFull");
    case ArrangeReason::AboveMelody:
        return QStringLiteral("aboveMelody");
    case ArrangeReason::CanvasFull:
        return QStringLiteral("canvasFull");
    case ArrangeReason::Doubled:
        return QStringLiteral("doubled");
    }
    return QString();
}

QJsonArray ChangesJson(const SongArrangement& a)
{
    const std::uint64_t beat = static_cast<std::uint64_t>(std::max(1, a.resolution));
    const std::uint64_t bar = beat * static_cast<std::uint64_t>(std::max(1, a.beatsPerBar));
    QJsonArray changes;
    for (const ArrangeEdit& edit : a.result.edits) {
        changes.append(QJsonObject{
            {QStringLiteral("bar"), static_cast<qint64>(edit.tick / bar + 1)},
            {QStringLiteral("beat"), static_cast<qint64>(edit.tick % bar / beat + 1)},
            {QStringLiteral("tick"), static_cast<qint64>(edit.tick)},
            {QStringLiteral("key"), edit.key},
            {QStringLiteral("fromPitch"), edit.fromPitch},
            {QStringLiteral("toPitch"), edit.toPitch >= 0 ? QJsonValue(edit.toPitch) : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("change"), ChangeWord(edit.change)},
            {QStringLiteral("reason"), ReasonWord(edit.reason)},
            {QStringLiteral("melody"), edit.melody},
        });
    }
    return changes;
}

} // namespace

QJsonObject ArrangeJson(const SongArrangement& a)
{
    const ArrangeResult& r = a.result;
    QJsonObject json;
    json[QStringLiteral("transposition")] = r.transposition;
    json[QStringLiteral("melodyTrack")] = r.melodyTrack >= 0 ? QJsonValue(r.melodyTrack + 1) : QJsonValue(QJsonValue::Null);
    if (a.barAuto) {
        json[QStringLiteral("shortestBarLengthMm")] =
            a.suggestedBarMm > 0 ? QJsonValue(a.suggestedBarMm) : QJsonValue(QJsonValue::Null);
    }
    json[QStringLiteral("counts")] = QJsonObject{
        {QStringLiteral("melodyNotes"), r.melodyNotes}, {QStringLiteral("melodyKept"), r.melodyKept},
        {QStringLiteral("melodyOnTop"), r.melodyOnTop}, {QStringLiteral("bassBeats"), r.bassBeats},
        {QStringLiteral("bassKept"), r.bassKept},       {QStringLiteral("changes"), static_cast<int>(r.edits.size())},
    };
    json[QStringLiteral("pastLastBar")] = r.pastLastBar;
    json[QStringLiteral("changes")] = ChangesJson(a);
    return json;
}

QString ArrangeText(const SongArrangement& a, int barLengthMm)
{
    QString out = QStringLiteral("  ") + TextOf(str::kCliInfoArrangement) + '\n';
    if (a.barAuto) {
        out += QStringLiteral("    ") +
               TextOf(a.suggestedBarMm > 0 ? str::kCliInfoArrangeBar : str::kCliInfoArrangeBarNone).arg(barLengthMm) +
               '\n';
    }
    // The report's summary, then its list, whose tab-separated cells are set in columns.
    const QStringList lines =
        Utf8(ArrangeReportText(a.result, a.resolution, a.beatsPerBar)).split('\n', Qt::SkipEmptyParts);
    std::vector<QStringList> list;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == 0) {
            out += QStringLiteral("    ") + lines[i] + '\n';
        } else {
            list.push_back(lines[i].split('\t'));
        }
    }
    return out + TextColumns(list);
}

} // namespace zembra
