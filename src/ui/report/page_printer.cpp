#include "page_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace {

void drawPage(QPainter &painter, QPrinter &printer, QWidget *page)
{
    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = qMin(paper.width() / page->width(), paper.height() / page->height());
    painter.translate((paper.width() - page->width() * scale) / 2,
                      (paper.height() - page->height() * scale) / 2);
    painter.scale(scale, scale);
    page->render(&painter, QPoint(), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

// The page on an already configured printer; false when the job could not start.
bool startAndDraw(QPrinter &printer, QWidget *page, bool *finished)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    drawPage(painter, printer, page);
    *finished = painter.end() && printer.printerState() != QPrinter::Error;
    return true;
}

} // namespace

PrintOutcome printOnDefaultPrinter(QWidget *page)
{
    const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
    if (destination.isNull())
        return PrintOutcome::NoPrinter;
    QPrinter printer(destination, QPrinter::HighResolution);
    printer.setDocName("Nutrivo");
    bool finished = false;
    if (!startAndDraw(printer, page, &finished))
        return PrintOutcome::NoPrinter;
    return finished ? PrintOutcome::Printed : PrintOutcome::Failed;
}

PrintOutcome saveAsPdf(QWidget *page, const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setDocName("Nutrivo");
    bool finished = false;
    return startAndDraw(printer, page, &finished) && finished ? PrintOutcome::Printed
                                                              : PrintOutcome::Failed;
}
