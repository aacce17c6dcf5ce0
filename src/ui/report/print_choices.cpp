#include "print_choices.h"

#include "pdf_file.h"
#include "ui/common/messages.h"

#include <QMessageBox>
#include <QPushButton>

void printPage(QWidget *parent, const PrintRequest &request, const PageDrawings &pages)
{
    switch (printOnDefaultPrinter(pages)) {
    case PrintOutcome::Printed:
        break;
    case PrintOutcome::NoPrinter: {
        QMessageBox box(QMessageBox::Warning, request.title, request.notPrinted,
                        QMessageBox::NoButton, parent);
        QAbstractButton *pdf = box.addButton("Salva come PDF...", QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
        if (box.clickedButton() == pdf)
            savePagePdf(parent, request, pages);
        break;
    }
    case PrintOutcome::Failed:
        showWarning(parent, request.title,
                    "La stampa non è riuscita: controllare la stampante e riprovare.");
        break;
    }
}

void savePagePdf(QWidget *parent, const PrintRequest &request, const PageDrawings &pages)
{
    const QString fileName = askPdfFile(parent, request.pdfSubject);
    if (fileName.isEmpty())
        return;
    if (saveAsPdf(pages, fileName) != PrintOutcome::Printed)
        showWarning(parent, request.title,
                    "Il file PDF non è stato salvato: controllare la cartella "
                    "scelta e riprovare.");
}
