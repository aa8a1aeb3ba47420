#include "services/box_file_load.h"

#include "services/music_box_file.h"
#include "services/qt_text.h"
#include "text/string_ids.h"

#include <QDir>
#include <QFile>

namespace zembra {

namespace {

int ProblemTextId(BoxProblem problem)
{
    switch (problem) {
    case BoxProblem::None:
        break;
    case BoxProblem::TooFewNotes:
        return str::kBoxTooFewNotes;
    case BoxProblem::TooManyNotes:
        return str::kBoxTooManyNotes;
    case BoxProblem::NoteOutOfRange:
        return str::kBoxNoteOutOfRange;
    case BoxProblem::NotesOutOfOrder:
        return str::kBoxNotesOutOfOrder;
    case BoxProblem::SizeNotPositive:
        return str::kBoxSizeNotPositive;
    case BoxProblem::RowsOutsideStrip:
        return str::kBoxRowsOutsideStrip;
    case BoxProblem::HoleTooWide:
        return str::kBoxHoleTooWide;
    case BoxProblem::TuningMismatch:
        return str::kBoxTuningMismatch;
    }
    return str::kBoxWrongType;
}

} // namespace

QString BoxFileProblemText(const BoxFileResult& result)
{
    const QString field = Utf8(result.field);
    switch (result.error) {
    case BoxFileError::None:
        return {};
    case BoxFileError::NotJson:
        return TextOf(str::kBoxNotJson);
    case BoxFileError::MissingField:
        return TextOf(str::kBoxMissingField).arg(field);
    case BoxFileError::WrongType:
        return TextOf(str::kBoxWrongType).arg(field);
    case BoxFileError::Refused:
        break;
    }
    const int id = ProblemTextId(result.check.problem);
    if (id == str::kBoxTooFewNotes) {
        return TextOf(id).arg(field).arg(kFewestBoxNotes);
    }
    if (id == str::kBoxTooManyNotes) {
        return TextOf(id).arg(field).arg(kMostBoxNotes);
    }
    return TextOf(id).arg(field);
}

BoxFileLoad LoadBoxFile(const QString& path)
{
    BoxFileLoad load;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        load.error = TextOf(str::kBoxFileRefused).arg(shown, TextOf(str::kBoxFileUnreadable).arg(file.errorString()));
        return load;
    }
    // A box file is a few hundred bytes; anything far larger is not one.
    constexpr qint64 kLargestBoxFile = 1 << 20;
    const QByteArray text = file.read(kLargestBoxFile + 1);
    if (text.size() > kLargestBoxFile) {
        load.error = TextOf(str::kBoxFileRefused).arg(shown, TextOf(str::kBoxNotJson));
        return load;
    }
    BoxFileResult result = ReadMusicBoxFile(text);
    if (!result.box) {
        load.error = TextOf(str::kBoxFileRefused).arg(shown, BoxFileProblemText(result));
        return load;
    }
    load.box = std::move(result.box);
    return load;
}

} // namespace zembra
