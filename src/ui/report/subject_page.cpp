#include "subject_page.h"

#include <QLocale>
#include <QPainter>

namespace subject_page {

QFont font(int pixels, bool bold)
{
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(pixels);
    face.setBold(bold);
    return face;
}

void drawHeading(QPainter &painter, const QString &title, const QString &name, const QString &about,
                 const QLocale &locale, const QDate &printedOn)
{
    painter.fillRect(QRect(QPoint(), size), Qt::white);
    painter.setPen(QColor(0, 0, 128));
    painter.setFont(font(22, true));
    painter.drawText(QRect(0, 0, size.width(), 30), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setPen(Qt::black);
    painter.setFont(font(15, true));
    painter.drawText(QRect(0, 42, 500, 22), Qt::AlignLeft | Qt::AlignVCenter, name);
    painter.setFont(font(13));
    painter.drawText(QRect(0, 66, 500, 20), Qt::AlignLeft | Qt::AlignVCenter, about);
    painter.drawText(
        QRect(0, 42, size.width(), 22), Qt::AlignRight | Qt::AlignVCenter,
        QStringLiteral("Stampato il %1").arg(locale.toString(printedOn, QLocale::ShortFormat)));
    painter.drawLine(0, 94, size.width(), 94);
    painter.setFont(font(12, true));
}

} // namespace subject_page
