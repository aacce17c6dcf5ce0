#pragma once

// What the first bytes of a file say about it, read without SQLite, so that a
// foreign file is recognised without ever being opened as a database.

#include <QString>

struct FileHeader
{
    enum Kind { Missing, Empty, Sqlite, Other } kind = Missing;
    quint32 userVersion = 0;
    quint32 applicationId = 0;
};

FileHeader readFileHeader(const QString &filePath);
