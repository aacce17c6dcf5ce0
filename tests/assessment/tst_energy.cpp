#include "assessment/energy.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

Q_DECLARE_METATYPE(assessment::Sex)
Q_DECLARE_METATYPE(assessment::ActivityLevel)

class TestEnergy : public QObject
{
    Q_OBJECT

private slots:
    void energy_data();
    void energy();
};

// clang-format off
void TestEnergy::energy_data()
{
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<double>("age");
    QTest::addColumn<double>("weight");
    QTest::addColumn<ActivityLevel>("level");
    QTest::addColumn<QString>("basal");
    QTest::addColumn<QString>("factor"); // with a decimal comma
    QTest::addColumn<QString>("energy");

    const Sex m = Sex::Maschile;
    const Sex f = Sex::Femminile;
    const auto L = ActivityLevel::Leggera;
    const auto M = ActivityLevel::Moderata;
    const auto P = ActivityLevel::Pesante;

    // Worked examples.
    QTest::newRow("man 30 70 light") << m << 30.0 << 70.0 << L << "1691" << "1,55" << "2621.05";
    QTest::newRow("woman 25 55 moderate") << f << 25.0 << 55.0 << M << "1304.5" << "1,64"
                                          << "2139.38";
    QTest::newRow("man 65 80") << m << 65.0 << 80.0 << P << "1652" << "1,51" << "2494.52";
    QTest::newRow("man 22 100 heavy") << m << 22.0 << 100.0 << P << "2209" << "2,1" << "4638.9";
    QTest::newRow("woman 12 30") << f << 12.0 << 30.0 << P << "1095" << "1,55" << "1697.25";

    // Every band edge, men at 50 kg.
    QTest::newRow("man 0.5") << m << 0.5 << 50.0 << L << "2944" << "" << "0";
    QTest::newRow("man 2") << m << 2.0 << 50.0 << L << "2944" << "" << "0";
    QTest::newRow("man 3") << m << 3.0 << 50.0 << L << "1639" << "" << "0";
    QTest::newRow("man 9") << m << 9.0 << 50.0 << L << "1639" << "" << "0";
    QTest::newRow("man 10") << m << 10.0 << 50.0 << P << "1535" << "1,65" << "2532.75";
    QTest::newRow("man 13") << m << 13.0 << 50.0 << L << "1535" << "1,65" << "2532.75";
    QTest::newRow("man 14") << m << 14.0 << 50.0 << L << "1535" << "1,58" << "2425.3";
    QTest::newRow("man 17") << m << 17.0 << 50.0 << M << "1535" << "1,58" << "2425.3";
    QTest::newRow("man 18") << m << 18.0 << 50.0 << L << "1444" << "1,55" << "2238.2";
    QTest::newRow("man 29 moderate") << m << 29.0 << 50.0 << M << "1444" << "1,78" << "2570.32";
    QTest::newRow("man 30 heavy") << m << 30.0 << 50.0 << P << "1459" << "2,1" << "3063.9";
    QTest::newRow("man 59") << m << 59.0 << 50.0 << L << "1459" << "1,55" << "2261.45";
    QTest::newRow("man 60") << m << 60.0 << 50.0 << P << "1295" << "1,51" << "1955.45";
    QTest::newRow("man 74") << m << 74.0 << 50.0 << L << "1295" << "1,51" << "1955.45";
    QTest::newRow("man 75") << m << 75.0 << 50.0 << L << "1239" << "1,51" << "1870.89";
    QTest::newRow("man 99") << m << 99.0 << 50.0 << M << "1239" << "1,51" << "1870.89";

    // Every band edge, women at 50 kg.
    QTest::newRow("woman 2") << f << 2.0 << 50.0 << L << "2884" << "" << "0";
    QTest::newRow("woman 3") << f << 3.0 << 50.0 << L << "1500" << "" << "0";
    QTest::newRow("woman 10") << f << 10.0 << 50.0 << L << "1363" << "1,55" << "2112.65";
    QTest::newRow("woman 14") << f << 14.0 << 50.0 << L << "1363" << "1,5" << "2044.5";
    QTest::newRow("woman 18 heavy") << f << 18.0 << 50.0 << P << "1231" << "1,82" << "2240.42";
    QTest::newRow("woman 30 light") << f << 30.0 << 50.0 << L << "1264" << "1,56" << "1971.84";
    QTest::newRow("woman 59 moderate") << f << 59.0 << 50.0 << M << "1264" << "1,64" << "2072.96";
    QTest::newRow("woman 60") << f << 60.0 << 50.0 << M << "1148" << "1,56" << "1790.88";
    QTest::newRow("woman 75") << f << 75.0 << 50.0 << L << "1114" << "1,56" << "1737.84";

    // The activity factors no edge above reaches, men and women at 50 kg.
    QTest::newRow("man 11 moderate") << m << 11.0 << 50.0 << M << "1535" << "1,65" << "2532.75";
    QTest::newRow("woman 11 moderate") << f << 11.0 << 50.0 << M << "1363" << "1,55" << "2112.65";
    QTest::newRow("man 15 heavy") << m << 15.0 << 50.0 << P << "1535" << "1,58" << "2425.3";
    QTest::newRow("woman 15 moderate") << f << 15.0 << 50.0 << M << "1363" << "1,5" << "2044.5";
    QTest::newRow("woman 16 heavy") << f << 16.0 << 50.0 << P << "1363" << "1,5" << "2044.5";
    QTest::newRow("woman 65 heavy") << f << 65.0 << 50.0 << P << "1148" << "1,56" << "1790.88";

    // Products that need their rounding: stored just below a half, and with
    // three decimals.
    QTest::newRow("man 10 5 kg below a half") << m << 10.0 << 5.0 << L << "738.5" << "1,65"
                                              << "1218.53";
    QTest::newRow("man 20 71 kg three decimals") << m << 20.0 << 71.0 << L << "1765.3" << "1,55"
                                                 << "2736.22";

    // Ages the two-character box admits between whole years.
    QTest::newRow("man 9.5 in the child band") << m << 9.5 << 50.0 << L << "1639" << "" << "0";
    QTest::newRow("man 74.5") << m << 74.5 << 50.0 << L << "1295" << "1,51" << "1955.45";
}
// clang-format on

void TestEnergy::energy()
{
    QFETCH(Sex, sex);
    QFETCH(double, age);
    QFETCH(double, weight);
    QFETCH(ActivityLevel, level);
    QFETCH(QString, basal);
    QFETCH(QString, factor);
    QFETCH(QString, energy);

    const auto it = assessEnergy(sex, age, weight, level, italian());
    const auto en = assessEnergy(sex, age, weight, level, english());
    QCOMPARE(QString::fromStdString(it.basalMetabolismText), " " + basal + " Kcal/giorno");
    QCOMPARE(QString::fromStdString(it.activityFactorText), factor);
    QCOMPARE(QString::fromStdString(en.activityFactorText), QString(factor).replace(',', '.'));
    QCOMPARE(QString::fromStdString(it.dailyEnergyText), " " + energy + " Kcal/giorno");
    QCOMPARE(en.dailyEnergyText, it.dailyEnergyText);
    QCOMPARE(it.activityFactor.has_value(), !factor.isEmpty());
}

QTEST_APPLESS_MAIN(TestEnergy)
#include "tst_energy.moc"
