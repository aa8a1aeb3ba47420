#include "cli/import_options.h"

#include "import/comb_fit.h"
#include "import/import_settings.h"
#include "import/imported_file.h"
#include "import/track_list.h"
#include "card/card_pdf.h"
#include "cli/arrange_options.h"
#include "cli/option_set.h"
#include "text/string_ids.h"
#include "services/box_file_load.h"
#include "services/qt_text.h"

#include <QFileInfo>

namespace zembra {

namespace {

const QString kAuto = QStringLiteral("auto");

const QString kTracks = QStringLiteral("tracks");
const QString kDrums = QStringLiteral("drums");
const QString kNoDrums = QStringLiteral("no-drums");
const QString kBox = QStringLiteral("box");

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

// --box: a built-in box by its id, or a box file of one's own.
bool ReadBox(const OptionSet& options, ImportChoices* choices, QString* error)
{
    QString value;
    if (!options.singleValue(kBox, &value, error)) {
        return false;
    }
    if (!options.isSet(kBox)) {
        return true;
    }
    if (const MusicBox* builtIn = FindBuiltInBox(value.toUpper().toStdString())) {
        choices->box = *builtIn;
        return true;
    }
    if (!QFileInfo(value).isFile()) {
        if (error) {
            *error = TextOf(str::kCliBadValue).arg(OptionSet::Spelled(kBox), value, TextOf(str::kCliBoxExpected));
        }
        return false;
    }
    BoxFileLoad load = LoadBoxFile(value);
    if (!load.box) {
        if (error) {
            *error = load.error;
        }
        return false;
    }
    choices->box = std::move(*load.box);
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
    options.add({kBox}, str::kCliOptionBox, QStringLiteral("15|20|30|30F|33|FILE"));
    DeclareArrangeOptions(options);
}

bool BoxGiven(const OptionSet& options)
{
    return options.isSet(kBox);
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
    return ReadTracks(options, choices, error) && ReadBox(options, choices, error) &&
           options.intValue(QStringLiteral("bars"), 1, kLongestBarCount, &choices->barCount, error);
}

} // namespace zembra
