#pragma once

// Kept assessments as a spreadsheet file: CSV as RFC 4180 has it, one row per
// assessment under a header row, in the user's own separators, UTF-8 with a
// byte-order mark so that spreadsheets read the accents.

#include "kept.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct SpreadsheetFormat
{
    QChar fieldSeparator = ',';
    std::string decimalMark = ".";
    QString dateTimeFormat = "yyyy-MM-dd HH:mm"; // as QDateTime::toString takes it
};

// A spreadsheet that reads "," as the decimal mark takes ";" between fields.
SpreadsheetFormat spreadsheetFormat(const std::string &decimalMark, const QString &dateTimeFormat);

struct SubjectCourse
{
    KeptSubject subject;
    QList<KeptAssessment> assessments;
};

QByteArray spreadsheetBytes(const QList<SubjectCourse> &courses, const SpreadsheetFormat &format);

// Through a temporary file beside it: a failure leaves no part of one.
bool writeSpreadsheet(const QString &fileName, const QList<SubjectCourse> &courses,
                      const SpreadsheetFormat &format);
