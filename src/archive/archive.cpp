#include "archive.h"

#include "file_header.h"
#include "schema.h"
#include "server_schema.h"
#include "server_session.h"
#include "server_watchdog.h"
#include "sql_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

namespace {

constexpr QFileDevice::Permissions privateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

bool hasHotJournal(const QString &filePath)
{
    return QFileInfo(filePath + QStringLiteral("-journal")).size() > 0;
}

// "archivio.sqlite" -> "archivio.versione-1.sqlite", or with the time when taken.
QString versionCopyName(const QString &filePath, int version)
{
    const QFileInfo file(filePath);
    const QString stem = file.dir().filePath(file.completeBaseName());
    QString name = QStringLiteral("%1.versione-%2.%3").arg(stem).arg(version).arg(file.suffix());
    if (QFile::exists(name))
        name = QStringLiteral("%1.versione-%2-%3.%4")
                   .arg(stem)
                   .arg(version)
                   .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")))
                   .arg(file.suffix());
    return name;
}

} // namespace

QString Archive::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("archivio.sqlite"));
}

Archive::Archive(const QString &filePath) : m_filePath(filePath) {}

Archive::Archive(const ServerAddress &server, const QString &password)
    : m_server(server), m_password(password)
{
}

// Made by the thread that listens, which is the one its timers serve.
void Archive::prepareReconnection() const
{
    if (m_reconnection)
        return;
    m_reconnection = std::make_unique<QTimer>();
    m_reconnection->setSingleShot(true);
    QObject::connect(m_reconnection.get(), &QTimer::timeout, [this] { reconnectAfterLoss(); });
    m_noticeCheck = std::make_unique<QTimer>();
    m_noticeCheck->setInterval(1000);
    QObject::connect(m_noticeCheck.get(), &QTimer::timeout, [this] { hear(false); });
}

void Archive::dropSession() const
{
    stopListening();
    m_connection.reset();
}

void Archive::useFile(const QString &filePath)
{
    close();
    m_server.reset();
    m_password.clear();
    m_filePath = filePath;
}

void Archive::useServer(const ServerAddress &server, const QString &password)
{
    close();
    m_server = server;
    m_password = password;
    m_filePath.clear();
}

QString Archive::whereText() const
{
    return m_server ? describe(*m_server) : QDir::toNativeSeparators(m_filePath);
}

WriteOutcome Archive::outcomeOf(const QSqlError &error) const
{
    if (!m_server)
        return sql::outcomeOf(error);
    // A connection the server ended answers every later query with no text.
    return database().isOpen() ? sql::serverOutcomeOf(error) : WriteOutcome::Offline;
}

bool Archive::sessionLost(const QSqlError &error) const
{
    return m_server &&
           (!database().isOpen() || sql::serverOutcomeOf(error) == WriteOutcome::Offline);
}

bool Archive::reopenedAfterLoss(const QSqlError &error) const
{
    // Apart from the reopening: no handle to the old session may outlive it.
    const bool lost = sessionLost(error);
    return lost && reopenServer();
}

bool Archive::reopenServer() const
{
    dropSession();
    m_state = openServer();
    return m_state == ArchiveState::Ready || m_state == ArchiveState::ReadOnlyNewer;
}

void Archive::giveUpOnServer() const
{
    dropSession();
    m_state = ArchiveState::Unreachable;
    m_connectionError =
        QStringLiteral("il server non ha risposto entro %1 secondi.").arg(serverWaitSeconds);
}

bool Archive::givenUp(const server_watchdog::Watch &watch, QSqlQuery &query) const
{
    if (!watch.fired())
        return false;
    query = QSqlQuery();
    giveUpOnServer();
    return true;
}

