#include "song/background_picture.h"

#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <QApplication>
#include <QImageReader>

namespace zembra {

std::unique_ptr<QImage> ReadPicture(const QString& path)
{
    QImageReader reader(path);
    // The contents decide, not the name: a picture saved with the wrong extension still loads.
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        return nullptr;
    }
    return std::make_unique<QImage>(std::move(picture));
}

std::unique_ptr<QImage> LoadPicture(const QString& path)
{
    std::unique_ptr<QImage> picture = ReadPicture(path);
    if (!picture) {
        prompts().message(QApplication::activeWindow(), Utf8(text(str::kImageLoadFailed)), QString(),
                          Prompts::Icon::Warning);
    }
    return picture;
}

} // namespace zembra
