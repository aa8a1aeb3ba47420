#include "midi/smf_reader.h"

#include "smf_bytes.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

using test::Bytes;
using test::chunk;
using test::header;
using test::smf;

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes withEnd(Bytes body)
{
    test::append(body, kEnd);
    return body;
}

struct Malformed {
    const char* name;
    Bytes bytes;
    const char* message;  // part of the error text
};

class SmfReaderRefuses : public ::testing::TestWithParam<Malformed> {};

TEST_P(SmfReaderRefuses, WithAMessageThatSaysWhy)
{
    SmfReader reader;
    EXPECT_FALSE(reader.parse(GetParam().bytes));
    EXPECT_NE(reader.error().find(GetParam().message), std::string::npos) << reader.error();
    EXPECT_EQ(reader.trackCount(), 0u);
    MidiEvent out[4];
    EXPECT_EQ(reader.read(0, out, 4), 0u);
}

Bytes truncatedTrack()
{
    Bytes b = header(0, 1, 96);
    test::append(b, {'M', 'T', 'r', 'k', 0x00, 0x00, 0x03, 0xE8, 0x00, 0x90, 0x3C, 0x40});
    return b;
}

INSTANTIATE_TEST_SUITE_P(Cases, SmfReaderRefuses, ::testing::Values(
    Malformed{"NotMidi", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'}, "expected MThd at byte 0"},
    Malformed{"Empty", Bytes{}, "expected MThd"},
    Malformed{"TruncatedHeader", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}, "MThd at byte 0 runs past the end"},
    Malformed{"ShortHeader", chunk("MThd", {0, 0}), "shorter than 6"},
    Malformed{"DivisionZero", smf(0, 0, {kEnd}), "division is 0"},
    Malformed{"FormatThree", smf(3, 96, {kEnd}), "unknown MIDI file format 3"},
    Malformed{"NoTracksDeclared", header(1, 0, 96), "declares no tracks"},
    Malformed{"SmpteUnknownFrameRate", smf(0, 0xE028, {kEnd}), "unknown frame rate of 32"},
    Malformed{"SmpteNoTicksPerFrame", smf(0, 0xE700, {kEnd}), "0 ticks per frame"},
    Malformed{"RiffWithoutData", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'R', 'M', 'I', 'D'}, "no data chunk"},
    Malformed{"RiffNotMidi", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not RIFF MIDI"}),
    [](const auto& test) { return std::string(test.param.name); });

// A file whose header can be read opens; a damaged track keeps the events before the damage.
struct Damaged {
    const char* name;
    Bytes bytes;
    const char* message;  // part of the damage text
    std::vector<std::vector<MidiEvent>> tracks;
};

class SmfReaderKeepsWhatCameBeforeDamage : public ::testing::TestWithParam<Damaged> {};

TEST_P(SmfReaderKeepsWhatCameBeforeDamage, AndSaysWhereItWas)
{
    SmfReader reader;
    ASSERT_TRUE(reader.parse(GetParam().bytes)) << reader.error();
    EXPECT_TRUE(reader.damaged());
    EXPECT_NE(reader.damage().find(GetParam().message), std::string::npos) << reader.damage();
    ASSERT_EQ(reader.trackCount(), GetParam().tracks.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t t = 0; t < reader.trackCount(); ++t) {
            std::vector<MidiEvent> got(64);
            got.resize(reader.read(t, got.data(), 64));
            EXPECT_EQ(got, GetParam().tracks[t]) << "track " << t << " pass " << pass;
        }
        reader.rewind();
    }
}

const Bytes kNote = {0x00, 0x90, 0x3C, 0x40};
const MidiEvent kNoteEvent{0, 0x90, 0x3C, 0x40, 0};

Bytes withNote(Bytes damage)
{
    Bytes b = kNote;
    test::append(b, damage);
    return b;
}

