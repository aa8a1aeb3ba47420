#include "midi/midi_file.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/sync_clock.h"

#include "midi_csv.h"
#include "smf_bytes.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zembra {
namespace {

using test::Bytes;

const std::string kData = ZEMBRA_TEST_DATA "/midi/";

std::string writeTemp(const std::string& name, const Bytes& bytes)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

class MidiFileTest : public ::testing::Test {
protected:
    MidiToolkit toolkit{ToolkitOptions::manual(std::make_shared<ManualTimeSource>())};
};

TEST_F(MidiFileTest, WrongModeClosedFileOrForeignTrackReturnZeroAndTouchNothing)
{
    MidiFile closed(toolkit);
    MidiTrack track;
    track.Append({7, 0x90, 60, 1, 0});
    std::vector<std::uint8_t> data{1, 2, 3};
    const std::uint8_t text[] = "x";
    EXPECT_EQ(closed.AddTrack(&track), 0);
    EXPECT_EQ(closed.ReadTrack(&track), 0);
    EXPECT_EQ(closed.WriteTrack(&track), 0);
    EXPECT_EQ(closed.ReadAll(), 0);
    EXPECT_EQ(closed.ReadMeta(&track, 1, data), -1);
    EXPECT_EQ(closed.WriteMeta(&track, 1, text, 0), 0);
    EXPECT_EQ(closed.Rewind(), 0);
    EXPECT_EQ(closed.Resolution(), 0);
    EXPECT_EQ(closed.RemoveTrack(&track), 0);

    MidiFile reading(toolkit);
    ASSERT_TRUE(reading.Open(kData + "csvmidi-format1.mid", 'r', 0));
    MidiTrack foreign;
    EXPECT_EQ(reading.ReadTrack(&foreign), 0) << "not added";
    reading.AddTrack(&track);
    EXPECT_EQ(reading.WriteTrack(&track), 0) << "wrong mode";
    EXPECT_EQ(reading.WriteMeta(&track, 1, text, 0), 0) << "wrong mode";

    MidiFile writing(toolkit);
    ASSERT_TRUE(writing.Open(::testing::TempDir() + "zembra-modes.mid", 'w', 0));
    MidiTrack other;
    writing.AddTrack(&other);
    EXPECT_EQ(writing.ReadTrack(&other), 0) << "wrong mode";
    EXPECT_EQ(writing.ReadAll(), 0);
    EXPECT_EQ(writing.ReadMeta(&other, 1, data), -1);

    EXPECT_EQ(track.Count(), 1u);
    EXPECT_EQ(track.Event(0)->time, 7u);
}

TEST_F(MidiFileTest, ASecondTrackForcesFormatOneAndCloseLeavesTheTracksAlive)
{
    MidiFile file(toolkit);
    ASSERT_TRUE(file.Open(::testing::TempDir() + "zembra-format.mid", 'w', 0));
    MidiTrack a, b, c;
    file.AddTrack(&a);
    EXPECT_EQ(file.Format(), 0u);
    file.AddTrack(&b);
    EXPECT_EQ(file.Format(), 1u);
    file.AddTrack(&c);
    EXPECT_EQ(file.RemoveTrack(&b), 1);
    EXPECT_EQ(file.RemoveTrack(&b), 0);
    file.AddTrack(&b);
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(file.AddedTrackCount(), 0u);
    EXPECT_EQ(file.TrackCount(), 0u);
    EXPECT_EQ(a.File(), nullptr);
    EXPECT_EQ(b.Capacity(), 8192u);
}

TEST_F(MidiFileTest, ReadingGrowsTheTrackByWhatWasAlreadyRead)
{
    Bytes body;
    for (int i = 0; i < 20000; ++i)
        test::append(body, {0x01, 0x90, std::uint8_t(i % 128), 0x40});
    const std::string path = writeTemp("zembra-20000.mid", test::smf(1, 96, {body, {0x00, 0xFF, 0x2F, 0x00}}));

    MidiFile file(toolkit);
    ASSERT_TRUE(file.Open(path, 'r', 0));
    EXPECT_EQ(file.TrackCount(), 2u);
    MidiTrack big, empty;
    file.AddTrack(&big);
    file.AddTrack(&empty);
    EXPECT_EQ(file.ReadAll(), 1);
    EXPECT_EQ(big.Count(), 20000u);
    EXPECT_EQ(big.Capacity(), 32768u) << "8192, then 16384, then 32768";
    EXPECT_EQ(big.Cursor(), 0u);
    EXPECT_EQ(big.Event(19999)->data1, 19999 % 128);
    EXPECT_EQ(empty.Count(), 0u);
    file.Rewind();
    EXPECT_EQ(file.ReadTrack(&empty), 0) << "an empty track reads nothing";
}

TEST_F(MidiFileTest, ReadMetaCopiesTheDataAndTheFileTempoReachesTheClock)
{
    SyncClock clock(toolkit);
    ASSERT_TRUE(clock.Open());
    clock.SetTempo(750000);

    MidiFile file(toolkit);
    ASSERT_TRUE(file.Open(kData + "csvmidi-format1.mid", 'r', 0));
    EXPECT_EQ(file.Format(), 1u);
    EXPECT_EQ(file.Resolution(), 480);
    MidiTrack tracks[3];
    for (MidiTrack& t : tracks)
        file.AddTrack(&t);
    EXPECT_EQ(clock.GetTempo(), 750000u) << "opening alone changes nothing";
    ASSERT_EQ(file.ReadAll(), 1);
    EXPECT_EQ(clock.GetTempo(), 400000u) << "the file's first tempo, not its later change";

    std::vector<std::uint8_t> data;
    EXPECT_EQ(file.ReadMeta(&tracks[0], 0x58, data), 0);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{3, 2, 24, 8}));
    EXPECT_EQ(file.ReadMeta(&tracks[0], 0x59, data), 0);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0xFD, 0x01}));
    EXPECT_EQ(file.ReadMeta(&tracks[0], 0x01, data), 0);
    EXPECT_EQ(std::string(data.begin(), data.end()), "<TL>Fixture</TL>");
}

