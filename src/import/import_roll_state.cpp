#include "import/import_roll_state.h"

#include "midi/midi_bytes.h"
#include "midi/midi_track.h"
#include "import/marked_track_walk.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

namespace zembra {

namespace {

// Half a bar of 4/4 at 96 ticks per quarter, per beat of the bar.
constexpr int kTailTicksPerBeat = kTicksPerQuarter / 2;

int clampKey(int key)
{
    return std::clamp(key, 0, kRollKeys - 1);
}

// Replaces the first `marker` in `text` with `value`.
void substitute(std::string& text, std::string_view marker, std::string_view value)
{
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) {
        text.replace(at, marker.size(), value);
    }
}

} // namespace

int ImportRollState::LeftAt(int scale, std::int64_t tick, int resolution)
{
    const int res = resolution > 0 ? resolution : 1;
    return static_cast<int>(scale * (tick * kPixelsPerQuarter / res + kLeftMargin));
}

int ImportRollState::TopAt(int scale, int key)
{
    return scale * ((kRollKeys - clampKey(key)) * kKeyHeight + kTopMargin);
}

int ImportRollState::BitmapHeight(int scale)
{
    return scale * (kKeyHeight * kRollKeys + kTopMargin);
}

int ImportRollState::BitmapWidth(int scale, int clientWidth) const
{
    const int res = resolution > 0 ? resolution : 1;
    const std::int64_t music = static_cast<std::int64_t>(largestTick) * kPixelsPerQuarter * scale / res;
    const std::int64_t width = std::max<std::int64_t>(scale * 2 * kLeftMargin + music, std::int64_t{clientWidth} * scale);
    return static_cast<int>(std::min<std::int64_t>(width, kRollMaxWidth));
}

int ImportRollState::WrittenKey(const ImportRollNote& note)
{
    // Keys below kLowestNoteKey are the marks' own, so a note never stays there.
    if (note.octaveShift != 0 || note.sourceKey < kLowestNoteKey) {
        return std::clamp(note.sourceKey + note.octaveShift, static_cast<int>(kLowestNoteKey), kRollKeys - 1);
    }
    return note.sourceKey;
}

std::uint32_t ImportRollState::barTicks() const
{
    const int ticks = beatsPerBar * resolution;
    return ticks > 0 ? static_cast<std::uint32_t>(ticks) : 1;
}

bool ImportRollState::OnCanvasScale(int key, const MusicBox& onBox)
{
    return std::find(onBox.notes.begin(), onBox.notes.end(), key) != onBox.notes.end();
}

CombKeys ImportRollState::FoldingComb() const
{
    std::array<RowEntry, kMaxRows> rows{};
    const std::size_t count = std::min(box.notes.size(), rows.size());
    for (std::size_t r = 0; r < count; ++r) {
        rows[r].pitch = box.notes[r];
    }
    return CombKeys(std::span<const RowEntry>(rows).first(count), true);
}

int ImportRollState::Build(std::span<MidiTrack* const> tracks)
{
    notes.fill(ImportRollNote{});
    zoomNotes.fill(ImportRollNote{});
    removedBars.fill(0);
    largestTick = 0;
    marksCut = false;
    barsShifted = false;
    selectedCount = 0;
    clickSelections = 0;
    const std::uint32_t bar = barTicks();
    const CombKeys comb = FoldingComb();
    int count = 0;
    for (std::size_t t = 0; t < tracks.size() && count < kRollNoteLimit; ++t) {
        MidiTrack* track = tracks[t];
        // A track left out of the import is not in the roll either: the roll shows what is placed.
        if (!track || track->Count() == 0 || IsTrackLeftOut(t, options)) {
            continue;
        }
        MarkedTrackWalk walk(std::span<const MidiEvent>(track->EventArray().data(), track->Count()), marksWritten, bar,
                             options);
        MarkedStrike strike;
        while (count < kRollNoteLimit && walk.Next(strike)) {
            if (strike.ticks / bar >= static_cast<std::uint32_t>(kRollBarLimit)) {
                break;
            }
            const int removed = -static_cast<int>(
                (strike.absTicks > strike.ticks ? strike.absTicks - strike.ticks : strike.ticks - strike.absTicks) / bar);
            for (int scale = 1; scale <= kMagnifierScale; ++scale) {
                ImportRollNote& note = at(scale)[static_cast<std::size_t>(count)];
                note = ImportRollNote{};
                note.sourceKey = strike.key;
                note.velocity = kRollVelocity;
                note.eventIndex = static_cast<std::int32_t>(strike.eventIndex);
                note.trackIndex = static_cast<std::int32_t>(t);
                note.tick = static_cast<std::int32_t>(strike.ticks);
                note.barsRemoved = removed;
                if (strike.kind == MarkedStrike::Kind::CutMark) {
                    note.left = note.top = kRollCut;
                    marksCut = true;
                } else if (strike.kind == MarkedStrike::Kind::DeletionMark) {
                    note.left = note.top = kRollDeleted;
                } else {
                    note.left = LeftAt(scale, strike.ticks, resolution);
                    note.baseLeft = note.left - scale * removed * barWidth();
                    Place(note, scale, comb);
                }
            }
            largestTick = std::max(largestTick, static_cast<int>(strike.ticks));
            ++count;
        }
    }
    redrawNeeded = true;
    Refresh();
    return count;
}

