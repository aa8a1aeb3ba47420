#include "canvas/canvas_palette.h"
#include "canvas/kelp_view.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace zembra {
namespace {

class ViewPaint : public testing::Test {
protected:
    void SetUp() override
    {
        view.resize(1000, 560);
        view.show();
        palette = CanvasPalette::FromPalette(view.palette());
        view.PaintOffscreen(); // the first paint carries the hint; later ones do not
    }

    int addNote(int left, int top, bool selected = false)
    {
        SongState& song = view.song();
        const int slot = song.AllocateNote(left, top);
        song.NormaliseNote(slot);
        song.notes[slot].selected = selected ? 1 : 0;
        return slot;
    }

    QRgb pixel(int x, int y) const { return view.offscreen().pixel(x, y); }

    CKelpView view;
    CanvasPalette palette;
};

TEST_F(ViewPaint, NoteTilesSitWhereTheGeometryPutsThem)
{
    addNote(100, 50);              // top row: client x 120..128, y 50..62
    addNote(300, 434, true);       // bottom row, selected
    view.PaintOffscreen();
    EXPECT_EQ(pixel(124, 56), palette.noteFace.rgb());
    EXPECT_EQ(pixel(120, 50), palette.edgeHighlight.rgb()) << "raised: lit from the top left";
    EXPECT_EQ(pixel(127, 61), palette.edgeShadow.rgb());
    EXPECT_EQ(pixel(324, 440), palette.selectedFace.rgb());
    EXPECT_EQ(pixel(320, 434), palette.edgeShadow.rgb()) << "selected tiles look pressed in";
    EXPECT_NE(pixel(124, 70), palette.noteFace.rgb()) << "nothing on the row below";
    EXPECT_EQ(view.song().noteCount, 2);
    EXPECT_EQ(view.song().selectedCount, 1);
    EXPECT_EQ(view.paneText(kPaneNoteCount), QStringLiteral("    2"));
    EXPECT_EQ(view.paneText(kPaneTempo), QStringLiteral("  120"));
    EXPECT_EQ(view.paneText(kPaneKey), QStringLiteral(" 0 (C Am)"));
}

TEST_F(ViewPaint, RowLinesUnderCRowsUseTheCPen)
{
    // Away from the beat lines (every 24 pixels) and from the note tiles.
    const int x = 20 + 50;
    EXPECT_EQ(pixel(x, 446), palette.cRowLine.rgb());         // under row 0, C
    EXPECT_EQ(pixel(x, 434), palette.rowLine.rgb());          // under row 1, D
    EXPECT_EQ(pixel(x, 314), palette.cRowLine.rgb());         // under row 11, C (72)
    EXPECT_EQ(pixel(x, 170), palette.cRowLine.rgb());         // under row 23, C (84)
    EXPECT_EQ(pixel(20 + 96, 300), palette.rowLine.rgb());    // bar line
    EXPECT_EQ(pixel(20 + 24, 300), palette.beatLine.rgb());   // beat line
    EXPECT_EQ(pixel(x, 300), palette.background.rgb());
}

TEST_F(ViewPaint, RowNamesStayWhileTheCanvasScrolls)
{
    addNote(0, 50);
    view.PaintOffscreen();
    const QImage before = view.offscreen().copy();
    EXPECT_EQ(pixel(24, 56), palette.noteFace.rgb());
    view.setScrollX(96);
    view.PaintOffscreen();
    EXPECT_EQ(view.scrollX(), 96);
    const QImage after = view.offscreen();
    EXPECT_EQ(before.copy(0, 50, 20, 396), after.copy(0, 50, 20, 396)) << "row names must not move";
    EXPECT_NE(pixel(24, 56), palette.noteFace.rgb()) << "the note scrolled out of view";
    // The grid moved with the notes: the bar line of canvas x 192 is now at client x 116.
    EXPECT_EQ(pixel(116, 300), palette.rowLine.rgb());
}

TEST_F(ViewPaint, RepaintTidiesTheStore)
{
    SongState& song = view.song();
    song.notes[0] = {2300, 100, 2308, 112, 1, 0, 0, {}}; // falls off the canvas end
    song.notes[1] = {96, 45, 104, 57, 0, 0, 0, {}};      // onto the top row
    view.PaintOffscreen();
    EXPECT_EQ(song.noteCount, 1);
    EXPECT_EQ(song.selectedCount, 0);
    EXPECT_EQ(song.notes[1].top, 50);
    EXPECT_EQ(song.musicLength, 192);
    EXPECT_EQ(view.occupancy().SlotAt(96, 32), 1);
}

TEST_F(ViewPaint, ZeroBeatsPerBarPaintsWithoutFault)
{
    view.song().beatsPerBar = 0;
    view.UpdateScrollSizes();
    addNote(50, 100);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 1);
}

} // namespace
} // namespace zembra
