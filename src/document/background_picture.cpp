#include "document/background_picture.h"

#include "document/picture_rules.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace zembra {

namespace {

QString TooLarge(const QSize& size)
{
    return TextOf(str::kPictureTooLarge)
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxPictureMegapixels)
        .arg(kMaxPictureSide);
}

std::unique_ptr<QImage> Read(const QString& path, QString* reason)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *reason = TextOf(str::kNoSuchFile);
        return nullptr;
    }
    // Asked before the file is opened: opening a FIFO waits for a writer that may never come.
    if (!info.isFile()) {
        *reason = TextOf(str::kNotRegularFile);
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = TextOf(str::kFileNotOpened) + ' ' + file.errorString();
        return nullptr;
    }
    QImageReader reader(&file);
    // The contents decide, not the name: a picture saved with the wrong extension still loads.
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        *reason = TextOf(str::kPictureNotRecognised);
        return nullptr;
    }
    if (!IsPictureFormatAccepted(std::string_view(format.constData(), static_cast<std::size_t>(format.size())))) {
        *reason = TextOf(str::kPictureFormatRefused).arg(QString::fromLatin1(format).toUpper());
        return nullptr;
    }
    // The header's size, when the format tells it, refuses a huge picture before it is decoded.
    const QSize announced = reader.size();
    if (announced.isValid() && !PictureSizeFits(announced.width(), announced.height())) {
        *reason = TooLarge(announced);
        return nullptr;
    }
    QImage picture = reader.read();
    if (picture.isNull()) {
        *reason = TextOf(str::kPictureUndecodable).arg(reader.errorString());
        return nullptr;
    }
    if (!PictureSizeFits(picture.width(), picture.height())) {
        *reason = TooLarge(picture.size());
        return nullptr;
    }
    return std::make_unique<QImage>(std::move(picture));
}

} // namespace

std::unique_ptr<QImage> ReadPicture(const QString& path, QString* reason)
{
    QString unused;
    return Read(path, reason ? reason : &unused);
}

std::unique_ptr<QImage> LoadPicture(const QString& path)
{
    QString reason;
    std::unique_ptr<QImage> picture = ReadPicture(path, &reason);
    if (!picture) {
        prompts().message(QApplication::activeWindow(), TextOf(str::kImageLoadFailed) + '\n' + reason, QString(),
                          Prompts::Icon::Warning);
    }
    return picture;
}

} // namespace zembra
