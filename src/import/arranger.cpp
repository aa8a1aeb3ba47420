#include "import/arranger.h"

#include "import/melody.h"
#include "midi/midi_bytes.h"
#include "model/too_close.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

namespace zembra {

namespace {

int XOf(std::uint32_t tick, const ArrangeRequest& request)
{
    if (request.resolution <= 0) {
        return 0;
    }
    const std::int64_t x = static_cast<std::int64_t>(tick) * request.pixelsPerQuarter / request.resolution;
    return static_cast<int>(std::min<std::int64_t>(x, INT32_MAX / 2));
}

bool OnCanvas(int x, const ArrangeRequest& request)
{
    return x >= 0 && x + request.noteWidth <= request.canvasWidth;
}

// `pitch`, then the same pitch class ever further away within the box's reach; at equal distance
// the upper first when `upFirst`, else the lower.
std::vector<int> Candidates(int pitch, bool upFirst, std::span<const int> rowPitches)
{
    std::vector<int> candidates{pitch};
    if (rowPitches.empty()) {
        return candidates;
    }
    const int lowest = rowPitches.front();
    const int highest = rowPitches.back();
    for (int shift = kOctave; pitch - shift >= lowest || pitch + shift <= highest; shift += kOctave) {
        const int up = pitch + shift;
        const int down = pitch - shift;
        for (const int candidate : upFirst ? std::array{up, down} : std::array{down, up}) {
            if (candidate >= lowest && candidate <= highest) {
                candidates.push_back(candidate);
            }
        }
    }
    return candidates;
}

// The value at the greatest key not after `key`, or `none`.
int HeldAt(const std::map<int, int>& held, int key, int none)
{
    auto it = held.upper_bound(key);
    return it == held.begin() ? none : std::prev(it)->second;
}

// Which notes are the melody: at each time, the highest note of the melody track. Onsets that
// fall on one canvas column (a chord rolled a few ticks apart) are one time on the card: only the
// highest of them is the melody there, and the rest are accompaniment, as a chord struck at once.
std::vector<bool> MelodyMarks(std::span<const SourceNote> notes, int melodyTrack, const ArrangeRequest& request)
{
    std::vector<bool> marks(notes.size(), false);
    std::size_t i = 0;
    while (i < notes.size()) {
        const int x = XOf(notes[i].tick, request);
        std::size_t end = i;
        std::size_t top = notes.size();
        while (end < notes.size() && XOf(notes[end].tick, request) == x) {
            if (notes[end].track == melodyTrack && !notes[end].drum &&
                (top == notes.size() || notes[end].key >= notes[top].key)) {
                top = end;
            }
            ++end;
        }
        if (top < notes.size()) {
            marks[top] = true;
        }
        i = end;
    }
    return marks;
}

std::vector<SourceNote> MarkedNotes(std::span<const SourceNote> notes, const std::vector<bool>& marks)
{
    std::vector<SourceNote> marked;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (marks[i]) {
            marked.push_back(notes[i]);
        }
    }
    return marked;
}

struct MelodyPass {
    std::map<int, int> pitchAt; // x -> the melody's placed pitch
    int notes = 0;
    int forcedByRepeat = 0;     // moved or dropped because the row sounded too soon
};

// Places the melody, each note at its own pitch or the nearest octave that sounds.
MelodyPass PlaceMelody(std::span<const SourceNote> notes, const std::vector<bool>& marks, int transposition,
                       const ArrangeRequest& request, ArrangeSpace& space, std::vector<ArrangeEdit>* edits)
{
    MelodyPass pass;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (!marks[i]) {
            continue;
        }
        const SourceNote& note = notes[i];
        const int x = XOf(note.tick, request);
        if (!OnCanvas(x, request)) {
            continue;
        }
        ++pass.notes;
        const int pitch = note.key + transposition;
        const ArrangeReason first = space.Check(x, pitch);
        int placed = -1;
        for (const int candidate : Candidates(pitch, true, request.rowPitches)) {
            if (space.Check(x, candidate) == ArrangeReason::None) {
                placed = candidate;
                break;
            }
        }
        if (placed >= 0) {
            space.Place(x, placed);
            pass.pitchAt[x] = placed;
        }
        if (first == ArrangeReason::TooClose) {
            ++pass.forcedByRepeat;
        }
        if (edits && placed != pitch) {
            edits->push_back({note.tick, note.key, pitch, placed,
                              placed >= 0 ? ArrangeChange::MovedOctave : ArrangeChange::Dropped, first, true});
        }
    }
    return pass;
}

// The order the accompaniment is kept in: the bass at a bar's start, other bass notes, notes on
// a beat, the rest.
enum Importance { kBarBass = 0, kBass = 1, kOnBeat = 2, kRest = 3 };

struct Accompaniment {
    std::size_t index = 0;
    int x = 0;
    int importance = kRest;
};

