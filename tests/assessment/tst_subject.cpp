#include "assessment/subject.h"

#include <QtTest>

using namespace assessment;

Q_DECLARE_METATYPE(assessment::ImplausibleValue)

namespace {

SubjectData subject(const char *height, const char *weight, const char *age)
{
    return {"Rossi Mario",        height, weight, age, Sex::Maschile, ActivityLevel::Leggera,
            Constitution::Normale};
}

} // namespace

class TestSubject : public QObject
{
    Q_OBJECT

private slots:
    void completeness_data();
    void completeness();
    void implausibleValues_data();
    void implausibleValues();
};

// clang-format off
void TestSubject::completeness_data()
{
    QTest::addColumn<SubjectData>("input");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("numeric");

    QTest::newRow("all given") << subject("1.70", "70", "30") << true << true;
    QTest::newRow("name not needed") << SubjectData{"", "1.70", "70", "30", Sex::Femminile,
                                                    ActivityLevel::Pesante, Constitution::Magra}
                                     << true << true;
    QTest::newRow("empty weight") << subject("1.70", "", "30") << false << false;
    QTest::newRow("empty height") << subject("", "70", "30") << false << false;
    QTest::newRow("empty age") << subject("1.70", "70", "") << false << false;
    QTest::newRow("weight not a number") << subject("1.70", "abc", "30") << false << false;
    QTest::newRow("age not a number") << subject("1.70", "70", "ab") << true << false;
    QTest::newRow("height not a number") << subject("x", "70", "30") << true << false;

    auto noSex = subject("1.70", "70", "30");
    noSex.sex.reset();
    QTest::newRow("no sex") << noSex << false << true;
    auto noLevel = subject("1.70", "70", "30");
    noLevel.activityLevel.reset();
    QTest::newRow("no activity level") << noLevel << false << true;
    auto noBuild = subject("1.70", "70", "30");
    noBuild.constitution.reset();
    QTest::newRow("no constitution") << noBuild << false << true;
}
// clang-format on

void TestSubject::completeness()
{
    QFETCH(SubjectData, input);
    QFETCH(bool, complete);
    QFETCH(bool, numeric);
    QCOMPARE(isComplete(input), complete);
    QCOMPARE(allNumeric(input), numeric);
}

// clang-format off
void TestSubject::implausibleValues_data()
{
    QTest::addColumn<SubjectData>("input");
    QTest::addColumn<ImplausibleValue>("expected");
    QTest::newRow("plausible") << subject("1.70", "70", "30") << ImplausibleValue::None;
    QTest::newRow("height at limit") << subject("2.3", "70", "30") << ImplausibleValue::None;
    QTest::newRow("height above") << subject("2.31", "70", "30") << ImplausibleValue::Height;
    QTest::newRow("height zero") << subject("0", "70", "30") << ImplausibleValue::Height;
    QTest::newRow("height negative") << subject("-1", "70", "30") << ImplausibleValue::Height;
    QTest::newRow("weight zero") << subject("1.70", "0", "30") << ImplausibleValue::Weight;
    QTest::newRow("weight negative") << subject("1.70", "-70", "30") << ImplausibleValue::Weight;
    QTest::newRow("age zero") << subject("1.70", "70", "0") << ImplausibleValue::None;
    QTest::newRow("age negative") << subject("1.70", "70", "-1") << ImplausibleValue::Age;
    QTest::newRow("height before weight") << subject("0", "0", "-1") << ImplausibleValue::Height;
    QTest::newRow("weight before age") << subject("1.70", "0", "-1") << ImplausibleValue::Weight;
}
// clang-format on

void TestSubject::implausibleValues()
{
    QFETCH(SubjectData, input);
    QFETCH(ImplausibleValue, expected);
    QCOMPARE(firstImplausibleValue(input), expected);
}

QTEST_APPLESS_MAIN(TestSubject)
#include "tst_subject.moc"
