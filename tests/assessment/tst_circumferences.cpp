#include "assessment/circumferences.h"

#include <QtTest>

class TestCircumferences : public QObject
{
    Q_OBJECT

private slots:
    void circumferences_data();
    void circumferences();
};

// clang-format off
void TestCircumferences::circumferences_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("hips");
    QTest::addColumn<QString>("waist");
    QTest::addColumn<QString>("thighs");
    QTest::newRow("1.50") << 1.50 << " 81 cm" << " 60 cm" << " 50 cm";
    QTest::newRow("1.60") << 1.60 << " 86 cm" << " 65 cm" << " 53 cm";
    QTest::newRow("1.70") << 1.70 << " 91 cm" << " 70 cm" << " 56 cm";
    QTest::newRow("1.75 halves dropped") << 1.75 << " 93 cm" << " 72 cm" << " 58 cm";
    QTest::newRow("1.80") << 1.80 << " 96 cm" << " 75 cm" << " 60 cm";
    QTest::newRow("1.14 whole centimetres") << 1.14 << " 63 cm" << " 42 cm" << " 38 cm";
    QTest::newRow("2.30 whole centimetres") << 2.30 << " 121 cm" << " 100 cm" << " 76 cm";
    QTest::newRow("2.4") << 2.4 << " 126 cm" << " 105 cm" << " 80 cm";
    QTest::newRow("0.2 negative waist") << 0.2 << " 16 cm" << "-5 cm" << " 6 cm";
    QTest::newRow("0.25 negative waist floored") << 0.25 << " 18 cm" << "-3 cm" << " 8 cm";
}
// clang-format on

void TestCircumferences::circumferences()
{
    QFETCH(double, height);
    QFETCH(QString, hips);
    QFETCH(QString, waist);
    QFETCH(QString, thighs);
    const auto result = assessment::idealCircumferences(height);
    QCOMPARE(QString::fromStdString(result.hipsText), hips);
    QCOMPARE(QString::fromStdString(result.waistText), waist);
    QCOMPARE(QString::fromStdString(result.thighsText), thighs);
}

QTEST_APPLESS_MAIN(TestCircumferences)
#include "tst_circumferences.moc"
