#include "services/file_name.h"

#include "text/utf8.h"

namespace zembra {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

} // namespace

QString FileNameText(std::string_view bytes)
{
    QString name;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = Utf8SequenceLength(bytes.substr(at));
        if (length == 0) {
            name += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        name += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
        at += length;
    }
    return name;
}

std::string FileNameBytes(const QString& name)
{
    std::string bytes;
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        if (end > start) {
            bytes += name.mid(start, end - start).toStdString();
        }
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        const bool paired = i > 0 && name.at(i - 1).isHighSurrogate();
        if (unit >= kFirstEscape && unit <= kLastEscape && !paired) {
            flush(i);
            bytes += static_cast<char>(unit - kEscapeBase);
            start = i + 1;
        }
    }
    flush(name.size());
    return bytes;
}

} // namespace zembra