INSTANTIATE_TEST_SUITE_P(Cases, SmfReaderKeepsWhatCameBeforeDamage, ::testing::Values(
    Damaged{"TrackCount65535", [] { Bytes b = header(1, 65535, 96); test::append(b, chunk("MTrk", withEnd(kNote))); return b; }(),
            "declares 65535 tracks, the file holds 1", {{kNoteEvent}}},
    Damaged{"SecondTrackMissing", [] { Bytes b = header(1, 2, 96); test::append(b, chunk("MTrk", withEnd(kNote))); return b; }(),
            "declares 2 tracks, the file holds 1", {{kNoteEvent}}},
    Damaged{"TrackLengthPastEnd", truncatedTrack(), "claims 1000 bytes, only 4 remain", {{kNoteEvent}}},
    Damaged{"RunningStatusWithoutStatus", smf(0, 96, {withEnd({0x00, 0x3C, 0x40})}), "without a status at byte 23", {{}}},
    Damaged{"UnterminatedSysex", smf(0, 96, {withNote({0x00, 0xF0, 0x10, 0x01, 0x02})}), "sysex at byte 27 claims 16 bytes",
            {{kNoteEvent}}},
    Damaged{"MetaLengthPastChunk", smf(0, 96, {withNote({0x00, 0xFF, 0x01, 0x20, 0x41})}), "meta event at byte 27 claims 32",
            {{kNoteEvent}}},
    Damaged{"DeltaLongerThanFourBytes", smf(0, 96, {withNote({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x40})}),
            "longer than 4 bytes", {{kNoteEvent}}},
    Damaged{"EventCutOff", smf(0, 96, {withNote({0x00, 0x90, 0x3C})}), "runs past the end of its track", {{kNoteEvent}}},
    Damaged{"StatusWhereDataBelongs", smf(0, 96, {withEnd(withNote({0x00, 0x90, 0x3C, 0x90}))}), "data byte expected at byte 29",
            {{kNoteEvent}}},
    Damaged{"SystemStatusInFile", smf(0, 96, {withEnd(withNote({0x00, 0xF4}))}), "status 0xF4 at byte 27 cannot appear",
            {{kNoteEvent}}},
    Damaged{"MetaTypeWithTopBit", smf(0, 96, {withNote({0x00, 0xFF, 0x81, 0x00})}), "is not a meta type", {{kNoteEvent}}},
    // The first track is damaged, the second is whole and read in full.
    Damaged{"DamageStaysInItsTrack", smf(1, 96, {withNote({0x00, 0xF4}), withEnd({0x05, 0x91, 0x40, 0x40})}),
            "track 1: status 0xF4", {{kNoteEvent}, {{5, 0x91, 0x40, 0x40, 0}}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SmfReader, IntactFileHasNoDamage)
{
    SmfReader reader;
    ASSERT_TRUE(reader.parse(smf(0, 96, {withEnd(kNote)})));
    EXPECT_FALSE(reader.damaged());
    ASSERT_TRUE(reader.parse(smf(0, 96, {withNote({0x00, 0xF4})})));
    ASSERT_TRUE(reader.damaged());
    ASSERT_TRUE(reader.parse(smf(0, 96, {withEnd(kNote)})));
    EXPECT_FALSE(reader.damaged()) << "a new parse forgets the old damage";
}

struct Readable {
    const char* name;
    Bytes bytes;
    std::uint16_t resolution;
    std::vector<std::vector<MidiEvent>> tracks;
};

class SmfReaderReads : public ::testing::TestWithParam<Readable> {};

TEST_P(SmfReaderReads, ChannelEventsWithTheirDeltas)
{
    SmfReader reader;
    ASSERT_TRUE(reader.parse(GetParam().bytes)) << reader.error();
    EXPECT_EQ(reader.resolution(), GetParam().resolution);
    ASSERT_EQ(reader.trackCount(), GetParam().tracks.size());
    for (std::size_t t = 0; t < reader.trackCount(); ++t) {
        std::vector<MidiEvent> got(64);
        got.resize(reader.read(t, got.data(), 64));
        EXPECT_EQ(got, GetParam().tracks[t]) << "track " << t;
        MidiEvent more;
        EXPECT_EQ(reader.read(t, &more, 1), 0u) << "exhausted";
    }
}

Bytes riffWrapped()
{
    const Bytes inner = smf(0, 96, {withEnd({0x00, 0xC0, 0x0A})});
    Bytes b{'R', 'I', 'F', 'F'};
    const std::uint32_t size = std::uint32_t(4 + 8 + 6 + 8 + inner.size());
    test::append(b, {std::uint8_t(size), std::uint8_t(size >> 8), 0, 0, 'R', 'M', 'I', 'D'});
    test::append(b, {'L', 'I', 'S', 'T', 6, 0, 0, 0, 'I', 'N', 'F', 'O', 0, 0});
    test::append(b, {'d', 'a', 't', 'a', std::uint8_t(inner.size()), 0, 0, 0});
    test::append(b, inner);
    return b;
}

Bytes unknownChunkFirst()
{
    Bytes b = header(1, 1, 480);
    test::append(b, chunk("XFIH", {1, 2, 3}));
    test::append(b, chunk("MTrk", withEnd({0x00, 0x90, 0x3C, 0x40})));
    return b;
}

INSTANTIATE_TEST_SUITE_P(Cases, SmfReaderReads, ::testing::Values(
    Readable{"RunningStatus", smf(0, 96, {withEnd({0x00, 0x90, 0x3C, 0x40, 0x10, 0x3E, 0x40, 0x81, 0x00, 0xC0, 0x0A, 0x05, 0x0B})}), 96,
             {{{0, 0x90, 0x3C, 0x40}, {16, 0x90, 0x3E, 0x40}, {128, 0xC0, 0x0A, 0}, {5, 0xC0, 0x0B, 0}}}},
    Readable{"SkippedEventsCarryTheirDeltas",
             smf(0, 96, {withEnd({0x10, 0xF0, 0x02, 0x01, 0xF7, 0x20, 0xFF, 0x01, 0x01, 0x41, 0x05, 0x90, 0x3C, 0x40})}), 96,
             {{{0x35, 0x90, 0x3C, 0x40}}}},
    Readable{"RunningStatusSurvivesMeta", smf(0, 96, {withEnd({0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x01, 0x00, 0x02, 0x3C, 0x00})}), 96,
             {{{0, 0x90, 0x3C, 0x40}, {2, 0x90, 0x3C, 0x00}}}},
    Readable{"MissingEndOfTrack", smf(0, 96, {{0x00, 0x90, 0x3C, 0x40}}), 96, {{{0, 0x90, 0x3C, 0x40}}}},
    Readable{"BytesAfterEndOfTrackIgnored", smf(0, 96, {{0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 0x3C, 0x40}}), 96, {{}}},
    Readable{"UnknownChunkSkipped", unknownChunkFirst(), 480, {{{0, 0x90, 0x3C, 0x40}}}},
    Readable{"RiffWrapped", riffWrapped(), 96, {{{0, 0xC0, 0x0A, 0}}}},
    Readable{"FormatTwo", smf(2, 120, {withEnd({0x00, 0x90, 0x3C, 0x40}), withEnd({0x07, 0x91, 0x3E, 0x40})}), 120,
             {{{0, 0x90, 0x3C, 0x40}}, {{7, 0x91, 0x3E, 0x40}}}},
    // 25 frames of 40 ticks: 1000 ticks a second, 500 in a quarter at 120 bpm.
    Readable{"SmpteAtDefaultTempo", smf(0, 0xE728, {withEnd({0x00, 0x90, 0x3C, 0x40})}), 500, {{{0, 0x90, 0x3C, 0x40}}}},
    // The same at 60 bpm (tempo 1000000): a quarter lasts a second.
    Readable{"SmpteAtFileTempo", smf(0, 0xE728, {withEnd({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40})}), 1000, {{}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SmfReader, FirstTempoIsTheEarliestInAnyTrack)
{
    SmfReader reader;
    const Bytes tempo600k = {0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0};
    Bytes late = {0x60};
    test::append(late, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    Bytes second = {0x30};
    test::append(second, {0xFF, 0x51, 0x03, 0x06, 0x1A, 0x80});
    ASSERT_TRUE(reader.parse(smf(1, 96, {withEnd(late), withEnd(second)})));
    EXPECT_EQ(reader.firstTempo(), 400000u);
    ASSERT_TRUE(reader.parse(smf(1, 96, {withEnd({0x00, 0x90, 0x3C, 0x40})})));
    EXPECT_EQ(reader.firstTempo(), 500000u) << "no tempo event: the standard 120 bpm";
    ASSERT_TRUE(reader.parse(smf(0, 96, {withEnd(tempo600k)})));
    EXPECT_EQ(reader.firstTempo(), 600000u);
}

TEST(SmfReader, RewindReadsTheSameAgainAndFindMetaSeesTheFirstOfItsType)
{
    SmfReader reader;
    ASSERT_TRUE(reader.parse(smf(0, 96, {withEnd({0x00, 0xFF, 0x01, 0x02, 'a', 'b', 0x00, 0xFF, 0x01, 0x01, 'c',
                                                   0x00, 0x90, 0x3C, 0x40})})));
    MidiEvent first[4], second[4];
    ASSERT_EQ(reader.read(0, first, 4), 1u);
    reader.rewind();
    ASSERT_EQ(reader.read(0, second, 4), 1u);
    EXPECT_EQ(first[0], second[0]);

    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    ASSERT_TRUE(reader.findMeta(0, 0x01, &data, &length));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), length), "ab");
    EXPECT_FALSE(reader.findMeta(0, 0x58, &data, &length));
    EXPECT_FALSE(reader.findMeta(1, 0x01, &data, &length));
}

TEST(SmfReader, ReadsInPiecesNoLargerThanAsked)
{
    Bytes body;
    for (int i = 0; i < 100; ++i)
        test::append(body, {0x01, 0x90, std::uint8_t(i), 0x40});
    SmfReader reader;
    ASSERT_TRUE(reader.parse(smf(0, 96, {withEnd(body)})));
    MidiEvent out[30];
    std::uint32_t total = 0, n;
    while ((n = reader.read(0, out, 30)) > 0) {
        EXPECT_LE(n, 30u);
        EXPECT_EQ(out[0].data1, total);
        total += n;
    }
    EXPECT_EQ(total, 100u);
}

}  // namespace
}  // namespace zembra