TEST_F(MidiFileTest, ReadMetaThatFindsNothingLeavesNoBytes)
{
    MidiFile reading(toolkit);
    ASSERT_TRUE(reading.Open(kData + "csvmidi-format1.mid", 'r', 0));
    MidiTrack tracks[3];
    for (MidiTrack& t : tracks)
        reading.AddTrack(&t);
    MidiTrack foreign;
    MidiFile writing(toolkit);
    ASSERT_TRUE(writing.Open(::testing::TempDir() + "zembra-meta-modes.mid", 'w', 0));
    MidiTrack written;
    writing.AddTrack(&written);
    MidiFile closed(toolkit);

    struct Case {
        const char* what;
        MidiFile* file;
        MidiTrack* track;
        std::uint8_t type;
    };
    const Case cases[] = {
        {"a type the track lacks", &reading, &tracks[1], 0x58},
        {"a track that was not added", &reading, &foreign, 0x58},
        {"a file open for writing", &writing, &written, 0x58},
        {"a closed file", &closed, &tracks[0], 0x58},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> data{9, 9, 9};
        EXPECT_EQ(c.file->ReadMeta(c.track, c.type, data), -1) << c.what;
        EXPECT_TRUE(data.empty()) << c.what << ": no old bytes";
    }
    std::vector<std::uint8_t> data{9, 9, 9};
    EXPECT_EQ(reading.ReadMeta(&tracks[0], 0x58, data), 0) << "present: the bytes replace the old ones";
    EXPECT_EQ(data, (std::vector<std::uint8_t>{3, 2, 24, 8}));
}

TEST_F(MidiFileTest, AFileThatCannotBeReadFailsToOpenWithTheReason)
{
    MidiFile file(toolkit);
    EXPECT_FALSE(file.Open(writeTemp("zembra-text.mid", {'h', 'i', '!', '!', '!', '!', '!', '!'}), 'r', 0));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NE(file.ErrorText().find("expected MThd"), std::string::npos) << file.ErrorText();
    EXPECT_FALSE(file.Open(::testing::TempDir() + "zembra-missing.mid", 'r', 0));
    EXPECT_FALSE(file.Open(::testing::TempDir(), 'r', 0)) << "a folder";
}

struct Fixture {
    const char* mid;
    const char* csv;
};

class ForeignFiles : public ::testing::TestWithParam<Fixture> {};

// Files made by programs that are not ours read exactly as the text they were made from.
TEST_P(ForeignFiles, ReadAsTheirText)
{
    MidiToolkit toolkit{ToolkitOptions::manual(std::make_shared<ManualTimeSource>())};
    const auto records = test::parseCsv(test::readText(kData + GetParam().csv));
    ASSERT_EQ(records.at(0).type, "Header");
    const auto expected = test::channelEvents(records);

    MidiFile file(toolkit);
    ASSERT_TRUE(file.Open(kData + GetParam().mid, 'r', 0)) << file.ErrorText();
    EXPECT_EQ(file.Format(), std::stoul(records[0].fields[0]));
    ASSERT_EQ(file.TrackCount(), std::stoul(records[0].fields[1]));
    EXPECT_EQ(file.Resolution(), std::stoi(records[0].fields[2]));
    std::vector<std::unique_ptr<MidiTrack>> tracks;
    for (std::uint32_t i = 0; i < file.TrackCount(); ++i) {
        tracks.push_back(std::make_unique<MidiTrack>());
        file.AddTrack(tracks.back().get());
    }
    ASSERT_EQ(file.ReadAll(), 1);
    for (std::uint32_t i = 0; i < file.TrackCount(); ++i) {
        const auto want = expected.count(int(i + 1)) ? expected.at(int(i + 1)) : std::vector<test::TimedEvent>{};
        EXPECT_EQ(test::absolute(tracks[i]->EventArray().data(), tracks[i]->Count()), want) << "track " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ForeignFiles, ::testing::Values(
    Fixture{"csvmidi-format1.mid", "csvmidi-format1.csv"},
    Fixture{"abc2midi-tune.mid", "abc2midi-tune.csv"}));

}  // namespace
}  // namespace zembra
