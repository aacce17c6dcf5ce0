#include "assessment/working.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

// The working's numbers against the figures the window shows.
class TestWorking : public QObject
{
    Q_OBJECT

private slots:
    void numbersAreTheShownFigures_data();
    void numbersAreTheShownFigures();
    void notesForTheAge_data();
    void notesForTheAge();
    void equationOfTheAgeBand_data();
    void equationOfTheAgeBand();
    void growthReferenceWorked_data();
    void growthReferenceWorked();
};

namespace {

SubjectData subject(const char *height, const char *weight, const char *age, Sex sex,
                    ActivityLevel level = ActivityLevel::Leggera)
{
    return {"Rossi Mario", height, weight, age, sex, level, Constitution::Normale};
}

// The number a calculation ends on: after its last "=", "→" or ":".
double lastNumber(const std::string &calculation, const Separators &separators)
{
    const QString text = QString::fromStdString(calculation);
    qsizetype at = -1;
    for (const QString before : {" = ", " → ", ": "}) {
        if (text.lastIndexOf(before) >= 0)
            at = std::max(at, text.lastIndexOf(before) + before.size() - 1);
    }
    const QString tail = text.mid(at + 1).section(' ', 0, 0);
    return readStandardFormat(tail.toStdString(), separators);
}

const WorkingStep &step(const Working &working, const char *figure)
{
    for (const WorkingStep &step : working.steps) {
        if (step.figure == figure)
            return step;
    }
    qFatal("no step %s", figure);
}

} // namespace

Q_DECLARE_METATYPE(assessment::SubjectData)

// Every age band of both tables, both sexes, the three levels.
void TestWorking::numbersAreTheShownFigures_data()
{
    QTest::addColumn<SubjectData>("input");
    const auto row = [](const char *tag, const SubjectData &input) { QTest::newRow(tag) << input; };
    row("2 years", subject("0.90", "13", "2", Sex::Femminile));
    row("3 years", subject("0.96", "14.5", "3", Sex::Maschile, ActivityLevel::Pesante));
    row("9 years", subject("1.33", "29", "9", Sex::Femminile));
    row("10 years", subject("1.38", "32", "10", Sex::Maschile, ActivityLevel::Moderata));
    row("15 years", subject("1,68", "58,4", "15", Sex::Femminile));
    row("18 years", subject("1.80", "72", "18", Sex::Maschile, ActivityLevel::Pesante));
    row("30 years", subject("1.70", "70", "30", Sex::Maschile));
    row("45 years", subject("1.62", "81.5", "45", Sex::Femminile, ActivityLevel::Moderata));
    row("59 years, obese", subject("1.75", "98", "59", Sex::Maschile, ActivityLevel::Pesante));
    row("60 years", subject("1.58", "45", "60", Sex::Femminile));
    row("75 years", subject("1.66", "77.7", "75", Sex::Maschile, ActivityLevel::Moderata));
    row("grouped thousands", subject("2.10", "140", "25", Sex::Maschile, ActivityLevel::Pesante));
}

void TestWorking::numbersAreTheShownFigures()
{
    QFETCH(SubjectData, input);
    for (const Separators &separators : {italian(), english()}) {
        const DevelopedData data = develop(input, separators);
        QCOMPARE(data.stop, Stop::Completed);
        const Working working = workingOf(input, data, separators);
        QCOMPARE(working.steps.size(), size_t(12));
        const auto shows = [&](const char *figure, const std::string &shown, double value) {
            const WorkingStep &s = step(working, figure);
            QCOMPARE(QString::fromStdString(s.result).trimmed(),
                     QString::fromStdString(shown).trimmed());
            QVERIFY2(std::abs(lastNumber(s.calculation, separators) - value) < 0.005,
                     s.calculation.c_str());
        };
        shows("Peso ideale", data.weight.idealWeightText, *data.weight.idealWeightKg);
        shows("Indice di massa corporea", data.weight.bodyMassIndexText,
              readStandardFormat(data.weight.bodyMassIndexText, separators));
        shows("Metabolismo basale", data.energy.basalMetabolismText,
              data.energy.basalMetabolismKcal);
        shows("Fabbisogno energetico giornaliero", data.energy.dailyEnergyText,
              data.energy.dailyEnergyKcal);
        if (data.energy.activityFactor)
            shows("Livello di attività fisica (LAF)", data.energy.activityFactorText,
                  *data.energy.activityFactor);
        for (const auto &[name, share] :
             {std::pair{"Protidi", data.split.protidi}, std::pair{"Lipidi", data.split.lipidi},
              std::pair{"Glucidi", data.split.glucidi}}) {
            const WorkingStep &s = step(working, name);
            QVERIFY(s.result.find(share.kcalText + " Kcal") == 0);
            QVERIFY(s.calculation.find("= " + share.kcalText + " Kcal") != std::string::npos);
            QCOMPARE(lastNumber(s.calculation, separators), share.grams);
        }
        shows("Fianchi ideali", data.circumferences->hipsText, data.circumferences->hipsCm);
        shows("Vita ideale", data.circumferences->waistText, data.circumferences->waistCm);
        shows("Cosce ideali", data.circumferences->thighsText, data.circumferences->thighsCm);
        const WorkingStep &weightClass = step(working, "Classe di peso");
        QCOMPARE(weightClass.result, data.weight.weightClassText);
        QVERIFY(weightClass.calculation.find(data.weight.bodyMassIndexText) == 0);
    }
}

