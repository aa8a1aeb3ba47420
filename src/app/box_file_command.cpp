#include "app/box_file_command.h"

#include "canvas/box_switch_command.h"
#include "canvas/kelp_view.h"
#include "services/chosen_box.h"
#include "services/box_file_load.h"
#include "services/own_box_store.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"
#include "text/string_ids.h"

#include <QDir>
#include <QFile>

namespace zembra {

void ChooseBoxFile(CKelpView& view, QWidget* parent)
{
    Prompts::FileRequest request;
    request.caption = TextOf(str::kBoxFileCaption);
    request.folder = settings::RestoreFolder(settings::kBoxFolder);
    request.filter = TextOf(str::kBoxFileFilter);
    const QString path = prompts().openFileName(parent, request);
    if (path.isEmpty()) {
        return;
    }
    settings::RememberFolder(settings::kBoxFolder, path);
    const BoxFileLoad load = LoadBoxFile(path);
    QFile file(path);
    if (load.box && !file.open(QIODevice::ReadOnly)) {
        const QString reason = TextOf(str::kBoxFileUnreadable).arg(file.errorString());
        prompts().message(parent, TextOf(str::kBoxFileRefused).arg(QDir::toNativeSeparators(path), reason), QString(),
                          Prompts::Icon::Warning);
        return;
    }
    if (!load.box) {
        prompts().message(parent, load.error, QString(), Prompts::Icon::Warning);
        return;
    }
    // The file read as a box a moment ago; should it have changed since, keeping refuses it.
    QString problem;
    const bool kept = KeepOwnBox(file.readAll(), &problem);
    if (!kept) {
        // The song may still move onto the box; it is just not offered again after a restart.
        prompts().message(parent, problem, QString(), Prompts::Icon::Warning);
    }
    if (SwitchCanvasBox(view, *load.box, parent) && kept) {
        RememberChosenBox(*load.box);
    }
}

} // namespace zembra
