#include "services/music_box_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace zembra {

namespace {

BoxFileResult Failed(BoxFileError error, const std::string& field)
{
    BoxFileResult result;
    result.error = error;
    result.field = field;
    return result;
}

// The note a JSON value names, or -1.
int NoteOf(const QJsonValue& value)
{
    if (value.isDouble()) {
        const double number = value.toDouble();
        const int note = static_cast<int>(number);
        return note == number ? note : -1;
    }
    if (value.isString()) {
        return NoteFromName(value.toString().trimmed().toStdString());
    }
    return -1;
}

} // namespace

BoxFileResult ReadMusicBoxFile(const QByteArray& text)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        return Failed(BoxFileError::NotJson, {});
    }
    const QJsonObject object = document.object();
    MusicBox box;
    box.id = kOwnBoxId;

    const QJsonValue name = object.value(QStringLiteral("name"));
    if (name.isUndefined()) {
        return Failed(BoxFileError::MissingField, "name");
    }
    if (!name.isString() || name.toString().trimmed().isEmpty()) {
        return Failed(BoxFileError::WrongType, "name");
    }
    box.name = name.toString().trimmed().toStdString();

    const QJsonValue notes = object.value(QStringLiteral("notes"));
    if (notes.isUndefined()) {
        return Failed(BoxFileError::MissingField, "notes");
    }
    if (!notes.isArray()) {
        return Failed(BoxFileError::WrongType, "notes");
    }
    for (const QJsonValue& value : notes.toArray()) {
        const int note = NoteOf(value);
        if (note < 0 || note > 127) {
            return Failed(BoxFileError::WrongType, "notes");
        }
        box.notes.push_back(note);
    }

    const std::pair<const char*, double MusicBoxSizes::*> sizes[] = {
        {"stripWidthMm", &MusicBoxSizes::stripWidthMm},
        {"firstRowMm", &MusicBoxSizes::firstRowMm},
        {"rowPitchMm", &MusicBoxSizes::rowPitchMm},
        {"holeMm", &MusicBoxSizes::holeMm},
        {"shortestRepeatMm", &MusicBoxSizes::shortestRepeatMm},
        {"paperPerTurnMm", &MusicBoxSizes::paperPerTurnMm},
    };
    for (const auto& [field, member] : sizes) {
        const QJsonValue value = object.value(QLatin1String(field));
        if (value.isUndefined()) {
            return Failed(BoxFileError::MissingField, field);
        }
        if (!value.isDouble()) {
            return Failed(BoxFileError::WrongType, field);
        }
        box.sizes.*member = value.toDouble();
    }

    const QJsonValue cents = object.value(QStringLiteral("cents"));
    if (!cents.isUndefined()) {
        if (!cents.isArray()) {
            return Failed(BoxFileError::WrongType, "cents");
        }
        for (const QJsonValue& value : cents.toArray()) {
            if (!value.isDouble()) {
                return Failed(BoxFileError::WrongType, "cents");
            }
            box.centsPerTooth.push_back(value.toDouble());
        }
    }

    BoxFileResult result;
    result.check = CheckBox(box);
    if (!result.check.ok()) {
        result.error = BoxFileError::Refused;
        result.field = result.check.field;
        return result;
    }
    result.box = std::move(box);
    return result;
}

QByteArray MusicBoxJson(const MusicBox& box)
{
    QJsonObject object;
    object.insert(QStringLiteral("name"), QString::fromStdString(box.name));
    QJsonArray notes;
    for (int note : box.notes) {
        notes.append(note);
    }
    object.insert(QStringLiteral("notes"), notes);
    object.insert(QStringLiteral("stripWidthMm"), box.sizes.stripWidthMm);
    object.insert(QStringLiteral("firstRowMm"), box.sizes.firstRowMm);
    object.insert(QStringLiteral("rowPitchMm"), box.sizes.rowPitchMm);
    object.insert(QStringLiteral("holeMm"), box.sizes.holeMm);
    object.insert(QStringLiteral("shortestRepeatMm"), box.sizes.shortestRepeatMm);
    object.insert(QStringLiteral("paperPerTurnMm"), box.sizes.paperPerTurnMm);
    if (!box.centsPerTooth.empty()) {
        QJsonArray cents;
        for (double value : box.centsPerTooth) {
            cents.append(value);
        }
        object.insert(QStringLiteral("cents"), cents);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace zembra
