#include "midi/midi_file.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/smf_writer.h"

#include "midi_csv.h"
#include "smf_bytes.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace zembra {
namespace {

using test::Bytes;

Bytes fileBytes(const std::string& path)
{
    const std::string text = test::readText(path);
    return Bytes(text.begin(), text.end());
}

std::string tempPath(const std::string& name)
{
    return ::testing::TempDir() + name;
}

// A folder of this test's own, so that what is left beside a file can be counted.
std::string ownFolder(const std::string& name)
{
    const std::string folder = tempPath(name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

class SmfWriterTest : public ::testing::Test {
protected:
    MidiToolkit toolkit{ToolkitOptions::manual(std::make_shared<ManualTimeSource>())};
};

// The song file as the program saves it: format 0, 96 ticks, tempo and time signature
// handed over with length 0, the track's name, then its channel events.
TEST_F(SmfWriterTest, SongFileIsWrittenByteForByte)
{
    const std::string folder = ownFolder("zembra-golden");
    const std::string path = folder + "/golden.mid";
    MidiTrack track;
    track.SetName("MusicBox");
    track.Append({0, 0xC0, 10, 0, 0});
    track.Append({0, 0x90, 60, 0, 0});
    track.Append({0, 0x90, 60, 100, 0});
    track.Append({200, 0x90, 62, 100, 0});
    track.Append({384, 0x90, 62, 0, 0});

    MidiFile file(toolkit);
    ASSERT_TRUE(file.Open(path, 'w', 0));
    ASSERT_EQ(file.AddTrack(&track), 1);
    file.SetResolution(96);
    const std::uint8_t tempo[] = {0x07, 0xA1, 0x20};
    const std::uint8_t timeSignature[] = {0x04, 0x02, 0x18, 0x08};
    EXPECT_EQ(file.WriteMeta(&track, 0x51, tempo, 0), 1);
    EXPECT_EQ(file.WriteMeta(&track, 0x58, timeSignature, 0), 1);
    EXPECT_EQ(file.WriteTrack(&track), 1);
    ASSERT_TRUE(file.Close());

    const Bytes expected = {
        'M', 'T', 'h', 'd', 0x00, 0x00, 0x00, 0x06,  // header chunk, 6 bytes
        0x00, 0x00,                                  // format 0
        0x00, 0x01,                                  // one track
        0x00, 0x60,                                  // 96 ticks per quarter note
        'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x34,  // track chunk, 52 bytes
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,    // tempo 500000: exactly three bytes
        0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,  // 4/4: four bytes, whatever their values
        0x00, 0xFF, 0x03, 0x08, 'M', 'u', 's', 'i', 'c', 'B', 'o', 'x',  // track name up to its NUL
        0x00, 0xC0, 0x0A,                            // program 10 (music box), no running status
        0x00, 0x90, 0x3C, 0x00,                      // the key's previous pluck ends...
        0x00, 0x90, 0x3C, 0x64,                      // ...and it is struck again
        0x81, 0x48, 0x90, 0x3E, 0x64,                // delta 200 = 0x81 0x48
        0x83, 0x00, 0x90, 0x3E, 0x00,                // delta 384 = 0x83 0x00: the closing bar
        0x00, 0xFF, 0x2F, 0x00,                      // end of track
    };
    EXPECT_EQ(fileBytes(path), expected);
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"golden.mid"}) << "nothing is left beside the file";
}

struct VlqCase {
    std::uint32_t delta;
    Bytes encoded;
};

TEST(SmfWriter, DeltaTimesUseTheShortestVariableLength)
{
    const VlqCase cases[] = {
        {0, {0x00}}, {0x7F, {0x7F}}, {0x80, {0x81, 0x00}}, {0x2000, {0xC0, 0x00}}, {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}}, {0x1FFFFF, {0xFF, 0xFF, 0x7F}}, {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const VlqCase& c : cases) {
        SmfWriter writer;
        const MidiEvent e{c.delta, 0xC0, 1, 0, 0};
        ASSERT_EQ(writer.writeEvents(0, &e, 1), 1u);
        const Bytes image = writer.image(0);
        const Bytes body(image.begin() + 22, image.end() - 4);
        Bytes expected = c.encoded;
        test::append(expected, {0xC0, 0x01});
        EXPECT_EQ(body, expected) << "delta " << c.delta;
    }
}

TEST(SmfWriter, EventsAFileCannotCarryAreLeftOutAndTheirTimeKept)
{
    SmfWriter writer;
    const MidiEvent events[] = {
        {5, 0x3C, 1, 2, 0},           // no status
        {5, 0xF8, 0, 0, 0},           // a system message has no place in a track
        {5, 0x90, 0x80, 1, 0},        // data byte with its top bit set
        {5, 0x90, 60, 100, 0},
        {0xFFFFFFFF, 0xC0, 3, 0, 0},  // "at once" is written at the previous event's time
    };
    EXPECT_EQ(writer.writeEvents(0, events, 5), 2u);
    const Bytes image = writer.image(0);
    const Bytes body(image.begin() + 22, image.end() - 4);
    EXPECT_EQ(body, (Bytes{20, 0x90, 60, 100, 0x00, 0xC0, 0x03}));
}

TEST(SmfWriter, FormatZeroWithSeveralTracksIsWrittenAsFormatOne)
{
    SmfWriter writer;
    const MidiEvent e{0, 0xC0, 1, 0, 0};
    writer.writeEvents(1, &e, 1);
    const Bytes image = writer.image(0);
    EXPECT_EQ(image[9], 1) << "format";
    EXPECT_EQ(image[11], 2) << "track count";
}

TEST(SmfWriter, AFailedSaveLeavesTheOldFileAndNoLitter)
{
    const std::string dir = tempPath("zembra-no-such-dir/x/");
    SmfWriter writer;
    EXPECT_FALSE(writer.open(dir + "song.mid"));
    EXPECT_NE(writer.error().find("cannot create"), std::string::npos);

    const std::string folder = ownFolder("zembra-keep");
    const std::string path = folder + "/keep.mid";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fputs("old", f);
        std::fclose(f);
    }
    {
        SmfWriter abandoned;
        ASSERT_TRUE(abandoned.open(path));
    }
    EXPECT_EQ(test::readText(path), "old");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"keep.mid"}) << "the abandoned file is gone";
}

