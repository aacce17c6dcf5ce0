#include "trend_chart.h"

#include "assessment/weight.h"
#include "ui/common/regional.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

const QColor weightColour(0, 0, 128);
const QColor idealColour(128, 0, 0);
const QColor indexColour(0, 80, 40);
const QColor gridColour(200, 200, 200);
const QColor axisTextColour(60, 60, 60);

struct Band
{
    const char *name;
    QColor colour;
};
// Sottopeso, Normopeso, Sovrappeso, Obeso: pale, so the line over them reads.
const Band bands[] = {{"Sottopeso", QColor(219, 233, 246)},
                      {"Normopeso", QColor(220, 239, 220)},
                      {"Sovrappeso", QColor(251, 236, 205)},
                      {"Obeso", QColor(246, 213, 213)}};

// Markers on every point while they stand apart; a dense course is a line.
constexpr double markerSpacing = 6;
constexpr double markerRadius = 3;

// 1, 2 or 5 times a power of ten: the smallest that keeps to maxTicks.
double niceStep(double span, int maxTicks)
{
    const double raw = span > 0 ? span / std::max(1, maxTicks) : 1;
    const double power = std::pow(10, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

// A scale with half a step of room around the values, and no narrower than
// minimumSpan, so that a change of a few grams does not look like a fall.
void scaleOver(double low, double high, double minimumSpan, int maxTicks, double &from, double &to,
               double &step)
{
    if (high - low < minimumSpan) {
        const double middle = (low + high) / 2;
        low = middle - minimumSpan / 2;
        high = middle + minimumSpan / 2;
    }
    step = niceStep(high - low, maxTicks);
    from = std::floor((low - step / 2) / step) * step;
    to = std::ceil((high + step / 2) / step) * step;
}

double yOf(double value, const QRectF &plot, double from, double to)
{
    return plot.bottom() - (value - from) / (to - from) * plot.height();
}

QString scaleText(double value, double step, const QLocale &locale)
{
    return locale.toString(value, 'f', step < 1 ? 1 : 0);
}

// The moments the axis names: evenly spread from the first to the last, each
// on a day of its own, since the axis names days.
QList<qint64> axisTimes(const Trend &trend, double width, double labelWidth)
{
    const qint64 first = trend.points.first().msecsSinceEpoch;
    const qint64 last = trend.points.last().msecsSinceEpoch;
    if (first == last)
        return {first};
    const int count = std::clamp(int(width / (labelWidth * 1.6)), 2, 6);
    QList<qint64> times;
    QDate named;
    for (int i = 0; i < count; ++i) {
        const qint64 time = first + (last - first) * i / (count - 1);
        const QDate day = QDateTime::fromMSecsSinceEpoch(time).date();
        if (day != named)
            times << time;
        named = day;
    }
    return times;
}

double xOf(qint64 time, const Trend &trend, const QRectF &plot, double pad)
{
    const qint64 first = trend.points.first().msecsSinceEpoch;
    const qint64 span = trend.points.last().msecsSinceEpoch - first;
    if (span <= 0)
        return plot.center().x();
    return plot.left() + pad + double(time - first) / span * (plot.width() - 2 * pad);
}

void drawScale(QPainter &painter, const QRectF &plot, double from, double to, double step,
               const QLocale &locale)
{
    const QFontMetricsF metrics(painter.font());
    for (double value = from; value <= to + step / 1000; value += step) {
        const double y = yOf(value, plot, from, to);
        painter.setPen(QPen(gridColour, 0));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(axisTextColour);
        // The end labels stay within the plot's height, clear of the titles and dates.
        const double top = std::clamp(y - metrics.height() / 2, plot.top() - 2,
                                      plot.bottom() - metrics.height() + 2);
        const QRectF box(plot.left() - metrics.height() * 4, top,
                         metrics.height() * 4 - metrics.height() / 3, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, scaleText(value, step, locale));
    }
}

// The weight classes behind the index: each visit's bounds from halfway to the
// visit before it to halfway to the next, so a child's curves follow the age
// and a subject who turns 18 meets the adult bounds at the right visit.
void drawClassBands(QPainter &painter, const TrendLayout &layout, double right)
{
    const QRectF &plot = layout.indexPlot;
    const QFontMetricsF metrics(painter.font());
    const auto y = [&](double index) {
        return yOf(std::clamp(index, layout.indexFrom, layout.indexTo), plot, layout.indexFrom,
                   layout.indexTo);
    };
    const QList<QPointF> &at = layout.indexAt;
    const auto sameBounds = [&](int a, int b) {
        const auto &p = layout.classBounds.at(a), &q = layout.classBounds.at(b);
        return p && q && p->normopeso == q->normopeso && p->sovrappeso == q->sovrappeso &&
               p->obeso == q->obeso;
    };
    for (int first = 0, i = 0; i < at.size(); first = ++i) {
        // Visits with the same bounds share one shade, without seams.
        while (i + 1 < at.size() && sameBounds(i, i + 1))
            ++i;
        const auto &bounds = layout.classBounds.at(i);
        if (!bounds)
            continue;
        const double from =
            first == 0 ? plot.left() : (at.at(first - 1).x() + at.at(first).x()) / 2;
        const double to = i + 1 == at.size() ? plot.right() : (at.at(i).x() + at.at(i + 1).x()) / 2;
        const double edges[] = {layout.indexFrom, bounds->normopeso, bounds->sovrappeso,
                                bounds->obeso, layout.indexTo};
        for (int band = 0; band < 4; ++band) {
            const QRectF shade(QPointF(from, y(edges[band + 1])), QPointF(to, y(edges[band])));
            if (shade.height() <= 0)
                continue;
            painter.fillRect(shade, bands[band].colour);
            // Named beside the last visit's bands.
            if (i + 1 == at.size() && shade.height() >= metrics.height() * 0.8) {
                painter.setPen(axisTextColour);
                painter.drawText(
                    QRectF(to + metrics.height() / 4, shade.top(), right - to, shade.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, bands[band].name);
            }
        }
    }
}

void drawCourse(QPainter &painter, const QList<QPointF> &at, const QColor &colour, bool markers,
                int highlighted)
{
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(at.constData(), int(at.size()));
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    if (markers) {
        for (const QPointF &point : at)
            painter.drawEllipse(point, markerRadius, markerRadius);
    }
    if (highlighted >= 0 && highlighted < at.size()) {
        painter.setBrush(Qt::white);
        painter.setPen(QPen(colour, 2));
        painter.drawEllipse(at.at(highlighted), markerRadius + 2, markerRadius + 2);
    }
    painter.setBrush(Qt::NoBrush);
}

void drawLegendEntry(QPainter &painter, QPointF &at, const QPen &pen, const QString &text)
{
    const QFontMetricsF metrics(painter.font());
    const double y = at.y() + metrics.height() / 2;
    painter.setPen(pen);
    painter.drawLine(QPointF(at.x(), y), QPointF(at.x() + 18, y));
    painter.setPen(axisTextColour);
    painter.drawText(QPointF(at.x() + 22, at.y() + metrics.ascent()), text);
    at.rx() += 22 + metrics.horizontalAdvance(text) + metrics.height();
}

} // namespace

QString emptyTrendText(const Trend &trend)
{
    if (trend.reading)
        return QStringLiteral("Lettura delle valutazioni...");
    return trend.unread ? QStringLiteral("Valutazioni non lette: l'archivio non ha risposto")
                        : QStringLiteral("Nessuna valutazione da mostrare");
}

Trend trendOf(assessment::Sex sex, const QList<KeptAssessment> &assessments)
{
    Trend trend{sex, {}};
    for (const KeptAssessment &kept : assessments) {
        trend.points << TrendPoint{kept.takenAt,
                                   kept.takenAt.toMSecsSinceEpoch(),
                                   kept.weightKg(),
                                   kept.figures.idealWeightKg,
                                   kept.figures.bodyMassIndex,
                                   QString::fromStdString(kept.figures.weightClass),
                                   kept.ageYears()};
    }
    std::stable_sort(trend.points.begin(), trend.points.end(),
                     [](const TrendPoint &a, const TrendPoint &b) {
                         return a.msecsSinceEpoch < b.msecsSinceEpoch;
                     });
    return trend;
}

TrendLayout layoutTrend(const Trend &trend, const QRectF &area, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    const double plotHeight = std::max(line, (area.height() - 4.5 * line) / 2);
    // Scale on the left, the classes' names on the right.
    const QRectF columns =
        area.adjusted(line * 4, 0, -(metrics.horizontalAdvance("Sovrappeso") + line / 2), 0);
    TrendLayout layout;
    layout.weightPlot =
        QRectF(columns.left(), area.top() + 1.2 * line, columns.width(), plotHeight);
    layout.indexPlot = QRectF(columns.left(), layout.weightPlot.bottom() + 1.8 * line,
                              columns.width(), plotHeight);
    if (trend.points.isEmpty())
        return layout;

    double lowWeight = trend.points.first().weightKg, highWeight = lowWeight;
    double lowIndex = trend.points.first().bodyMassIndex, highIndex = lowIndex;
    for (const TrendPoint &point : trend.points) {
        layout.classBounds << assessment::classBoundsAt(trend.sex, point.ageYears);
        const double ideal = point.idealWeightKg.value_or(point.weightKg);
        lowWeight = std::min({lowWeight, point.weightKg, ideal});
        highWeight = std::max({highWeight, point.weightKg, ideal});
        lowIndex = std::min(lowIndex, point.bodyMassIndex);
        highIndex = std::max(highIndex, point.bodyMassIndex);
        // The Normopeso band and its neighbours stay in sight, whatever the course.
        if (const auto &bounds = layout.classBounds.last()) {
            lowIndex = std::min(lowIndex, bounds->normopeso - 2);
            highIndex = std::max(highIndex, bounds->obeso + 2);
        }
    }
    const int maxTicks = std::max(2, int(plotHeight / (line * 2)));
    scaleOver(lowWeight, highWeight, 8, maxTicks, layout.weightFrom, layout.weightTo,
              layout.weightStep);
    scaleOver(lowIndex, highIndex, 0, maxTicks, layout.indexFrom, layout.indexTo, layout.indexStep);

    const double pad = line * 0.6;
    for (const TrendPoint &point : trend.points) {
        const double x = xOf(point.msecsSinceEpoch, trend, layout.weightPlot, pad);
        layout.weightAt << QPointF(
            x, yOf(point.weightKg, layout.weightPlot, layout.weightFrom, layout.weightTo));
        layout.indexAt << QPointF(
            x, yOf(point.bodyMassIndex, layout.indexPlot, layout.indexFrom, layout.indexTo));
    }
    return layout;
}

void drawTrend(QPainter &painter, const QRectF &area, const Trend &trend, const QLocale &locale,
               int highlighted)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    if (trend.points.isEmpty()) {
        painter.setPen(axisTextColour);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, emptyTrendText(trend));
        painter.restore();
        return;
    }
    const TrendLayout layout = layoutTrend(trend, area, painter.font());
    const QRectF &weightPlot = layout.weightPlot;
    const QRectF &indexPlot = layout.indexPlot;

    // Titles and legend.
    painter.setPen(Qt::black);
    painter.drawText(QPointF(weightPlot.left(), area.top() + metrics.ascent()),
                     QStringLiteral("Peso (Kg)"));
    QPointF legend(weightPlot.left() + metrics.horizontalAdvance("Peso (Kg)") + metrics.height(),
                   area.top());
    drawLegendEntry(painter, legend, QPen(weightColour, 2), QStringLiteral("peso reale"));
    drawLegendEntry(painter, legend, QPen(idealColour, 1.5, Qt::DashLine),
                    QStringLiteral("peso ideale"));
    painter.setPen(Qt::black);
    painter.drawText(
        QPointF(indexPlot.left(), indexPlot.top() - metrics.height() * 0.6 + metrics.descent()),
        QStringLiteral("Indice di massa corporea"));

    drawClassBands(painter, layout, area.right());

    drawScale(painter, weightPlot, layout.weightFrom, layout.weightTo, layout.weightStep, locale);
    drawScale(painter, indexPlot, layout.indexFrom, layout.indexTo, layout.indexStep, locale);

    // The time axis: dates spaced as they fall, named below the index.
    const double pad = metrics.height() * 0.6;
    const QString sample = locale.toString(QDate(2000, 12, 28), QLocale::ShortFormat);
    const QList<qint64> times =
        axisTimes(trend, weightPlot.width(), metrics.horizontalAdvance(sample));
    for (const qint64 time : times) {
        const double x = xOf(time, trend, weightPlot, pad);
        painter.setPen(QPen(gridColour, 0, Qt::DotLine));
        painter.drawLine(QPointF(x, weightPlot.top()), QPointF(x, weightPlot.bottom()));
        painter.drawLine(QPointF(x, indexPlot.top()), QPointF(x, indexPlot.bottom()));
        painter.setPen(axisTextColour);
        const QString text =
            locale.toString(QDateTime::fromMSecsSinceEpoch(time).date(), QLocale::ShortFormat);
        const double width = metrics.horizontalAdvance(text) + 2;
        const double left = std::clamp(x - width / 2, indexPlot.left() - metrics.height() * 2,
                                       indexPlot.right() - width);
        painter.drawText(QRectF(left, indexPlot.bottom() + 2, width, metrics.height()),
                         Qt::AlignCenter, text);
    }

    painter.setPen(QPen(gridColour.darker(130), 0));
    painter.drawRect(weightPlot);
    painter.drawRect(indexPlot);

    // The ideal weight runs across the plot, from edge to edge, where there is one.
    QList<QPointF> ideal;
    for (int i = 0; i < trend.points.size(); ++i) {
        if (const auto &kg = trend.points.at(i).idealWeightKg)
            ideal << QPointF(layout.weightAt.at(i).x(),
                             yOf(*kg, weightPlot, layout.weightFrom, layout.weightTo));
    }
    if (!ideal.isEmpty()) {
        ideal.prepend(QPointF(weightPlot.left(), ideal.first().y()));
        ideal << QPointF(weightPlot.right(), ideal.last().y());
        painter.setPen(QPen(idealColour, 1.5, Qt::DashLine));
        painter.drawPolyline(ideal.constData(), int(ideal.size()));
    }

    const qsizetype count = trend.points.size();
    const bool markers =
        count == 1 || (weightPlot.width() - 2 * pad) / double(count - 1) >= markerSpacing;
    if (highlighted >= 0 && highlighted < count) {
        const double x = layout.weightAt.at(highlighted).x();
        painter.setPen(QPen(axisTextColour, 1, Qt::DashLine));
        painter.drawLine(QPointF(x, weightPlot.top()), QPointF(x, weightPlot.bottom()));
        painter.drawLine(QPointF(x, indexPlot.top()), QPointF(x, indexPlot.bottom()));
    }
    drawCourse(painter, layout.weightAt, weightColour, markers, highlighted);
    drawCourse(painter, layout.indexAt, indexColour, markers, highlighted);
    painter.restore();
}

int trendPointNear(const TrendLayout &layout, double x, double reach)
{
    int nearest = -1;
    double distance = reach;
    for (int i = 0; i < layout.weightAt.size(); ++i) {
        const double d = std::abs(layout.weightAt.at(i).x() - x);
        if (d <= distance) {
            distance = d;
            nearest = i;
        }
    }
    return nearest;
}

QString trendPointText(const Trend &trend, int index, const QLocale &locale)
{
    const TrendPoint &point = trend.points.at(index);
    const QString ideal =
        point.idealWeightKg
            ? QStringLiteral(" (ideale %1 Kg)").arg(standardText(*point.idealWeightKg, locale))
            : QString();
    return QStringLiteral("%1: peso %2 Kg%3, IMC %4 %5")
        .arg(locale.toString(point.takenAt, QLocale::ShortFormat),
             standardText(point.weightKg, locale), ideal, standardText(point.bodyMassIndex, locale),
             point.weightClass);
}
