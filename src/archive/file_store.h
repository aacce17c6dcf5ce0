#pragma once

// The personal archive: one SQLite file in the user's data folder, made by
// the first save, checked at each opening, taken to this version one step at
// a time (a copy kept first), copied and restored whole.

#include "archive_store.h"
#include "sql_support.h"

#include <memory>

class FileStore : public ArchiveStore
{
public:
    explicit FileStore(const QString &filePath) : m_filePath(filePath) {}

    QString whereText() const override;
    QString who() const override { return systemUser(); }
    ArchiveState open() override;
    void close() override;
    QSqlDatabase database() const override;
    bool readyToSave() override;
    WriteOutcome outcomeOf(const QSqlError &error) const override;
    WriteOutcome unreachableOutcome() const override { return WriteOutcome::Unwritable; }
    bool sessionLost(const QSqlError &) const override { return false; }
    bool reopen() override { return false; }
    bool watchedRenewing(const Renewed &action, QSqlQuery *) override;
    // Another writer waits for the file's lock anyway.
    bool announce(QSqlQuery &, const QString &, qint64) override { return true; }
    bool takeTurnForNewSubject(QSqlQuery &) override { return true; }
    // Nobody else writes the personal file while this one is open.
    void whenChangedElsewhere(Archive::Changed) override {}
    WriteOutcome snapshotInto(const QString &part) override;
    WriteOutcome replaceWith(const QString &source, QString *replacedKeptAs) override;

private:
    ArchiveState openConnection(bool newer);
    ArchiveState bringUpToDate(int version);
    bool makeFile();

    QString m_filePath;
    std::unique_ptr<sql::Connection> m_connection;
};
