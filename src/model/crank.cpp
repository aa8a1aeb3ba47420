#include "model/crank.h"

#include "model/card_constants.h"

namespace zembra {

CrankFigures ComputeCrank(const SongState& song, double barLengthMm)
{
    CrankFigures figures;
    const int barPixels = song.barWidth();
    const double paperPerTurn = song.box.sizes.paperPerTurnMm;
    if (song.tempo <= 0 || barPixels <= 0 || barLengthMm <= 0 || paperPerTurn <= 0 || song.pixelsPerQuarter <= 0) {
        return figures;
    }
    figures.valid = true;
    const double beatsPerMinute = 60.0e6 / song.tempo;
    const double mmPerMinute = beatsPerMinute / song.beatsPerBar * barLengthMm;
    figures.turnsPerMinute = mmPerMinute / paperPerTurn;
    const double quarters = static_cast<double>(song.musicLength) / song.pixelsPerQuarter;
    figures.playingSeconds = quarters * song.tempo / 1.0e6;
    const double bars = static_cast<double>(song.musicLength) / barPixels;
    figures.cardLengthM = (card::kLeaderMm + bars * barLengthMm) / 1000.0;
    figures.tooFast = figures.turnsPerMinute > kComfortableTurnsPerMinute;
    return figures;
}

double PrintedBarMm(const SongState& song, const PrintMetrics& metrics, int barLengthMm, bool fitSongToCard)
{
    if (barLengthMm != 0) {
        return barLengthMm;
    }
    const double cardMm = metrics.horzSize10 / 10.0 - card::kLeaderMm;
    const int length = fitSongToCard ? song.musicLength : song.canvasWidth;
    if (cardMm <= 0 || length <= 0) {
        return 0;
    }
    return cardMm * song.barWidth() / length;
}

} // namespace zembra
