#pragma once

#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "cli/song_source.h"

#include <QJsonObject>

#include "model/crank.h"
#include <QString>

#include <optional>
#include <vector>

namespace zembra {

struct PrintMetrics;

// What `info` tells of one file: the file's own facts and the import's counts as the import
// settings dialog shows them, and the notes too close together once placed.
struct InfoRecord {
    QString file;
    FileSummary summary;
    int beatsPerBar = 4;  // as the import takes it: 3 or 4
    QString boxId;        // the box the counts are on
    QString boxName;
    int transposition = 0;
    ImportCounts counts;
    int placed = 0;
    int bars = 0;         // the canvas's, as the import settings propose it
    int pieceBars = 0;    // the piece's whole length
    bool barsClipped = false;
    int barLengthMm = 0;
    int tooClose = 0;     // notes that follow their row's previous note by less than 8 mm
    bool ownFile = false;
    CrankFigures crank;   // at the bar length above, on the box's paper per turn
    QString title;
    QString author;
    // The strips of the card on the default paper at that bar length (0 when not counted).
    int strips = 0;
    // With --blank-mm: each blank's length and where in the music it ends (bar, beat).
    struct Blank {
        double lengthMm = 0;
        int endBar = 0;
        int endBeat = 0;
    };
    std::vector<Blank> blanks;
    bool blanksPlanned = false;
    // Where no cut in a rest could be found within a blank's length: bar and beat, from 1; 0 when
    // every blank could be cut.
    int stuckBar = 0;
    int stuckBeat = 0;
    // With --loop: the loop's bars (0 when no seam in a rest could be found).
    std::optional<int> loopBars;
    // With --transpose auto: every transposition, best first; the first is the one taken.
    std::vector<FitRow> ranking;
    // With --arrange: what the arranger did.
    std::optional<SongArrangement> arrangement;
};

// `barLengthMm` replaces the import's bar length for the count of notes too close together;
// `metrics` measure a bar length of 0 (the song on one strip).
InfoRecord DescribeImport(const QString& file, const SongSource& source, std::optional<int> barLengthMm,
                          const PrintMetrics& metrics);

// The keys are the same in every language; the key's name is the English one.
QJsonObject InfoJson(const InfoRecord& record);
// For a person, in the program's language.
QString InfoText(const InfoRecord& record);

} // namespace zembra
