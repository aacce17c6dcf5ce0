#pragma once

// A subject's course over time: weight with the ideal weight beside it, and the
// body mass index over the weight classes of the subject's sex, at each
// visit's age while the subject grows. One routine
// draws it with any painter, so the archive window and the printed page show
// the same picture.

#include "archive/kept.h"
#include "assessment/weight.h"

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QFont;
class QLocale;
class QPainter;

struct TrendPoint
{
    QDateTime takenAt;
    // The same moment read once: reading a local time again at every paint
    // asks the system for its time zone each time.
    qint64 msecsSinceEpoch = 0;
    double weightKg = 0;
    std::optional<double> idealWeightKg; // none below 2 years
    double bodyMassIndex = 0;
    QString weightClass;                        // "in Normopeso", as kept
    double ageYears = assessment::adultFromAge; // the visit's, for its classes
};

struct Trend
{
    assessment::Sex sex = assessment::Sex::Maschile;
    QList<TrendPoint> points; // oldest first
    bool unread = false;      // the visits could not be read: none shown, none claimed
    bool reading = false;     // the visits asked for and not yet come
};

// What an empty trend says.
QString emptyTrendText(const Trend &trend);

// From assessments in any order.
Trend trendOf(assessment::Sex sex, const QList<KeptAssessment> &assessments);

// Where the two plots and each point fall within an area, for a font.
struct TrendLayout
{
    QRectF weightPlot;
    QRectF indexPlot;
    double weightFrom = 0, weightTo = 1, weightStep = 1; // kg
    double indexFrom = 0, indexTo = 1, indexStep = 1;
    QList<QPointF> weightAt; // in the trend's order
    QList<QPointF> indexAt;
    // Where the classes begin at each visit's age; none below 2 years.
    QList<std::optional<assessment::ClassBounds>> classBounds;
};

TrendLayout layoutTrend(const Trend &trend, const QRectF &area, const QFont &font);

// highlighted: a point drawn larger, with a guide down to the time axis; -1
// for none.
void drawTrend(QPainter &painter, const QRectF &area, const Trend &trend, const QLocale &locale,
               int highlighted = -1);

// The point nearest to x within a plot, if it lies within reach.
int trendPointNear(const TrendLayout &layout, double x, double reach);

// "12/03/2026: peso 72,00 Kg (ideale 65,00 Kg), IMC 23,51"
QString trendPointText(const Trend &trend, int index, const QLocale &locale);
