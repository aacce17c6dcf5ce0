#include "assessment/developed.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

Q_DECLARE_METATYPE(assessment::Stop)

namespace {

SubjectData subject(const char *height, const char *weight, const char *age)
{
    return {"Rossi Mario",        height, weight, age, Sex::Maschile, ActivityLevel::Leggera,
            Constitution::Normale};
}

} // namespace

class TestDeveloped : public QObject
{
    Q_OBJECT

private slots:
    void wholeDevelopment();
    void decimalCommasReadAsPoints();
    void stops_data();
    void stops();
};

void TestDeveloped::wholeDevelopment()
{
    const SubjectData subject{
        "Rossi Mario",        "1.70", "70", "30", Sex::Maschile, ActivityLevel::Leggera,
        Constitution::Normale};
    const auto data = develop(subject, italian());
    QCOMPARE(data.stop, Stop::Completed);
    QCOMPARE(data.circumferences->hipsText, std::string(" 91 cm"));
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
    QCOMPARE(data.circumferences->hipsText, std::string(" 93 cm"));
    QCOMPARE(data.circumferences->waistText, std::string(" 72 cm"));
    QCOMPARE(data.circumferences->thighsText, std::string(" 58 cm"));
    QCOMPARE(data.weight.realWeightText, std::string("70.5 Kg"));
    QCOMPARE(data.energy.basalMetabolismKcal, 8.7 * 70.5 + 829);
}

// clang-format off
void TestDeveloped::stops_data()
{
    QTest::addColumn<SubjectData>("input");
    QTest::addColumn<Stop>("stop");
    QTest::addColumn<bool>("circumferences");

    QTest::newRow("all given") << subject("1.70", "70", "30") << Stop::Completed << true;
    QTest::newRow("name not needed") << SubjectData{"", "1.70", "70", "30", Sex::Femminile,
                                                    ActivityLevel::Pesante, Constitution::Magra}
                                     << Stop::Completed << true;
    QTest::newRow("empty weight") << subject("1.70", "", "30") << Stop::Incomplete << false;
    QTest::newRow("empty height") << subject("", "70", "30") << Stop::Incomplete << false;
    QTest::newRow("empty age") << subject("1.70", "70", "") << Stop::Incomplete << false;
    QTest::newRow("weight not a number") << subject("1.70", "abc", "30") << Stop::Incomplete
                                         << false;
    QTest::newRow("age not a number") << subject("1.70", "70", "ab") << Stop::NotNumeric << true;
    QTest::newRow("weight and age not numbers") << subject("1.70", "abc", "ab")
                                                << Stop::NotNumeric << true;
    QTest::newRow("height not a number") << subject("x", "70", "30") << Stop::NotNumeric << false;
    QTest::newRow("negative height, age not a number") << subject("-1", "70", "ab")
                                                       << Stop::NotNumeric << false;
    // Read as 1.7 by the number-reading rule, yet not a number.
    QTest::newRow("height with a letter") << subject("1.7x", "70", "30") << Stop::NotNumeric
                                          << false;
    QTest::newRow("height with two points") << subject("1.7.", "70", "30") << Stop::NotNumeric
                                            << false;
    QTest::newRow("too tall, age not a number") << subject("2.31", "70", "ab")
                                                << Stop::NotNumeric << true;

    auto noSex = subject("1.70", "70", "30");
    noSex.sex.reset();
    QTest::newRow("no sex") << noSex << Stop::Incomplete << false;
    auto noLevel = subject("1.70", "70", "30");
    noLevel.activityLevel.reset();
    QTest::newRow("no activity level") << noLevel << Stop::Incomplete << false;
    auto noBuild = subject("1.70", "70", "30");
    noBuild.constitution.reset();
    QTest::newRow("no constitution") << noBuild << Stop::Incomplete << false;

    QTest::newRow("height at limit") << subject("2.3", "70", "30") << Stop::Completed << true;
    QTest::newRow("height above") << subject("2.31", "70", "30") << Stop::HeightTooTall << true;
    QTest::newRow("height zero") << subject("0", "70", "30") << Stop::HeightNotPositive << false;
    QTest::newRow("height negative") << subject("-1", "70", "30") << Stop::HeightNotPositive
                                     << false;
    QTest::newRow("height comma zero") << subject("0,0", "70", "30") << Stop::HeightNotPositive
                                       << false;
    QTest::newRow("weight zero") << subject("1.70", "0", "30") << Stop::WeightNotPositive << true;
    QTest::newRow("weight negative") << subject("1.70", "-70", "30") << Stop::WeightNotPositive
                                     << true;
    QTest::newRow("age zero") << subject("1.70", "70", "0") << Stop::Completed << true;
    QTest::newRow("age negative") << subject("1.70", "70", "-1") << Stop::AgeNegative << true;
    QTest::newRow("height before weight") << subject("0", "0", "-1") << Stop::HeightNotPositive
                                          << false;
    QTest::newRow("weight before age") << subject("1.70", "0", "-1") << Stop::WeightNotPositive
                                       << true;
}
// clang-format on

void TestDeveloped::stops()
{
    QFETCH(SubjectData, input);
    QFETCH(Stop, stop);
    QFETCH(bool, circumferences);
    const DevelopedData data = develop(input, italian());
    QCOMPARE(data.stop, stop);
    QCOMPARE(data.circumferences.has_value(), circumferences);
    QCOMPARE(data.message.text.empty(), stop == Stop::Completed);
    if (stop == Stop::NotNumeric)
        QCOMPARE(data.message.text, std::string("I valori inseriti nelle caselle di testo non "
                                                "sono validi: Ripetere l'operazione!"));
}

QTEST_APPLESS_MAIN(TestDeveloped)
#include "tst_developed.moc"
