#include "file_header.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr char sqliteMagic[] = "SQLite format 3"; // and its terminating zero
constexpr int headerSize = 100;
constexpr int userVersionOffset = 60;
constexpr int applicationIdOffset = 68;

} // namespace

FileHeader readFileHeader(const QString &filePath)
{
    QFile file(filePath);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {FileHeader::Other};
    const QByteArray bytes = file.read(headerSize);
    if (bytes.isEmpty() && file.size() == 0)
        return {FileHeader::Empty};
    if (bytes.size() < headerSize || !bytes.startsWith(QByteArray(sqliteMagic, sizeof sqliteMagic)))
        return {FileHeader::Other};
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    return {FileHeader::Sqlite, qFromBigEndian<quint32>(data + userVersionOffset),
            qFromBigEndian<quint32>(data + applicationIdOffset)};
}
