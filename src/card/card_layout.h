#pragma once

#include "model/card_constants.h"
#include "model/print_metrics.h"
#include "model/song_state.h"

#include <vector>

namespace zembra {

// How the song is cut into strips of page width and the strips into pages, for one print job.
struct CardLayout {
    int totalBars = 0;
    int barPx = 0;
    int stripsPerPage = 0;
    int barsFirstStrip = 0;
    int barsPerStrip = 0;
    int pageCount = 0;
    bool operator==(const CardLayout&) const = default;
};

// Why a job cannot be laid out: the device gave no metrics, or a bar (with the leader on the
// first strip) does not fit the printable width, which would leave a strip that holds no bar, or
// a card cut in its rests finds no rest to cut it in within a strip's length.
enum class LayoutProblem { None, NoMetrics, BarTooLong, NoRestToCut };

struct LayoutResult {
    CardLayout layout;
    LayoutProblem problem = LayoutProblem::None;
};

LayoutResult LayOutCard(const SongState& song, const PrintMetrics& metrics);

// The room a numbered strip keeps after its last bar: a hole's printed mark (`markMm` wide), which
// a note at the very end of the bar reaches beyond it, a gap, and the number's band.
int StripNumberReserve(const PrintMetrics& metrics, double markMm = card::kMarkSizeMm);

// One note on the card. The print list ends with an entry whose fields are all -1.
struct PrintNote {
    int xInBar = -1;
    int rowFromTop = -1;
    int bar = -1;
    bool isEnd() const { return bar < 0; }
    bool operator==(const PrintNote&) const = default;
};

// The live notes from the playback start `startX` on, in order of canvas x and then row from the
// top, followed by the end entry. Notes before the start are left off the card.
std::vector<PrintNote> BuildPrintList(const SongState& song, int startX);

} // namespace zembra
