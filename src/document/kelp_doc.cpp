#include "document/kelp_doc.h"

#include "services/file_name.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/save_confirm_dialog.h"
#include "services/settings.h"
#include "services/write_problem_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "model/playback_list.h"
#include "midi/midi_bytes.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "midi/sync_clock.h"
#include "midi/midi_out_port.h"
#include "document/background_picture.h"
#include "import/file_facts.h"
#include "document/song_file_save.h"
#include "document/song_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <new>
#include <utility>

namespace zembra {

namespace {

// The file dialog's filter: the text as shown, then the patterns in the form Qt reads.
QString fileFilter(const char* shown, const char* patterns)
{
    QString qtPatterns = QString::fromUtf8(patterns);
    qtPatterns.replace(';', ' ');
    return QString::fromUtf8(shown) + QStringLiteral(" (") + qtPatterns.trimmed() + ')';
}

constexpr char kSongSuffix[] = "mid";

// The save dialog's default extension, added when the chosen name carries none of the filter's.
QString withSongExtension(const QString& path)
{
    for (const char* extension : {".mid", ".midi", ".smf"}) {
        if (path.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) {
            return path;
        }
    }
    return path + '.' + QLatin1String(kSongSuffix);
}

QString folderOf(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath() + '/');
}

std::string fileSystemPath(const QString& path)
{
    return FileNameBytes(path);
}

// The cause under the message that names the file, when the file system gave one.
QString reasonLine(const WriteProblem& problem)
{
    return problem.failed() ? '\n' + WriteProblemText(problem) : QString();
}

// The reader's own words on what is wrong with a file, under the message, as `zembra info`
// gives them.
QString readerDetail(const std::string& detail)
{
    return detail.empty() ? QString() : QStringLiteral("\n\n") + Utf8(detail);
}

QString saveFailed(const char* detail)
{
    return TextOf(str::kSaveFailed) + QString::fromLatin1(detail) + TextOf(str::kSaveRetry);
}

} // namespace

CKelpDoc::CKelpDoc(QObject* parent)
    : QObject(parent)
{
}

CKelpDoc::~CKelpDoc()
{
    // The files first: closing them lets go of the tracks they were given.
    m_import.Close();
    m_smfWrite.reset();
    m_pSongTrack.reset();
}

QWidget* CKelpDoc::window() const
{
    return m_host ? m_host->window() : nullptr;
}

void CKelpDoc::message(const QString& text) const
{
    prompts().message(window(), text, QString(), Prompts::Icon::Warning);
}

void CKelpDoc::message(int stringId) const
{
    message(TextOf(stringId));
}

void CKelpDoc::stopPlayback()
{
    // A save must write the whole song, not the range being played, and an open replaces it.
    if (m_host && m_host->playing()) {
        m_host->StopPlayback();
    }
}

void CKelpDoc::setFileTitle(const QString& title)
{
    m_strFileTitle = title;
    emit titleChanged(m_strFileTitle);
}

std::uint32_t CKelpDoc::clockTempo() const
{
    if (m_clock) {
        return m_clock->GetTempo();
    }
    return m_host ? static_cast<std::uint32_t>(m_host->song().tempo) : kDefaultTempo;
}

MidiFile& CKelpDoc::writingFile()
{
    if (!m_smfWrite) {
        m_smfWrite = std::make_unique<MidiFile>();
    }
    return *m_smfWrite;
}

void CKelpDoc::replaceWritingFile(std::unique_ptr<MidiFile> file)
{
    m_smfWrite = std::move(file);
}

bool CKelpDoc::EnsureSongTrack()
{
    if (m_pSongTrack) {
        m_pSongTrack->Clear();
        return true;
    }
    try {
        auto track = std::make_unique<MidiTrack>();
        const std::string_view name = text(str::kSongTrackName);
        track->SetName(name);
        m_pSongTrack = std::move(track);
    } catch (const std::bad_alloc&) {
        message(str::kInitFailed);
        return false;
    }
    return true;
}

bool CKelpDoc::QuerySave(bool returnAllowed)
{
    if (!m_host || !m_host->modified()) {
        return true;
    }
    SaveConfirmDialog dialog(returnAllowed, window());
    prompts().runDialog(dialog);
    SaveOutcome outcome = SaveOutcome::Saved;
    switch (dialog.answer()) {
    case SaveConfirmDialog::kSave:
        outcome = SaveSong(m_strFilePath);
        break;
    case SaveConfirmDialog::kSaveAs:
        outcome = SaveSong(QString());
        break;
    case SaveConfirmDialog::kDiscard:
        break;
    default:
        return false;
    }
    // Changes that were to be saved and were not stay, and so does the song: going on would
    // lose them. Even after "do not save" the mark stays until the song is really replaced, so
    // that an Open that is then cancelled or fails leaves edits that are still asked about.
    return outcome != SaveOutcome::Cancelled && outcome != SaveOutcome::Failed;
}

