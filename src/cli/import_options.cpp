#include "cli/import_options.h"

#include "import/comb_fit.h"
#include "import/import_settings.h"
#include "import/imported_file.h"
#include "import/track_list.h"
#include "card/card_pdf.h"
#include "cli/option_set.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

namespace zembra {

namespace {

const QString kAuto = QStringLiteral("auto");

const QString kTracks = QStringLiteral("tracks");
const QString kDrums = QStringLiteral("drums");
const QString kNoDrums = QStringLiteral("no-drums");

// --tracks: the tracks to import, numbered as `info` lists them.
bool ReadTracks(const OptionSet& options, ImportChoices* choices, QString* error)
{
    QString list;
    if (!options.singleValue(kTracks, &list, error)) {
        return false;
    }
    if (!options.isSet(kTracks)) {
        return true;
    }
    const std::optional<std::uint32_t> chosen = ParseTrackNumbers(list.toStdString(), kMaxImportTracks);
    if (!chosen) {
        if (error) {
            *error = TextOf(str::kCliBadValue)
                         .arg(OptionSet::Spelled(kTracks), list, TextOf(str::kCliTracksExpected).arg(kMaxImportTracks));
        }
        return false;
    }
    choices->options.leftOutTracks = TracksLeftOutBesides(*chosen);
    choices->highestTrack = HighestTrackNumber(*chosen);
    return true;
}

} // namespace

void DeclareImportOptions(OptionSet& options)
{
    options.add({QStringLiteral("transpose")}, str::kCliOptionTranspose, QStringLiteral("N|auto"));
    options.add({QStringLiteral("bars")}, str::kCliOptionBars, QStringLiteral("N"));
    options.add({QStringLiteral("fold")}, str::kCliOptionFold);
    options.add({kDrums}, str::kCliOptionDrums);
    options.add({kNoDrums}, str::kCliOptionNoDrums);
    options.add({kTracks}, str::kCliOptionTracks, QStringLiteral("N,N..."));
}

bool ReadImportOptions(const OptionSet& options, ImportChoices* choices, QString* error)
{
    QString transpose;
    if (!options.singleValue(QStringLiteral("transpose"), &transpose, error)) {
        return false;
    }
    choices->fitTransposition = transpose.compare(kAuto, Qt::CaseInsensitive) == 0;
    if (choices->fitTransposition) {
        // A bar length of 0 is measured on the paper the card would have by default.
        choices->fitMetrics = PdfPaperMetrics();
    } else if (!options.intValue(QStringLiteral("transpose"), kLowestFitTransposition, kHighestFitTransposition,
                                 &choices->transposition, nullptr)) {
        if (error) {
            *error = TextOf(str::kCliBadValue)
                         .arg(QStringLiteral("--transpose"), transpose,
                              QStringLiteral("%1 … %2, %3")
                                  .arg(kLowestFitTransposition)
                                  .arg(kHighestFitTransposition)
                                  .arg(kAuto));
        }
        return false;
    }
    choices->options.foldOctaves = options.isSet(QStringLiteral("fold"));
    // A comb plays no drums: they are left out, as the import settings of a new installation do,
    // unless asked for.
    if (options.isSet(kDrums) && options.isSet(kNoDrums)) {
        if (error) {
            *error = TextOf(str::kCliExclusive).arg(OptionSet::Spelled(kDrums), OptionSet::Spelled(kNoDrums));
        }
        return false;
    }
    choices->options.leaveOutDrums = !options.isSet(kDrums);
    return ReadTracks(options, choices, error) &&
           options.intValue(QStringLiteral("bars"), 1, kLongestBarCount, &choices->barCount, error);
}

} // namespace zembra
