#include "archive_choice.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

QString archiveChoicePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("archivio-studio"));
}

std::optional<ServerAddress> rememberedServer()
{
    QFile file(archiveChoicePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return serverAddressFromUri(QString::fromUtf8(file.readLine()).trimmed());
}

bool rememberServer(const std::optional<ServerAddress> &server)
{
    const QString path = archiveChoicePath();
    if (!server)
        return !QFile::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(uriOf(*server).toUtf8() + '\n');
    return file.commit();
}
