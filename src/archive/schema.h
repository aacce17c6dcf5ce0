#pragma once

// The archive's tables, version by version. A file's version is its
// user_version; each step takes a file one version further.

#include <QStringList>

namespace schema {

// Marks the file as Nutrivo's ("Nutr"), so another program's database in the
// archive's place is recognised and left alone.
constexpr quint32 applicationId = 0x4E757472;

// The assessments' columns after id and subject_id, the same on a server:
// as the first version made them, and as they are now.
const QString &firstAssessmentColumns();
const QString &assessmentColumns();
// What takes a server's assessments from the first columns to the growth columns.
QStringList growthColumnSteps();
// The role that saved an assessment, added after the growth columns.
const QString &savedByColumn();
// Every column after id and subject_id, as they stand now.
const QStringList &assessmentColumnNames();

// The subjects' row version, the same on a server.
const QString &subjectVersionColumn();

// The access log's columns after id: each row a reading or change of one
// subject's data, by whom, from where and when. The subject is named by code
// only, and the rows stay when the subject goes.
const QStringList &accessLogColumnNames();

// The statements that take a file from version n - 1 to n, for n from 1.
const QList<QStringList> &steps();

inline int currentVersion()
{
    return int(steps().size());
}

} // namespace schema
