#pragma once

// What the archive windows say about the file's state and about a write
// that did not happen.

#include "archive/archive_session.h"

#include <QLocale>
#include <QMessageBox>
#include <QString>
#include <optional>

struct ArchiveNotice
{
    QMessageBox::Icon icon;
    QString text;
    QString details = QString(); // the server's own words, under "Dettagli"
};

// Nothing to say for a Ready or Absent archive.
ArchiveNotice stateNotice(ArchiveState state, const QString &filePath);
// The same for a server's archive, with why the server refused it.
ArchiveNotice stateNotice(ArchiveState state, const ServerAddress &server,
                          const QString &connectionError);
// The same for the archive in use, a file's or a server's.
ArchiveNotice stateNotice(const ArchiveSession &archive);
// The same in the status line's two lines.
QString stateLine(const ArchiveSession &archive);
// What a server's refusal means, and what to do: one Italian sentence.
QString serverFailureText(const ServerAddress &address, const QString &libpqText);
// An action the access log refused, said the same wherever it happens.
QString unloggedText();
ArchiveNotice failureNotice(WriteOutcome outcome, const QString &filePath);

// What another workstation did to the subject seen, now read again (none
// once deleted): "un'altra postazione ha rinominato Rossi Mario in ...".
QString othersChange(const KeptSubject &seen, const std::optional<KeptSubject> &now);

// Shows a notice as a message box over parent, with the given title.
void showNotice(QWidget *parent, const QString &title, const ArchiveNotice &notice);

// "1 valutazione, il 01/12/26" or "3 valutazioni dal 01/10/26": what tells
// namesakes apart.
QString visitsText(const KeptSubject &subject, const QLocale &locale);
