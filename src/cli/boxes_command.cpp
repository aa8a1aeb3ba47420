#include "cli/boxes_command.h"

#include "cli/command_run.h"
#include "cli/console.h"
#include "cli/option_set.h"
#include "cli/text_columns.h"
#include "model/music_box.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>

namespace zembra {

namespace {

// "C4" for 60, sharps for the black keys, as a box file may name its notes.
QString NoteName(int note)
{
    static constexpr std::array<const char*, 12> kNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                           "F#", "G",  "G#", "A",  "A#", "B"};
    return QLatin1String(kNames[static_cast<std::size_t>(note % 12)]) + QString::number(note / 12 - 1);
}

QString RangeOf(const MusicBox& box)
{
    return box.notes.empty() ? QString() : NoteName(box.notes.front()) + '-' + NoteName(box.notes.back());
}

// Millimetres to a hundredth, without trailing zeros.
QString Millimetres(double mm)
{
    QString text = QString::number(mm, 'f', 2);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text;
}

// The fields carry the names a box file gives them, so that an entry reads as one.
QJsonObject BoxJson(const MusicBox& box)
{
    QJsonArray notes;
    for (const int note : box.notes) {
        notes.append(note);
    }
    const MusicBoxSizes& s = box.sizes;
    return QJsonObject{
        {QStringLiteral("id"), Utf8(box.id)},
        {QStringLiteral("name"), Utf8(box.name)},
        {QStringLiteral("noteCount"), static_cast<int>(box.notes.size())},
        {QStringLiteral("notes"), notes},
        {QStringLiteral("range"), RangeOf(box)},
        {QStringLiteral("stripWidthMm"), s.stripWidthMm},
        {QStringLiteral("firstRowMm"), s.firstRowMm},
        {QStringLiteral("rowPitchMm"), s.rowPitchMm},
        {QStringLiteral("holeMm"), s.holeMm},
        {QStringLiteral("shortestRepeatMm"), s.shortestRepeatMm},
        {QStringLiteral("paperPerTurnMm"), s.paperPerTurnMm},
    };
}

QString BoxesText()
{
    std::vector<QStringList> lines = {{TextOf(str::kCliBoxesId), TextOf(str::kCliBoxesName), TextOf(str::kCliBoxesNotes),
                                       TextOf(str::kCliBoxesRange), TextOf(str::kCliBoxesStrip),
                                       TextOf(str::kCliBoxesFirstRow), TextOf(str::kCliBoxesRowPitch),
                                       TextOf(str::kCliBoxesHole), TextOf(str::kCliBoxesRepeat),
                                       TextOf(str::kCliBoxesPaperPerTurn)}};
    for (const MusicBox& box : BuiltInBoxes()) {
        const MusicBoxSizes& s = box.sizes;
        lines.push_back({Utf8(box.id), Utf8(box.name), QString::number(box.notes.size()), RangeOf(box),
                         Millimetres(s.stripWidthMm), Millimetres(s.firstRowMm), Millimetres(s.rowPitchMm),
                         Millimetres(s.holeMm), Millimetres(s.shortestRepeatMm), Millimetres(s.paperPerTurnMm)});
    }
    return TextColumns(lines);
}

} // namespace

void DeclareBoxesOptions(OptionSet& options)
{
    DeclareCommonOptions(options, false);
    options.add({QStringLiteral("json")}, str::kCliOptionBoxesJson);
}

int RunBoxes(CommandRun& run)
{
    const QStringList inputs = run.inputs();
    if (!inputs.isEmpty()) {
        return run.Usage(TextOf(str::kCliNoFilesTaken).arg(inputs.first()));
    }
    if (run.options().isSet(QStringLiteral("json"))) {
        QJsonArray boxes;
        for (const MusicBox& box : BuiltInBoxes()) {
            boxes.append(BoxJson(box));
        }
        run.console().out(QString::fromUtf8(QJsonDocument(boxes).toJson(QJsonDocument::Indented)));
    } else {
        run.console().out(BoxesText());
    }
    return kExitDone;
}

} // namespace zembra
