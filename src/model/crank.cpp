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

} // namespace zembra
