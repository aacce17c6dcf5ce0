#include "server_session.h"

#include <QSqlDriver>
#include <QVariant>
#include <libpq-fe.h>

namespace server_session {
namespace {

PGconn *connectionOf(const QSqlDatabase &db)
{
    const QVariant handle = db.isValid() && db.driver() ? db.driver()->handle() : QVariant();
    // Qt 6 names the type by libpq's struct.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<PGconn *const *>(handle.constData());
}

} // namespace

int socketOf(const QSqlDatabase &db)
{
    PGconn *connection = connectionOf(db);
    return connection ? PQsocket(connection) : -1;
}

bool ended(const QSqlDatabase &db)
{
    PGconn *connection = connectionOf(db);
    return connection && PQstatus(connection) == CONNECTION_BAD;
}

void keepNoticesQuiet(const QSqlDatabase &db)
{
    if (PGconn *connection = connectionOf(db))
        PQsetNoticeProcessor(
            connection, [](void *, const char *) {}, nullptr);
}

Heard heard(const QSqlDatabase &db, const QString &channel, bool fromSocket)
{
    Heard heard;
    PGconn *connection = connectionOf(db);
    if (!connection)
        return heard;
    if (fromSocket)
        PQconsumeInput(connection);
    const QByteArray name = channel.toUtf8();
    while (PGnotify *notify = PQnotifies(connection)) {
        if (name == notify->relname && notify->be_pid != PQbackendPID(connection))
            ++heard.fromOthers;
        PQfreemem(notify);
    }
    heard.ended = PQstatus(connection) == CONNECTION_BAD;
    return heard;
}

} // namespace server_session
