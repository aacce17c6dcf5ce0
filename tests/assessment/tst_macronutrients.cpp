#include "assessment/macronutrients.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

class TestMacronutrients : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void gramsIndependentOfSeparators_data();
    void gramsIndependentOfSeparators();
    void carbohydratesHeldToFourDecimals();
};

// The Italian texts; the English ones are the same figures with the marks swapped.
// clang-format off
void TestMacronutrients::split_data()
{
    QTest::addColumn<double>("energy");
    QTest::addColumn<QString>("energyText");
    QTest::addColumn<QStringList>("kcal");  // proteins, fats, carbohydrates
    QTest::addColumn<QStringList>("grams"); // the same order

    QTest::newRow("2621.05") << 2621.05 << "2621,05"
                             << QStringList{"262,11", "655,26", "1.703,68"}
                             << QStringList{"65.53", "72.81", "425.92"};
    QTest::newRow("2139.38") << 2139.38 << "2139,38"
                             << QStringList{"213,94", "534,85", "1.390,60"}
                             << QStringList{"53.49", "59.43", "347.65"};
    QTest::newRow("4638.9 fats above 1000") << 4638.9 << "4638,9"
                                            << QStringList{"463,89", "1.159,73", "3.015,29"}
                                            << QStringList{"115.97", "128.86", "753.82"};
    QTest::newRow("1500 no grouping") << 1500.0 << "1500"
                                      << QStringList{"150,00", "375,00", "975,00"}
                                      << QStringList{"37.5", "41.67", "243.75"};
    QTest::newRow("2639.03 proteins just below a half") << 2639.03 << "2639,03"
                                                        << QStringList{"263,90", "659,76", "1.715,37"}
                                                        << QStringList{"65.98", "73.31", "428.84"};
    QTest::newRow("zero") << 0.0 << "0" << QStringList{"0,00", "0,00", "0,00"}
                          << QStringList{"0", "0", "0"};
}
// clang-format on

void TestMacronutrients::split()
{
    QFETCH(double, energy);
    QFETCH(QString, energyText);
    QFETCH(QStringList, kcal);
    QFETCH(QStringList, grams);

    const auto swapMarks = [](QString text) {
        for (QChar &c : text)
            c = c == ',' ? '.' : c == '.' ? ',' : c;
        return text;
    };
    const QStringList suffixes{" g di Protidi/giorno", " g di Lipidi/giorno",
                               " g di Glucidi/giorno"};

    const auto it = splitMacronutrients(energy, italian());
    const auto en = splitMacronutrients(energy, english());
    QCOMPARE(QString::fromStdString(it.dailyEnergyText), energyText);
    QCOMPARE(QString::fromStdString(en.dailyEnergyText), swapMarks(energyText));
    const NutrientShare *itShares[] = {&it.protidi, &it.lipidi, &it.glucidi};
    const NutrientShare *enShares[] = {&en.protidi, &en.lipidi, &en.glucidi};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(QString::fromStdString(itShares[i]->kcalText), kcal[i]);
        QCOMPARE(QString::fromStdString(enShares[i]->kcalText), swapMarks(kcal[i]));
        QCOMPARE(QString::fromStdString(itShares[i]->gramsText), " " + grams[i] + suffixes[i]);
        QCOMPARE(enShares[i]->gramsText, itShares[i]->gramsText);
    }
}

// clang-format off
void TestMacronutrients::gramsIndependentOfSeparators_data()
{
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("grouping");
    QTest::newRow("swiss") << "." << "'";
    QTest::newRow("french") << "," << QString(QChar(0x202F));
    QTest::newRow("no grouping") << "," << "";
}
// clang-format on

void TestMacronutrients::gramsIndependentOfSeparators()
{
    QFETCH(QString, decimal);
    QFETCH(QString, grouping);
    const Separators separators{decimal.toStdString(), grouping.toStdString()};
    const auto split = splitMacronutrients(2621.05, separators);
    QCOMPARE(QString::fromStdString(split.glucidi.gramsText), " 425.92 g di Glucidi/giorno");
    QCOMPARE(QString::fromStdString(split.protidi.gramsText), " 65.53 g di Protidi/giorno");
}

void TestMacronutrients::carbohydratesHeldToFourDecimals()
{
    // 0.65 * 1234.5671 = 802.468615 before the fixed point, kept as 802.4686.
    const auto split = splitMacronutrients(1234.5671, italian());
    QCOMPARE(split.glucidiTenThousandths, 8024686);
    QCOMPARE(split.glucidi.kcal, 802.4686);
    QCOMPARE(splitMacronutrients(2621.05, italian()).glucidiTenThousandths, 17036825);
    // 0.65 * 0.005 = 32.5 ten-thousandths: a true half goes to the even 32.
    QCOMPARE(splitMacronutrients(0.005, italian()).glucidiTenThousandths, 32);
}

QTEST_APPLESS_MAIN(TestMacronutrients)
#include "tst_macronutrients.moc"
