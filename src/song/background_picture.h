#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace zembra {

// Reads the picture at `path` (BMP, JPEG, GIF, and whatever else the image plug-ins read);
// tells the user when it cannot be read and gives none.
std::unique_ptr<QImage> LoadPicture(const QString& path);

} // namespace zembra
