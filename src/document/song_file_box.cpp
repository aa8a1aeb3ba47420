#include "document/song_file_box.h"

#include "import/file_facts.h"
#include "midi/midi_bytes.h"
#include "midi/smf_reader.h"
#include "model/song_tags.h"
#include "services/box_file_load.h"
#include "services/music_box_file.h"
#include "services/qt_text.h"

#include <QByteArray>

namespace zembra {

namespace {

// The first track's text event after `skip` others, as the file holds it.
QByteArray TextEvent(const SmfReader& reader, std::size_t skip)
{
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    if (!reader.findMeta(0, kMetaText, &data, &length, skip)) {
        return {};
    }
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

} // namespace

SongFileBox ReadSongFileBox(const std::string& path)
{
    SongFileBox result;
    SmfReader reader;
    if (!reader.load(path)) {
        return result;
    }
    const QByteArray tagEvent = TextEvent(reader, 0);
    const std::string tagText =
        TextFromTextEvent({reinterpret_cast<const std::uint8_t*>(tagEvent.constData()),
                           static_cast<std::size_t>(tagEvent.size())});
    const std::string id = TagBox(tagText);
    result.tuning = TagTuning(tagText);
    if (id.empty()) {
        if (HasTags(tagText)) {
            result.kind = SongFileBox::Kind::Known;
            result.box = DefaultBox();
        }
        return result;
    }
    if (const MusicBox* builtIn = FindBuiltInBox(id)) {
        result.kind = SongFileBox::Kind::Known;
        result.box = *builtIn;
        return result;
    }
    result.kind = SongFileBox::Kind::NotKnown;
    result.named = Utf8(id);
    if (id != kOwnBoxId) {
        return result;
    }
    const QByteArray definition = TextEvent(reader, 1);
    if (definition.isEmpty()) {
        return result;
    }
    BoxFileResult read = ReadMusicBoxFile(definition);
    if (!read.box) {
        result.named += QStringLiteral(": ") + BoxFileProblemText(read);
        return result;
    }
    result.kind = SongFileBox::Kind::Known;
    result.box = std::move(*read.box);
    return result;
}

bool UseSongFileBox(const std::string& path, SongState& song)
{
    const SongFileBox fileBox = ReadSongFileBox(path);
    if (fileBox.kind != SongFileBox::Kind::Known) {
        return false;
    }
    song.UseBox(fileBox.box);
    song.tuning = fileBox.tuning;
    return true;
}

} // namespace zembra
