// The import editor's roll under the import options: notes fold where the canvas will put them,
// the drum channel stays out, and OK writes nothing into the drums it never showed.
#include "import/import_placement.h"
#include "import/import_options.h"
#include "midi/midi_bytes.h"
#include "midi/midi_track.h"
#include "import/import_roll_state.h"
#include "import/import_roll_writer.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zembra {
namespace {

struct Hit {
    std::uint32_t tick;
    std::uint8_t key;
    std::uint8_t channel = 0;
};

std::unique_ptr<MidiTrack> trackOf(const std::vector<Hit>& hits)
{
    auto track = std::make_unique<MidiTrack>();
    std::uint32_t last = 0;
    for (const Hit& h : hits) {
        track->Append(MidiEvent{h.tick - last, std::uint8_t(kNoteOn | h.channel), h.key, 100, 0});
        last = h.tick;
    }
    return track;
}

struct Shown {
    int sourceKey;
    int key;
    int onScale;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> shown(const ImportRollState& roll)
{
    std::vector<Shown> notes;
    for (int i = 0; i < roll.end(); ++i) {
        const ImportRollNote& note = roll.notes[static_cast<std::size_t>(i)];
        if (note.isLive()) {
            notes.push_back({note.sourceKey, note.key, note.onScale});
            EXPECT_EQ(roll.zoomNotes[static_cast<std::size_t>(i)].key, note.key) << "both scales agree";
            EXPECT_EQ(roll.zoomNotes[static_cast<std::size_t>(i)].top, 2 * note.top);
        }
    }
    return notes;
}

struct RollOptionCase {
    const char* name;
    std::vector<std::vector<Hit>> tracks;
    int transposition;
    ImportOptions options;
    std::vector<Shown> expected;
};

class RollOptions : public testing::TestWithParam<RollOptionCase> {};

TEST_P(RollOptions, TheRollShowsWhatTheCanvasGets)
{
    const RollOptionCase& c = GetParam();
    std::vector<std::unique_ptr<MidiTrack>> owned;
    std::vector<MidiTrack*> tracks;
    std::vector<const MidiTrack*> reading;
    for (const auto& hits : c.tracks) {
        owned.push_back(trackOf(hits));
        tracks.push_back(owned.back().get());
        reading.push_back(owned.back().get());
    }
    auto roll = std::make_unique<ImportRollState>();
    roll->resolution = 96;
    roll->transposition = c.transposition;
    roll->options = c.options;
    roll->Build(tracks);
    EXPECT_EQ(shown(*roll), c.expected);
    // The counts under the roll are those of the import settings.
    auto song = NewSong();
    const ImportCounts counts = CountImportable(reading, *song, c.transposition, false, c.options);
    EXPECT_EQ(roll->importable, counts.importable);
    EXPECT_EQ(roll->notImportable, counts.notImportable);
}

ImportOptions fold()
{
    return {true, false};
}

INSTANTIATE_TEST_SUITE_P(Cases, RollOptions, testing::Values(
    RollOptionCase{"AsBefore", {{{0, 61}, {96, 62, 9}}}, 0, {}, {{61, 61, 0}, {62, 62, 1}}},
    RollOptionCase{"DrumsStayOut", {{{0, 61}, {96, 62, 9}, {192, 64}}}, 0, {false, true}, {{61, 61, 0}, {64, 64, 1}}},
    RollOptionCase{"FoldedWhereTheCombHasThem", {{{0, 61}, {96, 100}, {192, 50}}}, 0, fold(),
                   {{61, 73, 1}, {100, 88, 1}, {50, 62, 1}}},
    RollOptionCase{"FoldedAfterTheTransposition", {{{0, 48}}}, 1, fold(), {{48, 73, 1}}},
    // A fold onto a note of the same tick stays where it is, off the comb, whichever track has it.
    RollOptionCase{"NoDoubleNotes", {{{0, 61}}, {{0, 73}}}, 0, fold(), {{61, 61, 0}, {73, 73, 1}}},
    RollOptionCase{"TwoFoldsOntoOnePlace", {{{0, 49}, {0, 61}, {96, 61}}}, 0, fold(),
                   {{49, 73, 1}, {61, 61, 0}, {61, 73, 1}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RollOptions, OkWritesNoMarkIntoTheDrumsItLeftOut)
{
    // Bar 2 of 4/4 at 96 ticks is cut, drums and all; the drum note in it is not in the roll and
    // keeps its key, while the melody note there becomes a cut mark.
    auto melody = trackOf({{0, 62}, {400, 64}, {800, 65}});
    auto drums = trackOf({{410, 38, 9}, {800, 36, 9}});
    std::vector<MidiTrack*> tracks{melody.get(), drums.get()};
    auto roll = std::make_unique<ImportRollState>();
    roll->resolution = 96;
    roll->options = {false, true};
    ASSERT_EQ(roll->Build(tracks), 3);
    roll->Click(roll->notes[1].left + 1, roll->notes[1].top + 1, false);
    ImportRollCut cut;
    ASSERT_TRUE(roll->CutSpan(0, false, cut));
    roll->Cut(cut);
    ImportRollWriter::Write(tracks, *roll);
    std::vector<int> drumKeys;
    for (std::uint32_t i = 0; i < drums->Count(); ++i) {
        const MidiEvent& event = *drums->Event(i);
        if ((event.status & kStatusTypeMask) == kNoteOn && (event.status & kChannelMask) == 9 && event.data2 > 0) {
            drumKeys.push_back(event.data1);
        }
    }
    EXPECT_EQ(drumKeys, (std::vector<int>{38, 36}));
    bool melodyCut = false;
    for (std::uint32_t i = 0; i < melody->Count(); ++i) {
        melodyCut |= melody->Event(i)->data1 == 2 && melody->Event(i)->data2 > 0;
    }
    EXPECT_TRUE(melodyCut);
}

} // namespace
} // namespace zembra
