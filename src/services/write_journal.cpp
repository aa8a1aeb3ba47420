#include "services/write_journal.h"

#include "io/temp_journal.h"
#include "services/file_name.h"

#include <QStandardPaths>

namespace zembra {

void StartWriteJournal()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!data.isEmpty()) {
        TempJournal::Start(FileNameBytes(data + QStringLiteral("/writing")));
    }
}

} // namespace zembra
