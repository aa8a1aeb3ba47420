#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "text/file_text.h"
#include "model/song_tags.h"
#include "document/song_writer.h"
#include "model/playback_list.h"
#include "song_fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zembra {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> folderEntries(const QTemporaryDir& dir)
{
    std::vector<std::string> names;
    for (const QString& name : QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        names.push_back(name.toStdString());
    }
    return names;
}

// A writing file whose track write reports a short count, as a full disk or a failing device
// would: the meta events and the track are already in the file being made.
class FailingTrackFile : public MidiFile {
public:
    int WriteTrack(MidiTrack* track) override
    {
        MidiFile::WriteTrack(track);
        return 0;
    }
};

class SongWriter : public testing::Test {
protected:
    SongWriter()
    {
        SongState& song = notes.song();
        song.title = "Song";
        song.author = "Me";
        song.barLengthMm = 50;
        song.pixelsPerQuarter = 24;
        song.barCount = 24;
        notes.add(0, 60);
        notes.add(48, 72);
        notes.add(48, 67);
        track.SetName("MusicBox");
    }

    SongWriteResult write(const std::string& path, MidiFile& into)
    {
        EXPECT_TRUE(BuildSongTrack(track, notes.song(), {}));
        return WriteSongFile(into, track, path, MakeSongFileHeader(notes.song(), notes.song().title, 500000));
    }
    SongWriteResult write(const std::string& path) { return write(path, file); }

    std::string pathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    QTemporaryDir dir;
    test::SongBuilder notes;
    MidiTrack track;
    MidiFile file;
};

// clang-format off
const Bytes kSmallSong = {
    'M', 'T', 'h', 'd', 0x00, 0x00, 0x00, 0x06,
    0x00, 0x00,                                  // format 0
    0x00, 0x01,                                  // one track
    0x00, 0x60,                                  // 96 ticks per quarter note
    'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x89,  // 137 bytes
    0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g',  // sequence name: the title
    0x00, 0xFF, 0x02, 0x02, 'M', 'e',            // copyright: the author
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,    // tempo 500000 us per quarter
    0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, // 4/4, 24 clocks per click, 8 32nds per quarter
    0x00, 0xFF, 0x01, 0x37,                      // text: the 55 bytes of tags
    '<', 'L', 'P', '>', '5', '0', '<', '/', 'L', 'P', '>',
    '<', 'H', 'P', '>', '2', '4', '<', '/', 'H', 'P', '>',
    '<', 'P', '>', '2', '4', '<', '/', 'P', '>',
    '<', 'T', 'L', '>', 'S', 'o', 'n', 'g', '<', '/', 'T', 'L', '>',
    '<', 'A', 'U', '>', 'M', 'e', '<', '/', 'A', 'U', '>',
    0x00, 0xFF, 0x03, 0x08, 'M', 'u', 's', 'i', 'c', 'B', 'o', 'x', // the song track's name
    0x00, 0xC0, 0x0A,                            // music box, program 10 from 0, channel 1
    0x00, 0x90, 0x3C, 0x00,                      // tick 0: C4 ends any earlier strike...
    0x00, 0x90, 0x3C, 0x40,                      // ...and is struck
    0x81, 0x40, 0x90, 0x43, 0x00,                // tick 192 (left 48 at 24 px): G4 before C5
    0x00, 0x90, 0x43, 0x40,
    0x00, 0x90, 0x48, 0x00,
    0x00, 0x90, 0x48, 0x40,
    0x83, 0x00, 0x90, 0x48, 0x00,                // one 4/4 bar (384 ticks) later: the end
    0x00, 0xFF, 0x2F, 0x00,                      // end of track
};
// clang-format on

TEST_F(SongWriter, SmallSongIsWrittenByteForByte)
{
    const std::string path = pathOf("small.mid");
    ASSERT_EQ(write(path).status, SongWriteStatus::Written);
    EXPECT_EQ(readBytes(path), kSmallSong);
    EXPECT_EQ(folderEntries(dir), std::vector<std::string>{"small.mid"}) << "no temporary file is left";
}

TEST_F(SongWriter, HeaderFieldsFollowTheSong)
{
    SongState& song = notes.song();
    song.beatsPerBar = 3;
    SongFileHeader header = MakeSongFileHeader(song, "", 0x123456);
    EXPECT_EQ(header.timeSignature, (std::array<std::uint8_t, 4>{3, 2, 24, 8}));
    EXPECT_EQ(header.tempo, (std::array<std::uint8_t, 3>{0x12, 0x34, 0x56}));
    EXPECT_EQ(header.tags, "<LP>50</LP><HP>24</HP><P>24</P><TL></TL><AU>Me</AU>");

    const std::string longTitle(300, 't');
    header = MakeSongFileHeader(song, longTitle, 500000);
    ASSERT_EQ(header.tags.size(), kMaxTagBytes);
    EXPECT_EQ(header.tags.back(), 't') << "the cut falls inside the title";
    EXPECT_EQ(header.tags.find("</TL>"), std::string::npos);
    EXPECT_EQ(TagTitle(header.tags), "");
    EXPECT_FALSE(HasTags(header.tags));
    EXPECT_EQ(header.title.size(), 300u) << "only the tag text is cut";
}

