#include "canvas/crank_turn.h"

#include <algorithm>

namespace zembra {

double CrankTurn::StepPixels(const SongState& song, double printedBarMm)
{
    if (printedBarMm <= 0 || song.barWidth() <= 0) {
        return 0;
    }
    return kCrankStepMm * song.barWidth() / printedBarMm;
}

void CrankTurn::Begin(double startX, double stepPixels)
{
    m_start = std::max(0.0, startX);
    m_step = std::max(0.0, stepPixels);
    m_steps = 0;
}

std::vector<int> CrankTurn::Turn(const SongState& song, int steps)
{
    std::vector<int> passed;
    const double from = position();
    m_steps = std::max(0LL, m_steps + steps);
    const double to = position();
    if (to <= from) {
        return passed;
    }
    for (int slot = 0; slot < song.UsedEnd(); ++slot) {
        if (!song.IsLive(slot)) {
            continue;
        }
        const double left = song.notes[static_cast<std::size_t>(slot)].left;
        if (left >= from && left < to) {
            passed.push_back(slot);
        }
    }
    std::sort(passed.begin(), passed.end(), [&song](int a, int b) {
        const NoteRecord& x = song.notes[static_cast<std::size_t>(a)];
        const NoteRecord& y = song.notes[static_cast<std::size_t>(b)];
        return x.left != y.left ? x.left < y.left : song.RowOf(a) < song.RowOf(b);
    });
    return passed;
}

} // namespace zembra
