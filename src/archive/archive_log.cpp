// The access log's rows, written with what they record: in a change's own
// transaction, or right after a reading, so that nothing is done or shown
// that the log does not hold.

#include "archive.h"
#include "archive_store.h"
#include "schema.h"
#include "sql_support.h"

namespace {

// Enough rows a statement to spare a round trip each, few enough for any driver.
constexpr int rowsPerInsert = 100;

} // namespace

bool ArchiveStore::log(QSqlQuery &query, Access access, const QList<qint64> &subjectIds)
{
    const QStringList &columns = schema::accessLogColumnNames();
    const QString oneRow =
        QStringLiteral("(%1)").arg(QStringList(columns.size(), QStringLiteral("?")).join(','));
    // A server writes its own time and role over these.
    const QVariantList row = {QDateTime::currentDateTimeUtc().toString(Qt::ISODate), who(),
                              thisWorkstation(), actionOf(access)};
    for (qsizetype start = 0; start < subjectIds.size(); start += rowsPerInsert) {
        const qsizetype count = std::min<qsizetype>(rowsPerInsert, subjectIds.size() - start);
        QVariantList values;
        for (qsizetype i = start; i < start + count; ++i)
            values << row << subjectIds.at(i);
        if (!sql::run(
                query,
                QStringLiteral("INSERT INTO access_log (%1) VALUES %2")
                    .arg(columns.join(QStringLiteral(", ")), QStringList(count, oneRow).join(',')),
                values))
            return false;
        query.finish();
    }
    return true;
}

WriteOutcome Archive::change(const Statements &statements,
                             std::initializer_list<ArchiveState> states)
{
    if (std::find(states.begin(), states.end(), state()) == states.end())
        return WriteOutcome::Refused;
    // Nothing goes with BEGIN: a lost session's is begun again on a new one.
    bool begun = false;
    const auto begin = [&] { return m_store->watched([&] { begun = database().transaction(); }); };
    if (!begin())
        return WriteOutcome::Offline;
    if (!begun) {
        const QSqlError error = database().lastError();
        if (!m_store->reopenedAfterLoss(error))
            return outcomeOf(error);
        if (!begin())
            return WriteOutcome::Offline;
    }
    if (!begun)
        return outcomeOf(database().lastError());
    WriteOutcome outcome = WriteOutcome::Offline;
    m_store->watched([&] {
        QSqlDatabase db = database();
        QSqlQuery query(db);
        outcome = statements(query);
        // The prepared statement is freed after the transaction ends: an
        // aborted one refuses even that.
        query.finish();
        if (outcome != WriteOutcome::Done)
            db.rollback();
        else if (!db.commit())
            outcome = outcomeOf(db.lastError());
    });
    return outcome;
}

WriteOutcome Archive::logAccess(Access access, const QList<qint64> &subjectIds)
{
    if (subjectIds.isEmpty())
        return WriteOutcome::Done;
    // A file of a newer Nutrivo is only read, and its log takes the row.
    return change(
        [&](QSqlQuery &query) {
            return m_store->log(query, access, subjectIds)
                       ? WriteOutcome::Done
                       : m_store->logOutcomeOf(query.lastError());
        },
        {ArchiveState::Ready, ArchiveState::ReadOnlyNewer});
}

Archive::Reading<LoggedAccess> Archive::accessesOf(qint64 subjectId)
{
    Reading<LoggedAccess> accesses;
    if (state() != ArchiveState::Ready && state() != ArchiveState::ReadOnlyNewer) {
        accesses.failed = state() == ArchiveState::Unreachable;
        return accesses;
    }
    QSqlQuery query;
    accesses.failed = !runOnce(query,
                               QStringLiteral("SELECT at, role, workstation, action FROM access_log"
                                              " WHERE subject_id = ? ORDER BY id DESC"),
                               {subjectId});
    const bool answered = m_store->watched(
        [&] {
            while (query.next()) {
                // A file keeps the time as text in UTC, a server as a time.
                const QVariant at = query.value(0);
                const QDateTime time = at.metaType().id() == QMetaType::QDateTime
                                           ? at.toDateTime()
                                           : QDateTime::fromString(at.toString(), Qt::ISODate);
                accesses.append({time.toLocalTime(), query.value(1).toString(),
                                 query.value(2).toString(), query.value(3).toString()});
            }
        },
        &query);
    if (!answered || query.lastError().isValid()) {
        accesses.clear();
        accesses.failed = true;
    }
    return accesses;
}
