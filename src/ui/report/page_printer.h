#pragma once

// Prints a window's client area as one page: its paint commands are recorded
// and played onto the page, scaled to fit and centred, so that text stays text
// and lines stay lines at any resolution.

class QString;
class QWidget;

enum class PrintOutcome { Printed, NoPrinter, Failed };

// The default printer's queue either takes the job or says why not.
PrintOutcome printOnDefaultPrinter(QWidget *page);
// Written through a temporary file beside it, so a failure never leaves part of one.
PrintOutcome saveAsPdf(QWidget *page, const QString &fileName);
