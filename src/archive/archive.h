#pragma once

// The archive, on the personal file or a practice's server: opening and
// checking it, taking a file to this version, and every read and write of
// subjects and assessments. With the files beside it, the only code that
// speaks SQL. Until the first save nothing is written: opening never makes a
// file.

#include "kept.h"
#include "server_address.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>

class QSocketNotifier;
class QSqlQuery;
class QTimer;

namespace sql {
class Connection;
}
namespace server_watchdog {
class Watch;
}

enum class ArchiveState {
    Absent,        // no file yet
    Ready,         // read and written
    ReadOnlyNewer, // written by a newer Nutrivo: read, never changed
    Damaged,       // an SQLite file that fails its checks: left untouched
    NotAnArchive,  // another kind of file in the archive's place: left untouched
    Unreachable,   // the file or its folder cannot be opened or made, or the server reached
    NotPrepared,   // a server without this version's tables: see --prepare-server
};

enum class WriteOutcome {
    Done,
    Busy, // another Nutrivo held the file for longer than the wait
    DiskFull,
    Unwritable,  // permissions, a read-only folder, an input/output error
    Refused,     // the archive is not Ready (see state())
    Offline,     // the server did not answer, or ended the connection
    Stale,       // changed or deleted by another Nutrivo since it was read: nothing done
    Namesake,    // another Nutrivo made a subject of that name meanwhile: nothing kept
    Unconfirmed, // the server did not answer the commit: kept or not, only a reading tells
};

class Archive
{
public:
    // The archive in the user's data folder.
    static QString defaultPath();

    explicit Archive(const QString &filePath);
    // A practice's archive on a server; the password is never kept elsewhere.
    explicit Archive(const ServerAddress &server, const QString &password = QString());
    ~Archive();
    Archive(const Archive &) = delete;
    Archive &operator=(const Archive &) = delete;

    const QString &filePath() const { return m_filePath; }
    const std::optional<ServerAddress> &server() const { return m_server; }
    // The file's path, or the server and database, as the user reads it.
    QString whereText() const;
    // Why the server refused the connection, when it did.
    const QString &connectionError() const { return m_connectionError; }
    ArchiveState state() const { return m_state; }
    // The copy kept before the file was taken to this version, if it was.
    const QString &migrationCopy() const { return m_migrationCopy; }

    // Opens the file where there is one, checks it and takes an older one to
    // this version (keeping a copy of it first). Never makes a file.
    ArchiveState open();
    void close();
    // The same object on another store, closed until open() (the windows keep it).
    void useFile(const QString &filePath);
    void useServer(const ServerAddress &server, const QString &password = QString());

    // Rows read, or failed: a reading that did not finish is never "none".
    template <typename Row>
    struct Reading : QList<Row>
    {
        bool failed = false;
    };
    // A server given up is not asked again until it is opened again.
    Reading<KeptSubject> subjects() const;
    Reading<KeptAssessment> assessmentsOf(qint64 subjectId) const; // newest first
    bool holdsAssessment(qint64 assessmentId) const;

    struct Kept
    {
        WriteOutcome outcome = WriteOutcome::Refused;
        qint64 subjectId = 0;
        qint64 assessmentId = 0;
    };
    // Keeps an assessment for the subject subjectId, or for a new subject with
    // this name when subjectId is 0. Makes the folder and file on the first save.
    // With namesakesAsked (the subjects of that name the user called another
    // person), a new subject is refused as Namesake when any other of that
    // name and sex is there by the time it would be kept.
    Kept keep(qint64 subjectId, const QString &name, const KeptAssessment &assessment,
              const std::optional<QList<qint64>> &namesakesAsked = std::nullopt);
    // Refused as Stale once another Nutrivo has renamed or deleted the subject
    // since it was seen.
    WriteOutcome rename(const KeptSubject &seen, const QString &name);
    WriteOutcome removeAssessment(qint64 assessmentId);
    // The subject and every assessment of theirs; refused as Stale once another
    // Nutrivo has changed the subject or their assessments since.
    WriteOutcome removeSubject(const KeptSubject &seen);

    // Called from the event loop when another workstation has changed a
    // server archive (its saves, renames and deletes); never for this one's.
    using Changed = std::function<void()>;
    void whenChangedElsewhere(Changed listener) { m_changedElsewhere = std::move(listener); }

