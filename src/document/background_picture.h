#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace zembra {

// Reads the picture at `path`: a regular file holding a BMP, JPEG, GIF or PNG picture (the
// contents decide, not the name) of a size PictureSizeFits allows. None when it cannot be used;
// `reason` then says why, in the program's language.
std::unique_ptr<QImage> ReadPicture(const QString& path, QString* reason = nullptr);
// The same, and tells the user when it cannot be used.
std::unique_ptr<QImage> LoadPicture(const QString& path);

} // namespace zembra
