#include "cli/info_command.h"

#include "card/card_pdf.h"
#include "cli/arrange_options.h"
#include "cli/card_options.h"
#include "cli/command_run.h"
#include "cli/console.h"
#include "cli/import_options.h"
#include "cli/info_record.h"
#include "cli/option_set.h"
#include "model/print_metrics.h"
#include "text/string_ids.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <optional>

namespace zembra {

void DeclareInfoOptions(OptionSet& options)
{
    DeclareCommonOptions(options, false);
    DeclareImportOptions(options);
    options.add({QStringLiteral("bar-mm")}, str::kCliOptionCheckBarMmAuto, QStringLiteral("N|auto"));
    options.add({QStringLiteral("json")}, str::kCliOptionJson);
}

int RunInfo(CommandRun& run)
{
    ImportChoices choices;
    ArrangeOptions arrange;
    QString problem;
    if (!ReadImportOptions(run.options(), &choices, &problem) ||
        !ReadArrangeOptions(run.options(), true, &arrange, &problem)) {
        return run.Usage(problem);
    }
    const std::optional<int> barLengthMm = arrange.barLengthMm;
    const bool json = run.options().isSet(QStringLiteral("json"));
    // A bar length of 0 fits the song onto the width of the paper the card would have by default,
    // measured once for the whole batch when first needed.
    std::optional<PrintMetrics> paper;
    QJsonArray records;
    bool first = true;
    const int status = run.ForEachInput([&](const QString& input, QString* error) {
        SongSource source;
        if (!source.Load(input, choices, BoxGiven(run.options()), error, arrange)) {
            records.append(QJsonObject{{QStringLiteral("file"), input}, {QStringLiteral("error"), *error}});
            return false;
        }
        // A song file's own bar length of 0 is measured on the default paper too.
        if (barLengthMm.value_or(source.song().barLengthMm) == 0 && !paper) {
            paper = PdfPaperMetrics();
        }
        const InfoRecord record = DescribeImport(input, source, barLengthMm, paper.value_or(PrintMetrics{}));
        if (json) {
            records.append(InfoJson(record));
        } else {
            run.console().out((first ? QString() : QStringLiteral("\n")) + InfoText(record));
            first = false;
        }
        return true;
    });
    if (json && status != kExitUsage) {
        const QJsonDocument document = records.size() == 1 ? QJsonDocument(records.first().toObject())
                                                           : QJsonDocument(records);
        run.console().out(QString::fromUtf8(document.toJson(QJsonDocument::Indented)));
    }
    return status;
}

} // namespace zembra
