#include "course_page.h"

#include "trend_chart.h"
#include "ui/common/regional.h"
#include "ui/report/subject_page.h"

#include <QLocale>
#include <QPainter>

namespace {

using subject_page::font;
const QSize pageSize = subject_page::size;
constexpr int rowHeight = 18;
constexpr int tableTop = subject_page::tableTop;
constexpr int tableBottom = 560; // the trend takes the rest

struct Column
{
    const char *heading;
    int width;
    Qt::Alignment alignment;
};
const Column columns[] = {
    {"Data", 118, Qt::AlignLeft},        {"Peso (Kg)", 72, Qt::AlignRight},
    {"IMC", 58, Qt::AlignRight},         {"Classe", 118, Qt::AlignLeft},
    {"Kcal/giorno", 92, Qt::AlignRight}, {"Protidi (g)", 86, Qt::AlignRight},
    {"Lipidi (g)", 86, Qt::AlignRight},  {"Glucidi (g)", 88, Qt::AlignRight},
};

QStringList rowOf(const KeptAssessment &kept, const QLocale &locale)
{
    const auto figure = [&](double value) { return standardText(value, locale); };
    const assessment::ShownFigures &f = kept.figures;
    return {locale.toString(kept.takenAt, QLocale::ShortFormat),
            figure(kept.weightKg()),
            figure(f.bodyMassIndex),
            QString::fromStdString(f.weightClass),
            figure(f.dailyEnergyKcal),
            figure(f.proteinsGrams),
            figure(f.fatsGrams),
            figure(f.carbohydratesGrams)};
}

void drawRow(QPainter &painter, int top, const QStringList &cells)
{
    int left = 0;
    for (int i = 0; i < cells.size(); ++i) {
        const QRect box(left + 4, top, columns[i].width - 8, rowHeight);
        painter.drawText(box, columns[i].alignment | Qt::AlignVCenter, cells.at(i));
        left += columns[i].width;
    }
}

void paintCourse(QPainter &painter, const KeptSubject &subject,
                 const QList<KeptAssessment> &assessments, const QLocale &locale,
                 const QDate &printedOn)
{
    subject_page::drawHeading(
        painter, QStringLiteral("Nutrivo - Andamento del soggetto"), subject.name,
        QStringLiteral("Sesso: %1 - %2")
            .arg(assessment::captionOf(subject.sex),
                 assessments.size() == 1
                     ? QStringLiteral("1 valutazione")
                     : QStringLiteral("%1 valutazioni").arg(assessments.size())),
        locale, printedOn);
    QStringList headings;
    for (const Column &column : columns)
        headings << column.heading;
    drawRow(painter, tableTop - rowHeight - 2, headings);
    painter.drawLine(0, tableTop - 1, pageSize.width(), tableTop - 1);

    painter.setFont(font(12));
    const int fitting = (tableBottom - tableTop) / rowHeight;
    const qsizetype shown = std::min<qsizetype>(assessments.size(), fitting);
    for (qsizetype i = 0; i < shown; ++i) {
        if (i % 2 == 1)
            painter.fillRect(QRect(0, tableTop + int(i) * rowHeight, pageSize.width(), rowHeight),
                             QColor(240, 240, 248));
        drawRow(painter, tableTop + int(i) * rowHeight, rowOf(assessments.at(i), locale));
    }
    int below = tableTop + int(shown) * rowHeight + 2;
    if (shown < assessments.size()) {
        painter.drawText(QRect(0, below, pageSize.width(), rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         assessments.size() - shown == 1
                             ? QStringLiteral("Un'altra valutazione, meno recente, è solo nel "
                                              "grafico.")
                             : QStringLiteral("Altre %1 valutazioni meno recenti sono solo nel "
                                              "grafico.")
                                   .arg(assessments.size() - shown));
        below += rowHeight;
    }

    // The trend follows the table, no taller than half the page.
    const int trendTop = below + 30;
    drawTrend(painter,
              QRectF(0, trendTop, pageSize.width(),
                     std::min(pageSize.height() - trendTop, pageSize.height() / 2)),
              trendOf(subject.sex, assessments), locale);
}

} // namespace

PageDrawing coursePage(const KeptSubject &subject, const QList<KeptAssessment> &assessments,
                       const QLocale &locale, const QDate &printedOn)
{
    return {pageSize, [=](QPainter &painter) {
                paintCourse(painter, subject, assessments, locale, printedOn);
            }};
}
