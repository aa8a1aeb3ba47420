#include "cli/info_record.h"

#include "cli/arrange_info.h"
#include "cli/text_columns.h"

#include "model/card_constants.h"
#include "model/too_close.h"
#include "model/print_metrics.h"
#include "model/tempo_law.h"
#include "text/string_ids.h"
#include "services/crank_text.h"
#include "services/qt_text.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace zembra {

namespace {

constexpr int kMidiChannels = 16;

QJsonValue TimeSignatureOf(const FileSummary& summary)
{
    if (summary.timeSignature.size() < 2) {
        return QJsonValue::Null;
    }
    const int power = summary.timeSignature[1];
    if (power > 6) {
        return QString::number(summary.timeSignature[0]) + QStringLiteral("/2^") + QString::number(power);
    }
    return QString::number(summary.timeSignature[0]) + '/' + QString::number(1 << power);
}

QString KeyNameOf(int id, Language language)
{
    return id == 0 ? QString() : Utf8(text(id, language));
}

QString ShiftText(int transposition)
{
    return transposition > 0 ? QStringLiteral("+%1").arg(transposition) : QString::number(transposition);
}

QJsonArray RankingJson(const InfoRecord& r)
{
    QJsonArray rows;
    for (const FitRow& row : r.ranking) {
        rows.append(QJsonObject{
            {QStringLiteral("transposition"), row.transposition},
            {QStringLiteral("key"), Utf8(TransposedKeyName(r.summary.key, row.transposition, Language::English))},
            {QStringLiteral("importable"), row.importable},
            {QStringLiteral("notImportable"), row.notImportable},
            {QStringLiteral("tooClose"), row.tooClose},
        });
    }
    return rows;
}

// The fit's table as the import settings show it.
QString RankingText(const InfoRecord& r)
{
    std::vector<QStringList> lines = {{TextOf(str::kFitTransposition), TextOf(str::kFitKey), TextOf(str::kFitPlayable),
                                       TextOf(str::kFitNotPlayable), TextOf(str::kFitTooClose)}};
    for (const FitRow& row : r.ranking) {
        lines.push_back({ShiftText(row.transposition), Utf8(TransposedKeyName(r.summary.key, row.transposition)),
                         QString::number(row.importable), QString::number(row.notImportable),
                         QString::number(row.tooClose)});
    }
    return QStringLiteral("  ") + TextOf(str::kCliInfoRanking) + '\n' + TextColumns(lines);
}

bool TrackTaken(const FileSummary& summary, std::size_t index)
{
    ImportOptions options;
    options.leftOutTracks = summary.leftOutTracks;
    return !IsTrackLeftOut(index, options);
}

QJsonArray TrackListJson(const FileSummary& summary)
{
    QJsonArray tracks;
    for (std::size_t i = 0; i < summary.trackList.size(); ++i) {
        const TrackSummary& track = summary.trackList[i];
        QJsonArray channels;
        for (int c = 0; c < kMidiChannels; ++c) {
            if ((track.channels >> c & 1U) != 0) {
                channels.append(c + 1);
            }
        }
        tracks.append(QJsonObject{
            {QStringLiteral("number"), static_cast<int>(i) + 1},
            {QStringLiteral("name"), Utf8(track.name)},
            {QStringLiteral("channels"), channels},
            {QStringLiteral("notes"), track.notes},
            {QStringLiteral("imported"), TrackTaken(summary, i)},
        });
    }
    return tracks;
}

// The tracks as --tracks numbers them.
QString TrackListText(const FileSummary& summary)
{
    const QString none = TextOf(str::kCliInfoNone);
    std::vector<QStringList> lines;
    for (std::size_t i = 0; i < summary.trackList.size(); ++i) {
        const TrackSummary& track = summary.trackList[i];
        const QString channels = Utf8(ChannelListText(track.channels));
        lines.push_back({QString::number(i + 1), track.name.empty() ? none : Printable(Utf8(track.name)),
                         channels.isEmpty() ? none : channels, QString::number(track.notes),
                         TrackTaken(summary, i) ? QString() : TextOf(str::kCliInfoLeftOut)});
    }
    return QStringLiteral("  ") + TextOf(str::kCliInfoTrackList) + '\n' + TextColumns(lines);
}

} // namespace