int ImportRollState::end() const
{
    int i = 0;
    while (i < kRollSlots && !notes[static_cast<std::size_t>(i)].isEnd()) {
        ++i;
    }
    return i;
}

void ImportRollState::Place(ImportRollNote& note, int scale, const CombKeys& comb, bool foldAllowed) const
{
    note.key = clampKey(WrittenKey(note) + transposition);
    note.onScale = OnCanvasScale(note.key, box) ? 1 : 0;
    if (!note.onScale && options.foldOctaves && foldAllowed) {
        const CombLanding landing = comb.Land(note.key);
        if (landing.onComb()) {
            note.key = landing.pitch;
            note.onScale = 1;
        }
    }
    note.top = TopAt(scale, note.key);
    note.bottom = note.top + kNoteHeight * scale;
    note.left = note.baseLeft + scale * note.barsRemoved * barWidth();
    note.right = note.left + kNoteWidth * scale;
}

std::vector<bool> ImportRollState::DoubledFolds(const CombKeys& comb) const
{
    const int last = end();
    std::vector<bool> doubled(static_cast<std::size_t>(last), false);
    if (!options.foldOctaves) {
        return doubled;
    }
    const auto place = [](const ImportRollNote& note, int key) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(note.tick)) * kRollKeys +
               static_cast<std::uint64_t>(key);
    };
    // The notes that land directly hold their places first, whatever their order in the list.
    std::unordered_set<std::uint64_t> taken;
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        const int key = clampKey(WrittenKey(note) + transposition);
        if (note.isLive() && OnCanvasScale(key, box)) {
            taken.insert(place(note, key));
        }
    }
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        const int key = clampKey(WrittenKey(note) + transposition);
        if (!note.isLive() || OnCanvasScale(key, box)) {
            continue;
        }
        const CombLanding landing = comb.Land(key);
        if (landing.onComb() && !taken.insert(place(note, landing.pitch)).second) {
            doubled[static_cast<std::size_t>(i)] = true;
        }
    }
    return doubled;
}

void ImportRollState::Refresh()
{
    importable = notImportable = 0;
    const int last = end();
    const CombKeys comb = FoldingComb();
    const std::vector<bool> doubled = DoubledFolds(comb);
    for (int scale = 1; scale <= kMagnifierScale; ++scale) {
        auto& list = at(scale);
        for (int i = 0; i < last; ++i) {
            ImportRollNote& note = list[static_cast<std::size_t>(i)];
            if (!note.isLive()) {
                continue;
            }
            Place(note, scale, comb, !doubled[static_cast<std::size_t>(i)]);
            if (scale == 1) {
                ++(note.onScale ? importable : notImportable);
            }
        }
    }
}

std::string ImportRollState::CountsText() const
{
    std::string extra;
    if (importable > kRollCountsNoticeAbove) {
        extra = " " + std::string(text(str::kEditorCanvasLimitLead)) + " " + std::to_string(kCanvasNoteLimit) + " " +
                std::string(text(str::kEditorCanvasLimitTail));
    }
    std::string result(text(str::kEditorCounts));
    substitute(result, "%d", std::to_string(importable));
    substitute(result, "%s", extra);
    substitute(result, "%d", std::to_string(notImportable));
    return result;
}

std::vector<int> ImportRollState::CutLines() const
{
    std::vector<int> lines;
    const int last = end();
    const int width = barWidth();
    int lastLiveLeft = -1;
    bool previousLive = false;
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (note.isLive()) {
            lastLiveLeft = note.left;
            previousLive = true;
            continue;
        }
        if (note.left == kRollCut && previousLive && lastLiveLeft >= kLeftMargin) {
            const int x = ((lastLiveLeft - kLeftMargin) / width + 1) * width + kLeftMargin;
            if (std::find(lines.begin(), lines.end(), x) == lines.end()) {
                lines.push_back(x);
            }
        }
        previousLive = false;
    }
    return lines;
}

