#include "archive.h"

#include "file_store.h"
#include "server_store.h"

#include <QDir>
#include <QStandardPaths>

QString Archive::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("archivio.sqlite"));
}

Archive::Archive(const QString &filePath)
    : m_filePath(filePath), m_store(std::make_unique<FileStore>(filePath))
{
}

Archive::Archive(const ServerAddress &server, const QString &password)
    : m_server(server), m_store(std::make_unique<ServerStore>(server, password))
{
}

Archive::~Archive() = default;

QString Archive::whereText() const
{
    return m_store->whereText();
}

const QString &Archive::connectionError() const
{
    return m_store->connectionError();
}

ArchiveState Archive::state() const
{
    return m_store->state();
}

const QString &Archive::migrationCopy() const
{
    return m_store->migrationCopy();
}

ArchiveState Archive::open()
{
    return m_store->open();
}

void Archive::close()
{
    m_store->close();
}

void Archive::whenChangedElsewhere(Changed listener)
{
    m_store->whenChangedElsewhere(std::move(listener));
}

QSqlDatabase Archive::database() const
{
    return m_store->database();
}

WriteOutcome Archive::outcomeOf(const QSqlError &error) const
{
    return m_store->outcomeOf(error);
}