void TestWorking::notesForTheAge_data()
{
    QTest::addColumn<QString>("age");
    QTest::addColumn<bool>("noFactor");
    QTest::addColumn<bool>("growing");
    QTest::addColumn<bool>("oneFactorForAll");
    QTest::newRow("9") << "9" << true << true << false;
    QTest::newRow("15") << "15" << false << true << true;
    QTest::newRow("40") << "40" << false << false << false;
}

void TestWorking::notesForTheAge()
{
    QFETCH(QString, age);
    QFETCH(bool, noFactor);
    QFETCH(bool, growing);
    QFETCH(bool, oneFactorForAll);
    const SubjectData input = subject("1.40", "35", qPrintable(age), Sex::Maschile);
    const Working working = workingOf(input, develop(input, italian()), italian());
    const auto notes = [&](const char *figure) {
        QStringList all;
        for (const std::string &note : step(working, figure).notes)
            all << QString::fromStdString(note);
        return all.join(' ');
    };
    QCOMPARE(notes("Livello di attività fisica (LAF)").contains("Sotto i 10 anni"), noFactor);
    QCOMPARE(step(working, "Fabbisogno energetico giornaliero").result,
             std::string(noFactor ? "0 Kcal/giorno"
                                  : step(working, "Fabbisogno energetico "
                                                  "giornaliero")
                                        .result));
    QCOMPARE(notes("Classe di peso").contains("curve di crescita"), growing);
    QCOMPARE(notes("Livello di attività fisica (LAF)").contains("stesso fattore"), oneFactorForAll);
    QVERIFY(notes("Peso ideale").contains("costituzione corporea"));
}

void TestWorking::equationOfTheAgeBand_data()
{
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("calculation");
    QTest::newRow("2") << "2"
                       << "Maschi, meno di 3 anni: 59,5 × 70 − 31 = 4134 Kcal/giorno";
    QTest::newRow("17") << "17"
                        << "Maschi, 10-17 anni: 17,7 × 70 + 650 = 1889 Kcal/giorno";
    QTest::newRow("30") << "30"
                        << "Maschi, 30-59 anni: 11,6 × 70 + 879 = 1691 Kcal/giorno";
    QTest::newRow("80") << "80"
                        << "Maschi, 75 anni e oltre: 8,4 × 70 + 819 = 1407 Kcal/giorno";
}

void TestWorking::equationOfTheAgeBand()
{
    QFETCH(QString, age);
    QFETCH(QString, calculation);
    const SubjectData input = subject("1.70", "70", qPrintable(age), Sex::Maschile);
    const Working working = workingOf(input, develop(input, italian()), italian());
    QCOMPARE(QString::fromStdString(step(working, "Metabolismo basale").calculation), calculation);
}

void TestWorking::growthReferenceWorked_data()
{
    QTest::addColumn<SubjectData>("input");
    QTest::addColumn<QString>("classCalculation"); // its end
    QTest::addColumn<QString>("idealCalculation"); // its start
    QTest::addColumn<QString>("note");             // one of the class's notes
    QTest::newRow("girl of 6")
        << subject("1.15", "20", "6", Sex::Femminile)
        << ": z = ((15,1229 ÷ 15,32)^-1,1728 − 1) ÷ (-1,1728 × 0,10471) = -0,12, "
           "45,0° centile: in Normopeso"
        << "Femmine, 78 mesi (OMS 2007): L -1,1728, M 15,32, S 0,10471; 15,32 × 1,15"
        << "6 anni e 6 mesi = 78 mesi.";
    QTest::newRow("boy of 3, by day")
        << subject("0.98", "15", "3", Sex::Maschile) << "= +0,14, 55,6° centile: in Normopeso"
        << "Maschi, 1278 giorni (OMS 2006)"
        << "42 mesi = 1278 giorni";
    QTest::newRow("girl of 4, at risk")
        << subject("1.02", "19", "4", Sex::Femminile) << "= +1,80, 96,4° centile: in Normopeso"
        << "Femmine, 1644 giorni (OMS 2006)"
        << "a rischio di sovrappeso";
    QTest::newRow("boy of 12, restricted")
        << subject("1.50", "60", "12", Sex::Maschile) << "= +2,46, 99,3° centile: Obeso"
        << "Maschi, 150 mesi (OMS 2007)"
        << "Fino ai 17 anni";
    QTest::newRow("infant") << subject("0.75", "9", "1", Sex::Maschile)
                            << "16,00 a 1 anno: nessuna classe"
                            << "nessun peso ideale a 1 anno"
                            << "Sotto i 2 anni";
}

// The table, the age used, L, M and S and the formula with the subject's numbers.
void TestWorking::growthReferenceWorked()
{
    QFETCH(SubjectData, input);
    QFETCH(QString, classCalculation);
    QFETCH(QString, idealCalculation);
    QFETCH(QString, note);
    const DevelopedData data = develop(input, italian());
    const Working working = workingOf(input, data, italian());
    const WorkingStep &weightClass = step(working, "Classe di peso");
    const QString calculation = QString::fromStdString(weightClass.calculation);
    QVERIFY2(calculation.endsWith(classCalculation), qPrintable(calculation));
    QVERIFY2(QString::fromStdString(step(working, "Peso ideale").calculation)
                 .startsWith(idealCalculation),
             step(working, "Peso ideale").calculation.c_str());
    QStringList notes;
    for (const std::string &text : weightClass.notes)
        notes << QString::fromStdString(text);
    QVERIFY2(notes.join(' ').contains(note), qPrintable(notes.join('|')));
    QVERIFY(weightClass.source.find(data.weight.growth ? "OMS" : "Child Growth") !=
            std::string::npos);
}

QTEST_GUILESS_MAIN(TestWorking)
#include "tst_working.moc"
