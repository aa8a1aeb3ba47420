#include "services/write_problem_text.h"

#include "text/string_ids.h"
#include "services/qt_text.h"

#include <cerrno>
#include <cstring>

namespace zembra {

namespace {

QString notAFile(TargetKind kind)
{
    switch (kind) {
    case TargetKind::Folder: return TextOf(str::kWriteIsFolder);
    case TargetKind::Device: return TextOf(str::kWriteIsDevice);
    case TargetKind::Fifo: return TextOf(str::kWriteIsFifo);
    case TargetKind::Socket: return TextOf(str::kWriteIsSocket);
    default: return TextOf(str::kWriteNotRegular);
    }
}

// The causes a user can act on get words of their own; the rest keep the system's.
int textOfSystemError(int error)
{
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return str::kWriteDiskFull;
    case EACCES:
    case EPERM: return str::kWriteNoPermission;
    case ENAMETOOLONG: return str::kWriteNameTooLong;
    case EROFS: return str::kWriteReadOnlyDisk;
    case ENOENT:
    case ENOTDIR: return str::kWriteNoFolder;
    case ELOOP: return str::kWriteTooManyLinks;
    default: return 0;
    }
}

} // namespace

QString WriteProblemText(const WriteProblem& problem)
{
    if (problem.error == SafeFileError::NotAFile) {
        return notAFile(problem.kind);
    }
    if (problem.error == SafeFileError::ReadOnly && problem.systemError == 0) {
        return TextOf(str::kWriteReadOnly);
    }
    if (const int id = textOfSystemError(problem.systemError)) {
        return TextOf(id);
    }
    const QString system = QString::fromLocal8Bit(std::strerror(problem.systemError));
    switch (problem.error) {
    case SafeFileError::None: return QString();
    case SafeFileError::WriteFailed: return TextOf(str::kWriteFailed).arg(system);
    case SafeFileError::NotReplaced: return TextOf(str::kWriteNotReplaced).arg(system);
    default: return TextOf(str::kWriteCannotCreate).arg(system);
    }
}

} // namespace zembra