InfoRecord DescribeImport(const QString& file, const SongSource& source, std::optional<int> barLengthMm,
                          const PrintMetrics& metrics)
{
    const SongState& song = source.song();
    const DefaultImportResult& import = source.import();
    InfoRecord record;
    record.file = file;
    record.summary = source.file();
    record.beatsPerBar = song.beatsPerBar;
    record.boxId = Utf8(song.box.id);
    record.boxName = Utf8(song.box.name);
    record.transposition = import.transposition;
    record.counts = import.counts;
    record.placed = song.noteCount;
    record.bars = song.barCount;
    const std::uint64_t bar =
        static_cast<std::uint64_t>(std::max(1, record.summary.resolution)) * static_cast<std::uint64_t>(song.beatsPerBar);
    record.pieceBars = static_cast<int>((import.counts.longestTrackTicks + bar - 1) / bar);
    record.barsClipped = import.proposed.barsClipped;
    record.barLengthMm = barLengthMm.value_or(song.barLengthMm);
    // One note or none has no neighbour to be too close to.
    record.tooClose = std::max(0, CountCloseHoles(song, metrics, record.barLengthMm));
    record.crank = ComputeCrank(
        song, PrintedBarMm(song, metrics, record.barLengthMm, song.printOptions.fitSongToCard != 0));
    record.ownFile = import.proposed.ownFile;
    record.title = Utf8(song.title);
    record.author = Utf8(song.author);
    record.ranking = import.ranking;
    record.arrangement = source.arrangement();
    return record;
}

QJsonObject InfoJson(const InfoRecord& r)
{
    QJsonObject json;
    json[QStringLiteral("file")] = r.file;
    json[QStringLiteral("format")] = r.summary.format;
    json[QStringLiteral("tracks")] = r.summary.tracks;
    json[QStringLiteral("fileTracks")] = r.summary.fileTracks;
    json[QStringLiteral("resolution")] = r.summary.resolution;
    json[QStringLiteral("tempo")] = static_cast<qint64>(r.summary.tempo);
    json[QStringLiteral("bpm")] = BeatsPerMinute(r.summary.tempo);
    json[QStringLiteral("timeSignature")] = TimeSignatureOf(r.summary);
    json[QStringLiteral("fileBeatsPerBar")] =
        r.summary.fileBeatsPerBar < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(r.summary.fileBeatsPerBar);
    json[QStringLiteral("beatsPerBar")] = r.beatsPerBar;
    const QString key = KeyNameOf(r.summary.keyNameId, Language::English);
    json[QStringLiteral("key")] = key.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(key);
    json[QStringLiteral("transposition")] = r.transposition;
    json[QStringLiteral("importable")] = r.counts.importable;
    json[QStringLiteral("notImportable")] = r.counts.notImportable;
    json[QStringLiteral("placed")] = r.placed;
    json[QStringLiteral("bars")] = r.bars;
    json[QStringLiteral("pieceBars")] = r.pieceBars;
    json[QStringLiteral("barsClipped")] = r.barsClipped;
    json[QStringLiteral("barLengthMm")] = r.barLengthMm;
    if (r.strips > 0) {
        json[QStringLiteral("strips")] = r.strips;
    }
    if (r.blanksPlanned && r.stuckBar > 0) {
        json[QStringLiteral("blanks")] = QJsonValue::Null;
        json[QStringLiteral("blanksStuckAt")] =
            QJsonObject{{QStringLiteral("bar"), r.stuckBar}, {QStringLiteral("beat"), r.stuckBeat}};
    } else if (r.blanksPlanned) {
        QJsonArray blanks;
        for (const InfoRecord::Blank& b : r.blanks) {
            blanks.append(QJsonObject{{QStringLiteral("lengthMm"), std::round(b.lengthMm * 10) / 10},
                                      {QStringLiteral("endBar"), b.endBar},
                                      {QStringLiteral("endBeat"), b.endBeat}});
        }
        json[QStringLiteral("blanks")] = blanks;
    }
    if (r.loopBars) {
        json[QStringLiteral("loopBars")] = *r.loopBars;
    }
    json[QStringLiteral("tooClose")] = r.tooClose;
    json[QStringLiteral("ownFile")] = r.ownFile;
    json[QStringLiteral("title")] = r.title;
    json[QStringLiteral("author")] = r.author;
    json[QStringLiteral("trackList")] = TrackListJson(r.summary);
    json[QStringLiteral("box")] = r.boxId;
    json[QStringLiteral("boxName")] = r.boxName;
    if (r.crank.valid) {
        json[QStringLiteral("crankTurnsPerMinute")] = r.crank.turnsPerMinute;
        json[QStringLiteral("crankTooFast")] = r.crank.tooFast;
        json[QStringLiteral("playingSeconds")] = r.crank.playingSeconds;
        json[QStringLiteral("cardLengthM")] = r.crank.cardLengthM;
    }
    if (!r.ranking.empty()) {
        json[QStringLiteral("ranking")] = RankingJson(r);
    }
    if (r.arrangement) {
        json[QStringLiteral("arrange")] = ArrangeJson(*r.arrangement);
    }
    return json;
}

