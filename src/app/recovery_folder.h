#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>
#include <vector>

namespace zembra {

// The folder where songs with unsaved changes are kept against a crash. Every running program
// has an id of its own: its song goes to "<id>.mid", where that song came from to "<id>.json",
// and it holds "<id>.lock" while it runs. Several programs may run at once; a start tells the
// songs of those still running (their locks are held) from those left by one that ended
// without closing (the process of the lock is gone).
class RecoveryFolder {
public:
    // Where a kept song came from, so that once restored it is saved where the user worked.
    struct Origin {
        QString filePath; // empty for a song never saved
        bool ownFile = true;
        QString title; // what the song is offered by
    };
    // A song left by a program that no longer runs, claimed by this one until it is removed or
    // this object is gone, so that two starts never offer the same song.
    struct Kept {
        QString id;
        QString songPath;
        Origin origin;
        QDateTime written;
        std::unique_ptr<QLockFile> claim;
    };

    // Makes the folder when missing and takes this program's lock in it.
    explicit RecoveryFolder(const QString& folder);
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    // "recovery" in the application's data folder.
    static QString StandardFolder();

    const QString& path() const { return m_folder; }
    // Where this program keeps its song; empty when the folder or the lock could not be made,
    // as a song kept without the lock would be taken for one left behind.
    QString songPath() const;
    bool WriteOrigin(const Origin& origin) const;
    // This program's song and its origin.
    void RemoveOwn() const;

    // The songs of programs that no longer run, newest first. Whatever such a program left
    // without a song (its lock, a half-written file) is removed on the way.
    std::vector<Kept> LeftBehind() const;
    void Remove(Kept& kept) const;

private:
    QString fileOf(const QString& id, const char* suffix) const;
    // Every file of the id but its lock, which goes when it is unlocked.
    void RemoveFilesOf(const QString& id) const;

    QString m_folder;
    QString m_id;
    QLockFile m_lock;
    bool m_locked = false;
};

} // namespace zembra
