#include "drawing_log.h"
#include "locales.h"
#include "ui/trend/trend_chart.h"

#include <QtTest>
#include <cmath>

using assessment::Sex;

// The trend's drawing commands, recorded as the printed page records them.
class TestTrendChart : public QObject
{
    Q_OBJECT

private slots:
    void bandsOfTheSubjectsSex_data();
    void bandsOfTheSubjectsSex();
    void boundsFollowTheAge();
    void datesSpacedAsTheyFall();
    void onePoint();
    void axisNamedInTheUsersSettings_data();
    void axisNamedInTheUsersSettings();
    void manyPointsStayReadable();
    void eachDayNamedOnce_data();
    void eachDayNamedOnce();
    void pointUnderThePointer();
};

namespace {

const QRectF area(0, 0, 400, 300);
const QColor sovrappesoShade(251, 236, 205);
const QColor normopesoShade(220, 239, 220);
const QColor weightColour(0, 0, 128);
const QColor idealColour(128, 0, 0);

TrendPoint point(int day, double weightKg, double bodyMassIndex, double idealKg = 65)
{
    const QDateTime takenAt(QDate(2026, 1, 1).addDays(day), QTime(10, 0));
    return {takenAt, takenAt.toMSecsSinceEpoch(), weightKg, idealKg, bodyMassIndex, "in Normopeso"};
}

Drawing drawn(const Trend &trend, const QLocale &locale = italianLocale())
{
    QPicture picture;
    {
        QPainter painter(&picture);
        painter.setFont(QFont("Liberation Sans", 9));
        drawTrend(painter, area, trend, locale);
    }
    return DrawingLog::played(picture, area.size().toSize());
}

// Markers of one colour, left to right.
QList<QPointF> markersOf(const Drawing &log, const QColor &colour)
{
    QList<QPointF> centres;
    for (const DrawnShape &marker : log.markers) {
        if (marker.colour == colour)
            centres << marker.rect.center();
    }
    return centres;
}

const DrawnShape *fillOf(const Drawing &log, const QColor &colour)
{
    for (const DrawnShape &fill : log.fills) {
        if (fill.colour == colour)
            return &fill;
    }
    return nullptr;
}

} // namespace

// Points whose index lies on a bound sit on the edge between two shades.
void TestTrendChart::bandsOfTheSubjectsSex_data()
{
    QTest::addColumn<int>("sex");
    QTest::addColumn<double>("normopeso");
    QTest::addColumn<double>("sovrappeso");
    QTest::newRow("Maschile") << int(Sex::Maschile) << 20.0 << 25.0;
    QTest::newRow("Femminile") << int(Sex::Femminile) << 19.0 << 24.0;
}

void TestTrendChart::bandsOfTheSubjectsSex()
{
    QFETCH(int, sex);
    QFETCH(double, normopeso);
    QFETCH(double, sovrappeso);
    const Trend trend{Sex(sex), {point(0, 60, normopeso), point(30, 70, sovrappeso)}};
    const Drawing log = drawn(trend);
    const QList<QPointF> onBounds = markersOf(log, QColor(0, 80, 40));
    QCOMPARE(onBounds.size(), 2);
    const DrawnShape *normal = fillOf(log, normopesoShade);
    const DrawnShape *over = fillOf(log, sovrappesoShade);
    QVERIFY(normal && over);
    QVERIFY(std::abs(normal->rect.bottom() - onBounds[0].y()) < 0.5);
    QVERIFY(std::abs(normal->rect.top() - onBounds[1].y()) < 0.5);
    QVERIFY(std::abs(over->rect.bottom() - onBounds[1].y()) < 0.5);
    QCOMPARE(log.fills.size(), 4);
    for (const char *name : {"Sottopeso", "Normopeso", "Sovrappeso", "Obeso"})
        QVERIFY(log.textList().contains(name));
}

// A boy seen at 17 and at 18: each visit sits on the Normopeso edge of its
// own age, the growth curve's before and the adult bound after; an infant's
// visit has no classes.
void TestTrendChart::boundsFollowTheAge()
{
    const double curveAt17 = assessment::classBoundsAt(Sex::Maschile, 17)->normopeso;
    QVERIFY(std::abs(curveAt17 - 20) > 1);
    Trend trend{Sex::Maschile, {point(0, 60, curveAt17), point(30, 62, 20), point(60, 62, 20)}};
    trend.points[0].ageYears = 17;
    const Drawing log = drawn(trend);
    const QList<QPointF> at = markersOf(log, QColor(0, 80, 40));
    QCOMPARE(at.size(), 3);
    QList<DrawnShape> normal;
    for (const DrawnShape &fill : log.fills) {
        if (fill.colour == normopesoShade)
            normal << fill;
    }
    // One shade for the visit at 17, one for both adult visits, meeting halfway.
    QCOMPARE(normal.size(), 2);
    QVERIFY(std::abs(normal[0].rect.bottom() - at[0].y()) < 0.5);
    QVERIFY(std::abs(normal[1].rect.bottom() - at[1].y()) < 0.5);
    QVERIFY(std::abs(normal[0].rect.right() - (at[0].x() + at[1].x()) / 2) < 0.5);
    QVERIFY(std::abs(normal[1].rect.left() - normal[0].rect.right()) < 0.5);

    trend.points[0].ageYears = 1;
    QCOMPARE(drawn(trend).fills.size(), 4);
}

