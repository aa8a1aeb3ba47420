// The command line keeps a song file's box as the window does, unless --box chooses another.
#include "app/document_view_link.h"
#include "canvas/kelp_view.h"
#include "cli_process.h"
#include "document/kelp_doc.h"
#include "model/music_box.h"
#include "services/music_box_file.h"

#include "scoped_scripted_prompts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zembra {
namespace {

const char kOwnBoxFile[] =
    R"({"name": "Twelve", "notes": [60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79],)"
    R"( "stripWidthMm": 40, "firstRowMm": 6, "rowPitchMm": 2.5, "holeMm": 2, "shortestRepeatMm": 7,)"
    R"( "paperPerTurnMm": 5.5})";

// A song of `box` saved by the window: its lowest, its highest and a middle note.
QString SaveSong(const MusicBox& box, const QString& path)
{
    CKelpView view;
    CKelpDoc doc;
    LinkDocumentAndView(doc, view);
    SongState& song = view.song();
    song.UseBox(box);
    song.title = "Box " + box.id;
    view.UpdateScrollSizes();
    for (const auto& [left, row] : std::vector<std::pair<int, int>>{{0, 0}, {24, song.rowCount - 1}, {48, 4}}) {
        const int slot = song.AllocateNote(left, song.bandTopOfRow(row));
        EXPECT_TRUE(song.NormaliseNote(slot));
        ++song.noteCount;
    }
    EXPECT_TRUE(doc.WriteSong(path));
    return path;
}

TEST(CliSongBox, SongKeepsTheFileBoxUnlessTheBoxIsGiven)
{
    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const MusicBox own = *ReadMusicBoxFile(QByteArray(kOwnBoxFile)).box;
    for (const MusicBox& box : {*FindBuiltInBox("15"), *FindBuiltInBox("30F"), own}) {
        SCOPED_TRACE(box.id);
        const QString input = SaveSong(box, dir.filePath(QStringLiteral("in.mid")));
        const QString output = dir.filePath(QStringLiteral("out.mid"));
        CliResult result = RunZembra({QStringLiteral("song"), input, QStringLiteral("-o"), output});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(Contents(output), Contents(input)) << "the song comes back as it was saved";

        // Asked for the 33-note box, the song is arranged anew for it: no box tag, no definition.
        result = RunZembra({QStringLiteral("song"), input, QStringLiteral("-o"), output, QStringLiteral("--box"),
                            QStringLiteral("33")});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QByteArray arranged = Contents(output);
        EXPECT_FALSE(arranged.contains("<BX>"));
        EXPECT_FALSE(arranged.contains("\"notes\""));
        EXPECT_TRUE(arranged.contains("<AU>"));
        QFile::remove(output);
    }
}

} // namespace
} // namespace zembra
