#include "assessment/developed.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

Q_DECLARE_METATYPE(assessment::Sex)
Q_DECLARE_METATYPE(assessment::GrowthReference)
Q_DECLARE_METATYPE(assessment::WeightClass)

class TestGrowthReference : public QObject
{
    Q_OBJECT

private slots:
    void placement_data();
    void placement();
    void classBounds_data();
    void classBounds();
    void tableEnds_data();
    void tableEnds();
    void outsideTheReference_data();
    void outsideTheReference();
};

namespace {

const Sex boy = Sex::Maschile;
const Sex girl = Sex::Femminile;
const GrowthReference who2006 = GrowthReference::Who2006;
const GrowthReference who2007 = GrowthReference::Who2007;

} // namespace

// clang-format off
void TestGrowthReference::placement_data()
{
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<int>("age");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("weight");
    QTest::addColumn<GrowthReference>("reference");
    QTest::addColumn<int>("tableAge");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("centile");
    QTest::addColumn<QString>("weightClass");
    QTest::addColumn<QString>("idealWeight");
    QTest::addColumn<QString>("line");

    // WHO's worked examples; a table read a month or a sex off misses their z.
    QTest::newRow("boy 10") << boy << 10 << 1.40 << 38.0 << who2007 << 126 << 1.22 << 88.9
        << "in Sovrappeso" << " 32.69 Kg" << "OMS 2007: z +1,22, 88,9° centile";
    QTest::newRow("girl 6") << girl << 6 << 1.15 << 20.0 << who2007 << 78 << -0.12 << 45.0
        << "in Normopeso" << " 20.26 Kg" << "OMS 2007: z -0,12, 45,0° centile";
    QTest::newRow("girl 15") << girl << 15 << 1.60 << 50.0 << who2007 << 186 << -0.35 << 36.4
        << "in Normopeso" << "" << "OMS 2007: z -0,35, 36,4° centile";
    QTest::newRow("boy 12") << boy << 12 << 1.50 << 60.0 << who2007 << 150 << 2.46 << 99.3
        << "Obeso" << "" << "OMS 2007: z +2,46, 99,3° centile";
    QTest::newRow("girl 8, restricted below -3") << girl << 8 << 1.20 << 16.0 << who2007 << 102
        << -3.85 << 0.0 << "in Sottopeso" << "" << "OMS 2007: z -3,85, < 0,1° centile";
    QTest::newRow("boy 3, 2006 by day") << boy << 3 << 0.98 << 15.0 << who2006 << 1278 << 0.14
        << 55.6 << "in Normopeso" << "" << "OMS 2006: z +0,14, 55,6° centile";
    QTest::newRow("girl 4, at risk") << girl << 4 << 1.02 << 19.0 << who2006 << 1644 << 1.80
        << 96.4 << "in Normopeso" << "" << "OMS 2006: z +1,80, 96,4° centile";
    QTest::newRow("boy 16, restricted above 3") << boy << 16 << 1.60 << 110.0 << who2007 << 198
        << 4.19 << 100.0 << "Obeso" << "" << "OMS 2007: z +4,19, > 99,9° centile";
}
// clang-format on

void TestGrowthReference::placement()
{
    QFETCH(Sex, sex);
    QFETCH(int, age);
    QFETCH(double, height);
    QFETCH(double, weight);
    QFETCH(GrowthReference, reference);
    QFETCH(int, tableAge);
    QFETCH(double, z);
    QFETCH(double, centile);
    QFETCH(QString, weightClass);
    QFETCH(QString, idealWeight);
    QFETCH(QString, line);

    const WeightAssessment w = assessWeight(sex, age, height, weight, "", italian());
    QVERIFY(w.growth);
    QCOMPARE(w.growth->reference, reference);
    QCOMPARE(w.growth->ageMonths, age * 12 + 6);
    QCOMPARE(w.growth->tableAge, tableAge);
    QCOMPARE(w.growth->z, z);
    QCOMPARE(w.growth->centile, centile);
    QCOMPARE(QString::fromStdString(w.weightClassText), weightClass);
    QCOMPARE(QString::fromStdString(w.growthText), line);
    QCOMPARE(*w.idealWeightKg, w.growth->medianWeightKg);
    if (!idealWeight.isEmpty())
        QCOMPARE(QString::fromStdString(w.idealWeightText), idealWeight);
    // The ideal weight is where the index would be the median, z 0.
    QVERIFY(std::abs(zScore(w.growth->lms, *w.idealWeightKg / (height * height))) < 0.01);
}