void TestTrendChart::datesSpacedAsTheyFall()
{
    // Newest first, as the archive gives them.
    QList<KeptAssessment> kept(3);
    const int days[] = {10, 1, 0};
    const double weights[] = {80, 78, 76};
    for (int i = 0; i < 3; ++i) {
        kept[i].takenAt = QDateTime(QDate(2026, 3, 1).addDays(days[i]), QTime(9, 0));
        kept[i].weightText = QString::number(weights[i]);
    }
    const Drawing log = drawn(trendOf(Sex::Maschile, kept));
    const QList<QPointF> at = markersOf(log, weightColour);
    QCOMPARE(at.size(), 3);
    const double firstGap = at[1].x() - at[0].x();
    const double secondGap = at[2].x() - at[1].x();
    QVERIFY2(std::abs(secondGap / firstGap - 9) < 0.01, qPrintable(QString::number(secondGap)));
    // Oldest on the left: 76 Kg, then 78, then 80, higher on the page.
    QVERIFY(at[0].y() > at[1].y() && at[1].y() > at[2].y());
}

void TestTrendChart::onePoint()
{
    const Drawing log = drawn({Sex::Femminile, {point(0, 61, 21.11, 60)}});
    const QList<QPointF> weight = markersOf(log, weightColour);
    QCOMPARE(weight.size(), 1);
    QCOMPARE(markersOf(log, QColor(0, 80, 40)).size(), 1);
    QVERIFY(std::isfinite(weight[0].x()) && std::isfinite(weight[0].y()));
    // The ideal weight is a reference across the whole plot.
    const DrawnLine *ideal = nullptr;
    for (const DrawnLine &line : log.polylines) {
        if (line.colour == idealColour)
            ideal = &line;
    }
    QVERIFY(ideal);
    QCOMPARE(ideal->penStyle, Qt::DashLine);
    const QRectF span = ideal->points.boundingRect();
    QVERIFY(span.height() < 0.01);
    QVERIFY(std::abs(weight[0].x() - span.center().x()) < 1);
    QVERIFY(span.width() > area.width() / 2);
    QCOMPARE(log.textList().count("01/01/26"), 1);
}

void TestTrendChart::axisNamedInTheUsersSettings_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("Italian") << italianLocale() << QStringList{"01/01/26", "11/04/26"};
    QTest::newRow("English") << englishLocale() << QStringList{"1/1/26", "4/11/26"};
}

void TestTrendChart::axisNamedInTheUsersSettings()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, dates);
    const Drawing log =
        drawn({Sex::Maschile, {point(0, 84, 29.07), point(40, 81, 28.03), point(100, 77.9, 26.96)}},
              locale);
    const QStringList texts = log.textList();
    for (const QString &date : dates)
        QVERIFY2(texts.contains(date), qPrintable(texts.join('|')));
    for (const char *title : {"Peso (Kg)", "Indice di massa corporea", "peso ideale"})
        QVERIFY(texts.contains(title));
}

void TestTrendChart::manyPointsStayReadable()
{
    Trend trend{Sex::Maschile, {}};
    for (int day = 0; day < 1000; ++day)
        trend.points << point(day * 3, 80 - day * 0.01, 27 - day * 0.003);
    const Drawing log = drawn(trend);
    QVERIFY(markersOf(log, weightColour).isEmpty());
    int courses = 0;
    for (const DrawnLine &line : log.polylines)
        courses += line.points.size() == 1000;
    QCOMPARE(courses, 2);
    // The dates below the axis stand apart, within the area.
    QList<QRectF> dates;
    for (const DrawnText &text : log.texts) {
        if (text.text.count('/') == 2)
            dates << QRectF(
                text.at,
                QSizeF(QFontMetricsF(QFont("Liberation Sans", 9)).horizontalAdvance(text.text), 1));
    }
    QVERIFY(dates.size() >= 2 && dates.size() <= 6);
    for (int i = 0; i < dates.size(); ++i) {
        QVERIFY(area.contains(dates[i].topLeft()) && area.contains(dates[i].topRight()));
        if (i > 0)
            QVERIFY(dates[i].left() > dates[i - 1].right());
    }
}

// Visits within hours of each other: the axis names each of their days once.
void TestTrendChart::eachDayNamedOnce_data()
{
    QTest::addColumn<QList<int>>("minutes");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("one day") << QList<int>{0, 60, 300} << QStringList{"01/01/26"};
    QTest::newRow("two days") << QList<int>{0, 600, 1200} << QStringList{"01/01/26", "02/01/26"};
}

void TestTrendChart::eachDayNamedOnce()
{
    QFETCH(QList<int>, minutes);
    QFETCH(QStringList, dates);
    Trend trend{Sex::Maschile, {}};
    for (const int minute : minutes) {
        const QDateTime takenAt = QDateTime(QDate(2026, 1, 1), QTime(8, 0)).addSecs(minute * 60);
        trend.points << TrendPoint{takenAt,     takenAt.toMSecsSinceEpoch(), 80, 65, 27.7,
                                   "Sovrappeso"};
    }
    QStringList named;
    for (const QString &text : drawn(trend).textList()) {
        if (text.count('/') == 2)
            named << text;
    }
    QCOMPARE(named, dates);
}

void TestTrendChart::pointUnderThePointer()
{
    const Trend trend{Sex::Maschile,
                      {point(0, 84, 29.07), point(14, 82.5, 28.55), point(28, 81, 28.03)}};
    const TrendLayout layout = layoutTrend(trend, area, QFont("Liberation Sans", 9));
    QCOMPARE(trendPointNear(layout, layout.weightAt[1].x() + 5, 12), 1);
    QCOMPARE(trendPointNear(layout, layout.weightAt[2].x() + 30, 12), -1);
    QCOMPARE(trendPointText(trend, 1, italianLocale()),
             QString("15/01/26 10:00: peso 82,50 Kg (ideale 65,00 Kg), IMC 28,55 in Normopeso"));
}

QTEST_MAIN(TestTrendChart)
#include "tst_trend_chart.moc"