void CKelpDoc::NewSong()
{
    if (!QuerySave(true)) {
        return;
    }
    stopPlayback();
    if (!m_commandLineFile.isEmpty()) {
        const QString path = std::exchange(m_commandLineFile, QString());
        // The import proposes the file's own name as the title of a foreign file.
        const QString keptTitle = m_strFileTitle;
        m_strFileTitle = QFileInfo(path).completeBaseName();
        m_openingFromCommandLine = true;
        const bool opened = OpenSongFile(path);
        m_openingFromCommandLine = false;
        if (opened) {
            m_strFilePath = QFileInfo(path).absoluteFilePath();
            m_strFolder = folderOf(path);
            setFileTitle(QFileInfo(path).completeBaseName());
            settings::AddRecentFile(m_strFilePath);
            return;
        }
        m_strFileTitle = keptTitle;
        message(str::kCannotOpenFile);
    }
    EnsureSongTrack();
    if (m_host) {
        m_host->ClearCanvas();
    }
    m_dTempo = clockTempo();
    m_strFilePath.clear();
    m_strImagePath.clear();
    m_pBackground.reset();
    setFileTitle(TextOf(str::kUntitled));
    m_bOwnFile = true;
    if (m_host) {
        m_host->setModified(false);
    }
}

void CKelpDoc::AdoptRestoredFile(const QString& path, bool ownFile)
{
    m_strFilePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_strFolder = path.isEmpty() ? QString() : folderOf(path);
    m_bOwnFile = ownFile;
    m_strImagePath.clear();
    m_pBackground.reset();
    setFileTitle(path.isEmpty() ? TextOf(str::kUntitled) : QFileInfo(path).completeBaseName());
}

void CKelpDoc::OpenSong()
{
    if (!QuerySave(true)) {
        return;
    }
    const QString path = prompts().openFileName(
        window(), {QString(), settings::RestoreFolder(settings::kMidiFolder), QString(),
                   fileFilter(kTextMidiFileFilter, kTextMidiFilePatterns), QString()});
    if (path.isEmpty()) {
        return;
    }
    OpenChosenFile(path);
}

void CKelpDoc::OpenNamedSong(const QString& path)
{
    if (!QuerySave(true)) {
        return;
    }
    OpenChosenFile(path);
}

bool CKelpDoc::OpenChosenFile(const QString& path)
{
    stopPlayback();
    const QString keptPath = m_strFilePath;
    const QString keptTitle = m_strFileTitle;
    const QString keptFolder = m_strFolder;
    const bool keptOwn = m_bOwnFile;
    m_strFilePath = path;
    m_strFileTitle = QFileInfo(path).completeBaseName();
    m_strFolder = folderOf(path);
    if (OpenSongFile(path)) {
        emit titleChanged(m_strFileTitle);
        settings::RememberFolder(settings::kMidiFolder, path);
        settings::AddRecentFile(path);
        return true;
    }
    m_strFilePath = keptPath;
    m_strFileTitle = keptTitle;
    m_strFolder = keptFolder;
    m_bOwnFile = keptOwn;
    return false;
}

bool CKelpDoc::OpenSongFile(const QString& path)
{
    // Any other name is no song file; saying so beats opening nothing without a word.
    if (!HasSongFileEnding(path.toStdString())) {
        message(str::kMidiFileOpenFailed);
        return false;
    }
    m_bOwnFile = false;
    if (!EnsureSongTrack()) {
        return false;
    }
    if (!m_import.Open(fileSystemPath(path))) {
        message(TextOf(str::kMidiFileOpenFailed) + readerDetail(m_import.errorText()));
        return false;
    }
    m_fileBox = ReadSongFileBox(fileSystemPath(path));
    if (!ReadSongFile()) {
        return false;
    }
    if (m_host) {
        // The file's song now stands on the canvas in place of the one before. Only a song file
        // of this program, opened as it was saved, has nothing to save: a song placed from any
        // other file is lost on closing unless it is saved.
        m_host->setModified(!m_placedAsSaved);
        m_host->Repaint();
    }
    return true;
}

std::vector<MidiTrack*> CKelpDoc::editableTracks()
{
    return m_import.editableTracks();
}