    // A consistent copy of the whole archive, written beside target and moved
    // there: a file's own, or one snapshot of a server's as a file.
    WriteOutcome saveCopy(const QString &target) const;

    struct Transfer
    {
        WriteOutcome outcome = WriteOutcome::Refused;
        bool cancelled = false;
        bool mismatched = false; // read back unlike what was sent: nothing kept
        int newSubjects = 0;
        int joinedSubjects = 0;
        int assessments = 0;
    };
    // The rows done of all; false stops.
    using Progress = std::function<bool(int done, int total)>;
    // Every subject and assessment of from, in one transaction, checked by
    // count and checksum on both sides before it is committed; anything else
    // leaves this archive as it was, and from is only read. samePerson joins a
    // subject of from to one of this archive (from's id to this one's).
    Transfer takeIn(const Archive &from, const QHash<qint64, qint64> &samePerson,
                    const Progress &progress);
    // Whether a file is a sound archive this program can read and write.
    static ArchiveState inspect(const QString &filePath);
    // Replaces the archive with a sound copy; the file it replaces, if any, is
    // kept beside it under the name put in replacedKeptAs.
    WriteOutcome restoreFrom(const QString &source, QString *replacedKeptAs = nullptr);

private:
    ArchiveState openConnection(bool readOnly);
    ArchiveState openServer() const;
    WriteOutcome outcomeOf(const QSqlError &error) const;
    // After the server ended the session (a restart, pg_terminate_backend, a
    // network that came back), a new one for the next try; false for any
    // other failure, or when the server is still away.
    bool reopenedAfterLoss(const QSqlError &error) const;
    bool sessionLost(const QSqlError &error) const;
    bool reopenServer() const;
    // After the watchdog ended a session the server left unanswered: nothing
    // more is asked of it in this action, and the next opens a new session.
    void giveUpOnServer() const;
    // Whether the watch ran out; then the server is given up, query with it.
    bool givenUp(const server_watchdog::Watch &watch, QSqlQuery &query) const;
    // Other workstations' changes reach this one through the server.
    void listenForChanges() const;
    // After the server ended an idle session: a new one, listening again,
    // tried until the server is back.
    void reconnectAfterLoss() const;
    void prepareReconnection() const;
    void hear(bool fromSocket) const;
    void stopListening() const;
    // Every end of a session goes through here: its socket is never watched
    // once closed.
    void dropSession() const;
    // Part of the transaction under way on a server: tells the others what
    // changed when it commits ("subject 12"), never a subject's data.
    bool announce(QSqlQuery &query, const QString &what, qint64 id) const;
    // One statement; on a server whose session had ended, tried once more on
    // a new one. Only for statements that may run twice.
    bool runOnce(QSqlQuery &query, const QString &statement, const QVariantList &values) const;
    Kept keepOnce(qint64 subjectId, const QString &name, const KeptAssessment &assessment,
                  const std::optional<QList<qint64>> &namesakesAsked, bool &committing);
    // Whether a subject of that name, other than newId and those asked, is there.
    bool unaskedNamesake(QSqlQuery &query, qint64 newId, const QString &name,
                         const KeptAssessment &assessment, const QList<qint64> &asked,
                         bool &found) const;
    WriteOutcome saveServerCopy(const QString &part) const;
    Transfer takeInWatched(const Archive &from, const QHash<qint64, qint64> &samePerson,
                           const Progress &progress);
    ArchiveState bringUpToDate(int version);
    bool makeFile();
    QSqlDatabase database() const;
    // One statement that changes the file, only while it is Ready; Stale when
    // it changed no row.
    WriteOutcome write(const QString &statement, const QVariantList &values, qint64 subjectId);

    QString m_filePath;
    std::optional<ServerAddress> m_server;
    QString m_password;
    // The server's session is the archive's means, not its content: reads
    // that find it ended open another.
    mutable QString m_connectionError;
    mutable std::unique_ptr<sql::Connection> m_connection;
    mutable ArchiveState m_state = ArchiveState::Absent;
    Changed m_changedElsewhere;
    QString m_migrationCopy;
    mutable std::unique_ptr<QTimer> m_reconnection;
    mutable int m_retryAfterMs = 0;
    mutable std::unique_ptr<QSocketNotifier> m_listening;
    // Notifications libpq read while a statement ran wait for no socket.
    mutable std::unique_ptr<QTimer> m_noticeCheck;
};
