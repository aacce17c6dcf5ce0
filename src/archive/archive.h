#pragma once

// The archive, on the personal file or a practice's server: every read and
// write of subjects and assessments, one SQL text over either store (see
// archive_store.h for what differs). With the files beside it, the only code
// that speaks SQL. Until the first save nothing is written: opening never
// makes a file.

#include "access_log.h"
#include "kept.h"
#include "server_address.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class ArchiveStore;
class QSqlError;
class QSqlQuery;

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
    Unlogged,    // the access log refused its row: nothing done, nothing shown
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
    const QString &connectionError() const;
    ArchiveState state() const;
    // The copy kept before the file was taken to this version, if it was.
    const QString &migrationCopy() const;

    // Opens the file where there is one, checks it and takes an older one to
    // this version (keeping a copy of it first). Never makes a file.
    ArchiveState open();
    void close();

    // Rows read, or failed: a reading that did not finish is never "none".
    template <typename Row>
    struct Reading : QList<Row>
    {
        bool failed = false;
        bool unlogged = false; // failed, since the access log refused its row
    };
    // A server given up is not asked again until it is opened again.
    Reading<KeptSubject> subjects();
    // Newest first. With loggedAs, the reading is logged right after it, and
    // a reading the log refuses is failed and empty.
    Reading<KeptAssessment> assessmentsOf(qint64 subjectId,
                                          std::optional<Access> loggedAs = std::nullopt);
    // A reading made of these subjects' data, one row each, in one transaction.
    WriteOutcome logAccess(Access access, const QList<qint64> &subjectIds);
    // The subject's access log, newest first.
    Reading<LoggedAccess> accessesOf(qint64 subjectId);
    bool holdsAssessment(qint64 assessmentId);

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
    void whenChangedElsewhere(Changed listener);

    // A consistent copy of the whole archive, written beside target and moved
    // there: a file's own, or one snapshot of a server's as a file.
    WriteOutcome saveCopy(const QString &target);

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
    Transfer takeIn(Archive &from, const QHash<qint64, qint64> &samePerson,
                    const Progress &progress);
    // Whether a file is a sound archive this program can read and write.
    static ArchiveState inspect(const QString &filePath);
    // Replaces the archive with a sound copy; the file it replaces, if any, is
    // kept beside it under the name put in replacedKeptAs.
    WriteOutcome restoreFrom(const QString &source, QString *replacedKeptAs = nullptr);

private:
    QSqlDatabase database() const;
    WriteOutcome outcomeOf(const QSqlError &error) const;
    // One statement; on a server whose session had ended, tried once more on
    // a new one. Only for statements that may run twice.
    bool runOnce(QSqlQuery &query, const QString &statement, const QVariantList &values);
    Kept keepOnce(qint64 subjectId, const QString &name, const KeptAssessment &assessment,
                  const std::optional<QList<qint64>> &namesakesAsked, bool &committing);
    // Whether a subject of that name, other than newId and those asked, is there.
    bool unaskedNamesake(QSqlQuery &query, qint64 newId, const QString &name,
                         const KeptAssessment &assessment, const QList<qint64> &asked, bool &found);
    Transfer takeInWatched(Archive &from, const QHash<qint64, qint64> &samePerson,
                           const Progress &progress);
    // The statements of one change in a transaction of their own, begun
    // again on a new session when the old one had ended; committed only when
    // they are Done. Only while the archive is one of states.
    using Statements = std::function<WriteOutcome(QSqlQuery &query)>;
    WriteOutcome change(const Statements &statements,
                        std::initializer_list<ArchiveState> states = {ArchiveState::Ready});
    // One statement that changes the subject, logged as access; Stale when it
    // changed no row.
    WriteOutcome write(const QString &statement, const QVariantList &values, qint64 subjectId,
                       Access access);

    QString m_filePath;
    std::optional<ServerAddress> m_server;
    std::unique_ptr<ArchiveStore> m_store;
};
