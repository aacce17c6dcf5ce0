#pragma once

// A spreadsheet's reading of a CSV file, as RFC 4180 has it: quoted fields,
// doubled quotes, CRLF between records.

#include <QByteArray>
#include <QList>
#include <QStringList>

struct ReadCsv
{
    bool byteOrderMark = false;
    bool crlfOnly = true; // every line break is CRLF
    QList<QStringList> rows;
};

inline ReadCsv readCsv(QByteArray bytes, QChar separator)
{
    ReadCsv read;
    read.byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    if (read.byteOrderMark)
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text.at(i + 1) == '"')
                field += text.at(++i);
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"' && field.isEmpty()) {
            quoted = true;
        } else if (c == separator) {
            row << field;
            field.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\n' || i + 1 == text.size() || text.at(i + 1) != '\n')
                read.crlfOnly = false;
            else
                ++i;
            row << field;
            read.rows << row;
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        read.rows << (row << field);
    return read;
}