std::vector<Accompaniment> OrderAccompaniment(std::span<const SourceNote> notes, const std::vector<bool>& marks,
                                              const ArrangeRequest& request)
{
    std::vector<Accompaniment> order;
    const int bar = request.pixelsPerQuarter * request.beatsPerBar;
    std::size_t columnStart = 0; // the first entry of `order` at the current x
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (marks[i] || notes[i].drum) {
            continue;
        }
        const int x = XOf(notes[i].tick, request);
        if (!OnCanvas(x, request)) {
            continue;
        }
        if (order.empty() || order.back().x != x) {
            columnStart = order.size();
        }
        const bool onBeat = request.pixelsPerQuarter > 0 && x % request.pixelsPerQuarter == 0;
        order.push_back({i, x, onBeat ? kOnBeat : kRest});
        // The lowest note at a time is its bass. Notes at one tick come lowest first, but a chord
        // rolled over a few ticks of one column need not.
        std::size_t lowest = columnStart;
        for (std::size_t k = columnStart; k < order.size(); ++k) {
            order[k].importance = onBeat ? kOnBeat : kRest;
            if (notes[order[k].index].key < notes[order[lowest].index].key) {
                lowest = k;
            }
        }
        order[lowest].importance = bar > 0 && x % bar == 0 ? kBarBass : kBass;
    }
    std::stable_sort(order.begin(), order.end(), [](const Accompaniment& a, const Accompaniment& b) {
        return std::tie(a.importance, a.x) < std::tie(b.importance, b.x);
    });
    return order;
}

void PlaceAccompaniment(std::span<const SourceNote> notes, const std::vector<Accompaniment>& order, int transposition,
                        const ArrangeRequest& request, const std::map<int, int>& melodyAt, ArrangeSpace& space,
                        std::map<int, std::vector<int>>& placedAt, std::vector<ArrangeEdit>& edits)
{
    for (const Accompaniment& item : order) {
        const SourceNote& note = notes[item.index];
        const int pitch = note.key + transposition;
        std::vector<int>& column = placedAt[item.x];
        if (std::find(column.begin(), column.end(), pitch) != column.end()) {
            edits.push_back({note.tick, note.key, pitch, -1, ArrangeChange::Dropped, ArrangeReason::Doubled, false});
            continue;
        }
        // Below the melody as it sounds at that time: its note there, or the one still held.
        const int ceiling = HeldAt(melodyAt, item.x, 128);
        ArrangeReason first = ArrangeReason::None;
        int placed = -1;
        for (const int candidate : Candidates(pitch, false, request.rowPitches)) {
            const ArrangeReason reason =
                candidate >= ceiling ? ArrangeReason::AboveMelody : space.Check(item.x, candidate);
            if (candidate == pitch) {
                first = reason;
            }
            if (reason == ArrangeReason::None) {
                placed = candidate;
                break;
            }
        }
        if (placed >= 0) {
            space.Place(item.x, placed);
            column.push_back(placed);
        }
        if (placed != pitch) {
            edits.push_back({note.tick, note.key, pitch, placed,
                             placed >= 0 ? ArrangeChange::Replaced : ArrangeChange::Dropped, first, false});
        }
    }
}

// At each bar's first beat where the file has a note below the melody, whether the arrangement has
// a note of the lowest such note's pitch class below its melody. The beat is the bar line's canvas
// column: a file may strike a tick or two off the line.
void CountBass(std::span<const SourceNote> notes, const std::vector<bool>& marks, const ArrangeRequest& request,
               int transposition, const std::map<int, int>& melodyAt,
               const std::map<int, std::vector<int>>& placedAt, ArrangeResult& result)
{
    const int barPixels = request.pixelsPerQuarter * request.beatsPerBar;
    if (barPixels <= 0) {
        return;
    }
    std::map<int, int> fileMelody; // x -> the file's melody key
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (marks[i]) {
            fileMelody[XOf(notes[i].tick, request)] = notes[i].key;
        }
    }
    std::size_t i = 0;
    while (i < notes.size()) {
        const int x = XOf(notes[i].tick, request);
        std::size_t end = i;
        while (end < notes.size() && XOf(notes[end].tick, request) == x) {
            ++end;
        }
        if (x % barPixels == 0 && OnCanvas(x, request)) {
            const int melodyKey = HeldAt(fileMelody, x, 128);
            int lowest = -1;
            for (std::size_t k = i; k < end; ++k) {
                if (!marks[k] && !notes[k].drum && notes[k].key < melodyKey && (lowest < 0 || notes[k].key < lowest)) {
                    lowest = notes[k].key;
                }
            }
            if (lowest >= 0) {
                ++result.bassBeats;
                const int pitchClass = ((lowest + transposition) % kOctave + kOctave) % kOctave;
                const int ceiling = HeldAt(melodyAt, x, 128);
                const auto column = placedAt.find(x);
                if (column != placedAt.end() &&
                    std::any_of(column->second.begin(), column->second.end(),
                                [&](int pitch) { return pitch % kOctave == pitchClass && pitch < ceiling; })) {
                    ++result.bassKept;
                }
            }
        }
        i = end;
    }
}

} // namespace

