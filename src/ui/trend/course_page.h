#pragma once

// A subject's course on one page, to hand to the subject: who it is, the
// assessments that fit, newest first, and the trend.

#include "archive/kept.h"
#include "ui/report/page_printer.h"

#include <QDate>

class QLocale;

// assessments: newest first, as the archive gives them.
PageDrawing coursePage(const KeptSubject &subject, const QList<KeptAssessment> &assessments,
                       const QLocale &locale, const QDate &printedOn);
