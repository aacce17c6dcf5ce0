#pragma once

// The access log: what a row says was done with one subject's data, and the
// rows as the archive reads them back.

#include <QDateTime>
#include <QString>

enum class Access {
    Saved,             // an assessment kept
    Viewed,            // the subject's assessments listed in the archive window
    Opened,            // an assessment opened in the main window
    CoursePrinted,     // the subject's course printed or saved as PDF
    Exported,          // the subject's assessments written to a CSV file
    Renamed,           // the subject's name changed
    AssessmentRemoved, // one of the subject's assessments deleted
    SubjectRemoved,    // the subject and their assessments deleted
    TransferredIn,     // moved from a personal file into the practice's server
    Copied,            // in a copy of the whole archive
};

// The action as the log keeps it, in words the practice reads.
QString actionOf(Access access);

struct LoggedAccess
{
    QDateTime at; // local time
    QString role;
    QString workstation;
    QString action;
};

// This machine's name, as the log gives it.
QString thisWorkstation();
// The system user running Nutrivo, who the personal file's log names.
QString systemUser();
