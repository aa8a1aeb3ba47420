#pragma once

#include "import/imported_file.h"
#include "document/document_host.h"
#include "document/song_file_box.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zembra {

class DocumentHost;
class MidiFile;
class MidiTrack;
class SyncClock;

// The single document: the identity of the current file, the MIDI file objects and tracks that
// read and write it, and the background picture. The song itself lives in the view.
class CKelpDoc : public QObject {
    Q_OBJECT

public:
    // How a save request ended, so that the save question knows whether anything was lost.
    enum class SaveOutcome { Saved, NothingToSave, Cancelled, Failed };

    explicit CKelpDoc(QObject* parent = nullptr);
    ~CKelpDoc() override;

    // The canvas that shows the song; the document keeps it.
    void setHost(std::unique_ptr<DocumentHost> host) { m_host = std::move(host); }
    // The sequencer clock whose tempo goes into saved files; without one the song's tempo is used.
    void setClock(SyncClock* clock) { m_clock = clock; }
    // A file named on the command line, opened by the next NewSong instead of a new song.
    void setCommandLineFile(const QString& path) { m_commandLineFile = path; }

    QString title() const { return m_strFileTitle; }
    QString filePath() const { return m_strFilePath; }
    QString folder() const { return m_strFolder; }
    bool ownFile() const { return m_bOwnFile; }
    double tempo() const { return m_dTempo; }
    QString imagePath() const { return m_strImagePath; }
    void setImagePath(const QString& path) { m_strImagePath = path; }
    void ReleaseBackground() { m_pBackground.reset(); }
    const QImage* background() const { return m_pBackground.get(); }
    MidiTrack* songTrack() const { return m_pSongTrack.get(); }
    // Ticks per quarter note of the last imported file; 0 before any.
    int resolution() const { return m_nResolution; }
    void setTempo(double tempo) { m_dTempo = tempo; }
    // The file being imported carries the song tags: Save may overwrite it.
    void markOwnFile() { m_bOwnFile = true; }
    // A song restored after a crash belongs to the file it was kept from (none when `path` is
    // empty), so that Save treats it as it would have before the crash.
    void AdoptRestoredFile(const QString& path, bool ownFile);
    // The tempo a save writes: the clock's, else the song's.
    std::uint32_t clockTempo() const;
    // The tracks of the file being read, in file order; empty outside an import.
    std::vector<const MidiTrack*> importedTracks() const;
    // The same tracks for the import edit dialog, which writes its marks into them.
    std::vector<MidiTrack*> editableTracks();

    // File commands.
    void NewSong();
    void OpenSong();
    // Opens a file named by the recent-file list, a drop or the command line, after the save
    // question; the document keeps its identity when the file does not open.
    void OpenNamedSong(const QString& path);
    // Save with the document's path; Save As with an empty one.
    SaveOutcome SaveSong(const QString& path);
    void OpenBackground();

    // Asks whether to save unsaved changes. `returnAllowed` is false when the program is closing.
    // True to go on; false when the user went back or the changes could not be saved.
    bool QuerySave(bool returnAllowed);
    bool OpenSongFile(const QString& path);
    bool ReadSongFile();
    // The name of the file's key, from its first track; empty when absent.
    std::string KeyNameOfFile();
    // What the import settings start from, for the file being read.
    FileFacts FactsOfFile() const;
    // The data of the first track's key signature; empty when there is none.
    std::vector<std::uint8_t> KeySignatureOfFile();
    // The tracks of the file being read, as the import settings list them.
    std::vector<TrackSummary> TracksOfFile() const;
    // The song track, created and named on first need and cleared after; false when it could not
    // be made.
    bool EnsureSongTrack();
    // Writes the canvas to `path`. `chosenTitle` is the name the user just gave the file, which
    // an untitled song takes as its title. True when the file is on disk.
    bool WriteSong(const QString& path, const QString& chosenTitle = QString());

    // Replaces the background with the picture at `path`; true when a picture was obtained.
    bool LoadBackground(const QString& path);

    // The writing file; tests put one in that fails on purpose.
    void replaceWritingFile(std::unique_ptr<MidiFile> file);

signals:
    void titleChanged(const QString& title);

private:
    QWidget* window() const;
    bool OpenChosenFile(const QString& path);
    void ReleaseImportedTracks();
    void message(const QString& text) const;
    void message(int stringId) const;
    void stopPlayback();
    void setFileTitle(const QString& title);
    QString defaultSaveName() const;
    MidiFile& writingFile();

    std::unique_ptr<DocumentHost> m_host;
    SyncClock* m_clock = nullptr;
    QString m_commandLineFile;
    bool m_openingFromCommandLine = false;

    // The file being read and its tracks, from the open to the end of the import.
    ImportedFile m_import;
    double m_dTempo = 0.0;
    QString m_strFolder;
    bool m_bOwnFile = false;
    QString m_strFileTitle;
    std::unique_ptr<MidiFile> m_smfWrite;
    QString m_strFilePath;
    QString m_strImagePath;
    std::unique_ptr<QImage> m_pBackground;
    int m_nResolution = 0;
    // The last import left the canvas holding a song file of this program as it was saved.
    bool m_placedAsSaved = false;
    // The box the file being read names.
    SongFileBox m_fileBox;
    std::unique_ptr<MidiTrack> m_pSongTrack;
};

} // namespace zembra
