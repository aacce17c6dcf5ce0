#include "sql_support.h"

#include <QAtomicInt>
#include <QFile>

namespace sql {
namespace {

// SQLite's primary result codes that say why a write failed.
enum : int {
    sqlitePerm = 3,
    sqliteBusy = 5,
    sqliteLocked = 6,
    sqliteReadOnly = 8,
    sqliteIoError = 10,
    sqliteFull = 13,
    sqliteCantOpen = 14,
};

// How long a save waits for another Nutrivo that is writing the same file.
constexpr int busyTimeoutMs = 10000;

QString newConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("nutrivo-archive-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

bool run(QSqlQuery &query, const QString &statement, const QVariantList &values)
{
    if (!query.prepare(statement))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

int resultCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

WriteOutcome outcomeOf(const QSqlError &error)
{
    // A failed commit comes without its code, with SQLite's own words.
    if (error.nativeErrorCode().isEmpty() &&
        error.databaseText() == QLatin1String("database or disk is full"))
        return WriteOutcome::DiskFull;
    switch (resultCode(error)) {
    case sqliteBusy:
    case sqliteLocked:
        return WriteOutcome::Busy;
    case sqliteFull:
        return WriteOutcome::DiskFull;
    case sqlitePerm:
    case sqliteReadOnly:
    case sqliteIoError:
    case sqliteCantOpen:
    default:
        return WriteOutcome::Unwritable;
    }
}

Connection::Connection(const QString &filePath, bool readOnly) : m_name(newConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(filePath);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    db.open();
}

Connection::Connection(const ServerAddress &server, const QString &password)
    : m_name(newConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setDatabaseName(server.database);
    db.setUserName(server.user);
    db.setPassword(password);
    db.setConnectOptions(connectOptions(server));
    db.open();
}

WriteOutcome serverOutcomeOf(const QSqlError &error)
{
    if (error.type() == QSqlError::ConnectionError)
        return WriteOutcome::Offline;
    const QString state = error.nativeErrorCode();
    // Connection lost (08), server shutting down (57P), out of space (53100),
    // a conflict to try again (40), no permission (42501).
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return WriteOutcome::Offline;
    if (state == QLatin1String("53100"))
        return WriteOutcome::DiskFull;
    if (state.startsWith(QLatin1String("40")) || state == QLatin1String("55P03"))
        return WriteOutcome::Busy;
    return WriteOutcome::Unwritable;
}

Connection::~Connection()
{
    database().close();
    QSqlDatabase::removeDatabase(m_name);
}

QVariant single(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement) || !query.next())
        return {};
    return query.value(0);
}

bool makePrivateFile(const QString &filePath)
{
    QFile file(filePath);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace sql