// Our writer's output, read by a program that is not ours.
TEST_F(SmfWriterTest, MidicsvReadsBackWhatWasWritten)
{
    if (!test::haveProgram("midicsv"))
        GTEST_SKIP() << "midicsv is not installed";
    const std::string path = tempPath("zembra-crosscheck.mid");
    MidiTrack first, second;
    first.SetName("Tune");
    for (int i = 0; i < 300; ++i) {
        const std::uint32_t delta = (i * 37) % 500 + (i == 150 ? 70000 : 0);
        const MidiEvent kinds[] = {
            {delta, std::uint8_t(0x90 | (i % 16)), std::uint8_t(i % 128), std::uint8_t(i % 127 + 1), 0},
            {delta, std::uint8_t(0x80 | (i % 3)), std::uint8_t(i % 128), 64, 0},
            {delta, 0xB0, 7, std::uint8_t(i % 128), 0},
            {delta, 0xC1, std::uint8_t(i % 128), 0, 0},
            {delta, 0xE2, std::uint8_t(i % 128), std::uint8_t((i * 3) % 128), 0},
            {delta, 0xD3, 99, 0, 0},
            {delta, 0xA4, 60, 20, 0},
        };
        const MidiEvent e = kinds[i % 7];
        (i % 2 ? second : first).Append(e);
    }
    MidiFile file(toolkit);
    ASSERT_TRUE(file.Open(path, 'w', 0));
    file.AddTrack(&first);
    file.AddTrack(&second);
    file.SetResolution(480);
    const std::uint8_t tempo[] = {0x09, 0x27, 0xC0};
    file.WriteMeta(&first, 0x51, tempo, 0);
    ASSERT_EQ(file.WriteTrack(&first), 1);
    ASSERT_EQ(file.WriteTrack(&second), 1);
    ASSERT_TRUE(file.Close());

    const auto csv = test::runCommand("midicsv '" + path + "'");
    ASSERT_TRUE(csv) << "midicsv refused our file";
    const auto records = test::parseCsv(*csv);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].type, "Header");
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"1", "2", "480"}));
    bool sawTempo = false, sawName = false;
    for (const auto& r : records) {
        sawTempo |= r.type == "Tempo" && r.track == 1 && r.fields == std::vector<std::string>{"600000"};
        sawName |= r.type == "Title_t" && r.track == 1 && r.fields == std::vector<std::string>{"\"Tune\""};
    }
    EXPECT_TRUE(sawTempo);
    EXPECT_TRUE(sawName);
    const auto tracks = test::channelEvents(records);
    EXPECT_EQ(tracks.at(1), test::absolute(first.EventArray().data(), first.Count()));
    EXPECT_EQ(tracks.at(2), test::absolute(second.EventArray().data(), second.Count()));
}

}  // namespace
}  // namespace zembra
