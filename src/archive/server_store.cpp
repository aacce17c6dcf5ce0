#include "server_store.h"

#include "archive_rows.h"
#include "server_schema.h"
#include "server_session.h"
#include "server_watchdog.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>

namespace {

// Lower case: the server folds unquoted names.
const QString channel = QStringLiteral("nutrivo_changes");

// A server restarting takes a moment; one gone for longer is asked less often.
constexpr int firstRetryMs = 500;
constexpr int lastRetryMs = 30000;

} // namespace

ServerStore::ServerStore(const ServerAddress &server, const QString &password)
    : m_server(server), m_password(password)
{
}

ServerStore::~ServerStore()
{
    close();
}

QSqlDatabase ServerStore::database() const
{
    return m_connection ? m_connection->database() : QSqlDatabase();
}

void ServerStore::close()
{
    if (m_reconnection)
        m_reconnection->stop();
    dropSession();
    m_state = ArchiveState::Absent;
}

ArchiveState ServerStore::open()
{
    close();
    return m_state = openSession();
}

void ServerStore::dropSession()
{
    stopListening();
    m_connection.reset();
}

// The server's tables are made and migrated by --prepare-server, as their
// owner; the dietitians' role only reads and writes rows.
ArchiveState ServerStore::openSession()
{
    m_connectionError = connectionRefusal(m_server);
    if (!m_connectionError.isEmpty())
        return ArchiveState::Unreachable;
    m_connection = std::make_unique<sql::Connection>(m_server, m_password);
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
        m_sessionUser = sql::single(database(), QStringLiteral("SELECT session_user")).toString();
        if (version >= server_schema::currentVersion())
            listenForChanges();
        unanswered = watch.fired();
    }
    if (unanswered) {
        giveUp();
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

bool ServerStore::readyToSave()
{
    // A server away when the archive was opened may be back.
    return m_state != ArchiveState::Unreachable || reopen();
}

WriteOutcome ServerStore::outcomeOf(const QSqlError &error) const
{
    // A connection the server ended answers every later query with no text.
    return database().isOpen() ? sql::serverOutcomeOf(error) : WriteOutcome::Offline;
}

bool ServerStore::sessionLost(const QSqlError &error) const
{
    return !database().isOpen() || sql::serverOutcomeOf(error) == WriteOutcome::Offline;
}

bool ServerStore::reopen()
{
    dropSession();
    m_state = openSession();
    return m_state == ArchiveState::Ready || m_state == ArchiveState::ReadOnlyNewer;
}

void ServerStore::giveUp()
{
    dropSession();
    m_state = ArchiveState::Unreachable;
    m_connectionError =
        QStringLiteral("il server non ha risposto entro %1 secondi.").arg(serverWaitSeconds);
}

bool ServerStore::watchedRenewing(const Renewed &action, QSqlQuery *query)
{
    bool unanswered = false;
    {
        server_watchdog::Watch watch(database());
        action([&watch] { watch.restart(); });
        unanswered = watch.fired();
    }
    if (!unanswered)
        return true;
    // The statement goes before the session it ran on.
    if (query)
        *query = QSqlQuery();
    giveUp();
    return false;
}

bool ServerStore::announce(QSqlQuery &query, const QString &what, qint64 id)
{
    return sql::run(query, QStringLiteral("SELECT pg_notify(?, ?)"),
                    {channel, QStringLiteral("%1 %2").arg(what).arg(id)});
}

bool ServerStore::takeTurnForNewSubject(QSqlQuery &query)
{
    constexpr qint64 newSubjectLock = 0x4E757473;
    return sql::run(query, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(newSubjectLock));
}

void ServerStore::whenChangedElsewhere(Archive::Changed listener)
{
    m_changedElsewhere = std::move(listener);
}

// The server read in one snapshot, logged as copied in the same
// transaction; the file is written before it commits, and a copy the log
// did not take is never kept.
WriteOutcome ServerStore::snapshotInto(const QString &part)
{
    archive_rows::Records sent;
    WriteOutcome outcome = WriteOutcome::Offline;
    watched(
        [&] {
            QSqlQuery snapshot(database());
            QSqlQuery logging(database());
            if (!snapshot.exec(
                    QStringLiteral("START TRANSACTION ISOLATION LEVEL REPEATABLE READ"))) {
                outcome = outcomeOf(snapshot.lastError());
                return;
            }
            sent = archive_rows::readRecords(database());
            QList<qint64> subjects;
            for (const archive_rows::Row &subject : std::as_const(sent.subjects))
                subjects << subject.id;
            if (sent.error.isValid())
                outcome = outcomeOf(sent.error);
            else if (!log(logging, Access::Copied, subjects))
                outcome = logOutcomeOf(logging.lastError());
            else
                outcome = archive_rows::writeInto(part, sent);
            logging.finish();
            if (outcome != WriteOutcome::Done)
                snapshot.exec(QStringLiteral("ROLLBACK"));
            else if (!snapshot.exec(QStringLiteral("COMMIT")))
                outcome = outcomeOf(snapshot.lastError());
        },
        nullptr);
    return outcome;
}

// LISTEN on the session, read here rather than through Qt's driver: the
// driver's own reader polls a socket libpq has closed once the server ends
// the session, and says nothing of it.
void ServerStore::listenForChanges()
{
    QSqlQuery listen(database());
    const int socket = server_session::socketOf(database());
    if (socket < 0 || !listen.exec(QStringLiteral("LISTEN ") + channel))
        return;
    if (!m_reconnection) {
        m_reconnection = std::make_unique<QTimer>();
        m_reconnection->setSingleShot(true);
        QObject::connect(m_reconnection.get(), &QTimer::timeout, [this] { reconnectAfterLoss(); });
        m_noticeCheck = std::make_unique<QTimer>();
        m_noticeCheck->setInterval(1000);
        QObject::connect(m_noticeCheck.get(), &QTimer::timeout, [this] { hear(false); });
    }
    m_listening = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    QObject::connect(m_listening.get(), &QSocketNotifier::activated, [this] { hear(true); });
    m_noticeCheck->start();
}

void ServerStore::stopListening()
{
    if (m_noticeCheck)
        m_noticeCheck->stop();
    m_listening.reset();
}

void ServerStore::hear(bool fromSocket)
{
    const server_session::Heard heard = server_session::heard(database(), channel, fromSocket);
    if (heard.ended) {
        // Before the socket closed by libpq is polled again.
        if (m_listening)
            m_listening->setEnabled(false);
        m_noticeCheck->stop();
        m_retryAfterMs = firstRetryMs;
        m_reconnection->start(0);
        return;
    }
    if (heard.fromOthers > 0 && m_changedElsewhere)
        m_changedElsewhere();
}

void ServerStore::reconnectAfterLoss()
{
    // Nobody listening: the next action opens a new session anyway.
    if (!m_changedElsewhere)
        return;
    if (reopen()) {
        // What changed while the session was away is read again.
        m_changedElsewhere();
        return;
    }
    m_reconnection->start(m_retryAfterMs);
    m_retryAfterMs = std::min(m_retryAfterMs * 2, lastRetryMs);
}
