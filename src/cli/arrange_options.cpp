#include "cli/arrange_options.h"

#include "cli/card_options.h"
#include "cli/option_set.h"
#include "import/imported_file.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

namespace zembra {

namespace {

const QString kArrange = QStringLiteral("arrange");
const QString kMelodyTrack = QStringLiteral("melody-track");
const QString kMaxChord = QStringLiteral("max-chord");
const QString kBarMm = QStringLiteral("bar-mm");
const QString kAuto = QStringLiteral("auto");

} // namespace

void DeclareArrangeOptions(OptionSet& options)
{
    options.add({kArrange}, str::kCliOptionArrange);
    options.add({kMelodyTrack}, str::kCliOptionMelodyTrack, QStringLiteral("N"));
    options.add({kMaxChord}, str::kCliOptionMaxChord, QStringLiteral("N"));
}

bool ReadBarLength(const OptionSet& options, std::optional<int>* barLengthMm, bool* automatic, QString* error)
{
    QString value;
    if (!options.singleValue(kBarMm, &value, error)) {
        return false;
    }
    *automatic = options.isSet(kBarMm) && value.compare(kAuto, Qt::CaseInsensitive) == 0;
    if (*automatic) {
        barLengthMm->reset();
        return true;
    }
    if (!options.intValue(kBarMm, 0, kLongestBarMm, barLengthMm, nullptr)) {
        if (error) {
            const QString expected = QStringLiteral("0 … %1, %2").arg(kLongestBarMm).arg(kAuto);
            *error = TextOf(str::kCliBadValue).arg(OptionSet::Spelled(kBarMm), value, expected);
        }
        return false;
    }
    return true;
}

bool ReadArrangeOptions(const OptionSet& options, bool withBarLength, ArrangeOptions* arrange, QString* error)
{
    arrange->arrange = options.isSet(kArrange);
    std::optional<int> melodyTrack;
    std::optional<int> maxChord;
    if (!options.intValue(kMelodyTrack, 1, kMaxImportTracks, &melodyTrack, error) ||
        !options.intValue(kMaxChord, kLowestChordLimit, kHighestChordLimit, &maxChord, error)) {
        return false;
    }
    arrange->melodyTrackNumber = melodyTrack.value_or(0);
    arrange->choices.melodyTrack = melodyTrack ? *melodyTrack - 1 : -1;
    arrange->choices.maxChord = maxChord.value_or(kDefaultChordLimit);
    if (!withBarLength) {
        return true;
    }
    if (!ReadBarLength(options, &arrange->barLengthMm, &arrange->barAuto, error)) {
        return false;
    }
    if (arrange->barAuto && !arrange->arrange) {
        if (error) {
            *error = TextOf(str::kCliBarAutoNeedsArrange);
        }
        return false;
    }
    return true;
}

} // namespace zembra
