#include "import/import_roll_writer.h"

#include "midi/midi_bytes.h"
#include "midi/midi_track.h"
#include "import/marked_track_walk.h"
#include "import/import_roll_state.h"

#include <algorithm>
#include <deque>
#include <map>
#include <utility>
#include <vector>

namespace zembra {

namespace {

// A mark is heard as little as a strike can be while the file plays, and released at once.
constexpr std::uint8_t kMarkVelocity = 1;

struct CutRun {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

std::vector<CutRun> cutRuns(const ImportRollState& state)
{
    std::vector<CutRun> runs;
    const std::uint32_t bar = state.barTicks();
    for (int b = 0; b < static_cast<int>(state.removedBars.size()); ++b) {
        if (!state.removedBars[static_cast<std::size_t>(b)]) {
            continue;
        }
        if (!runs.empty() && runs.back().to == static_cast<std::uint32_t>(b) * bar) {
            runs.back().to += bar;
        } else {
            runs.push_back({static_cast<std::uint32_t>(b) * bar, static_cast<std::uint32_t>(b + 1) * bar});
        }
    }
    return runs;
}

bool isRelease(const MidiEvent& event)
{
    const std::uint8_t type = event.status & kStatusTypeMask;
    return type == kNoteOff || (type == kNoteOn && event.data2 == 0);
}

// Keys a track's strikes get from the roll, by event index (-1: as it is).
std::vector<int> plannedKeys(const ImportRollState& state, std::size_t trackIndex, std::uint32_t count)
{
    std::vector<int> keys(count, -1);
    const int last = state.end();
    for (int i = 0; i < last; ++i) {
        const ImportRollNote& note = state.notes[static_cast<std::size_t>(i)];
        if (note.trackIndex != static_cast<int>(trackIndex) || note.eventIndex < 0 ||
            static_cast<std::uint32_t>(note.eventIndex) >= count) {
            continue;
        }
        int key = -1;
        if (note.left == kRollDeleted) {
            key = kDeletionMarkKey;
        } else if (note.left == kRollCut) {
            key = kCutMarkKey;
        } else if (ImportRollState::WrittenKey(note) != note.sourceKey) {
            key = ImportRollState::WrittenKey(note);
        }
        keys[static_cast<std::size_t>(note.eventIndex)] = key;
    }
    return keys;
}

void rewriteTrack(MidiTrack& track, std::size_t trackIndex, const ImportRollState& state, const std::vector<CutRun>& runs)
{
    const std::uint32_t count = track.Count();
    const std::vector<MidiEvent> old(track.EventArray().begin(), track.EventArray().begin() + count);
    const std::vector<int> keys = plannedKeys(state, trackIndex, count);
    std::vector<MidiEvent> out;
    out.reserve(count + runs.size() * 4);

    std::uint32_t emittedAbs = 0;
    auto emit = [&](MidiEvent event, std::uint32_t abs) {
        abs = std::max(abs, emittedAbs);
        event.time = abs - emittedAbs;
        emittedAbs = abs;
        out.push_back(event);
    };
    auto emitMark = [&](std::uint8_t key, std::uint32_t abs) {
        emit(MidiEvent{0, kNoteOn, key, kMarkVelocity, 0}, abs);
        emit(MidiEvent{0, kNoteOff, key, 0, 0}, abs);
    };

    // Releases follow the keys their strikes were given, first strike first, so that no note
    // hangs while the file plays.
    std::map<int, std::deque<std::uint8_t>> releases;
    std::size_t run = 0;
    bool insideRun = false;
    MarkedTrackWalk walk(old, state.marksWritten, state.barTicks(), state.options);
    MarkedStrike strike;
    bool isStrike = false;
    while (walk.Step(strike, isStrike)) {
        const std::uint32_t index = walk.position() - 1;
        const std::uint32_t abs = walk.absTicks();
        const std::uint32_t ticks = walk.ticksBeforeStrike();
        // Marks go where the roll's time reaches a cut's edge, never inside an earlier cut.
        while (!walk.cuttingBeforeStrike() && run < runs.size()) {
            const std::uint32_t edge = insideRun ? runs[run].to : runs[run].from;
            if (edge > ticks) {
                break;
            }
            emitMark(insideRun ? kDeletionMarkKey : kCutMarkKey, abs - std::min(abs, ticks - edge));
            if (insideRun) {
                ++run;
            }
            insideRun = !insideRun;
        }
        MidiEvent event = old[index];
        const int channelKey = (event.status & kChannelMask) * kKeyCount + event.data1;
        if (isStrike) {
            int key = keys[index] >= 0 ? keys[index] : event.data1;
            // Without marks of an earlier OK every strike is a note and must not read as a mark.
            if (key < kLowestNoteKey && (!state.marksWritten || key == 0) && keys[index] < 0) {
                key = kLowestNoteKey;
            }
            if (insideRun) {
                key = kCutMarkKey;
            }
            releases[channelKey].push_back(static_cast<std::uint8_t>(key));
            event.data1 = static_cast<std::uint8_t>(key);
        } else if (isRelease(event)) {
            auto found = releases.find(channelKey);
            if (found != releases.end() && !found->second.empty()) {
                event.data1 = found->second.front();
                found->second.pop_front();
            }
        }
        emit(event, abs);
    }

    std::vector<MidiEvent> array = std::move(out);
    const auto used = static_cast<std::uint32_t>(array.size());
    const std::uint32_t capacity = std::max<std::uint32_t>(
        MidiTrack::kGrowth, (used + MidiTrack::kGrowth - 1) / MidiTrack::kGrowth * MidiTrack::kGrowth);
    array.resize(capacity);
    track.ReplaceArray(std::move(array), used);
}

} // namespace

void ImportRollWriter::Write(std::span<MidiTrack* const> tracks, const ImportRollState& state)
{
    const std::vector<CutRun> runs = cutRuns(state);
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        if (tracks[t] && tracks[t]->Count() > 0) {
            rewriteTrack(*tracks[t], t, state, runs);
        }
    }
}

} // namespace zembra
