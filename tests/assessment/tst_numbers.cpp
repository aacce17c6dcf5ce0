#include "assessment/numbers.h"
#include "locales.h"

#include <QtTest>

using namespace assessment;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void readNumber_data();
    void readNumber();
    void isNumeric_data();
    void isNumeric();
    void acceptedTextsReadAsMeant_data();
    void acceptedTextsReadAsMeant();
    void signedNumberText_data();
    void signedNumberText();
    void localNumberText_data();
    void localNumberText();
    void standardFormat_data();
    void standardFormat();
    void readStandardFormatRoundTrips_data();
    void readStandardFormatRoundTrips();
    void withDecimalPoint_data();
    void withDecimalPoint();
};

// clang-format off
void TestNumbers::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("point") << "1.70" << 1.7;
    QTest::newRow("comma stops") << "1,70" << 1.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("trailing unit") << "72kg" << 72.0;
    QTest::newRow("blanks inside") << " 1 . 7 " << 1.7;
    QTest::newRow("tabs and line feeds") << "\t\n12" << 12.0;
    QTest::newRow("minus") << "-5" << -5.0;
    QTest::newRow("plus") << "+5" << 5.0;
    QTest::newRow("double sign") << "--5" << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("second point stops") << "2.5.3" << 2.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("bare exponent mark") << "7e" << 7.0;
    QTest::newRow("caption") << " 2621.05 Kcal/giorno" << 2621.05;
}
// clang-format on

void TestNumbers::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(assessment::readNumber(text.toStdString()), expected);
}

// clang-format off
void TestNumbers::isNumeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("point") << "1.70" << true;
    QTest::newRow("comma") << "1,70" << true;
    QTest::newRow("whole") << "70" << true;
    QTest::newRow("blanks around") << "  42 " << true;
    QTest::newRow("tabs around") << "\t42\t" << true;
    QTest::newRow("minus") << "-5" << true;
    QTest::newRow("plus and leading mark") << "+.5" << true;
    QTest::newRow("trailing mark") << "5." << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("only blanks") << "   " << false;
    QTest::newRow("only mark") << "." << false;
    QTest::newRow("only sign") << "-" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("digits then letters") << "12abc" << false;
    QTest::newRow("two marks") << "1.2.3" << false;
    QTest::newRow("grouped thousands") << "1.000,5" << false;
    QTest::newRow("exponent") << "1e3" << false;
    QTest::newRow("hexadecimal") << "&H10" << false;
    QTest::newRow("blank inside") << "1 000" << false;
    QTest::newRow("sign after blank inside") << "5-" << false;
}
// clang-format on

void TestNumbers::isNumeric()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(assessment::isNumeric(text.toStdString()), expected);
}

// clang-format off
void TestNumbers::acceptedTextsReadAsMeant_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("meant");
    QTest::newRow("1.000 is one") << "1.000" << 1.0;
    QTest::newRow("1,000 is one") << "1,000" << 1.0;
    QTest::newRow("comma decimal") << "72,5" << 72.5;
    QTest::newRow("signed") << " -0,5 " << -0.5;
}
// clang-format on

void TestNumbers::acceptedTextsReadAsMeant()
{
    QFETCH(QString, text);
    QFETCH(double, meant);
    const std::string typed = text.toStdString();
    QVERIFY(assessment::isNumeric(typed));
    QCOMPARE(assessment::readNumber(assessment::withDecimalPoint(typed)), meant);
}

// clang-format off
void TestNumbers::signedNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 65.0 << " 65";
    QTest::newRow("decimals") << 68.75 << " 68.75";
    QTest::newRow("negative") << -5.0 << "-5";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("below one") << 0.5 << " 0.5";
    QTest::newRow("binary noise dropped") << 1.55 * 1691 << " 2621.05";
    QTest::newRow("fifteen digits") << 1.0 / 3 << " 0.333333333333333";
    QTest::newRow("large") << 1234567.0 << " 1234567";
}
// clang-format on

void TestNumbers::signedNumberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(assessment::signedNumberText(value)), expected);
}

// clang-format off
void TestNumbers::localNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("italian");
    QTest::addColumn<QString>("english");
    QTest::newRow("factor") << 1.55 << "1,55" << "1.55";
    QTest::newRow("one decimal") << 2.1 << "2,1" << "2.1";
    QTest::newRow("energy") << 2621.05 << "2621,05" << "2621.05";
    QTest::newRow("no grouping") << 1234567.0 << "1234567" << "1234567";
    QTest::newRow("negative") << -1.5 << "-1,5" << "-1.5";
}
// clang-format on

void TestNumbers::localNumberText()
{
    QFETCH(double, value);
    QFETCH(QString, italian);
    QFETCH(QString, english);
    QCOMPARE(QString::fromStdString(assessment::localNumberText(value, ::italian())), italian);
    QCOMPARE(QString::fromStdString(assessment::localNumberText(value, ::english())), english);
}

// clang-format off
void TestNumbers::standardFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("italian");
    QTest::addColumn<QString>("english");
    QTest::newRow("index") << 65 / (1.7 * 1.7) << "22,49" << "22.49";
    QTest::newRow("half away from zero") << 262.105 << "262,11" << "262.11";
    QTest::newRow("grouped") << 1703.6825 << "1.703,68" << "1,703.68";
    QTest::newRow("padded") << 975.0 << "975,00" << "975.00";
    QTest::newRow("zero") << 0.0 << "0,00" << "0.00";
    QTest::newRow("millions") << 1234567.891 << "1.234.567,89" << "1,234,567.89";
    QTest::newRow("negative") << -1234.5 << "-1.234,50" << "-1,234.50";
    QTest::newRow("tiny half") << 0.005 << "0,01" << "0.01";
    QTest::newRow("tiny negative") << -0.001 << "0,00" << "0.00";
    QTest::newRow("carry into grouping") << 999.995 << "1.000,00" << "1,000.00";
}
// clang-format on

void TestNumbers::standardFormat()
{
    QFETCH(double, value);
    QFETCH(QString, italian);
    QFETCH(QString, english);
    QCOMPARE(QString::fromStdString(assessment::standardFormat(value, ::italian())), italian);
    QCOMPARE(QString::fromStdString(assessment::standardFormat(value, ::english())), english);
}

// clang-format off
void TestNumbers::readStandardFormatRoundTrips_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("small") << 262.11;
    QTest::newRow("grouped") << 1703.68;
    QTest::newRow("millions") << 1234567.89;
    QTest::newRow("negative") << -1234.5;
}
// clang-format on

void TestNumbers::readStandardFormatRoundTrips()
{
    QFETCH(double, value);
    for (const auto &separators : {::italian(), ::english()}) {
        const std::string text = assessment::standardFormat(value, separators);
        QCOMPARE(assessment::readStandardFormat(text, separators), value);
    }
}

// clang-format off
void TestNumbers::withDecimalPoint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma") << "72,5" << "72.5";
    QTest::newRow("first comma only") << "1,2,3" << "1.2,3";
    QTest::newRow("no comma") << "1.80" << "1.80";
    QTest::newRow("empty") << "" << "";
}
// clang-format on

void TestNumbers::withDecimalPoint()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(assessment::withDecimalPoint(text.toStdString())), expected);
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
