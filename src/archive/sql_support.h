#pragma once

// Small helpers around Qt SQL shared by the archive's files.

#include "archive.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace sql {

// Runs one statement with its values bound in order.
bool run(QSqlQuery &query, const QString &statement, const QVariantList &values = {});

// The SQLite result code behind an error, without its extended bits.
int resultCode(const QSqlError &error);

WriteOutcome outcomeOf(const QSqlError &error);
// The same for a PostgreSQL server, by its SQLSTATE.
WriteOutcome serverOutcomeOf(const QSqlError &error);

// A connection of its own to the file, with the wait for another program's
// lock, removed with the object; readOnly never changes the file.
class Connection
{
public:
    Connection(const QString &filePath, bool readOnly);
    Connection(const ServerAddress &server, const QString &password);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const QString &name() const { return m_name; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }
    bool isOpen() const { return database().isOpen(); }

private:
    QString m_name;
};

// The first value of a one-row query, or an invalid variant.
QVariant single(const QSqlDatabase &db, const QString &statement);

// Makes an empty file that only its owner may read and write; false if it exists.
bool makePrivateFile(const QString &filePath);

} // namespace sql
