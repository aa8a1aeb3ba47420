#include "monkey_box_gestures.h"

#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "model/canvas_geometry.h"
#include "model/music_box.h"
#include "monkey_rig.h"
#include "services/command_ids.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace zembra::monkey {

namespace {

std::string NoteList(const std::vector<int>& notes)
{
    std::string list;
    for (int note : notes) {
        list += (list.empty() ? "" : ", ") + std::to_string(note);
    }
    return list;
}

// A built-in box written as a box file of one's own, with another name.
std::string BoxText(const MusicBox& box, const std::string& name, double holeMm)
{
    const MusicBoxSizes& s = box.sizes;
    return "{\"name\": \"" + name + "\", \"notes\": [" + NoteList(box.notes) +
           "], \"stripWidthMm\": " + std::to_string(s.stripWidthMm) + ", \"firstRowMm\": " +
           std::to_string(s.firstRowMm) + ", \"rowPitchMm\": " + std::to_string(s.rowPitchMm) +
           ", \"holeMm\": " + std::to_string(holeMm) + ", \"shortestRepeatMm\": " +
           std::to_string(s.shortestRepeatMm) + ", \"paperPerTurnMm\": " + std::to_string(s.paperPerTurnMm) + "}";
}

} // namespace

QStringList WriteBoxFiles(const QTemporaryDir& dir)
{
    MusicBox wide = DefaultBox();
    wide.notes.clear();
    for (int note = 36; note < 36 + kMostBoxNotes; ++note) {
        wide.notes.push_back(note);
    }
    wide.sizes = {100, 6, 1.8, 1.6, 8, 6};
    struct File {
        const char* name;
        std::string text;
    };
    const File files[] = {
        {"box-15.json", BoxText(*FindBuiltInBox("15"), "Own 15", 1.8)},
        {"box-20.json", BoxText(*FindBuiltInBox("20"), "Own 20", 2.4)},
        {"box-30F.json", BoxText(*FindBuiltInBox("30F"), "Own 30F", 1.8)},
        {"box-33.json", BoxText(DefaultBox(), "Own 33", 1.7)},
        {"box-48.json", BoxText(wide, "Own 48", 1.6)},
        {"box-wide-holes.json", BoxText(*FindBuiltInBox("30"), "Wide holes", 2.5)},
        {"box-not-json.json", "{\"name\": "},
    };
    QStringList names;
    for (const File& file : files) {
        const QString path = dir.filePath(QString::fromLatin1(file.name));
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(file.text.data(), static_cast<qint64>(file.text.size()));
            names << path;
        }
    }
    return names;
}

void ChooseBox(MonkeyRig& rig)
{
    const int rowsBefore = rig.view().song().rowCount;
    rig.MarkPressInterrupted();
    rig.RunCommand(cmd::kBoxFile);
    rig.Note("box of " + std::to_string(rowsBefore) + " rows, now " + std::to_string(rig.view().song().rowCount));
}

std::string BandViolation(const CKelpView& view)
{
    const SongState& song = view.song();
    const int clientHeight = view.viewport()->height();
    const int range = VerticalScrollRange(song, clientHeight);
    if (view.verticalScrollBar()->maximum() != range) {
        return "the canvas scrolls down " + std::to_string(view.verticalScrollBar()->maximum()) + " pixels, not " +
               std::to_string(range) + ", for " + std::to_string(song.rowCount) + " rows in a client " +
               std::to_string(clientHeight) + " pixels high";
    }
    if (view.offscreen().height() <= song.bandBottom() && clientHeight > 0) {
        return "the canvas paints " + std::to_string(view.offscreen().height()) + " pixels of a band that ends at " +
               std::to_string(song.bandBottom());
    }
    return {};
}

} // namespace zembra::monkey
