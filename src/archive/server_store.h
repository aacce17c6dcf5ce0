#pragma once

// A practice's archive on a PostgreSQL server: a session made with TLS as the
// address asks, the tables' version read (their making and migration belong
// to --prepare-server), every statement under the watchdog, a session the
// server ended replaced, and LISTEN/NOTIFY telling each workstation what the
// others changed, heard again on a new session after the server comes back.

#include "archive_store.h"
#include "server_address.h"
#include "sql_support.h"

#include <memory>

class QSocketNotifier;
class QTimer;

class ServerStore : public ArchiveStore
{
public:
    // The password is kept here only, for the run.
    ServerStore(const ServerAddress &server, const QString &password);
    ~ServerStore() override;

    QString whereText() const override { return describe(m_server); }
    QString who() const override { return m_sessionUser; }
    ArchiveState open() override;
    void close() override;
    QSqlDatabase database() const override;
    bool readyToSave() override;
    WriteOutcome outcomeOf(const QSqlError &error) const override;
    WriteOutcome unreachableOutcome() const override { return WriteOutcome::Offline; }
    bool sessionLost(const QSqlError &error) const override;
    bool reopen() override;
    bool watchedRenewing(const Renewed &action, QSqlQuery *query) override;
    bool announce(QSqlQuery &query, const QString &what, qint64 id) override;
    bool takeTurnForNewSubject(QSqlQuery &query) override;
    void whenChangedElsewhere(Archive::Changed listener) override;
    WriteOutcome snapshotInto(const QString &part) override;
    WriteOutcome replaceWith(const QString &, QString *) override { return WriteOutcome::Refused; }

private:
    ArchiveState openSession();
    // After the watchdog ended a session the server left unanswered.
    void giveUp();
    // Every end of a session goes through here: its socket is never watched
    // once closed.
    void dropSession();
    void listenForChanges();
    void stopListening();
    // From the socket, or from what libpq read while a statement ran.
    void hear(bool fromSocket);
    // After the server ended an idle session: a new one, listening again,
    // tried until the server is back.
    void reconnectAfterLoss();

    ServerAddress m_server;
    QString m_password;
    QString m_sessionUser; // as the server names this session's role
    std::unique_ptr<sql::Connection> m_connection;
    Archive::Changed m_changedElsewhere;
    // Made by the thread that listens, which is the one they serve.
    std::unique_ptr<QSocketNotifier> m_listening;
    std::unique_ptr<QTimer> m_noticeCheck;
    std::unique_ptr<QTimer> m_reconnection;
    int m_retryAfterMs = 0;
};
