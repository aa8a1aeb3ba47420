#include "model/crank.h"
#include "model/tuning.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

struct CrankRow {
    const char* box;
    double beatsPerMinute;
    int beatsPerBar;
    double barLengthMm;
    int bars;
    double turnsPerMinute;
    bool tooFast;
};

class Crank : public testing::TestWithParam<CrankRow> {};

TEST_P(Crank, FollowsTempoBarAndPaperPerTurn)
{
    const CrankRow& row = GetParam();
    auto song = std::make_unique<SongState>();
    song->UseBox(*FindBuiltInBox(row.box));
    song->ResetSong();
    song->tempo = 60.0e6 / row.beatsPerMinute;
    song->beatsPerBar = row.beatsPerBar;
    song->musicLength = row.bars * song->barWidth();
    const CrankFigures figures = ComputeCrank(*song, row.barLengthMm);
    ASSERT_TRUE(figures.valid);
    EXPECT_NEAR(figures.turnsPerMinute, row.turnsPerMinute, 0.05);
    EXPECT_EQ(figures.tooFast, row.tooFast);
    // By hand: each bar takes beatsPerBar beats; the card is the leader and the bars.
    EXPECT_NEAR(figures.playingSeconds, row.bars * row.beatsPerBar * 60.0 / row.beatsPerMinute, 1e-9);
    EXPECT_NEAR(figures.cardLengthM, (20.0 + row.bars * row.barLengthMm) / 1000.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Boxes, Crank,
                         testing::Values(CrankRow{"33", 120, 4, 50, 24, 265.0, true},
                                         CrankRow{"33", 60, 4, 50, 24, 132.5, false},
                                         // 60 / 3 bars of 40 mm a minute over 300/45.5 mm a turn.
                                         CrankRow{"30", 60, 3, 40, 10, 800.0 * 45.5 / 300.0, false},
                                         CrankRow{"15", 100, 2, 30, 7, 1500.0 * 49.0 / 300.0, true}));

TEST(Crank, NeedsATempoABarAndALength)
{
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    EXPECT_FALSE(ComputeCrank(*song, 0).valid);
    song->tempo = 0;
    EXPECT_FALSE(ComputeCrank(*song, 50).valid);
}

struct CentsRow {
    Tuning tuning;
    int key;
    double cents;
};

class Cents : public testing::TestWithParam<CentsRow> {};

TEST_P(Cents, AgainstEqualTemperament)
{
    const KeyCents cents = TuningCents(GetParam().tuning, DefaultBox());
    EXPECT_NEAR(cents[static_cast<std::size_t>(GetParam().key)], GetParam().cents, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Tunings, Cents,
                         testing::Values(CentsRow{Tuning::Equal, 64, 0.0}, CentsRow{Tuning::Meantone, 60, 0.0},
                                         CentsRow{Tuning::Meantone, 64, -13.69}, CentsRow{Tuning::Meantone, 67, -3.42},
                                         CentsRow{Tuning::Meantone, 76, -13.69}, CentsRow{Tuning::Just, 64, -13.69},
                                         CentsRow{Tuning::Just, 67, 1.96}, CentsRow{Tuning::Just, 72, 0.0},
                                         CentsRow{Tuning::Just, 69, -15.64}));

TEST(Cents, AnOwnBoxGivesEachToothItsMeasure)
{
    MusicBox box = *FindBuiltInBox("15");
    box.centsPerTooth.assign(box.notes.size(), 0.0);
    box.centsPerTooth[2] = -7.5; // E4
    const KeyCents cents = TuningCents(Tuning::Box, box);
    EXPECT_DOUBLE_EQ(cents[64], -7.5);
    EXPECT_DOUBLE_EQ(cents[62], 0.0);
    for (const Tuning tuning : {Tuning::Equal, Tuning::Meantone, Tuning::Just, Tuning::Box}) {
        EXPECT_EQ(TuningFromName(TuningName(tuning)), tuning);
    }
    EXPECT_FALSE(TuningFromName("pythagorean"));
}

} // namespace
} // namespace zembra
