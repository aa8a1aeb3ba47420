#include "app/recovery_folder.h"

#include "io/safe_file.h"
#include "services/file_name.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace zembra {

namespace {

constexpr char kSongSuffix[] = ".mid";
constexpr char kOriginSuffix[] = ".json";
constexpr char kLockSuffix[] = ".lock";

// An id is a UUID's 32 hex digits; the writer's temporary files carry it inside their names.
const QRegularExpression& idPattern()
{
    static const QRegularExpression pattern(QStringLiteral("[0-9a-f]{32}"));
    return pattern;
}

QLockFile::LockError tryLock(QLockFile& lock)
{
    // A lock is taken for stale only when its process is gone, however long it has been held.
    lock.setStaleLockTime(0);
    lock.tryLock(0);
    return lock.error();
}

RecoveryFolder::Origin readOrigin(const QString& path)
{
    RecoveryFolder::Origin origin;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return origin;
    }
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    origin.filePath = object.value(QStringLiteral("path")).toString();
    origin.ownFile = object.value(QStringLiteral("ownFile")).toBool(true);
    origin.title = object.value(QStringLiteral("title")).toString();
    return origin;
}

} // namespace

RecoveryFolder::RecoveryFolder(const QString& folder)
    : m_folder(folder)
    , m_id(QString::fromLatin1(QUuid::createUuid().toByteArray(QUuid::Id128)))
    , m_lock(fileOf(m_id, kLockSuffix))
{
    if (!m_folder.isEmpty() && QDir().mkpath(m_folder)) {
        m_locked = tryLock(m_lock) == QLockFile::NoError;
    }
}

RecoveryFolder::~RecoveryFolder() = default;

QString RecoveryFolder::StandardFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

QString RecoveryFolder::fileOf(const QString& id, const char* suffix) const
{
    return m_folder + '/' + id + QLatin1String(suffix);
}

QString RecoveryFolder::songPath() const
{
    return m_locked ? fileOf(m_id, kSongSuffix) : QString();
}

bool RecoveryFolder::WriteOrigin(const Origin& origin) const
{
    if (!m_locked) {
        return false;
    }
    const QJsonObject object{{QStringLiteral("path"), origin.filePath},
                             {QStringLiteral("ownFile"), origin.ownFile},
                             {QStringLiteral("title"), origin.title}};
    const QByteArray json = QJsonDocument(object).toJson();
    SafeFile file(FileNameBytes(fileOf(m_id, kOriginSuffix)));
    return WriteWholeFile(file, json.constData(), static_cast<std::size_t>(json.size()));
}

void RecoveryFolder::RemoveOwn() const
{
    if (m_locked) {
        RemoveFilesOf(m_id);
    }
}

void RecoveryFolder::RemoveFilesOf(const QString& id) const
{
    const QDir dir(m_folder);
    const QString lock = id + QLatin1String(kLockSuffix);
    for (const QString& name : dir.entryList({QStringLiteral("*%1*").arg(id)}, QDir::Files | QDir::Hidden)) {
        if (name != lock) {
            QFile::remove(dir.filePath(name));
        }
    }
}

std::vector<RecoveryFolder::Kept> RecoveryFolder::LeftBehind() const
{
    std::vector<Kept> kept;
    if (m_folder.isEmpty()) {
        return kept;
    }
    QSet<QString> ids;
    for (const QString& name : QDir(m_folder).entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = idPattern().match(name);
        if (match.hasMatch() && match.captured() != m_id) {
            ids.insert(match.captured());
        }
    }
    for (const QString& id : ids) {
        auto claim = std::make_unique<QLockFile>(fileOf(id, kLockSuffix));
        if (tryLock(*claim) != QLockFile::NoError) {
            continue; // its program still runs, or another start has claimed it
        }
        const QString songPath = fileOf(id, kSongSuffix);
        if (!QFileInfo::exists(songPath)) {
            RemoveFilesOf(id);
            continue; // unlocking on destruction removes the lock file
        }
        kept.push_back({id, songPath, readOrigin(fileOf(id, kOriginSuffix)), QFileInfo(songPath).lastModified(),
                        std::move(claim)});
    }
    std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.written > b.written; });
    return kept;
}

void RecoveryFolder::Remove(Kept& kept) const
{
    RemoveFilesOf(kept.id);
    kept.claim.reset();
}

} // namespace zembra