std::vector<const MidiTrack*> CKelpDoc::importedTracks() const
{
    return m_import.tracks();
}

std::string CKelpDoc::KeyNameOfFile()
{
    const int id = m_import.KeyNameId();
    return id == 0 ? std::string() : std::string(text(id));
}

FileFacts CKelpDoc::FactsOfFile() const
{
    FileFacts facts = m_import.Facts(m_strFileTitle.toStdString());
    // A song for a box this program does not know opens as a file from elsewhere would.
    if (m_fileBox.kind == SongFileBox::Kind::NotKnown) {
        facts.text.clear();
    }
    return facts;
}

std::vector<std::uint8_t> CKelpDoc::KeySignatureOfFile()
{
    return m_import.KeySignature();
}

std::vector<TrackSummary> CKelpDoc::TracksOfFile() const
{
    return m_import.TrackSummaries();
}

void CKelpDoc::ReleaseImportedTracks()
{
    MidiOutPort* port = m_host ? &m_host->port() : nullptr;
    if (port) {
        for (MidiTrack* track : m_import.editableTracks()) {
            port->Detach(track);
        }
    }
    m_import.Close();
}

bool CKelpDoc::ReadSongFile()
{
    if (!m_import.IsOpen()) {
        return false;
    }
    stopPlayback();
    MidiOutPort* port = m_host ? &m_host->port() : nullptr;
    const bool portWasOpen = port && port->IsOpen();
    const bool songTrackWasAttached = port && m_pSongTrack && m_pSongTrack->Port() == port;
    if (songTrackWasAttached) {
        port->Detach(m_pSongTrack.get());
    }
    // What the clock held before the file: a cancelled import leaves the song's tempo on it.
    const std::uint32_t tempoBefore = m_clock ? m_clock->GetTempo() : 0;

    for (int notMade = m_import.MakeTracks(); notMade > 0; --notMade) {
        message(str::kTrackCreateFailed);
    }
    if (port) {
        for (MidiTrack* track : m_import.editableTracks()) {
            port->Attach(track);
        }
    }
    if (!m_import.ReadAll()) {
        // What was read before the damage is imported all the same.
        message(TextOf(str::kTrackReadFailed) + readerDetail(m_import.damage()));
    }

    // The file is heard while its settings are shown.
    if (port) {
        port->Pump();
        port->Flush();
        port->Restart();
    }
    if (m_clock) {
        m_clock->Start();
    }
    m_nResolution = m_import.resolution();
    m_dTempo = m_clock ? static_cast<double>(m_clock->GetTempo()) : static_cast<double>(clockTempo());
    // The clock counts 96 ticks a quarter, the file its own: scaled, the file keeps its speed.
    if (m_clock && m_nResolution > 0) {
        m_clock->SetTempo(static_cast<std::uint32_t>(static_cast<std::uint64_t>(m_dTempo) * kTicksPerQuarter /
                                                     static_cast<std::uint64_t>(m_nResolution)));
    }

    // The song takes the file's box before the import counts and places the file's notes on its
    // rows; a cancelled import puts the song back as it was, whatever the canvas did meanwhile.
    std::unique_ptr<SongState> songBefore;
    if (m_host && m_fileBox.kind == SongFileBox::Kind::Known) {
        songBefore = std::make_unique<SongState>(m_host->song());
        m_host->song().UseBox(m_fileBox.box);
        m_host->song().tuning = m_fileBox.tuning;
    } else if (m_fileBox.kind == SongFileBox::Kind::NotKnown) {
        message(TextOf(str::kBoxNotKnown).arg(m_fileBox.named));
    }
    const bool confirmed = m_host && m_host->ImportPrompt();
    if (!confirmed && songBefore) {
        m_host->song() = *songBefore;
    }
    m_placedAsSaved = false;
    if (confirmed) {
        if (port) {
            port->Reset();
            port->Flush();
        }
        if (m_clock) {
            m_clock->Stop();
            m_clock->SetTempo(static_cast<std::uint32_t>(m_host->song().tempo));
        }
        m_placedAsSaved = m_host->PlaceImportedNotes();
    } else {
        if (port) {
            port->Flush();
            port->Reset();
        }
        if (m_clock) {
            m_clock->Stop();
            if (tempoBefore > 0) {
                m_clock->SetTempo(tempoBefore);
            }
        }
    }

    ReleaseImportedTracks();
    if (port && portWasOpen) {
        port->Close();
        m_host->ReopenDevice();
    }
    if (songTrackWasAttached) {
        port->Attach(m_pSongTrack.get());
    }
    return confirmed;
}

