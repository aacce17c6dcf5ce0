#pragma once

// Prints one page: its paint commands are recorded and played onto the paper,
// scaled to fit and centred, so that text stays text and lines stay lines at
// any resolution.

#include <QList>
#include <QSize>
#include <functional>

class QPainter;
class QString;
class QWidget;

enum class PrintOutcome { Printed, NoPrinter, Failed };

// A page: its size in screen pixels, and what paints it there.
struct PageDrawing
{
    QSize size;
    std::function<void(QPainter &)> paint;
};

// A window's client area, as it is when the page is printed.
PageDrawing drawingOf(QWidget *window);

// Several pages go out as one job, or one file, in their order.
using PageDrawings = QList<PageDrawing>;

// The default printer's queue either takes the job or says why not.
PrintOutcome printOnDefaultPrinter(const PageDrawings &pages);
// Written through a temporary file beside it, so a failure never leaves part of one.
PrintOutcome saveAsPdf(const PageDrawings &pages, const QString &fileName);
