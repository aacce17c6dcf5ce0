#include "file_store.h"

#include "file_header.h"
#include "schema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr QFileDevice::Permissions privateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

bool hasHotJournal(const QString &filePath)
{
    return QFileInfo(filePath + QStringLiteral("-journal")).size() > 0;
}

// "archivio.sqlite" -> "archivio.versione-1.sqlite", or with the time when taken.
// The copy kept before a change of version, made here: another Nutrivo
// taking the same steps at the same moment makes its own beside it.
QString makeVersionCopyFile(const QString &filePath, int version)
{
    const QFileInfo file(filePath);
    const QString stem = QStringLiteral("%1.versione-%2")
                             .arg(file.dir().filePath(file.completeBaseName()))
                             .arg(version);
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name =
            attempt == 0 ? QStringLiteral("%1.%2").arg(stem, file.suffix())
            : attempt == 1
                ? QStringLiteral("%1-%2.%3").arg(stem, time, file.suffix())
                : QStringLiteral("%1-%2-%3.%4").arg(stem, time).arg(attempt).arg(file.suffix());
        if (sql::makePrivateFile(name))
            return name;
    }
    return QString();
}

} // namespace

QString FileStore::whereText() const
{
    return QDir::toNativeSeparators(m_filePath);
}

QSqlDatabase FileStore::database() const
{
    return m_connection ? m_connection->database() : QSqlDatabase();
}

void FileStore::close()
{
    m_connection.reset();
    m_state = ArchiveState::Absent;
}

ArchiveState FileStore::open()
{
    close();
    // A save cut short leaves a journal that SQLite plays back on opening.
    if (hasHotJournal(m_filePath)) {
        const sql::Connection recovery(m_filePath, false);
        sql::single(recovery.database(), QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    }
    const FileHeader header = readFileHeader(m_filePath);
    switch (header.kind) {
    case FileHeader::Missing:
        return m_state = ArchiveState::Absent;
    case FileHeader::Other:
        return m_state = ArchiveState::NotAnArchive;
    case FileHeader::Empty:
        // Made by a first save that went no further.
        return m_state = openConnection(false);
    case FileHeader::Sqlite:
        break;
    }
    if (header.applicationId != schema::applicationId)
        return m_state = ArchiveState::NotAnArchive;
    // A newer Nutrivo's file is never changed, yet its access log takes the
    // readings made here.
    const bool newer = int(header.userVersion) > schema::currentVersion();
    m_state = openConnection(newer);
    if (m_state == ArchiveState::Ready && newer)
        m_state = ArchiveState::ReadOnlyNewer;
    return m_state;
}

ArchiveState FileStore::openConnection(bool newer)
{
    m_connection = std::make_unique<sql::Connection>(m_filePath, false);
    if (!m_connection->isOpen())
        return ArchiveState::Unreachable;
    QSqlDatabase db = database();
    const QVariant check = sql::single(db, QStringLiteral("PRAGMA quick_check"));
    if (check.toString() != QLatin1String("ok"))
        return ArchiveState::Damaged;
    sql::single(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    // Deleted subjects are overwritten with zeros, not just unlinked.
    sql::single(db, QStringLiteral("PRAGMA secure_delete = ON"));
    if (newer)
        return ArchiveState::Ready;
    return bringUpToDate(sql::single(db, QStringLiteral("PRAGMA user_version")).toInt());
}

// One transaction a step. Another Nutrivo may be taking the same steps: each
// takes the write lock before reading the version, so a step is taken once,
// on the version it is for (taken again on a later version, the rebuilt
// table of step 4 would drop the columns added after it).
ArchiveState FileStore::bringUpToDate(int version)
{
    QSqlDatabase db = database();
    if (version > 0 && version < schema::currentVersion()) {
        const QString copy = makeVersionCopyFile(m_filePath, version);
        QSqlQuery vacuum(db);
        if (copy.isEmpty() || !sql::run(vacuum, QStringLiteral("VACUUM INTO ?"), {copy})) {
            QFile::remove(copy);
            return ArchiveState::Unreachable;
        }
        m_migrationCopy = copy;
    }
    while (version < schema::currentVersion()) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return ArchiveState::Unreachable;
        const int now = sql::single(db, QStringLiteral("PRAGMA user_version")).toInt();
        if (now != version) {
            db.rollback();
            if (now < version)
                return ArchiveState::Unreachable;
            version = now;
            continue;
        }
        const int next = version + 1;
        bool done = true;
        for (const QString &statement : schema::steps().at(version))
            done = done && query.exec(statement);
        if (version == 0)
            done =
                done &&
                query.exec(QStringLiteral("PRAGMA application_id = %1").arg(schema::applicationId));
        done = done && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(next));
        query.finish();
        if (done && db.commit()) {
            version = next;
            continue;
        }
        db.rollback();
        return ArchiveState::Unreachable;
    }
    // A newer Nutrivo may have taken it further meanwhile.
    return version > schema::currentVersion() ? ArchiveState::ReadOnlyNewer : ArchiveState::Ready;
}

bool FileStore::makeFile()
{
    const QFileInfo file(m_filePath);
    QDir folder = file.dir();
    // Health data: the folder and the file are the user's alone.
    if (!folder.exists() && !(folder.mkpath(QStringLiteral(".")) &&
                              QFile::setPermissions(folder.path(), privateFolder)))
        return false;
    return sql::makePrivateFile(m_filePath) || file.exists();
}

bool FileStore::readyToSave()
{
    if (m_state != ArchiveState::Absent)
        return true;
    if (!makeFile())
        return false;
    open();
    return true;
}

WriteOutcome FileStore::outcomeOf(const QSqlError &error) const
{
    return sql::outcomeOf(error);
}

// A file answers, or fails, by itself.
bool FileStore::watchedRenewing(const Renewed &action, QSqlQuery *)
{
    action([] {});
    return true;
}
