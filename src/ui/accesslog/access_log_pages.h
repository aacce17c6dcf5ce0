#pragma once

// A subject's access log as the subject is shown it: a row per access, newest
// first, on screen and on as many pages as it takes.

#include "archive/access_log.h"
#include "archive/kept.h"
#include "ui/report/page_printer.h"

#include <QDate>
#include <QStringList>

class QLocale;

// Date and time, who, from where, what.
QStringList accessLogHeadings();
QStringList accessLogRow(const LoggedAccess &access, const QLocale &locale);

// accesses: newest first, as the archive gives them.
PageDrawings accessLogPages(const KeptSubject &subject, const QList<LoggedAccess> &accesses,
                            const QLocale &locale, const QDate &printedOn);