void TestGrowthReference::classBounds_data()
{
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<int>("age");
    QTest::addColumn<double>("z");
    QTest::addColumn<QString>("weightClass");
    QTest::addColumn<bool>("atRisk");

    struct Bound
    {
        double z;
        const char *below, *above; // the class at the bound, and just past it
        bool riskBelow, riskAbove;
    };
    // 2 to 4 years, WHO 2006: risk above +1, overweight above +2, obesity above +3.
    const Bound young[] = {{-2, "in Sottopeso", "in Normopeso", false, false},
                           {1, "in Normopeso", "in Normopeso", false, true},
                           {2, "in Normopeso", "in Sovrappeso", true, false},
                           {3, "in Sovrappeso", "Obeso", false, false}};
    // 5 to 17 years, WHO 2007: overweight above +1, obesity above +2.
    const Bound older[] = {{-2, "in Sottopeso", "in Normopeso", false, false},
                           {1, "in Normopeso", "in Sovrappeso", false, false},
                           {2, "in Sovrappeso", "Obeso", false, false}};
    for (const Sex sex : {boy, girl}) {
        for (const int age : {2, 4, 5, 17}) {
            const auto add = [&](const Bound &b) {
                const QString tag =
                    QStringLiteral("%1 %2 years, z %3").arg(captionOf(sex)).arg(age).arg(b.z);
                // Sottopeso is below −2; every other class runs up to its bound.
                const bool lower = b.z < 0;
                QTest::newRow(qPrintable(tag + " - 0.01"))
                    << sex << age << b.z - 0.01 << b.below << b.riskBelow;
                QTest::newRow(qPrintable(tag)) << sex << age << b.z << (lower ? b.above : b.below)
                                               << (lower ? false : b.riskBelow);
                QTest::newRow(qPrintable(tag + " + 0.01"))
                    << sex << age << b.z + 0.01 << b.above << b.riskAbove;
            };
            if (age < 5) {
                for (const Bound &b : young)
                    add(b);
            } else {
                for (const Bound &b : older)
                    add(b);
            }
        }
    }
}

void TestGrowthReference::classBounds()
{
    QFETCH(Sex, sex);
    QFETCH(int, age);
    QFETCH(double, z);
    QFETCH(QString, weightClass);
    QFETCH(bool, atRisk);
    const GrowthReference reference = *growthReferenceFor(age);
    const int months = middleOfYearMonths(age);
    const Lms lms = *lmsAt(reference, sex, tableAgeOf(reference, months));
    const double height = 1.2;
    const double index = valueAtZ(lms, z);
    const WeightAssessment w =
        assessWeight(sex, age, height, index * height * height, "", english());
    QCOMPARE(w.growth->z, z);
    QCOMPARE(QString::fromStdString(w.weightClassText), weightClass);
    QCOMPARE(w.growth->atRiskOfOverweight, atRisk);
    QCOMPARE(w.growthNote.empty(), !atRisk);
}

void TestGrowthReference::tableEnds_data()
{
    QTest::addColumn<GrowthReference>("reference");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<int>("age");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("s");
    // Day 731 is the first standing row: the lying row of day 730 has L -0.6473.
    QTest::newRow("2006 boys first") << who2006 << boy << 731 << -0.6187 << 16.0189 << 0.07785;
    QTest::newRow("2006 girls first") << who2006 << girl << 731 << -0.5684 << 15.6881 << 0.08454;
    QTest::newRow("2006 boys last") << who2006 << boy << 1826 << -0.6889 << 15.1917 << 0.08699;
    QTest::newRow("2006 girls last") << who2006 << girl << 1826 << -0.5684 << 15.2747 << 0.09789;
    QTest::newRow("2007 boys first") << who2007 << boy << 61 << -0.7387 << 15.2641 << 0.08390;
    QTest::newRow("2007 girls first") << who2007 << girl << 61 << -0.8886 << 15.2441 << 0.09692;
    QTest::newRow("2007 boys last") << who2007 << boy << 228 << -0.8419 << 22.1883 << 0.12948;
    QTest::newRow("2007 girls last") << who2007 << girl << 228 << -0.7496 << 21.4269 << 0.14441;
}

void TestGrowthReference::tableEnds()
{
    QFETCH(GrowthReference, reference);
    QFETCH(Sex, sex);
    QFETCH(int, age);
    QFETCH(double, l);
    QFETCH(double, m);
    QFETCH(double, s);
    const std::optional<Lms> lms = lmsAt(reference, sex, age);
    QVERIFY(lms);
    QCOMPARE(lms->l, l);
    QCOMPARE(lms->m, m);
    QCOMPARE(lms->s, s);
    const bool first = age == 731 || age == 61;
    QVERIFY(!lmsAt(reference, sex, first ? age - 1 : age + 1));
}

void TestGrowthReference::outsideTheReference_data()
{
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("idealWeight");
    QTest::addColumn<QString>("weightClass");
    QTest::addColumn<QString>("line");
    // Adults keep Lorentz and the program's bounds.
    QTest::newRow("man 18") << boy << "18"
                            << " 65 Kg"
                            << "in Normopeso"
                            << "";
    QTest::newRow("woman 18") << girl << "18"
                              << " 60 Kg"
                              << "in Normopeso"
                              << "";
    QTest::newRow("1 year") << boy << "1"
                            << "non definito"
                            << "in età < 2 anni"
                            << "Sotto i 2 anni nessuna classe";
    QTest::newRow("half a year") << girl << ".5"
                                 << "non definito"
                                 << "in età < 2 anni"
                                 << "Sotto i 2 anni nessuna classe";
}

void TestGrowthReference::outsideTheReference()
{
    QFETCH(Sex, sex);
    QFETCH(QString, age);
    QFETCH(QString, idealWeight);
    QFETCH(QString, weightClass);
    QFETCH(QString, line);
    SubjectData subject{
        "", "1.70", "65", age.toStdString(), sex, ActivityLevel::Leggera, Constitution::Normale};
    const DevelopedData data = develop(subject, italian());
    QCOMPARE(data.stop, Stop::Completed);
    QVERIFY(!data.weight.growth);
    QCOMPARE(QString::fromStdString(data.weight.idealWeightText), idealWeight);
    QCOMPARE(QString::fromStdString(data.weight.weightClassText), weightClass);
    QCOMPARE(QString::fromStdString(data.weight.growthText), line);
}

QTEST_GUILESS_MAIN(TestGrowthReference)
#include "tst_growth_reference.moc"
