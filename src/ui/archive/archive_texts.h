#pragma once

// What the archive windows say about the file's state and about a write
// that did not happen.

#include "archive/archive.h"

#include <QMessageBox>
#include <QString>

struct ArchiveNotice
{
    QMessageBox::Icon icon;
    QString text;
};

// Nothing to say for a Ready or Absent archive.
ArchiveNotice stateNotice(ArchiveState state, const QString &filePath);
ArchiveNotice failureNotice(WriteOutcome outcome, const QString &filePath);

// Shows a notice as a message box over parent, with the given title.
void showNotice(QWidget *parent, const QString &title, const ArchiveNotice &notice);
