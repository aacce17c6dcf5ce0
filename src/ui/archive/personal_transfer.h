#pragma once

// The personal archive moved into the practice's archive in use: first
// confirmed, the namesakes asked about one by one, then a progress bar that
// can stop it, and at the end what was done. The personal file is only read.

class ArchiveSession;
class QString;
class QWidget;

// True when the practice's archive took the rows.
bool transferPersonalArchive(QWidget *over, ArchiveSession &practice, const QString &personalPath);
