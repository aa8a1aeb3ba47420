#include "cli/cutter_command.h"

#include "card/cutter_file.h"
#include "card/cutter_options.h"
#include "cli/arrange_options.h"
#include "cli/card_options.h"
#include "cli/command_run.h"
#include "cli/import_options.h"
#include "cli/option_set.h"
#include "cli/song_source.h"
#include "model/music_box.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

namespace zembra {

namespace {

QString Range(double min, double max)
{
    return QString::number(min, 'f', 1) + QStringLiteral("...") + QString::number(max, 'f', 1);
}

// A number of millimetres from `min` to `max`; `value` stays as it was when the option is absent.
bool MillimetresOf(const OptionSet& options, const char* name, double min, double max, double* value, QString* error)
{
    QString text;
    if (!options.singleValue(QLatin1String(name), &text, error)) {
        return false;
    }
    if (!options.isSet(QLatin1String(name))) {
        return true;
    }
    bool ok = false;
    const double read = text.trimmed().toDouble(&ok);
    // The comparison also turns away "nan" and "inf".
    if (!ok || !(read >= min && read <= max)) {
        *error = TextOf(str::kCliBadValue).arg(OptionSet::Spelled(QLatin1String(name)), text, Range(min, max));
        return false;
    }
    *value = read;
    return true;
}

// The hole is the box's own unless --hole-mm gives one, which must leave card between its rows.
bool ReadCutterOptions(const OptionSet& options, const MusicBox& box, CutterOptions* cutter, QString* error)
{
    cutter->holeMm = box.sizes.holeMm;
    if (!MillimetresOf(options, "hole-mm", cutter::kMinHoleMm, cutter::kMaxHoleMm, &cutter->holeMm, error) ||
        !MillimetresOf(options, "kerf-mm", 0.0, cutter::kMaxKerfMm, &cutter->kerfMm, error)) {
        return false;
    }
    if (!HoleLeavesCardBetweenRows(cutter->holeMm, box.sizes.rowPitchMm)) {
        *error = HoleTooLargeText(cutter->holeMm, box.sizes.rowPitchMm);
        return false;
    }
    if (cutter->kerfMm >= cutter->holeMm) {
        *error = TextOf(str::kCliBadValue)
                     .arg(OptionSet::Spelled(QStringLiteral("kerf-mm")), QString::number(cutter->kerfMm),
                          QStringLiteral("< --hole-mm ") + QString::number(cutter->holeMm));
        return false;
    }
    QString layout;
    if (!options.singleValue(QStringLiteral("layout"), &layout, error)) {
        return false;
    }
    if (options.isSet(QStringLiteral("layout"))) {
        const std::optional<CutterLayout> named = CutterLayoutNamed(layout.trimmed());
        if (!named) {
            *error = TextOf(str::kCliBadValue)
                         .arg(OptionSet::Spelled(QStringLiteral("layout")), layout, QStringLiteral("pages, strips"));
            return false;
        }
        cutter->layout = *named;
    }
    cutter->engrave = !options.isSet(QStringLiteral("no-engrave"));
    return true;
}

int RunCutter(CommandRun& run, CutterFormat format)
{
    ImportChoices choices;
    CardOptions card;
    CutterOptions chosen;
    chosen.format = format;
    ArrangeOptions arrange;
    QString problem;
    if (!ReadImportOptions(run.options(), &choices, &problem) ||
        !ReadCardOptions(run.options(), &card, &problem, CardOutput::Cutter) ||
        !ReadCutterOptions(run.options(), choices.box, &chosen, &problem) ||
        !ReadArrangeOptions(run.options(), true, &arrange, &problem)) {
        return run.Usage(problem);
    }
    const bool holeGiven = run.options().isSet(QStringLiteral("hole-mm"));
    const QString extension = QLatin1Char('.') + CutterSuffix(format);
    return run.ForEachOutput(extension, [&](const QString& input, const QString& output, QString* error) {
        SongSource source;
        if (!source.Load(input, choices, BoxGiven(run.options()), error, arrange)) {
            return false;
        }
        SongState& song = source.song();
        card.ApplyTo(song);
        // As the window writes it: the title block of the song, a new canvas playing from its start,
        // the card laid out on the PDF export's page.
        CutterOptions options = CutterOptionsOfSong(song, 0, chosen);
        if (!holeGiven) {
            options.holeMm = song.box.sizes.holeMm;
        }
        options.page = card.paper;
        options.assembly = card.assembly;
        return WriteCutterFile(song, options, output, error);
    });
}

} // namespace

void DeclareCutterOptions(OptionSet& options)
{
    DeclareCommonOptions(options, true);
    DeclareImportOptions(options);
    DeclareCardOptions(options, CardOutput::Cutter);
    options.add({QStringLiteral("hole-mm")}, str::kCliOptionHoleMmBox, QStringLiteral("D"));
    options.add({QStringLiteral("kerf-mm")}, str::kCliOptionKerfMm, QStringLiteral("K"));
    options.add({QStringLiteral("layout")}, str::kCliOptionLayout, QStringLiteral("pages|strips"));
    options.add({QStringLiteral("no-engrave")}, str::kCliOptionNoEngrave);
}

int RunSvg(CommandRun& run)
{
    return RunCutter(run, CutterFormat::Svg);
}

int RunDxf(CommandRun& run)
{
    return RunCutter(run, CutterFormat::Dxf);
}

} // namespace zembra
