// Rows moved from one archive to another: a personal file into a practice's
// server, or a server's snapshot into a file. Whatever moves is read back in
// the same transaction and compared, row by row, with what was read at the
// source, by the same code on both sides; a difference keeps nothing.

#include "archive.h"
#include "archive_rows.h"
#include "archive_store.h"
#include "file_store.h"
#include "kept.h"
#include "schema.h"
#include "sql_support.h"

#include <QCryptographicHash>
#include <QSet>
#include <algorithm>

namespace {

// Enough rows a statement to spare a round trip each, few enough for any driver.
constexpr int rowsPerInsert = 100;

using archive_rows::readRecords;
using archive_rows::Records;
using archive_rows::Row;

const QStringList subjectColumns = {QStringLiteral("name"), QStringLiteral("sex")};

// A value as both stores give it back: numbers to the last bit, texts as they are.
QByteArray canonical(const QVariant &value)
{
    if (value.isNull())
        return QByteArrayLiteral("\\N");
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return QByteArray::number(value.toDouble(), 'g', 17);
    default:
        return value.toString().toUtf8();
    }
}

// A subject as the same-person question compares them.
QByteArray subjectKey(const Row &subject)
{
    return subject.values.value(0).toString().simplified().toCaseFolded().toUtf8() + '\x1f' +
           canonical(subject.values.value(1));
}

QByteArray rowDigest(const QByteArray &subject, const QVariantList &values)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(subject);
    for (const QVariant &value : values) {
        hash.addData(QByteArrayView("\x1e", 1));
        hash.addData(canonical(value));
    }
    return hash.result();
}

// What was moved, independent of ids and order: one digest a row, each
// assessment with the subject it belongs to.
struct Summary
{
    qsizetype subjects = 0;
    qsizetype assessments = 0;
    QByteArray checksum;

    bool operator==(const Summary &other) const
    {
        return subjects == other.subjects && assessments == other.assessments &&
               checksum == other.checksum;
    }
};

// subjects: the rows to count, each as it belongs (a joined subject once for
// every subject joined to it); assessments with the key of their subject.
Summary summaryOf(const QList<QByteArray> &subjects,
                  const QList<std::pair<QByteArray, const Row *>> &assessments)
{
    QList<QByteArray> digests;
    for (const QByteArray &subject : subjects)
        digests << rowDigest(subject, {});
    for (const auto &[subject, row] : assessments)
        digests << rowDigest(subject, row->values);
    std::sort(digests.begin(), digests.end());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray &digest : std::as_const(digests))
        hash.addData(digest);
    return {subjects.size(), assessments.size(), hash.result()};
}

QHash<qint64, const Row *> byId(const QList<Row> &rows)
{
    QHash<qint64, const Row *> index;
    for (const Row &row : rows)
        index.insert(row.id, &row);
    return index;
}

// Every subject with every assessment, as they stand.
Summary summaryOf(const Records &records)
{
    const QHash<qint64, const Row *> subjects = byId(records.subjects);
    QList<QByteArray> keys;
    for (const Row &subject : records.subjects)
        keys << subjectKey(subject);
    QList<std::pair<QByteArray, const Row *>> assessments;
    for (const Row &row : records.assessments)
        assessments.append(
            {subjects.contains(row.subjectId) ? subjectKey(*subjects[row.subjectId]) : QByteArray(),
             &row});
    return summaryOf(keys, assessments);
}

