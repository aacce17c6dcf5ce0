// Copies of the archive: saved where the user chooses, and restored from one
// after checking it. A file is always written beside its place and moved there
// whole, so a failure never leaves part of one.

#include "archive.h"
#include "archive_store.h"
#include "file_header.h"
#include "file_store.h"
#include "schema.h"
#include "sql_support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

QString partName(const QString &target)
{
    const QFileInfo file(target);
    return file.dir().filePath(QStringLiteral(".%1.part").arg(file.fileName()));
}

bool moveOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// "archivio.sqlite" -> "archivio.sostituito-20261208-111500.sqlite"
QString replacedName(const QString &filePath)
{
    const QFileInfo file(filePath);
    return file.dir().filePath(
        QStringLiteral("%1.sostituito-%2.%3")
            .arg(file.completeBaseName(),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")),
                 file.suffix()));
}

// The whole file, synced to the disk before it is moved into place.
WriteOutcome copyPrivately(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return WriteOutcome::Unwritable;
    const QString part = partName(target);
    QFile::remove(part);
    if (!sql::makePrivateFile(part))
        return WriteOutcome::Unwritable;
    QFile out(part);
    bool written = out.open(QIODevice::WriteOnly);
    while (written && !in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        written = out.write(block) == block.size();
    }
    written = written && out.flush() && ::fsync(out.handle()) == 0;
    const bool full = out.error() == QFileDevice::ResourceError;
    out.close();
    if (!written || !moveOver(part, target)) {
        QFile::remove(part);
        return full ? WriteOutcome::DiskFull : WriteOutcome::Unwritable;
    }
    return WriteOutcome::Done;
}

} // namespace

WriteOutcome Archive::saveCopy(const QString &target)
{
    if (state() != ArchiveState::Ready && state() != ArchiveState::ReadOnlyNewer)
        return WriteOutcome::Refused;
    const QString part = partName(target);
    QFile::remove(part);
    if (!sql::makePrivateFile(part))
        return WriteOutcome::Unwritable;
    const WriteOutcome outcome = m_store->snapshotInto(part);
    if (outcome != WriteOutcome::Done) {
        QFile::remove(part);
        return outcome;
    }
    if (!moveOver(part, target)) {
        QFile::remove(part);
        return WriteOutcome::Unwritable;
    }
    return WriteOutcome::Done;
}

// A snapshot taken in one read transaction: consistent while others write.
// The log takes the copy first, with every subject in it.
WriteOutcome FileStore::snapshotInto(const QString &part)
{
    QSqlDatabase db = database();
    if (!db.transaction())
        return sql::outcomeOf(db.lastError());
    QSqlQuery logging(db);
    QList<qint64> subjects;
    bool done = sql::run(logging, QStringLiteral("SELECT id FROM subjects"));
    while (done && logging.next())
        subjects << logging.value(0).toLongLong();
    logging.finish();
    done = done && log(logging, Access::Copied, subjects);
    const QSqlError error = logging.lastError();
    logging = QSqlQuery();
    if (!done || !db.commit()) {
        db.rollback();
        return error.isValid() ? logOutcomeOf(error) : outcomeOf(db.lastError());
    }
    QSqlQuery vacuum(db);
    return sql::run(vacuum, QStringLiteral("VACUUM INTO ?"), {part})
               ? WriteOutcome::Done
               : sql::outcomeOf(vacuum.lastError());
}

ArchiveState Archive::inspect(const QString &filePath)
{
    const FileHeader header = readFileHeader(filePath);
    if (header.kind == FileHeader::Missing)
        return ArchiveState::Absent;
    if (header.kind != FileHeader::Sqlite || header.applicationId != schema::applicationId)
        return ArchiveState::NotAnArchive;
    const sql::Connection connection(filePath, true);
    if (!connection.isOpen())
        return ArchiveState::Unreachable;
    if (sql::single(connection.database(), QStringLiteral("PRAGMA integrity_check")).toString() !=
        QLatin1String("ok"))
        return ArchiveState::Damaged;
    return int(header.userVersion) > schema::currentVersion() ? ArchiveState::ReadOnlyNewer
                                                              : ArchiveState::Ready;
}

WriteOutcome Archive::restoreFrom(const QString &source, QString *replacedKeptAs)
{
    return m_store->replaceWith(source, replacedKeptAs);
}

WriteOutcome FileStore::replaceWith(const QString &source, QString *replacedKeptAs)
{
    if (Archive::inspect(source) != ArchiveState::Ready)
        return WriteOutcome::Refused;
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(m_filePath).canonicalFilePath())
        return WriteOutcome::Refused;
    close();
    const QFileInfo file(m_filePath);
    if (!file.dir().exists() && !makeFile())
        return WriteOutcome::Unwritable;
    QString keptAs;
    if (file.exists()) {
        // Whatever stood here, sound or not, is kept as it was.
        keptAs = replacedName(m_filePath);
        if (!moveOver(m_filePath, keptAs)) {
            open();
            return WriteOutcome::Unwritable;
        }
    }
    const WriteOutcome outcome = copyPrivately(source, m_filePath);
    if (outcome != WriteOutcome::Done && !keptAs.isEmpty())
        moveOver(keptAs, m_filePath);
    else if (replacedKeptAs)
        *replacedKeptAs = keptAs;
    open();
    return outcome;
}
