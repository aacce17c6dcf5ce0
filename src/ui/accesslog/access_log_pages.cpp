#include "access_log_pages.h"

#include "ui/report/subject_page.h"

#include <QLocale>
#include <QPainter>

namespace {

using subject_page::font;
const QSize pageSize = subject_page::size;
constexpr int rowHeight = 18;
constexpr int tableTop = subject_page::tableTop;
const int footerTop = pageSize.height() - rowHeight;
const int rowsPerPage = (footerTop - 8 - tableTop) / rowHeight;

const int columnWidths[] = {150, 150, 170, 248};

void drawRow(QPainter &painter, int top, const QStringList &cells)
{
    int left = 0;
    for (int i = 0; i < cells.size(); ++i) {
        const QRect box(left + 4, top, columnWidths[i] - 8, rowHeight);
        painter.drawText(
            box, Qt::AlignLeft | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(cells.at(i), Qt::ElideRight, box.width()));
        left += columnWidths[i];
    }
}

void paintPage(QPainter &painter, const KeptSubject &subject, const QList<QStringList> &rows,
               int page, int pages, const QLocale &locale, const QDate &printedOn)
{
    subject_page::drawHeading(
        painter, QStringLiteral("Nutrivo - Registro accessi ai dati del soggetto"), subject.name,
        QStringLiteral("Codice %1 - %2")
            .arg(subject.id)
            .arg(rows.size() == 1 ? QStringLiteral("1 accesso registrato")
                                  : QStringLiteral("%1 accessi registrati").arg(rows.size())),
        locale, printedOn);
    drawRow(painter, tableTop - rowHeight - 2, accessLogHeadings());
    painter.drawLine(0, tableTop - 1, pageSize.width(), tableTop - 1);
    painter.setFont(font(12));
    if (rows.isEmpty())
        painter.drawText(QRect(4, tableTop, pageSize.width(), rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Nessun accesso registrato."));
    const int first = page * rowsPerPage;
    for (int i = 0; i < rowsPerPage && first + i < rows.size(); ++i) {
        if (i % 2 == 1)
            painter.fillRect(QRect(0, tableTop + i * rowHeight, pageSize.width(), rowHeight),
                             QColor(240, 240, 248));
        drawRow(painter, tableTop + i * rowHeight, rows.at(first + i));
    }
    painter.drawText(QRect(0, footerTop, pageSize.width(), rowHeight),
                     Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pages));
}

} // namespace

QStringList accessLogHeadings()
{
    return {QStringLiteral("Data e ora"), QStringLiteral("Chi"), QStringLiteral("Postazione"),
            QStringLiteral("Operazione")};
}

QStringList accessLogRow(const LoggedAccess &access, const QLocale &locale)
{
    // To the second: two accesses in the same minute are told apart.
    return {locale.toString(access.at.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                access.at.time().toString(QStringLiteral("HH:mm:ss")),
            access.role, access.workstation, access.action};
}

PageDrawings accessLogPages(const KeptSubject &subject, const QList<LoggedAccess> &accesses,
                            const QLocale &locale, const QDate &printedOn)
{
    QList<QStringList> rows;
    for (const LoggedAccess &access : accesses)
        rows << accessLogRow(access, locale);
    const int pages = std::max(1, int((rows.size() + rowsPerPage - 1) / rowsPerPage));
    PageDrawings drawings;
    for (int page = 0; page < pages; ++page)
        drawings << PageDrawing{pageSize, [=](QPainter &painter) {
                                    paintPage(painter, subject, rows, page, pages, locale,
                                              printedOn);
                                }};
    return drawings;
}
