#include "frmcalcolo.h"

#include "frmcalcolo_plan.h"
#include "ui/common/window_look.h"
#include "ui/report/print_choices.h"
#include "working_text.h"

#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <memory>

namespace {

const QSize clientSize = pixels(QRect(0, 0, 9000, 8895)).size();
// The page's width at 96 pixels to the inch: A4 less its margins.
constexpr int pageWidth = 718;
constexpr int pageHeight = 1047;

} // namespace

frmCalcolo::frmCalcolo(QWidget *parent) : QWidget(parent, Qt::Window)
{
    dressWindow(this, "frmCalcolo", "Come si calcola", "nutrivo");
    setFixedSize(clientSize);
    m_controls = buildControls(this, frmCalcoloPlan());
    m_text = m_controls.get<QTextBrowser>("txtCalcolo");
    m_print = m_controls.get<QPushButton>("cmdStampa");
    m_pdf = m_controls.get<QPushButton>("cmdPdf");
    m_text->setAccessibleName("Come si calcola");
    connect(m_print, &QPushButton::clicked, this, &frmCalcolo::print);
    connect(m_pdf, &QPushButton::clicked, this, &frmCalcolo::savePdf);
    connect(m_controls.get<QPushButton>("cmdChiudi"), &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    showWorking(std::nullopt);
}

void frmCalcolo::showWorking(const std::optional<assessment::SubjectData> &subject)
{
    m_subject = subject;
    m_text->setHtml(workingHtml(subject, QLocale()));
    m_print->setEnabled(subject.has_value());
    m_pdf->setEnabled(subject.has_value());
}

PrintRequest frmCalcolo::printRequest() const
{
    return {"Come si calcola", "Nessuna stampante disponibile: il calcolo non è stato stampato.",
            QStringLiteral("calcolo %1").arg(QString::fromStdString(m_subject->name))};
}

PageDrawing frmCalcolo::page() const
{
    // The working as shown, laid out again at the page's width.
    std::shared_ptr<QTextDocument> document(m_text->document()->clone());
    document->setDefaultFont(m_text->font());
    document->setTextWidth(pageWidth);
    // A long working is scaled down to the page, as the report is.
    const int height = std::max(pageHeight, int(document->size().height()) + 1);
    return {QSize(pageWidth, height), [document, height](QPainter &painter) {
                painter.fillRect(QRect(0, 0, pageWidth, height), Qt::white);
                document->drawContents(&painter);
            }};
}

void frmCalcolo::print()
{
    if (m_subject)
        printPage(this, printRequest(), {page()});
}

void frmCalcolo::savePdf()
{
    if (m_subject)
        savePagePdf(this, printRequest(), {page()});
}
