#include "cli/info_command.h"

#include "card/card_pdf.h"
#include "card/assembly_plan.h"
#include "card/card_geometry.h"
#include "card/card_layout.h"
#include "card/rest_strips.h"
#include "card/strip_numbers.h"
#include "cli/arrange_options.h"
#include "cli/assembly_options.h"
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

#include <memory>
#include <optional>

namespace zembra {

void DeclareInfoOptions(OptionSet& options)
{
    DeclareCommonOptions(options, false);
    DeclareImportOptions(options);
    options.add({QStringLiteral("bar-mm")}, str::kCliOptionCheckBarMmAuto, QStringLiteral("N|auto"));
    options.add({QStringLiteral("strip-numbers")}, str::kCliOptionStripNumbers);
    DeclareAssemblyOptions(options);
    options.add({QStringLiteral("json")}, str::kCliOptionJson);
}

namespace {

// The card's strips, blanks and loop as the plan lays them out on `paper`.
void PlanTheCard(const SongState& song, const PrintMetrics& paper, bool stripNumbers, bool blanks,
                 const AssemblyChoices& assembly, InfoRecord* record)
{
    auto copy = std::make_unique<SongState>(song);
    copy->barLengthMm = record->barLengthMm;
    copy->printOptions.stripNumbers = stripNumbers ? 1 : 0;
    record->strips = StripCountWith(*copy, copy->printOptions, record->barLengthMm, paper);
    const LayoutResult laid = LayOutCard(*copy, paper);
    const double barMm = PrintedBarMm(*copy, paper, record->barLengthMm, copy->printOptions.fitSongToCard != 0);
    const double holeMm = song.box.sizes.holeMm;
    const CardRun run = RunOfSong(*copy, 0, barMm, laid.layout.totalBars, assembly.loop);
    if (assembly.loop) {
        const LoopPlan loop = PlanLoop(run, assembly, holeMm);
        record->loopBars = loop.ok ? loop.bars : 0;
    }
    if (CutsInRests(assembly) && laid.problem == LayoutProblem::None && laid.layout.barsPerStrip > 0) {
        // The strips as the card cuts them: as long as the page, each ending in a rest.
        const CardGeometry geometry(*copy, paper, laid.layout);
        const RestCuts cuts = RestCutsOfSong(*copy, geometry, BuildPrintList(*copy, 0), assembly);
        if (cuts.ok) {
            record->strips = static_cast<int>(cuts.starts.size());
        }
    }
    if (blanks) {
        record->blanksPlanned = true;
        const BlankPlan plan = PlanBlanks(run, assembly, holeMm);
        if (!plan.ok) {
            record->stuckBar = plan.stuckAt.bar;
            record->stuckBeat = plan.stuckAt.beat;
        }
        for (const BlankPiece& piece : plan.blanks) {
            record->blanks.push_back({piece.lengthMm, piece.end.bar, piece.end.beat});
        }
    }
}

} // namespace

int RunInfo(CommandRun& run)
{
    ImportChoices choices;
    ArrangeOptions arrange;
    QString problem;
    AssemblyChoices assembly;
    if (!ReadImportOptions(run.options(), &choices, &problem) ||
        !ReadArrangeOptions(run.options(), true, &arrange, &problem) ||
        !ReadAssemblyOptions(run.options(), &assembly, &problem)) {
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
        InfoRecord record = DescribeImport(input, source, barLengthMm, paper.value_or(PrintMetrics{}));
        if (json) {
            // The card's plan on the default paper, with the marks asked for.
            if (!paper) {
                paper = PdfPaperMetrics();
            }
            PlanTheCard(source.song(), *paper, run.options().isSet(QStringLiteral("strip-numbers")),
                        run.options().isSet(QStringLiteral("blank-mm")), assembly, &record);
        }
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