int ImportRollState::NoteAt(int x, int y) const
{
    for (int i = end() - 1; i >= 0; --i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (note.isLive() && x >= note.left && x <= note.right && y >= note.top && y <= note.bottom) {
            return i;
        }
    }
    return -1;
}

void ImportRollState::Mirror(int i)
{
    const ImportRollNote& from = notes[static_cast<std::size_t>(i)];
    ImportRollNote& to = zoomNotes[static_cast<std::size_t>(i)];
    to.selected = from.selected;
    to.octaveShift = from.octaveShift;
    to.barsRemoved = from.barsRemoved;
    if (!from.isLive()) {
        to.left = from.left;
        to.top = from.top;
    }
}

void ImportRollState::DeselectAll()
{
    const int last = end();
    for (int i = 0; i < last; ++i) {
        notes[static_cast<std::size_t>(i)].selected = 0;
        Mirror(i);
    }
    selectedCount = 0;
}

void ImportRollState::SelectAll()
{
    const int last = end();
    selectedCount = 0;
    for (int i = 0; i < last; ++i) {
        ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        note.selected = note.isLive() ? 1 : 0;
        selectedCount += note.selected;
        Mirror(i);
    }
}

void ImportRollState::Click(int x, int y, bool shift)
{
    const int hit = NoteAt(x, y);
    if (hit < 0 || !shift) {
        DeselectAll();
    }
    if (hit < 0) {
        return;
    }
    ImportRollNote& note = notes[static_cast<std::size_t>(hit)];
    note.selected = shift ? 1 - note.selected : 1;
    selectedCount += note.selected ? 1 : -1;
    if (note.selected) {
        ++clickSelections;
    }
    Mirror(hit);
}

void ImportRollState::Band(const ImportRollRect& rect, bool toggle)
{
    const int left = std::min(rect.left, rect.right);
    const int right = std::max(rect.left, rect.right);
    const int top = std::min(rect.top, rect.bottom);
    const int bottom = std::max(rect.top, rect.bottom);
    const int last = end();
    selectedCount = 0;
    for (int i = 0; i < last; ++i) {
        ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (!note.isLive()) {
            continue;
        }
        const bool inside = note.left >= left && note.right <= right && note.top >= top && note.bottom <= bottom;
        if (toggle) {
            note.selected = inside ? 1 - note.selected : note.selected;
        } else {
            note.selected = inside ? 1 : 0;
        }
        selectedCount += note.selected;
        Mirror(i);
    }
}

bool ImportRollState::HasSelection() const
{
    const int last = end();
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (note.isLive() && note.selected) {
            return true;
        }
    }
    return false;
}

void ImportRollState::ShiftOctaves(int semitones)
{
    const int last = end();
    for (int i = 0; i < last; ++i) {
        ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (note.isLive() && note.selected) {
            note.octaveShift += semitones;
            Mirror(i);
        }
    }
    redrawNeeded = true;
    Refresh();
}

bool ImportRollState::CutSpan(int bandLeft, bool haveBand, ImportRollCut& cut) const
{
    int lowest = kRollMaxWidth;
    int highest = -1;
    const int last = end();
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (note.isLive() && note.selected) {
            lowest = std::min(lowest, note.left);
            highest = std::max(highest, note.left);
        }
    }
    if (highest < 0) {
        if (!haveBand) {
            return false;
        }
        lowest = highest = bandLeft;
    }
    // Whole bars, from the bar that holds the leftmost x to the bar that holds the rightmost.
    const int width = barWidth();
    const int first = std::max(0, lowest - kLeftMargin) / width;
    const int lastBar = std::max(0, highest - kLeftMargin) / width;
    cut.leftEnd = first * width + kLeftMargin;
    cut.rightEnd = (lastBar + 1) * width + kLeftMargin;
    cut.bars = lastBar - first + 1;
    return true;
}

void ImportRollState::Cut(const ImportRollCut& cut)
{
    const int last = end();
    for (int i = 0; i < last; ++i) {
        ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (!note.isLive()) {
            continue;
        }
        if (note.left >= cut.leftEnd && note.left < cut.rightEnd) {
            note.left = note.top = kRollCut;
            selectedCount -= note.selected;
            note.selected = 0;
        } else if (note.left >= cut.rightEnd) {
            note.barsRemoved -= cut.bars;
        }
        Mirror(i);
    }
    // Remember the bars in the roll's own time, so that OK can tell every track about them,
    // including tracks with no note in the cut.
    const int width = barWidth();
    const int firstShown = (cut.leftEnd - kLeftMargin) / width;
    const int lastShown = firstShown + cut.bars - 1;
    int shown = 0;
    std::array<std::uint8_t, kRollBarLimit + 1> newly{};
    for (int bar = 0; bar <= kRollBarLimit; ++bar) {
        if (removedBars[static_cast<std::size_t>(bar)]) {
            continue;
        }
        if (shown >= firstShown && shown <= lastShown) {
            newly[static_cast<std::size_t>(bar)] = 1;
        }
        ++shown;
    }
    for (std::size_t bar = 0; bar < newly.size(); ++bar) {
        removedBars[bar] |= newly[bar];
    }
    barsShifted = true;
    redrawNeeded = true;
    Refresh();
}