// The server's tables are made and migrated by --prepare-server, as their
// owner; the dietitians' role only reads and writes rows.
ArchiveState Archive::openServer() const
{
    m_connectionError = connectionRefusal(*m_server);
    if (!m_connectionError.isEmpty())
        return ArchiveState::Unreachable;
    m_connection = std::make_unique<sql::Connection>(*m_server, m_password);
    if (!m_connection->isOpen()) {
        m_connectionError = database().lastError().databaseText();
        return ArchiveState::Unreachable;
    }
    server_session::keepNoticesQuiet(database());
    int version = 0;
    bool unanswered = false;
    {
        const server_watchdog::Watch watch(database());
        version = server_schema::versionOf(database(), &m_connectionError);
        if (version >= server_schema::currentVersion())
            listenForChanges();
        unanswered = watch.fired();
    }
    if (unanswered) {
        giveUpOnServer();
        return ArchiveState::Unreachable;
    }
    if (version < 0) {
        // Never a message without its reason.
        if (m_connectionError.trimmed().isEmpty())
            m_connectionError = QStringLiteral("il server non ha fatto leggere la versione delle "
                                               "tabelle di Nutrivo.");
        return ArchiveState::Unreachable;
    }
    if (version < server_schema::currentVersion())
        return ArchiveState::NotPrepared;
    return version > server_schema::currentVersion() ? ArchiveState::ReadOnlyNewer
                                                     : ArchiveState::Ready;
}

Archive::~Archive()
{
    close();
}

void Archive::close()
{
    if (m_reconnection)
        m_reconnection->stop();
    dropSession();
    m_state = ArchiveState::Absent;
}

QSqlDatabase Archive::database() const
{
    return m_connection ? m_connection->database() : QSqlDatabase();
}

ArchiveState Archive::open()
{
    close();
    if (m_server)
        return m_state = openServer();
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
    const bool newer = int(header.userVersion) > schema::currentVersion();
    m_state = openConnection(newer);
    if (m_state == ArchiveState::Ready && newer)
        m_state = ArchiveState::ReadOnlyNewer;
    return m_state;
}

ArchiveState Archive::openConnection(bool readOnly)
{
    m_connection = std::make_unique<sql::Connection>(m_filePath, readOnly);
    if (!m_connection->isOpen())
        return ArchiveState::Unreachable;
    QSqlDatabase db = database();
    const QVariant check = sql::single(db, QStringLiteral("PRAGMA quick_check"));
    if (check.toString() != QLatin1String("ok"))
        return ArchiveState::Damaged;
    sql::single(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    // Deleted subjects are overwritten with zeros, not just unlinked.
    sql::single(db, QStringLiteral("PRAGMA secure_delete = ON"));
    if (readOnly)
        return ArchiveState::Ready;
    return bringUpToDate(sql::single(db, QStringLiteral("PRAGMA user_version")).toInt());
}

// One transaction a step; another Nutrivo may be taking the same steps, so a
// step that fails is checked against the version the file has now.
ArchiveState Archive::bringUpToDate(int version)
{
    QSqlDatabase db = database();
    if (version > 0 && version < schema::currentVersion()) {
        const QString copy = versionCopyName(m_filePath, version);
        QSqlQuery vacuum(db);
        if (!sql::makePrivateFile(copy) ||
            !sql::run(vacuum, QStringLiteral("VACUUM INTO ?"), {copy})) {
            QFile::remove(copy);
            return ArchiveState::Unreachable;
        }
        m_migrationCopy = copy;
    }
    while (version < schema::currentVersion()) {
        const int next = version + 1;
        db.transaction();
        QSqlQuery query(db);
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
        const int now = sql::single(db, QStringLiteral("PRAGMA user_version")).toInt();
        if (now <= version)
            return ArchiveState::Unreachable;
        version = now;
    }
    return ArchiveState::Ready;
}

bool Archive::makeFile()
{
    const QFileInfo file(m_filePath);
    QDir folder = file.dir();
    // Health data: the folder and the file are the user's alone.
    if (!folder.exists() && !(folder.mkpath(QStringLiteral(".")) &&
                              QFile::setPermissions(folder.path(), privateFolder)))
        return false;
    return sql::makePrivateFile(m_filePath) || file.exists();
}