QString InfoText(const InfoRecord& r)
{
    const QString none = TextOf(str::kCliInfoNone);
    const QJsonValue signature = TimeSignatureOf(r.summary);
    const QString key = KeyNameOf(r.summary.keyNameId, language());
    QString bars = QString::number(r.bars);
    if (r.barsClipped) {
        bars += ' ' + TextOf(str::kCliInfoBarsClipped).arg(r.pieceBars);
    }
    const std::vector<std::pair<QString, QString>> lines = {
        {TextOf(str::kCliInfoFormat), QString::number(r.summary.format)},
        {TextOf(str::kCliInfoTracks), r.summary.fileTracks > r.summary.tracks
                                          ? QStringLiteral("%1 / %2").arg(r.summary.tracks).arg(r.summary.fileTracks)
                                          : QString::number(r.summary.tracks)},
        {TextOf(str::kCliInfoResolution), QString::number(r.summary.resolution)},
        {TextOf(str::kCliInfoTempo),
         QStringLiteral("%1 (%2 bpm)").arg(r.summary.tempo).arg(BeatsPerMinute(r.summary.tempo))},
        {TextOf(str::kCliInfoTimeSignature), signature.isNull() ? none : signature.toString()},
        {TextOf(str::kCliInfoBeats), QString::number(r.beatsPerBar)},
        {TextOf(str::kCliInfoKey), key.isEmpty() ? none : key},
        {TextOf(str::kCliInfoBox), QStringLiteral("%1 (%2)").arg(r.boxId, Printable(r.boxName))},
        {TextOf(str::kCliInfoTransposition), ShiftText(r.transposition)},
        {TextOf(str::kCliInfoImportable), QString::number(r.counts.importable)},
        {TextOf(str::kCliInfoNotImportable), QString::number(r.counts.notImportable)},
        {TextOf(str::kCliInfoPlaced), QString::number(r.placed)},
        {TextOf(str::kCliInfoBars), bars},
        {TextOf(str::kCliInfoTooClose).arg(r.barLengthMm), QString::number(r.tooClose)},
        {TextOf(str::kCliInfoCrank), CrankText(r.crank)},
        {TextOf(str::kCliInfoTitle), Printable(r.title)},
        {TextOf(str::kCliInfoAuthor), Printable(r.author)},
        {TextOf(str::kCliInfoOwnFile), TextOf(r.ownFile ? str::kCliInfoYes : str::kCliInfoNo)},
    };
    qsizetype width = 0;
    for (const auto& line : lines) {
        width = std::max(width, line.first.size());
    }
    QString out = Printable(r.file) + '\n';
    for (const auto& [label, value] : lines) {
        out += QStringLiteral("  ") + label.leftJustified(width + 2) + value + '\n';
    }
    if (!r.summary.trackList.empty()) {
        out += TrackListText(r.summary);
    }
    if (!r.ranking.empty()) {
        out += RankingText(r);
    }
    if (r.arrangement) {
        out += ArrangeText(*r.arrangement, r.barLengthMm);
    }
    return out;
}

} // namespace zembra