DuplicateResult ImportRollState::ScanDuplicates(std::vector<int>* doomed) const
{
    DuplicateResult result;
    std::vector<std::uint32_t> values;
    const int last = end();
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (note.isLive()) {
            values.push_back(static_cast<std::uint32_t>(i) + static_cast<std::uint32_t>(note.left) * 65536u +
                             static_cast<std::uint32_t>(note.key) * 16777216u);
        }
    }
    if (values.size() < 2) {
        return result;
    }
    std::sort(values.begin(), values.end());
    result.outcome = DuplicateResult::Outcome::NoneFound;
    // Values whose top 16 bits agree sit together after the sort. The packing lets a higher x
    // spill into the key's bits, so a run may mix keys: a note is a duplicate when any earlier
    // member of its run has its key and its tick, not only the one just before it.
    std::size_t runStart = 0;
    for (std::size_t v = 1; v <= values.size(); ++v) {
        if (v < values.size() && (values[v] >> 16) == (values[v - 1] >> 16)) {
            continue;
        }
        for (std::size_t a = runStart + 1; a < v; ++a) {
            const ImportRollNote& candidate = notes[values[a] & 0xFFFFu];
            for (std::size_t b = runStart; b < a; ++b) {
                const ImportRollNote& earlier = notes[values[b] & 0xFFFFu];
                if (earlier.key == candidate.key && earlier.tick == candidate.tick) {
                    if (doomed) {
                        doomed->push_back(static_cast<int>(values[a] & 0xFFFFu));
                    }
                    ++result.deleted;
                    break;
                }
            }
        }
        runStart = v;
    }
    if (result.deleted > 0) {
        result.outcome = DuplicateResult::Outcome::Deleted;
    }
    return result;
}

void ImportRollState::Delete(const std::vector<int>& doomed)
{
    for (const int i : doomed) {
        ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        selectedCount -= note.selected;
        note.selected = 0;
        note.left = note.top = kRollDeleted;
        Mirror(i);
    }
    redrawNeeded = true;
    Refresh();
}

int ImportRollState::SessionBarsBefore(int buildBar) const
{
    int count = 0;
    for (int bar = 0; bar < std::min(buildBar, kRollBarLimit + 1); ++bar) {
        count += removedBars[static_cast<std::size_t>(bar)];
    }
    return count;
}

int ImportRollState::ShownTick(int i) const
{
    const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
    const int bar = static_cast<int>(barTicks());
    return note.tick - SessionBarsBefore(note.tick / bar) * bar;
}

std::vector<MidiEvent> ImportRollState::PlayList(bool canvasNotesOnly, int startX, int endX) const
{
    std::vector<std::uint32_t> packed;
    const int last = end();
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = notes[static_cast<std::size_t>(i)];
        if (!note.isLive() || (canvasNotesOnly && !note.onScale) || note.left < startX || (endX > 0 && note.left > endX)) {
            continue;
        }
        packed.push_back(static_cast<std::uint32_t>(note.left - startX) * 65536u +
                         static_cast<std::uint32_t>(note.key) * 256u + static_cast<std::uint32_t>(note.velocity));
    }
    std::sort(packed.begin(), packed.end());
    std::vector<MidiEvent> events;
    events.reserve(packed.size() * 2 + 2);
    events.push_back(MidiEvent{0, kProgramChange, kMusicBoxProgram, 0, 0});
    std::uint32_t previousX = 0;
    std::uint8_t key = 0;
    for (const std::uint32_t value : packed) {
        const std::uint32_t x = value >> 16;
        key = static_cast<std::uint8_t>((value >> 8) & 0xFF);
        const auto velocity = static_cast<std::uint8_t>(value & 0xFF);
        const std::uint32_t delta = (x - previousX) * kTicksPerQuarter / kPixelsPerQuarter;
        events.push_back(MidiEvent{delta, kNoteOn, key, 0, 0});
        events.push_back(MidiEvent{0, kNoteOn, key, velocity, 0});
        previousX = x;
    }
    if (!packed.empty()) {
        events.push_back(MidiEvent{static_cast<std::uint32_t>(beatsPerBar * kTailTicksPerBeat), kNoteOn, key, 0, 0});
    }
    return events;
}

} // namespace zembra