int ChooseArrangeTransposition(std::span<const SourceNote> notes, std::span<const SourceNote> melody,
                               std::span<const int> rowPitches)
{
    std::array<bool, 128> onComb{};
    for (const int pitch : rowPitches) {
        if (pitch >= 0 && pitch < 128) {
            onComb[static_cast<std::size_t>(pitch)] = true;
        }
    }
    const auto playable = [&](int key) { return key >= 0 && key < 128 && onComb[static_cast<std::size_t>(key)]; };
    int best = 0;
    std::tuple<int, int, int, int> bestScore{-1, 0, 0, 0};
    for (int t = -kOctave; t <= kOctave; ++t) {
        int melodyOn = 0;
        for (const SourceNote& note : melody) {
            melodyOn += playable(note.key + t) ? 1 : 0;
        }
        int changes = 0;
        for (const SourceNote& note : notes) {
            changes += playable(note.key + t) ? 0 : 1;
        }
        // More melody on the comb, fewer changes, a smaller move, downward first: larger is better.
        const std::tuple<int, int, int, int> score{melodyOn, -changes, -std::abs(t), t < 0 ? 1 : 0};
        if (score > bestScore) {
            bestScore = score;
            best = t;
        }
    }
    return best;
}

ArrangeResult Arrange(std::span<const SourceNote> notes, const ArrangeRequest& request)
{
    ArrangeResult result;
    result.melodyTrack = request.melodyTrack >= 0 ? request.melodyTrack : DefaultMelodyTrack(notes);
    const std::vector<bool> marks = MelodyMarks(notes, result.melodyTrack, request);
    const std::vector<SourceNote> melody = MarkedNotes(notes, marks);
    result.transposition =
        request.transposition.value_or(ChooseArrangeTransposition(notes, melody, request.rowPitches));

    ArrangeSpace space(request.rowPitches, request.minDistance, request.maxChord, request.maxNotes);
    const MelodyPass pass = PlaceMelody(notes, marks, result.transposition, request, space, &result.edits);
    std::map<int, std::vector<int>> placedAt;
    for (const auto& [x, pitch] : pass.pitchAt) {
        placedAt[x].push_back(pitch);
    }
    const std::vector<Accompaniment> order =
        OrderAccompaniment(notes, marks, request);
    PlaceAccompaniment(notes, order, result.transposition, request, pass.pitchAt, space, placedAt, result.edits);

    result.pastLastBar = std::any_of(notes.begin(), notes.end(), [&request](const SourceNote& note) {
        return !OnCanvas(XOf(note.tick, request), request);
    });
    for (auto& [x, column] : placedAt) {
        std::sort(column.begin(), column.end());
        const auto melodyPitch = pass.pitchAt.find(x);
        for (const int pitch : column) {
            const bool isMelody = melodyPitch != pass.pitchAt.end() && melodyPitch->second == pitch;
            result.notes.push_back({x, pitch, isMelody});
        }
    }
    std::stable_sort(result.edits.begin(), result.edits.end(), [](const ArrangeEdit& a, const ArrangeEdit& b) {
        return std::tie(a.tick, a.fromPitch) < std::tie(b.tick, b.fromPitch);
    });
    result.melodyNotes = pass.notes;
    result.melodyKept = static_cast<int>(pass.pitchAt.size());
    for (const auto& [x, pitch] : pass.pitchAt) {
        result.melodyOnTop += space.HighestAt(x) == pitch ? 1 : 0;
    }
    CountBass(notes, marks, request, result.transposition, pass.pitchAt, placedAt, result);
    return result;
}

int ShortestMelodyBarLength(std::span<const SourceNote> notes, const ArrangeRequest& request, double repeatMm,
                            std::span<const int> barLengthsMm)
{
    const int melodyTrack = request.melodyTrack >= 0 ? request.melodyTrack : DefaultMelodyTrack(notes);
    const std::vector<bool> marks = MelodyMarks(notes, melodyTrack, request);
    const std::vector<SourceNote> melody = MarkedNotes(notes, marks);
    const int transposition =
        request.transposition.value_or(ChooseArrangeTransposition(notes, melody, request.rowPitches));
    std::vector<int> lengths(barLengthsMm.begin(), barLengthsMm.end());
    std::sort(lengths.begin(), lengths.end());
    for (const int length : lengths) {
        if (length <= 0) {
            continue;
        }
        ArrangeRequest trial = request;
        trial.minDistance = RepeatDistance(request.pixelsPerQuarter * request.beatsPerBar, repeatMm, length);
        ArrangeSpace space(trial.rowPitches, trial.minDistance, trial.maxChord, trial.maxNotes);
        if (PlaceMelody(notes, marks, transposition, trial, space, nullptr).forcedByRepeat == 0) {
            return length;
        }
    }
    return -1;
}

} // namespace zembra
