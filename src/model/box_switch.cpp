#include "model/box_switch.h"

#include "model/comb_keys.h"

#include <set>
#include <utility>
#include <vector>

namespace zembra {

namespace {

CombKeys KeysOf(const MusicBox& box, bool fold)
{
    SongState rows;
    rows.UseBox(box);
    return CombKeys(rows, fold);
}

// Runs `visit(slot, landing)` for every live note. Notes on the row of their own pitch come first;
// a folded note that lands on a place already taken is removed rather than doubled.
template <typename Visit>
BoxSwitchCount Walk(const SongState& song, const CombKeys& keys, Visit&& visit)
{
    BoxSwitchCount count;
    std::set<std::pair<int, int>> taken; // (left, row)
    const int end = song.UsedEnd();
    for (const bool foldedPass : {false, true}) {
        for (int i = 0; i < end; ++i) {
            if (!song.IsLive(i)) {
                continue;
            }
            CombLanding landing = keys.Land(song.notes[i].pitch);
            if (landing.onComb() && landing.folded != foldedPass) {
                continue;
            }
            if (!landing.onComb() && foldedPass) {
                continue;
            }
            const std::pair<int, int> place{song.notes[i].left, landing.row};
            if (landing.onComb() && !taken.insert(place).second && foldedPass) {
                landing = CombLanding{};
            }
            if (!landing.onComb()) {
                ++count.removed;
            } else if (landing.folded) {
                ++count.folded;
            } else {
                ++count.kept;
            }
            visit(i, landing);
        }
    }
    return count;
}

} // namespace

BoxSwitchCount CountBoxSwitch(const SongState& song, const MusicBox& box, bool fold)
{
    return Walk(song, KeysOf(box, fold), [](int, const CombLanding&) {});
}

BoxSwitchCount SwitchBox(SongState& song, const MusicBox& box, bool fold)
{
    std::vector<std::pair<int, CombLanding>> moves;
    const BoxSwitchCount count =
        Walk(song, KeysOf(box, fold), [&](int i, const CombLanding& landing) { moves.emplace_back(i, landing); });
    song.UseBox(box);
    for (const auto& [i, landing] : moves) {
        NoteRecord& n = song.notes[i];
        if (!landing.onComb()) {
            if (n.selected) {
                --song.selectedCount;
            }
            song.KillSlot(i);
            --song.noteCount;
            continue;
        }
        n.top = song.bandTopOfRow(landing.row);
        song.NormaliseNote(i);
    }
    return count;
}

} // namespace zembra