TEST_F(SongWriter, JapaneseTitleRoundTripsThroughTheTagReaders)
{
    const std::string title = "\xE3\x82\xAA\xE3\x83\xAB\xE3\x82\xB4\xE3\x83\xBC\xE3\x83\xAB"; // オルゴール
    notes.song().title = title;
    notes.song().author = "\xE7\xA7\x81"; // 私
    const std::string path = pathOf("japanese.mid");
    ASSERT_EQ(write(path).status, SongWriteStatus::Written);

    MidiFile reading;
    MidiTrack first;
    ASSERT_TRUE(reading.Open(path, 'r', 0));
    reading.AddTrack(&first);
    std::vector<std::uint8_t> data;
    ASSERT_NE(reading.ReadMeta(&first, 0x01, data), -1);
    const std::string stored(data.begin(), data.end());
    EXPECT_FALSE(IsValidUtf8(stored)) << "Japanese text is stored as CP932";
    const std::string text = DecodeFileText(stored);
    EXPECT_TRUE(HasTags(text));
    EXPECT_EQ(TagTitle(text), title);
    EXPECT_EQ(TagAuthor(text), "\xE7\xA7\x81");
    EXPECT_EQ(TagScale(text), 24);
    ASSERT_NE(reading.ReadMeta(&first, 0x03, data), -1);
    EXPECT_EQ(DecodeFileText(std::string(data.begin(), data.end())), title);
}

TEST_F(SongWriter, MidicsvReadsTheEventsBack)
{
    const QString midicsv = QStandardPaths::findExecutable(QStringLiteral("midicsv"));
    if (midicsv.isEmpty()) {
        GTEST_SKIP() << "midicsv is not installed";
    }
    const std::string path = pathOf("small.mid");
    ASSERT_EQ(write(path).status, SongWriteStatus::Written);
    QProcess process;
    process.start(midicsv, {QString::fromStdString(path)});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    const QString csv = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(csv.toStdString(),
              "0, 0, Header, 0, 1, 96\n"
              "1, 0, Start_track\n"
              "1, 0, Title_t, \"Song\"\n"
              "1, 0, Copyright_t, \"Me\"\n"
              "1, 0, Tempo, 500000\n"
              "1, 0, Time_signature, 4, 2, 24, 8\n"
              "1, 0, Text_t, \"<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU>\"\n"
              "1, 0, Title_t, \"MusicBox\"\n"
              "1, 0, Program_c, 0, 10\n"
              "1, 0, Note_on_c, 0, 60, 0\n"
              "1, 0, Note_on_c, 0, 60, 64\n"
              "1, 192, Note_on_c, 0, 67, 0\n"
              "1, 192, Note_on_c, 0, 67, 64\n"
              "1, 192, Note_on_c, 0, 72, 0\n"
              "1, 192, Note_on_c, 0, 72, 64\n"
              "1, 576, Note_on_c, 0, 72, 0\n"
              "1, 576, End_track\n"
              "0, 0, End_of_file\n");
}

TEST_F(SongWriter, FailureHalfWayLeavesThePreviousFileUntouched)
{
    const std::string path = pathOf("song.mid");
    const Bytes previous = {'M', 'T', 'h', 'd', 1, 2, 3};
    writeBytes(path, previous);
    FailingTrackFile failing;
    EXPECT_EQ(write(path, failing).status, SongWriteStatus::TrackIncomplete);
    EXPECT_EQ(readBytes(path), previous);
    EXPECT_EQ(folderEntries(dir), std::vector<std::string>{"song.mid"}) << "the half-made file is gone";
    EXPECT_FALSE(failing.IsOpen());
    EXPECT_EQ(track.File(), nullptr) << "the song track is free for the next save";
}

TEST_F(SongWriter, UnwritablePlacesAreRefusedAndKeepTheTarget)
{
    namespace fs = std::filesystem;
    EXPECT_EQ(write(pathOf("missing/song.mid")).status, SongWriteStatus::CannotCreate);

    const std::string protectedFile = pathOf("protected.mid");
    writeBytes(protectedFile, {1, 2, 3});
    fs::permissions(protectedFile, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(write(protectedFile).status, SongWriteStatus::CannotCreate) << "a read-only file is the user's to keep";
    EXPECT_EQ(readBytes(protectedFile), (Bytes{1, 2, 3}));

    const std::string folder = pathOf("folder.mid");
    fs::create_directory(folder);
    fs::create_directory(folder + "/inside");
    const SongWriteResult onFolder = write(folder);
    EXPECT_EQ(onFolder.status, SongWriteStatus::CannotCreate) << "refused before a byte is written";
    EXPECT_EQ(onFolder.problem.kind, TargetKind::Folder);
    EXPECT_TRUE(fs::is_directory(folder + "/inside"));
    fs::permissions(protectedFile, fs::perms::owner_all);
    EXPECT_EQ(folderEntries(dir), (std::vector<std::string>{"folder.mid", "protected.mid"}));
}

TEST_F(SongWriter, ReplacedFileKeepsItsAccess)
{
    namespace fs = std::filesystem;
    const std::string path = pathOf("shared.mid");
    writeBytes(path, {1});
    const fs::perms access = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, access);
    ASSERT_EQ(write(path).status, SongWriteStatus::Written);
    EXPECT_EQ(fs::status(path).permissions(), access);
    EXPECT_EQ(readBytes(path), kSmallSong);
}

} // namespace
} // namespace zembra