QString CKelpDoc::defaultSaveName() const
{
    const std::string title = m_host ? m_host->song().title : std::string();
    return Utf8(DefaultSongFileName(m_bOwnFile, title, m_strFileTitle.toStdString()));
}

CKelpDoc::SaveOutcome CKelpDoc::SaveSong(const QString& path)
{
    if (!m_host || m_host->song().noteCount <= 0) {
        message(str::kNothingToSave);
        return SaveOutcome::NothingToSave;
    }
    stopPlayback();
    if (!path.isEmpty() && m_bOwnFile) {
        if (!WriteSong(path)) {
            return SaveOutcome::Failed;
        }
        settings::AddRecentFile(path);
        return SaveOutcome::Saved;
    }

    const QString typed = prompts().saveFileName(
        window(), {QString(), settings::RestoreFolder(settings::kMidiFolder), defaultSaveName(),
                   fileFilter(kTextMidiFileFilter, kTextMidiFilePatterns), QString::fromLatin1(kSongSuffix)});
    if (typed.isEmpty()) {
        return SaveOutcome::Cancelled;
    }
    // The question covers the name really written: "song" becomes song.mid, which may exist.
    const QString chosen = withSongExtension(typed);
    if (!confirmReplacing(window(), chosen)) {
        return SaveOutcome::Cancelled;
    }
    settings::RememberFolder(settings::kMidiFolder, chosen);
    const QString chosenTitle = QFileInfo(chosen).completeBaseName();
    // The document takes the new name only once the file exists under it.
    if (!WriteSong(chosen, chosenTitle)) {
        return SaveOutcome::Failed;
    }
    m_strFilePath = QFileInfo(chosen).absoluteFilePath();
    m_strFolder = folderOf(chosen);
    setFileTitle(chosenTitle);
    settings::AddRecentFile(chosen);
    return SaveOutcome::Saved;
}

bool CKelpDoc::WriteSong(const QString& path, const QString& chosenTitle)
{
    if (!m_host) {
        return false;
    }
    stopPlayback();
    if (!EnsureSongTrack()) {
        return false;
    }
    SongState& song = m_host->song();
    std::string title;
    SongWriteResult result;
    // Running out of memory half-way (or any other exception) is a failed save like the others:
    // the writer has already put the previous file back, and the song is touched only below.
    try {
        // An untitled song takes the name the user just gave its file.
        title = song.title.empty() ? chosenTitle.toStdString() : song.title;
        ReleaseImportedTracks();
        result = SaveSongFile(writingFile(), *m_pSongTrack, song, title, clockTempo(), fileSystemPath(path));
    } catch (...) {
        message(saveFailed("(4)\n"));
        return false;
    }
    switch (result.status) {
    case SongWriteStatus::Written:
        break;
    case SongWriteStatus::CannotCreate:
    case SongWriteStatus::NotReplaced:
        message(TextOf(str::kSaveOpenFailed) + '\n' + QDir::toNativeSeparators(path) + reasonLine(result.problem));
        return false;
    case SongWriteStatus::MetaRejected:
        message(TextOf(str::kSaveFailed) + QStringLiteral("(1 %1)\n").arg(result.metaAccepted) +
                TextOf(str::kSaveRetry));
        return false;
    case SongWriteStatus::TrackIncomplete:
        message(saveFailed("(3)\n"));
        return false;
    case SongWriteStatus::NotWritten:
        // The file and the cause first: a full disk is not mended by trying again.
        message(TextOf(str::kSaveFailed) + QStringLiteral("(4)\n") + QDir::toNativeSeparators(path) +
                reasonLine(result.problem));
        return false;
    }
    const bool titleChanged = song.title != title;
    song.title = std::move(title);
    m_bOwnFile = true;
    m_host->setModified(false);
    if (titleChanged) {
        m_host->Repaint(); // the canvas shows the title
    }
    return true;
}

void CKelpDoc::OpenBackground()
{
    const QString path = prompts().openFileName(
        window(), {QString(), settings::RestoreFolder(settings::kImageFolder), QString(),
                   fileFilter(std::string(text(str::kImageFileFilter)).c_str(), kTextImageFilePatterns), QString()});
    if (path.isEmpty()) {
        return;
    }
    if (LoadBackground(path)) {
        m_strImagePath = path;
        settings::RememberFolder(settings::kImageFolder, path);
    }
}

bool CKelpDoc::LoadBackground(const QString& path)
{
    m_pBackground.reset();
    m_pBackground = LoadPicture(path);
    return m_pBackground != nullptr;
}

} // namespace zembra
