#include "cli/import_options.h"

#include "import/comb_fit.h"
#include "import/import_settings.h"
#include "card/card_pdf.h"
#include "cli/option_set.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

namespace zembra {

namespace {

const QString kAuto = QStringLiteral("auto");

} // namespace

void DeclareImportOptions(OptionSet& options)
{
    options.add({QStringLiteral("transpose")}, str::kCliOptionTranspose, QStringLiteral("N|auto"));
    options.add({QStringLiteral("bars")}, str::kCliOptionBars, QStringLiteral("N"));
    options.add({QStringLiteral("fold")}, str::kCliOptionFold);
    options.add({QStringLiteral("no-drums")}, str::kCliOptionNoDrums);
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
    choices->options.leaveOutDrums = options.isSet(QStringLiteral("no-drums"));
    return options.intValue(QStringLiteral("bars"), 1, kLongestBarCount, &choices->barCount, error);
}

} // namespace zembra
