#include "card/card_layout.h"

#include "card/card_sizes.h"
#include "model/card_constants.h"

#include <algorithm>
#include <cmath>

namespace zembra {

namespace {

constexpr int kRowKeyBits = 256;

} // namespace

int StripNumberReserve(const PrintMetrics& metrics, double markMm)
{
    return metrics.MmToDeviceX(markMm) + metrics.MmToDeviceX(card::kStripNumberGapMm) +
        metrics.MmToDeviceX(card::kStripNumberBoxMm);
}

LayoutResult LayOutCard(const SongState& song, const PrintMetrics& metrics)
{
    LayoutResult result;
    CardLayout& l = result.layout;
    const int pixelsPerBar = song.pixelsPerQuarter * song.beatsPerBar;
    if (pixelsPerBar <= 0) {
        result.problem = LayoutProblem::NoMetrics;
        return result;
    }
    l.totalBars = song.printOptions.fitSongToCard ? std::max(1, song.musicLength / pixelsPerBar) : song.barCount;
    l.totalBars = std::max(1, l.totalBars);
    const int lead = metrics.MmToDeviceX(card::kLeaderMm);
    const int copies = song.printOptions.twoRows ? 2 : 1;
    // As many strips a page as the box's strips fit across it.
    const CardSizes sizes = CardSizesOf(song.box);
    const int stripHeight = metrics.MmToDeviceY(copies * sizes.stripWidthMm);
    if (!metrics.valid() || lead <= 0 || stripHeight <= 0) {
        result.problem = LayoutProblem::NoMetrics;
        return result;
    }
    // Numbered strips keep room after their last bar for the number.
    const int width = metrics.horzRes - (song.printOptions.stripNumbers ? StripNumberReserve(metrics, sizes.markMm) : 0);
    if (song.barLengthMm != 0) {
        l.barPx = metrics.MmToDeviceX(song.barLengthMm);
    } else {
        // Unsigned division: a page narrower than the leader gives a huge quotient, clamped
        // below by the check on the first strip.
        const unsigned room = static_cast<unsigned>(width - lead);
        l.barPx = std::max(1, static_cast<int>(std::min<unsigned>(room / static_cast<unsigned>(l.totalBars),
                                                                  static_cast<unsigned>(metrics.horzRes))));
    }
    l.stripsPerPage = std::max(1, metrics.vertRes / stripHeight);
    if (song.barLengthMm == 0) {
        l.barsFirstStrip = l.totalBars;
        l.barsPerStrip = 0;
        l.pageCount = 1;
        if (width <= lead) {
            result.problem = LayoutProblem::BarTooLong;
        }
        return result;
    }
    if (l.barPx <= 0) {
        result.problem = LayoutProblem::NoMetrics;
        return result;
    }
    l.barsFirstStrip = (width - lead) / l.barPx;
    l.barsPerStrip = width / l.barPx;
    if (l.barsFirstStrip <= 0 || l.barsPerStrip <= 0) {
        result.problem = LayoutProblem::BarTooLong;
        return result;
    }
    int strips = 1;
    int covered = l.barsFirstStrip;
    while (covered < l.totalBars) {
        covered += l.barsPerStrip;
        ++strips;
    }
    l.pageCount = std::max(1, (strips + l.stripsPerPage - 1) / l.stripsPerPage);
    return result;
}

std::vector<PrintNote> BuildPrintList(const SongState& song, int startX)
{
    const int pixelsPerBar = song.pixelsPerQuarter * song.beatsPerBar;
    std::vector<long long> keys;
    keys.reserve(static_cast<std::size_t>(std::max(0, song.noteCount)));
    for (int i = 0; i < kMaxNotes && static_cast<int>(keys.size()) < song.noteCount; ++i) {
        if (song.IsLive(i) && song.notes[i].left >= startX) {
            const NoteRecord& note = song.notes[i];
            keys.push_back(static_cast<long long>(note.left) * kRowKeyBits + (note.top - kBandTop) / song.rowHeight);
        }
    }
    std::sort(keys.begin(), keys.end());
    std::vector<PrintNote> list;
    list.reserve(keys.size() + 1);
    for (const long long key : keys) {
        const int x = static_cast<int>(key / kRowKeyBits);
        PrintNote entry;
        entry.bar = pixelsPerBar > 0 ? x / pixelsPerBar : 0;
        entry.xInBar = x - entry.bar * pixelsPerBar;
        entry.rowFromTop = static_cast<int>(key % kRowKeyBits);
        list.push_back(entry);
    }
    list.push_back(PrintNote{});
    return list;
}

} // namespace zembra
