#include "cli/import_options.h"

#include "canvas/comb_fit.h"
#include "canvas/import_settings.h"
#include "card/card_pdf.h"
#include "cli/option_set.h"
#include "text/string_ids.h"
#include "ui/qt_text.h"
#include "ui/device_metrics.h"

#include <QPrinter>

namespace zembra {

namespace {

const QString kAuto = QStringLiteral("auto");

// What the fit measures a bar length of 0 against: the paper the card would have by default.
PrintMetrics DefaultPaperMetrics()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(PdfPaper());
    return MetricsOfDevice(printer);
}

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
        choices->fitMetrics = DefaultPaperMetrics();
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