// Inserts rows into table, rowsPerInsert at a time; the ids given to them are
// added to ids. keepIds writes the source's own ids. The query is the
// caller's, so that its statement is freed after a rollback, not inside the
// transaction a failed row has ended.
bool insertRows(QSqlQuery &query, const QString &table, const QStringList &columns,
                const QList<Row> &rows, bool keepIds,
                const std::function<qint64(const Row &)> &parent, QList<qint64> &ids,
                QSqlError &error, const std::function<bool(int)> &progress = {})
{
    QStringList names = columns;
    if (parent)
        names.prepend(QStringLiteral("subject_id"));
    if (keepIds)
        names.prepend(QStringLiteral("id"));
    const QString oneRow =
        QStringLiteral("(%1)").arg(QStringList(names.size(), QStringLiteral("?")).join(','));
    for (qsizetype start = 0; start < rows.size(); start += rowsPerInsert) {
        const qsizetype count = std::min<qsizetype>(rowsPerInsert, rows.size() - start);
        QVariantList values;
        for (qsizetype i = start; i < start + count; ++i) {
            const Row &row = rows.at(i);
            if (keepIds)
                values << row.id;
            if (parent)
                values << parent(row);
            values << row.values;
        }
        if (!sql::run(query,
                      QStringLiteral("INSERT INTO %1 (%2) VALUES %3 RETURNING id")
                          .arg(table, names.join(QStringLiteral(", ")),
                               QStringList(count, oneRow).join(',')),
                      values)) {
            error = query.lastError();
            return false;
        }
        while (query.next())
            ids << query.value(0).toLongLong();
        query.finish();
        if (progress && !progress(int(count)))
            return false;
    }
    return true;
}

} // namespace

Records archive_rows::readRecords(const QSqlDatabase &db, qint64 first, qint64 last)
{
    Records records;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!sql::run(query, QStringLiteral("SELECT id, name, sex FROM subjects ORDER BY id"))) {
        records.error = query.lastError();
        return records;
    }
    while (query.next())
        records.subjects.append({query.value(0).toLongLong(), 0, {query.value(1), query.value(2)}});
    const QStringList columns = schema::assessmentColumnNames();
    QString statement = QStringLiteral("SELECT id, subject_id, %1 FROM assessments")
                            .arg(columns.join(QStringLiteral(", ")));
    QVariantList bounds;
    if (first != 0 || last != 0) {
        statement += QStringLiteral(" WHERE id BETWEEN ? AND ?");
        bounds = {first, last};
    }
    if (!sql::run(query, statement + QStringLiteral(" ORDER BY id"), bounds)) {
        records.error = query.lastError();
        return records;
    }
    while (query.next()) {
        Row row{query.value(0).toLongLong(), query.value(1).toLongLong(), {}};
        for (int column = 0; column < columns.size(); ++column)
            row.values.append(query.value(2 + column));
        records.assessments.append(row);
    }
    return records;
}

// The server has the whole wait for each batch.
Archive::Transfer Archive::takeIn(Archive &from, const QHash<qint64, qint64> &samePerson,
                                  const Progress &progress)
{
    Transfer transfer;
    m_store->watchedRenewing(
        [&](const std::function<void()> &renew) {
            transfer = takeInWatched(from, samePerson, [&](int done, int total) {
                renew();
                return !progress || progress(done, total);
            });
        },
        nullptr);
    return transfer;
}

