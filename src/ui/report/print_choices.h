#pragma once

// A page printed as the user expects it: on the default printer, or, with no
// printer, the offer to save it as a PDF instead; what went wrong, in a message.

#include "page_printer.h"

#include <QString>

class QWidget;

struct PrintRequest
{
    QString title;      // of the messages
    QString notPrinted; // said when there is no printer
    QString pdfSubject; // the name the PDF's file name is made from
};

void printPage(QWidget *parent, const PrintRequest &request, const PageDrawings &pages);
void savePagePdf(QWidget *parent, const PrintRequest &request, const PageDrawings &pages);
