#pragma once

// The rows of an archive as they move between stores: read with their ids,
// written with them, and compared by count and checksum on both sides.

#include "archive.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>

namespace archive_rows {

struct Row
{
    qint64 id = 0;
    qint64 subjectId = 0; // assessments only
    QVariantList values;  // the columns after the ids
};

struct Records
{
    QList<Row> subjects;
    QList<Row> assessments;
    QSqlError error; // valid when a read failed
};

// Every subject, and the assessments with ids from first to last (every one
// when both are 0).
Records readRecords(const QSqlDatabase &db, qint64 first = 0, qint64 last = 0);
// Into a new archive file at part, with the same ids, checked against sent.
WriteOutcome writeInto(const QString &part, const Records &sent);

} // namespace archive_rows
