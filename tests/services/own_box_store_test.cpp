// The box of one's own kept in the data folder, the boxes a song may move onto, and the box the
// program starts on.
#include "services/chosen_box.h"
#include "services/music_box_file.h"
#include "services/own_box_store.h"
#include "services/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zembra {
namespace {

const QByteArray kFifteen = R"({"name": "Mine", "notes": ["C4", "D4", "E4", "F4", "G4", "A4", "B4", "C5", "D5",
  "E5", "F5", "G5", "A5", "B5", "C6"], "stripWidthMm": 41, "firstRowMm": 6.5, "rowPitchMm": 2, "holeMm": 1.8,
  "shortestRepeatMm": 8, "paperPerTurnMm": 6.1})";

class OwnBoxStore : public testing::Test {
protected:
    void SetUp() override { forget(); }
    void TearDown() override { forget(); }
    static void forget()
    {
        QSettings().clear();
        QFile::remove(OwnBoxPath());
    }
};

std::vector<std::string> ids(const std::vector<MusicBox>& boxes)
{
    std::vector<std::string> found;
    for (const MusicBox& box : boxes) {
        found.push_back(box.id + (box.name == "Mine" ? ":Mine" : ""));
    }
    return found;
}

TEST_F(OwnBoxStore, KeepsAGoodBoxInTheDataFolderAndRefusesABadOne)
{
    EXPECT_FALSE(StoredOwnBox());
    EXPECT_EQ(QFileInfo(OwnBoxPath()).absolutePath(),
              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    QString error;
    ASSERT_TRUE(KeepOwnBox(kFifteen, &error)) << error.toStdString();
    ASSERT_TRUE(StoredOwnBox());
    EXPECT_EQ(StoredOwnBox()->name, "Mine");
    EXPECT_EQ(StoredOwnBox()->id, kOwnBoxId);
    EXPECT_EQ(StoredOwnBox()->notes, FindBuiltInBox("15")->notes);

    QByteArray bad = kFifteen;
    bad.replace("\"rowPitchMm\": 2", "\"rowPitchMm\": -2");
    EXPECT_FALSE(KeepOwnBox(bad, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("\"rowPitchMm\""))) << error.toStdString();
    EXPECT_FALSE(KeepOwnBox("not a box", nullptr));
    ASSERT_TRUE(StoredOwnBox()) << "what was kept before stays";
    EXPECT_EQ(StoredOwnBox()->notes, FindBuiltInBox("15")->notes);

    // A kept file spoilt outside the program is no box.
    QFile spoilt(OwnBoxPath());
    ASSERT_TRUE(spoilt.open(QIODevice::WriteOnly | QIODevice::Truncate));
    spoilt.write("{");
    spoilt.close();
    EXPECT_FALSE(StoredOwnBox());
}

TEST_F(OwnBoxStore, AFolderWhereTheFileShouldBeIsReported)
{
    ASSERT_TRUE(QDir().mkpath(OwnBoxPath()));
    QString error;
    EXPECT_FALSE(KeepOwnBox(kFifteen, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(OwnBoxPath()))) << error.toStdString();
    ASSERT_TRUE(QDir(OwnBoxPath()).removeRecursively());
}

TEST_F(OwnBoxStore, ChoicesAreTheSongsBoxTheBuiltInOnesAndTheKeptOneEachOnce)
{
    auto song = std::make_unique<SongState>();
    EXPECT_EQ(ids(BoxChoices(*song)), (std::vector<std::string>{"33", "30F", "30", "20", "15"}));
    song->UseBox(*FindBuiltInBox("20"));
    EXPECT_EQ(ids(BoxChoices(*song)), (std::vector<std::string>{"20", "33", "30F", "30", "15"}));

    ASSERT_TRUE(KeepOwnBox(kFifteen, nullptr));
    EXPECT_EQ(ids(BoxChoices(*song)), (std::vector<std::string>{"20", "33", "30F", "30", "15", "own:Mine"}));
    song->UseBox(*StoredOwnBox());
    EXPECT_EQ(ids(BoxChoices(*song)), (std::vector<std::string>{"own:Mine", "33", "30F", "30", "20", "15"}));
    // A song made on another box of one's own offers both.
    MusicBox other = *StoredOwnBox();
    other.name = "Another";
    song->UseBox(other);
    EXPECT_EQ(ids(BoxChoices(*song)), (std::vector<std::string>{"own", "33", "30F", "30", "20", "15", "own:Mine"}));
}

TEST_F(OwnBoxStore, TheProgramStartsOnTheBoxChosenLast)
{
    EXPECT_EQ(StartingBox().id, "33");
    RememberChosenBox(*FindBuiltInBox("30F"));
    EXPECT_EQ(settings::LastBoxId(), QStringLiteral("30F"));
    EXPECT_EQ(StartingBox().id, "30F");

    RememberChosenBox(MusicBox{kOwnBoxId, "Mine", {}, {}, {}});
    EXPECT_EQ(StartingBox().id, "33") << "the own box, but none is kept";
    ASSERT_TRUE(KeepOwnBox(kFifteen, nullptr));
    EXPECT_EQ(StartingBox().name, "Mine");

    settings::RememberLastBoxId(QStringLiteral("31"));
    EXPECT_EQ(StartingBox().id, "33") << "an id no box has";
}

} // namespace
} // namespace zembra
