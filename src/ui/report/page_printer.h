#pragma once

// Prints a window's client area as one page: drawn onto the printer at its own
// resolution, scaled to fit the page and centred, so that text stays sharp.

class QPrinter;
class QString;
class QWidget;

enum class PrintOutcome { Printed, NoPrinter, Failed };

PrintOutcome printOnDefaultPrinter(QWidget *page);
PrintOutcome saveAsPdf(QWidget *page, const QString &fileName);
