#include "assessment/weight.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

Q_DECLARE_METATYPE(assessment::Sex)

class TestWeight : public QObject
{
    Q_OBJECT

private slots:
    void assessment_data();
    void assessment();
    void realWeightText_data();
    void realWeightText();
};

// clang-format off
void TestWeight::assessment_data()
{
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("weight");
    QTest::addColumn<QString>("idealWeight");
    QTest::addColumn<QString>("indexItalian");
    QTest::addColumn<QString>("indexEnglish");
    QTest::addColumn<QString>("weightClass");

    const Sex m = Sex::Maschile;
    const Sex f = Sex::Femminile;
    QTest::newRow("man 1.70 65") << m << 1.70 << 65.0 << " 65 Kg" << "22,49" << "22.49"
                                 << "in Normopeso";
    QTest::newRow("man 1.75") << m << 1.75 << 70.0 << " 68.75 Kg" << "22,86" << "22.86"
                              << "in Normopeso";
    QTest::newRow("man 1.80 80") << m << 1.80 << 80.0 << " 72.5 Kg" << "24,69" << "24.69"
                                 << "in Normopeso";
    QTest::newRow("woman 1.80 80") << f << 1.80 << 80.0 << " 65 Kg" << "24,69" << "24.69"
                                   << "in Sovrappeso";
    QTest::newRow("woman 1.60") << f << 1.60 << 50.0 << " 55 Kg" << "19,53" << "19.53"
                                << "in Normopeso";
    QTest::newRow("woman 1.55") << f << 1.55 << 50.0 << " 52.5 Kg" << "20,81" << "20.81"
                                << "in Normopeso";
    QTest::newRow("man 1.40") << m << 1.40 << 40.0 << " 42.5 Kg" << "20,41" << "20.41"
                              << "in Normopeso";
    QTest::newRow("woman 1.40") << f << 1.40 << 40.0 << " 45 Kg" << "20,41" << "20.41"
                                << "in Normopeso";
    QTest::newRow("very small height") << m << 0.5 << 10.0 << "-25 Kg" << "40,00" << "40.00"
                                       << "Obeso";
    QTest::newRow("man 19.5") << m << 2.0 << 78.0 << " 87.5 Kg" << "19,50" << "19.50"
                              << "in Sottopeso";
    QTest::newRow("woman 19.5") << f << 2.0 << 78.0 << " 75 Kg" << "19,50" << "19.50"
                                << "in Normopeso";
    QTest::newRow("man bound 20") << m << 1.50 << 45.0 << " 50 Kg" << "20,00" << "20.00"
                                  << "in Normopeso";
    QTest::newRow("man bound 25") << m << 2.00 << 100.0 << " 87.5 Kg" << "25,00" << "25.00"
                                  << "in Sovrappeso";
    QTest::newRow("man bound 30") << m << 2.00 << 120.0 << " 87.5 Kg" << "30,00" << "30.00"
                                  << "Obeso";
    QTest::newRow("woman bound 19") << f << 2.00 << 76.0 << " 75 Kg" << "19,00" << "19.00"
                                    << "in Normopeso";
    QTest::newRow("woman bound 24") << f << 2.00 << 96.0 << " 75 Kg" << "24,00" << "24.00"
                                    << "in Sovrappeso";
    QTest::newRow("obese thousands") << m << 0.2 << 99999.0 << "-47.5 Kg" << "2.499.975,00"
                                     << "2,499,975.00" << "Obeso";
}
// clang-format on

void TestWeight::assessment()
{
    QFETCH(Sex, sex);
    QFETCH(double, height);
    QFETCH(double, weight);
    QFETCH(QString, idealWeight);
    QFETCH(QString, indexItalian);
    QFETCH(QString, indexEnglish);
    QFETCH(QString, weightClass);

    const auto it = assessWeight(sex, height, weight, "", italian());
    const auto en = assessWeight(sex, height, weight, "", english());
    QCOMPARE(QString::fromStdString(it.idealWeightText), idealWeight);
    QCOMPARE(QString::fromStdString(it.bodyMassIndexText), indexItalian);
    QCOMPARE(QString::fromStdString(en.bodyMassIndexText), indexEnglish);
    QCOMPARE(QString::fromStdString(it.weightClassText), weightClass);
    QCOMPARE(en.idealWeightText, it.idealWeightText);
}

// clang-format off
void TestWeight::realWeightText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << "72" << "72.00 Kg";
    QTest::newRow("point") << "72.5" << "72.5 Kg";
    QTest::newRow("comma kept") << "72,5" << "72,5 Kg";
    QTest::newRow("digits not padded") << "65.25" << "65.25 Kg";
}
// clang-format on

void TestWeight::realWeightText()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(assessment::realWeightText(typed.toStdString())), expected);
}

QTEST_APPLESS_MAIN(TestWeight)
#include "tst_weight.moc"
