#pragma once

// The archive's tables on a PostgreSQL server, version by version: the same
// tables as the file's, with the server's own identity columns, and the
// version kept in a table of its own (a server has no user_version).

#include "server_address.h"

#include <QSqlDatabase>
#include <QStringList>

namespace server_schema {

// The statements that take a database from version n - 1 to n, for n from 1.
const QList<QStringList> &steps();

inline int currentVersion()
{
    return int(steps().size());
}

// The database's version: 0 without Nutrivo's tables, -1 when it cannot be
// read, with the server's reason in why.
int versionOf(const QSqlDatabase &db, QString *why = nullptr);

// The role the dietitians' roles are members of, holding every grant they need.
inline const QString dietitiansRole = QStringLiteral("nutrivo_dietisti");

struct Prepared
{
    int before = -1;
    int after = -1;
    QString error; // empty when done
    // Set when the session's role does not own the database: nothing done.
    QString owner;
    QString user;
    // The group role was there, or made now; false: the owner may not make it.
    bool groupReady = false;
};

// Creates the tables, or takes them to this version step by step, under a
// lock that lets one workstation at a time do it; then grants the
// dietitians' group role what it needs, making it when the owner may. Only
// the database's owner may run it: tables made by another role would be
// that role's.
Prepared prepare(QSqlDatabase &db);
// The same over a connection of its own; a refused connection is the error.
Prepared prepareServer(const ServerAddress &address, const QString &password = QString());

} // namespace server_schema
