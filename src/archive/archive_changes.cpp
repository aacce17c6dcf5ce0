// A server archive's changes told to the other workstations: every write's
// transaction carries a NOTIFY on one channel, and each workstation listens
// to it from the moment its session opens, and again on a new session after
// the server ended the old one.

#include "archive.h"
#include "server_session.h"
#include "sql_support.h"

#include <QSocketNotifier>
#include <QSqlQuery>
#include <QTimer>
#include <algorithm>

namespace {

// Lower case: the server folds unquoted names.
const QString channel = QStringLiteral("nutrivo_changes");

// A server restarting takes a moment; one gone for longer is asked less often.
constexpr int firstRetryMs = 500;
constexpr int lastRetryMs = 30000;

} // namespace

// LISTEN on the session, read here rather than through Qt's driver: the
// driver's own reader polls a socket libpq has closed once the server ends
// the session, and says nothing of it.
void Archive::listenForChanges() const
{
    QSqlQuery listen(database());
    const int socket = server_session::socketOf(database());
    if (socket < 0 || !listen.exec(QStringLiteral("LISTEN ") + channel))
        return;
    prepareReconnection();
    m_listening = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    QObject::connect(m_listening.get(), &QSocketNotifier::activated, [this] { hear(true); });
    m_noticeCheck->start();
}

void Archive::stopListening() const
{
    if (m_noticeCheck)
        m_noticeCheck->stop();
    m_listening.reset();
}

// From the socket, or from what libpq read while a statement of this
// workstation's ran.
void Archive::hear(bool fromSocket) const
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

void Archive::reconnectAfterLoss() const
{
    // Nobody listening: the next action opens a new session anyway.
    if (!m_changedElsewhere || !m_server)
        return;
    if (reopenServer()) {
        // What changed while the session was away is read again.
        m_changedElsewhere();
        return;
    }
    m_reconnection->start(m_retryAfterMs);
    m_retryAfterMs = std::min(m_retryAfterMs * 2, lastRetryMs);
}

bool Archive::announce(QSqlQuery &query, const QString &what, qint64 id) const
{
    if (!m_server)
        return true;
    return sql::run(query, QStringLiteral("SELECT pg_notify(?, ?)"),
                    {channel, QStringLiteral("%1 %2").arg(what).arg(id)});
}
