#include "services/own_box_store.h"

#include "io/safe_file.h"
#include "services/box_file_load.h"
#include "services/file_name.h"
#include "services/music_box_file.h"
#include "services/qt_text.h"
#include "services/write_problem_text.h"
#include "text/string_ids.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zembra {

namespace {

constexpr char kOwnBoxFile[] = "own_box.json";

void tell(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

} // namespace

QString OwnBoxPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QLatin1String(kOwnBoxFile));
}

std::optional<MusicBox> StoredOwnBox()
{
    return LoadBoxFile(OwnBoxPath()).box;
}

bool KeepOwnBox(const QByteArray& text, QString* error)
{
    const BoxFileResult read = ReadMusicBoxFile(text);
    if (!read.box) {
        tell(error, BoxFileProblemText(read));
        return false;
    }
    const QString path = OwnBoxPath();
    const QString shown = QDir::toNativeSeparators(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        tell(error, TextOf(str::kBoxKeepFailed).arg(shown));
        return false;
    }
    SafeFile file(FileNameBytes(path));
    if (!WriteWholeFile(file, text.constData(), static_cast<std::size_t>(text.size()))) {
        tell(error, TextOf(str::kBoxKeepFailed).arg(shown) + '\n' + WriteProblemText(file.problem()));
        return false;
    }
    return true;
}

} // namespace zembra
