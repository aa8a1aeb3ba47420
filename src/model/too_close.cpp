#include "model/too_close.h"

#include "model/card_constants.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zembra {

namespace {

constexpr int kShadeOverhang = 2;

int CountInList(const std::vector<HolePair>& list, int minDistance)
{
    int count = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        count += TooCloseHoles(list[i - 1], list[i], minDistance) ? 1 : 0;
    }
    return count;
}

} // namespace

bool TooCloseHoles(const HolePair& earlier, const HolePair& later, int minDistance)
{
    return later.top == earlier.top && std::abs(later.left - earlier.left) < minDistance;
}

int RepeatDistance(int pixelsPerBar, double repeatMm, int barLengthMm)
{
    if (barLengthMm == 0) {
        return 0;
    }
    return static_cast<int>(std::ceil(pixelsPerBar * repeatMm / barLengthMm));
}

int MinHoleDistance(const SongState& song, const PrintMetrics& metrics)
{
    return MinHoleDistance(song, metrics, song.barLengthMm);
}

int MinHoleDistance(const SongState& song, const PrintMetrics& metrics, int barLengthMm)
{
    const int pixelsPerBar = song.pixelsPerQuarter * song.beatsPerBar;
    const double repeatMm = song.box.sizes.shortestRepeatMm;
    if (barLengthMm != 0) {
        return RepeatDistance(pixelsPerBar, repeatMm, barLengthMm);
    }
    if (metrics.horzSize10 == 0 || metrics.horzRes == 0) {
        return 0;
    }
    const double cardMm = metrics.horzSize10 / 10.0 - card::kLeaderMm;
    if (cardMm <= 0.0) {
        return 0; // a page narrower than the leader has no room for the song at all
    }
    const int length = song.printOptions.fitSongToCard ? song.musicLength : song.canvasWidth;
    return static_cast<int>(std::ceil(length * repeatMm / cardMm));
}

std::vector<HolePair> CheckList(const SongState& song)
{
    std::vector<HolePair> list;
    FillCheckList(song, list);
    return list;
}

void FillCheckList(const SongState& song, std::vector<HolePair>& list)
{
    list.clear();
    list.reserve(kMaxNotes);
    for (int i = 0; i < kMaxNotes && !song.IsFree(i); ++i) {
        if (song.IsLive(i)) {
            list.push_back({song.notes[i].top, song.notes[i].left});
        }
    }
    // Two fields rather than one packed key, so that canvases of any width sort the same way.
    std::sort(list.begin(), list.end(), [](const HolePair& a, const HolePair& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
}

int CountCloseHoles(const SongState& song, const PrintMetrics& metrics, std::vector<HolePair>& list)
{
    // The live notes themselves decide, not noteCount, which a deletion leaves stale until the
    // next tidy.
    FillCheckList(song, list);
    if (list.size() <= 1) {
        return -1;
    }
    return CountInList(list, MinHoleDistance(song, metrics));
}

int CountCloseHoles(const SongState& song, const PrintMetrics& metrics, int barLengthMm)
{
    const std::vector<HolePair> list = CheckList(song);
    if (list.size() <= 1) {
        return -1;
    }
    return CountInList(list, MinHoleDistance(song, metrics, barLengthMm));
}

std::vector<TooCloseShade> TooCloseShades(const std::vector<HolePair>& list, int minDistance, int rowHeight)
{
    std::vector<TooCloseShade> shades;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (TooCloseHoles(list[i - 1], list[i], minDistance)) {
            const int top = list[i - 1].top - kShadeOverhang;
            shades.push_back({list[i - 1].left - kShadeOverhang, top, minDistance,
                              list[i].top + rowHeight + kShadeOverhang - top});
        }
    }
    return shades;
}

} // namespace zembra