Archive::Transfer Archive::takeInWatched(Archive &from, const QHash<qint64, qint64> &samePerson,
                                         const Progress &progress)
{
    Transfer transfer;
    if (state() != ArchiveState::Ready ||
        (from.state() != ArchiveState::Ready && from.state() != ArchiveState::ReadOnlyNewer))
        return transfer;
    Records sent = readRecords(from.database());
    if (sent.error.isValid()) {
        transfer.outcome = from.outcomeOf(sent.error);
        return transfer;
    }
    // Saved here by whoever moves them, as the server writes it anyway.
    const int savedBy = int(schema::assessmentColumnNames().indexOf(QStringLiteral("saved_by")));
    for (Row &row : sent.assessments)
        row.values[savedBy] = m_store->who();

    QSqlDatabase db = database();
    QSqlQuery statement(db);
    const auto fail = [&](const QSqlError &error) {
        db.rollback();
        transfer.outcome = error.isValid() ? outcomeOf(error) : WriteOutcome::Refused;
        return transfer;
    };
    if (!db.transaction())
        return fail(db.lastError());
    const int total = int(sent.subjects.size() + sent.assessments.size());
    int done = 0;
    const auto advance = [&](int rows) {
        done += rows;
        transfer.cancelled = !progress(done, total);
        return !transfer.cancelled;
    };

    // Subjects first: the new ones get ids here, the joined ones keep theirs.
    QList<Row> newSubjects;
    for (const Row &subject : sent.subjects) {
        if (!samePerson.contains(subject.id))
            newSubjects << subject;
    }
    QList<qint64> newIds;
    QSqlError error;
    if (!insertRows(statement, QStringLiteral("subjects"), subjectColumns, newSubjects, false, {},
                    newIds, error))
        return fail(error);
    QHash<qint64, qint64> here = samePerson;
    for (qsizetype i = 0; i < newSubjects.size() && i < newIds.size(); ++i)
        here.insert(newSubjects.at(i).id, newIds.at(i));
    if (newIds.size() != newSubjects.size() || !advance(int(sent.subjects.size())))
        return fail(error);

    QList<qint64> assessmentIds;
    if (!insertRows(
            statement, QStringLiteral("assessments"), schema::assessmentColumnNames(),
            sent.assessments, false, [&](const Row &row) { return here.value(row.subjectId); },
            assessmentIds, error, advance))
        return fail(error);

    // Read back what arrived, as the source was read.
    const auto [first, last] = std::minmax_element(assessmentIds.cbegin(), assessmentIds.cend());
    const Records arrived =
        assessmentIds.isEmpty() ? readRecords(db, 1, 0) : readRecords(db, *first, *last);
    if (arrived.error.isValid())
        return fail(arrived.error);
    const QHash<qint64, const Row *> subjectsHere = byId(arrived.subjects);
    const auto keyHere = [&](qint64 id) {
        return subjectsHere.contains(id) ? subjectKey(*subjectsHere[id]) : QByteArray();
    };
    QList<QByteArray> subjectKeys;
    for (const Row &subject : sent.subjects)
        subjectKeys << keyHere(here.value(subject.id));
    const QSet<qint64> moved(assessmentIds.cbegin(), assessmentIds.cend());
    QList<std::pair<QByteArray, const Row *>> assessmentsHere;
    for (const Row &row : arrived.assessments) {
        if (moved.contains(row.id))
            assessmentsHere.append({keyHere(row.subjectId), &row});
    }
    if (!(summaryOf(subjectKeys, assessmentsHere) == summaryOf(sent))) {
        transfer.mismatched = true;
        return fail(QSqlError());
    }
    QList<qint64> movedSubjects;
    for (const Row &subject : sent.subjects)
        movedSubjects << here.value(subject.id);
    if (!m_store->log(statement, Access::TransferredIn, movedSubjects)) {
        const WriteOutcome outcome = m_store->logOutcomeOf(statement.lastError());
        fail(statement.lastError());
        transfer.outcome = outcome;
        return transfer;
    }
    // One word for the whole transfer: the others read the list again anyway.
    if (!m_store->announce(statement, QStringLiteral("transfer"), sent.subjects.size()) ||
        !db.commit())
        return fail(statement.lastError().isValid() ? statement.lastError() : db.lastError());
    transfer.outcome = WriteOutcome::Done;
    transfer.newSubjects = int(newSubjects.size());
    transfer.joinedSubjects = int(sent.subjects.size() - newSubjects.size());
    transfer.assessments = int(sent.assessments.size());
    return transfer;
}

WriteOutcome archive_rows::writeInto(const QString &part, const Records &sent)
{
    FileStore copy(part);
    if (copy.open() != ArchiveState::Ready)
        return WriteOutcome::Unwritable;
    QSqlDatabase db = copy.database();
    QSqlQuery statement(db);
    QList<qint64> ids;
    QSqlError error;
    const bool written =
        db.transaction() &&
        insertRows(statement, QStringLiteral("subjects"), subjectColumns, sent.subjects, true, {},
                   ids, error) &&
        insertRows(
            statement, QStringLiteral("assessments"), schema::assessmentColumnNames(),
            sent.assessments, true, [](const Row &row) { return row.subjectId; }, ids, error);
    if (!written) {
        db.rollback();
        return sql::outcomeOf(error.isValid() ? error : db.lastError());
    }
    const Records arrived = readRecords(db);
    if (arrived.error.isValid() || !(summaryOf(arrived) == summaryOf(sent))) {
        db.rollback();
        return WriteOutcome::Unwritable;
    }
    return db.commit() ? WriteOutcome::Done : sql::outcomeOf(db.lastError());
}
