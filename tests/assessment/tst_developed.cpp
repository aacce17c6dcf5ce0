#include "assessment/developed.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

class TestDeveloped : public QObject
{
    Q_OBJECT

private slots:
    void wholeDevelopment();
    void decimalCommasReadAsPoints();
};

void TestDeveloped::wholeDevelopment()
{
    const SubjectData subject{
        "Rossi Mario",        "1.70", "70", "30", Sex::Maschile, ActivityLevel::Leggera,
        Constitution::Normale};
    const auto data = develop(subject, italian());
    QCOMPARE(data.circumferences.hipsText, std::string(" 91 cm"));
    QCOMPARE(data.weight.idealWeightText, std::string(" 65 Kg"));
    QCOMPARE(data.weight.bodyMassIndexText, std::string("24,22"));
    QCOMPARE(data.weight.realWeightText, std::string("70.00 Kg"));
    QCOMPARE(data.energy.dailyEnergyText, std::string(" 2621.05 Kcal/giorno"));
    QCOMPARE(data.split.glucidi.kcalText, std::string("1.703,68"));
    QCOMPARE(data.split.lipidi.gramsText, std::string(" 72.81 g di Lipidi/giorno"));
}

void TestDeveloped::decimalCommasReadAsPoints()
{
    const SubjectData subject{
        "", "1,75", "70,5", "30", Sex::Femminile, ActivityLevel::Moderata, Constitution::Magra};
    const auto data = develop(subject, english());
    QCOMPARE(data.circumferences.hipsText, std::string(" 93 cm"));
    QCOMPARE(data.circumferences.waistText, std::string(" 72 cm"));
    QCOMPARE(data.circumferences.thighsText, std::string(" 58 cm"));
    QCOMPARE(data.weight.realWeightText, std::string("70.5 Kg"));
    QCOMPARE(data.energy.basalMetabolismKcal, 8.7 * 70.5 + 829);
}

QTEST_APPLESS_MAIN(TestDeveloped)
#include "tst_developed.moc"
