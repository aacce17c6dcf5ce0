#pragma once

// Where an archive's rows are kept, and all that differs between the two
// places: the personal file (opening and checking it, its versions, copies
// and restore) and a practice's server (its session, the watch over each
// statement, its loss and return, and telling the other workstations). The
// records themselves are one SQL text over either.

#include "archive.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <functional>

class ArchiveStore
{
public:
    virtual ~ArchiveStore() = default;

    ArchiveState state() const { return m_state; }
    const QString &connectionError() const { return m_connectionError; }
    const QString &migrationCopy() const { return m_migrationCopy; }
    virtual QString whereText() const = 0;

    // Opens the store and checks it; never makes a file.
    virtual ArchiveState open() = 0;
    virtual void close() = 0;
    virtual QSqlDatabase database() const = 0;
    // Before a save: a file is made on the first one, a server that was away
    // is asked again. False when there is nowhere to save.
    virtual bool readyToSave() = 0;
    // Who the access log and each assessment name: the server's session
    // role, or the system user for the personal file.
    virtual QString who() const = 0;
    // What a failed statement means to the user.
    virtual WriteOutcome outcomeOf(const QSqlError &error) const = 0;
    // The outcome when the store cannot be reached at all.
    virtual WriteOutcome unreachableOutcome() const = 0;

    // Whether error says the server ended the session (a restart, a network
    // that came back); never for a file.
    virtual bool sessionLost(const QSqlError &error) const = 0;
    // A new session after a lost one; false while the server is away.
    virtual bool reopen() = 0;
    // Apart from the reopening: no handle to the old session may outlive it.
    bool reopenedAfterLoss(const QSqlError &error) { return sessionLost(error) && reopen(); }
    // Runs action under the store's watch: false when the server left it
    // unanswered, its session then ended (query with it) and nothing more
    // asked of it until it is opened again.
    bool watched(const std::function<void()> &action, QSqlQuery *query = nullptr)
    {
        return watchedRenewing([&](const std::function<void()> &) { action(); }, query);
    }
    // The same for a long action, which renews the whole wait (a transfer's
    // next batch) by calling what it is given.
    using Renewed = std::function<void(const std::function<void()> &renew)>;
    virtual bool watchedRenewing(const Renewed &action, QSqlQuery *query) = 0;
    // Inside a write's transaction: tells the other workstations what
    // changed ("subject 12") when it commits.
    virtual bool announce(QSqlQuery &query, const QString &what, qint64 id) = 0;
    // Inside a transaction: a row of the access log for each subject, naming
    // who() and this workstation.
    bool log(QSqlQuery &query, Access access, const QList<qint64> &subjectIds);
    // A log row refused: Unlogged, unless the store itself failed (full, busy, away).
    WriteOutcome logOutcomeOf(const QSqlError &error) const
    {
        const WriteOutcome outcome = outcomeOf(error);
        return outcome == WriteOutcome::Unwritable ? WriteOutcome::Unlogged : outcome;
    }
    // Inside a transaction making a subject: workstations take turns, so
    // that each sees the others' new subjects.
    virtual bool takeTurnForNewSubject(QSqlQuery &query) = 0;
    virtual void whenChangedElsewhere(Archive::Changed listener) = 0;

    // One consistent snapshot of every row, written into the new file part.
    virtual WriteOutcome snapshotInto(const QString &part) = 0;
    // Replaces the store with a sound copy (only a file's can be).
    virtual WriteOutcome replaceWith(const QString &source, QString *replacedKeptAs) = 0;

protected:
    ArchiveState m_state = ArchiveState::Absent;
    QString m_connectionError;
    QString m_migrationCopy;
};
