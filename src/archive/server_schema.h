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

struct Prepared
{
    int before = -1;
    int after = -1;
    QString error; // empty when done
};

// Creates the tables, or takes them to this version step by step, under a
// lock that lets one workstation at a time do it. Run as the tables' owner.
Prepared prepare(QSqlDatabase &db);
// The same over a connection of its own; a refused connection is the error.
Prepared prepareServer(const ServerAddress &address);

} // namespace server_schema
