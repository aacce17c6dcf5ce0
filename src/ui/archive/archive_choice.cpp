#include "archive_choice.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString configurationFile(const QString &name)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(name);
}

QString typedPath()
{
    return configurationFile(QStringLiteral("archivio-studio-digitato"));
}

std::optional<ServerAddress> serverIn(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return serverAddressFromUri(QString::fromUtf8(file.readLine()).trimmed());
}

// One line, the address without any password, readable by its owner only.
bool writeServer(const QString &path, const ServerAddress &server)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(uriOf(server).toUtf8() + '\n');
    return file.commit();
}

} // namespace

QString archiveChoicePath()
{
    return configurationFile(QStringLiteral("archivio-studio"));
}

std::optional<ServerAddress> rememberedServer()
{
    return serverIn(archiveChoicePath());
}

bool rememberServer(const std::optional<ServerAddress> &server)
{
    const QString path = archiveChoicePath();
    if (!server)
        return !QFile::exists(path) || QFile::remove(path);
    return writeServer(path, *server);
}

std::optional<ServerAddress> lastTypedServer()
{
    return serverIn(typedPath());
}

bool rememberTypedServer(const ServerAddress &server)
{
    return writeServer(typedPath(), server);
}
