#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace zembra {

// Reads the picture at `path` (BMP, JPEG, GIF, and whatever else the image plug-ins read), the
// contents deciding the format; none when it cannot be read.
std::unique_ptr<QImage> ReadPicture(const QString& path);
// The same, and tells the user when it cannot be read.
std::unique_ptr<QImage> LoadPicture(const QString& path);

} // namespace zembra
