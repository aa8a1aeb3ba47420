// The hole-spacing check on the canvas: command 32801, the shading and status pane 4.
#include "canvas/canvas_palette.h"
#include "canvas/kelp_view.h"
#include "services/command_ids.h"
#include "services/paint_device_metrics.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

class TooCloseMarks : public testing::Test {
protected:
    void SetUp() override
    {
        SetLastPrintMetrics({});
        view.resize(1000, 560);
        view.show();
        palette = CanvasPalette::FromPalette(view.palette());
        view.PaintOffscreen();
    }

    void addNote(int left, int top)
    {
        SongState& song = view.song();
        const int slot = song.AllocateNote(left, top);
        song.NormaliseNote(slot);
        ++song.noteCount;
    }

    QRgb pixel(int x, int y) const { return view.offscreen().pixel(x, y); }

    CKelpView view;
    CanvasPalette palette;
};

TEST_F(TooCloseMarks, ShadesTheCloseNotesAndCountsThemInPaneFour)
{
    view.song().barLengthMm = 15; // 52 canvas pixels must lie between notes of one row
    addNote(100, 170);
    addNote(140, 170);
    addNote(400, 170);
    view.PaintOffscreen();
    EXPECT_EQ(view.paneText(kPaneDistanceCheck), QStringLiteral("    0"));
    const QRgb beforeShade = pixel(20 + 120, 172);

    ASSERT_TRUE(view.OnCommand(cmd::kDistanceCheck));
    EXPECT_EQ(view.song().distanceCheckMode, 1);
    EXPECT_TRUE(view.facts().distanceCheckMode);
    view.PaintOffscreen();
    EXPECT_EQ(view.paneText(kPaneDistanceCheck), QStringLiteral("    1"));
    // Between the two close notes, and from 2 pixels before the first, the shading shows.
    EXPECT_EQ(pixel(20 + 120, 172), palette.edgeShadow.rgb());
    EXPECT_EQ(pixel(20 + 98, 169), palette.edgeShadow.rgb());
    EXPECT_NE(pixel(20 + 97, 172), palette.edgeShadow.rgb());
    EXPECT_NE(pixel(20 + 300, 172), palette.edgeShadow.rgb()); // the far note is fine
    EXPECT_NE(beforeShade, palette.edgeShadow.rgb());

    ASSERT_TRUE(view.OnCommand(cmd::kDistanceCheck));
    view.PaintOffscreen();
    EXPECT_EQ(view.paneText(kPaneDistanceCheck), QStringLiteral("    0"));
    EXPECT_EQ(pixel(20 + 120, 172), beforeShade);
}

TEST_F(TooCloseMarks, OneNoteLeftShowsMinusOne)
{
    addNote(100, 170);
    addNote(140, 170);
    view.PaintOffscreen();
    ASSERT_TRUE(view.OnCommand(cmd::kDistanceCheck));
    view.song().SelectAll();
    view.song().notes[0].selected = 0;
    view.song().DeleteSelected();
    view.PaintOffscreen();
    EXPECT_EQ(view.paneText(kPaneDistanceCheck), QStringLiteral("   -1"));
}

TEST_F(TooCloseMarks, BarLengthZeroMeasuresWithThePrinterBeforeAnyJob)
{
    // A 0 distance would pass every note; the printable width of the default page is used instead.
    view.song().barLengthMm = 0;
    addNote(100, 170);
    addNote(101, 170);
    ASSERT_TRUE(view.OnCommand(cmd::kDistanceCheck));
    view.PaintOffscreen();
    EXPECT_EQ(view.paneText(kPaneDistanceCheck), QStringLiteral("    1"));
}

TEST_F(TooCloseMarks, NotOfferedWithFewerThanTwoNotes)
{
    addNote(100, 170);
    view.PaintOffscreen();
    EXPECT_FALSE(view.OnCommand(cmd::kDistanceCheck));
    EXPECT_EQ(view.song().distanceCheckMode, 0);
}

} // namespace
} // namespace zembra
