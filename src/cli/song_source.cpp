#include "cli/song_source.h"

#include "document/song_file_box.h"
#include "import/imported_file.h"
#include "text/string_ids.h"
#include "services/file_name.h"
#include "services/qt_text.h"

#include <QFile>
#include <QFileInfo>

namespace zembra {

SongSource::SongSource()
    : m_song(std::make_unique<SongState>())
{
    m_song->ResetSong();
}

SongSource::~SongSource() = default;

bool SongSource::Load(const QString& path, const ImportChoices& choices, bool boxGiven, QString* error,
                      const ArrangeOptions& arrange)
{
    ImportedFile file;
    switch (file.ReadWhole(FileNameBytes(path))) {
    case ImportedFile::Whole::Read:
        break;
    case ImportedFile::Whole::CannotOpen:
        *error = TextOf(str::kCliCannotRead).arg(Utf8(file.errorText()));
        return false;
    case ImportedFile::Whole::OutOfMemory:
        *error = TextOf(str::kCliUnexpected).arg(QStringLiteral("out of memory"));
        return false;
    case ImportedFile::Whole::Damaged:
        *error = TextOf(str::kCliDamaged).arg(Utf8(file.damage()));
        return false;
    case ImportedFile::Whole::NoTracks:
        *error = TextOf(str::kCliNoTracks);
        return false;
    }
    if (choices.highestTrack > file.trackCount()) {
        *error = TextOf(str::kCliNoSuchTrack).arg(choices.highestTrack).arg(file.trackCount());
        return false;
    }
    if (arrange.arrange && arrange.melodyTrackNumber > file.trackCount()) {
        *error = TextOf(str::kCliNoSuchMelodyTrack).arg(arrange.melodyTrackNumber).arg(file.trackCount());
        return false;
    }
    const std::vector<const MidiTrack*> tracks = file.tracks();
    // A search for a meta event the file lacks runs through the whole first track: the facts are
    // taken once, and the key signature is looked for once for both its name and the fit's key.
    FileFacts facts = file.Facts(QFileInfo(path).completeBaseName().toStdString());
    const SongFileBox fileBox = ReadSongFileBox(FileNameBytes(path));
    if (fileBox.kind == SongFileBox::Kind::NotKnown) {
        facts.text.clear();
    }
    const std::vector<std::uint8_t> keySignature = file.KeySignature();
    m_file.format = file.format();
    m_file.tracks = file.trackCount();
    m_file.fileTracks = file.fileTrackCount();
    m_file.resolution = facts.resolution;
    m_file.tempo = file.tempo();
    m_file.timeSignature = file.TimeSignature();
    m_file.fileBeatsPerBar = facts.beatsPerBar;
    m_file.keyNameId = KeyNameIdFromKeySignature(keySignature);
    m_file.key = FileKeyFromKeySignature(keySignature);
    m_file.trackList = file.TrackSummaries();
    m_file.leftOutTracks = choices.options.leftOutTracks;
    m_song->UseBox(!boxGiven && fileBox.kind == SongFileBox::Kind::Known ? fileBox.box : choices.box);
    m_song->tuning = fileBox.kind == SongFileBox::Kind::Known ? fileBox.tuning : Tuning::Equal;
    m_song->ResetSong();
    m_import = ImportWithDefaults(*m_song, tracks, facts, choices, m_file.key);
    if (arrange.arrange) {
        m_arrangement = ArrangeImportedSong(*m_song, tracks, facts.resolution, choices, arrange);
    }
    return true;
}

} // namespace zembra
