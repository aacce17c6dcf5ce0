#pragma once

// What every page handed to a subject shares: the paper's size, its fonts,
// and the heading with the title, the subject, a line about them and the day
// it was printed.

#include <QDate>
#include <QFont>
#include <QSize>
#include <QString>

class QLocale;
class QPainter;

namespace subject_page {

// A4 less its margins, at 96 pixels to the inch; other papers scale it.
inline const QSize size(718, 1047);
// Where a page's table may begin, below the heading and its own headings.
constexpr int tableTop = 112;

QFont font(int pixels, bool bold = false);
// Leaves the pen black and the font at the table's headings.
void drawHeading(QPainter &painter, const QString &title, const QString &name, const QString &about,
                 const QLocale &locale, const QDate &printedOn);

} // namespace subject_page
