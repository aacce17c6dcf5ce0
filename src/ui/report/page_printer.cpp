#include "page_printer.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QWidget>
#include <cups/cups.h>

namespace {

QPicture recordPage(const PageDrawing &page)
{
    QPicture picture;
    QPainter painter(&picture);
    page.paint(painter);
    return picture;
}

// A picture played on a device scales itself from its own resolution to the
// device's; the scale here undoes that and fits the page to the paper.
bool writePdf(QIODevice *output, const QPageLayout &layout, const PageDrawings &pages)
{
    QPdfWriter writer(output);
    writer.setTitle("Nutrivo");
    writer.setCreator("Nutrivo");
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRectF paper = layout.paintRectPixels(writer.resolution());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage())
            return false;
        const QPicture picture = recordPage(pages.at(i));
        const QSize size = pages.at(i).size;
        const double scale = qMin(paper.width() / size.width(), paper.height() / size.height());
        painter.save();
        painter.translate((paper.width() - size.width() * scale) / 2,
                          (paper.height() - size.height() * scale) / 2);
        painter.scale(scale * picture.logicalDpiX() / writer.logicalDpiX(),
                      scale * picture.logicalDpiY() / writer.logicalDpiY());
        painter.drawPicture(0, 0, picture);
        painter.restore();
    }
    return painter.end();
}

QPageLayout paperOfThisCountry()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

// Qt's own print engine does not tell when a queue refuses a job, so the page
// goes to the queue here, from memory, with the queue's own options.
bool submitToQueue(const QString &queue, const QByteArray &pdf)
{
    // A queue's name may carry an instance: "name/instance".
    const QByteArray name = queue.section('/', 0, 0).toLocal8Bit();
    const QByteArray instance = queue.section('/', 1).toLocal8Bit();
    cups_dest_t *destination = cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, name.constData(), instance.isEmpty() ? nullptr : instance.constData());
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), "Nutrivo",
                                  destination ? destination->num_options : 0,
                                  destination ? destination->options : nullptr);
    cupsFreeDests(destination ? 1 : 0, destination);
    if (job <= 0)
        return false;
    bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, "Nutrivo",
                                  CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    if (sent) {
        sent = cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), size_t(pdf.size())) ==
               HTTP_STATUS_CONTINUE;
        sent = cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) == IPP_STATUS_OK && sent;
    }
    if (!sent)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
    return sent;
}

} // namespace

PageDrawing drawingOf(QWidget *window)
{
    // QWidget::render() onto a printer paints through a page-sized pixmap; onto
    // a picture it keeps the commands themselves.
    return {window->size(), [window](QPainter &painter) {
                window->render(&painter, QPoint(), QRegion(),
                               QWidget::DrawWindowBackground | QWidget::DrawChildren);
            }};
}

PrintOutcome printOnDefaultPrinter(const PageDrawings &pages)
{
    const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
    if (destination.isNull())
        return PrintOutcome::NoPrinter;
    // The queue's own paper and margins.
    const QPageLayout layout = QPrinter(destination).pageLayout();
    QBuffer pdf;
    if (!pdf.open(QIODevice::WriteOnly) || !writePdf(&pdf, layout, pages))
        return PrintOutcome::Failed;
    return submitToQueue(destination.printerName(), pdf.data()) ? PrintOutcome::Printed
                                                                : PrintOutcome::Failed;
}

PrintOutcome saveAsPdf(const PageDrawings &pages, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return PrintOutcome::Failed;
    // A subject's figures, private like the archive whatever the umask.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!writePdf(&file, paperOfThisCountry(), pages))
        return PrintOutcome::Failed;
    return file.commit() ? PrintOutcome::Printed : PrintOutcome::Failed;
}
