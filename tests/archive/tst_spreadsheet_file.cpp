#include "archive/spreadsheet_file.h"
#include "archive_fixture.h"
#include "csv_reader.h"

#include <QProcess>
#include <QtTest>

// The spreadsheet file read back as a spreadsheet would read it.
class TestSpreadsheetFile : public QObject
{
    Q_OBJECT

private slots:
    void readBack_data();
    void readBack();
    void namesKeptAsText_data();
    void namesKeptAsText();
    void failedWriteLeavesTheOldFile();
};

namespace {

const SpreadsheetFormat italianFormat = spreadsheetFormat(",", "dd/MM/yyyy HH:mm");
const SpreadsheetFormat englishFormat = spreadsheetFormat(".", "MM/dd/yyyy HH:mm");

SubjectCourse courseOf(const QString &name, QList<KeptAssessment> assessments)
{
    KeptSubject subject;
    subject.id = 17;
    subject.name = name;
    return {subject, assessments};
}

QStringList readRow(const QList<SubjectCourse> &courses, const SpreadsheetFormat &format, int row)
{
    const ReadCsv read = readCsv(spreadsheetBytes(courses, format), format.fieldSeparator);
    return read.rows.value(row);
}

} // namespace

void TestSpreadsheetFile::readBack_data()
{
    QTest::addColumn<bool>("italianSettings");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QStringList>("cells"); // from "Data" to "Glucidi (g)", as read
    QTest::newRow("Italian") << true << "30" << QStringList{"08/12/2026 11:15",
                                                            "Rossi Mario",
                                                            "17",
                                                            "Maschile",
                                                            "30",
                                                            "1,7",
                                                            "70,5",
                                                            "Leggera",
                                                            "Normale",
                                                            "65",
                                                            "24,39",
                                                            "in Normopeso",
                                                            "1696,8",
                                                            "1,55",
                                                            "2630,04",
                                                            "263",
                                                            "65,75",
                                                            "657,51",
                                                            "73,06",
                                                            "1709,53",
                                                            "427,38"};
    QTest::newRow("English") << false << "30" << QStringList{"12/08/2026 11:15",
                                                             "Rossi Mario",
                                                             "17",
                                                             "Maschile",
                                                             "30",
                                                             "1.7",
                                                             "70.5",
                                                             "Leggera",
                                                             "Normale",
                                                             "65",
                                                             "24.39",
                                                             "in Normopeso",
                                                             "1696.8",
                                                             "1.55",
                                                             "2630.04",
                                                             "263",
                                                             "65.75",
                                                             "657.51",
                                                             "73.06",
                                                             "1709.53",
                                                             "427.38"};
    // No activity factor below 10 years: an empty cell, not a zero; the class,
    // ideal weight, z and centile from the growth reference.
    QTest::newRow("age 9")
        << true << "9"
        << QStringList{
               "08/12/2026 11:15", "Rossi Mario", "17",    "Maschile", "9",    "1,7", "70,5",
               "Leggera",          "Normale",     "46,91", "24,39",    "Obeso"};
}

void TestSpreadsheetFile::readBack()
{
    QFETCH(bool, italianSettings);
    QFETCH(QString, age);
    QFETCH(QStringList, cells);
    const SpreadsheetFormat format = italianSettings ? italianFormat : englishFormat;
    KeptAssessment kept = developedAssessment("1.70", "70.5", qPrintable(age));
    // A role is anyone's choice of text, a formula's start included.
    kept.savedBy = QStringLiteral("-dietista");
    const QList<SubjectCourse> courses = {courseOf("Rossi Mario", {kept})};
    const ReadCsv read = readCsv(spreadsheetBytes(courses, format), format.fieldSeparator);

    QVERIFY(read.byteOrderMark);
    QVERIFY(read.crlfOnly);
    QCOMPARE(format.fieldSeparator, QChar(italianSettings ? ';' : ','));
    QCOMPARE(read.rows.size(), 2);
    const QStringList header = read.rows[0];
    QCOMPARE(header.mid(0, 9), (QStringList{"Data", "Cognome e nome", "Codice soggetto", "Sesso",
                                            "Età (anni)", "Altezza (metri)", "Peso reale (Kg)",
                                            "Attività fisica", "Costituzione corporea"}));
    QCOMPARE(header.size(), 27);
    QCOMPARE(header.mid(24), (QStringList{"Punteggio z IMC", "Centile IMC", "Salvata da"}));
    QCOMPARE(read.rows[1].size(), header.size());
    QCOMPARE(read.rows[1].mid(0, cells.size()), cells);
    if (age == "9")
        QCOMPARE(read.rows[1][header.indexOf("Livello di attività fisica (LAF)")], QString());
    QCOMPARE(read.rows[1].mid(21, 3), (QStringList{"91", "70", "56"}));
    const QStringList growth = age == "9" ? QStringList{"2,86", "99,8"} : QStringList{"", ""};
    QCOMPARE(read.rows[1].mid(24, 2), growth);
    QCOMPARE(read.rows[1].last(), QStringLiteral("'-dietista"));
}

void TestSpreadsheetFile::namesKeptAsText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cell");
    QTest::newRow("separators and quotes") << "D\"Amico; Rossi, \"Mario\""
                                           << "D\"Amico; Rossi, \"Mario\"";
    QTest::newRow("line break") << "Rossi\r\nMario"
                                << "Rossi\r\nMario";
    QTest::newRow("formula") << "=HYPERLINK(\"x\";\"y\")"
                             << "'=HYPERLINK(\"x\";\"y\")";
    QTest::newRow("plus") << "+39 333 1234567"
                          << "'+39 333 1234567";
    QTest::newRow("minus") << "-2+3"
                           << "'-2+3";
    QTest::newRow("at") << "@SOMMA(1;2)"
                        << "'@SOMMA(1;2)";
    QTest::newRow("tab") << "\t=1"
                         << "'\t=1";
    QTest::newRow("carriage return") << "\r=1"
                                     << "'\r=1";
    QTest::newRow("accents") << "Società Àlù"
                             << "Società Àlù";
}

void TestSpreadsheetFile::namesKeptAsText()
{
    QFETCH(QString, name);
    QFETCH(QString, cell);
    for (const SpreadsheetFormat &format : {italianFormat, englishFormat}) {
        const QStringList row = readRow({courseOf(name, {developedAssessment()})}, format, 1);
        QCOMPARE(row.size(), 27);
        QCOMPARE(row[1], cell);
        QCOMPARE(row[0],
                 QString(format.decimalMark == "," ? "08/12/2026 11:15" : "12/08/2026 11:15"));
    }
}

// A disk that fills up half-way: the file that was there stays as it was.
void TestSpreadsheetFile::failedWriteLeavesTheOldFile()
{
    if (!isRoot())
        QSKIP("a small filesystem of its own needs root");
    QTemporaryDir folder;
    QCOMPARE(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder.path()}),
             0);
    const QString target = folder.filePath("Nutrivo.csv");
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("before");
    old.close();

    QList<KeptAssessment> many(2000, developedAssessment());
    const bool written = writeSpreadsheet(target, {courseOf("Rossi Mario", many)}, italianFormat);
    QByteArray content;
    {
        QFile after(target);
        after.open(QIODevice::ReadOnly);
        content = after.readAll();
    }
    const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    QProcess::execute("umount", {folder.path()});
    QVERIFY(!written);
    QCOMPARE(content, QByteArray("before"));
    QCOMPARE(left, QStringList{"Nutrivo.csv"});
}

QTEST_GUILESS_MAIN(TestSpreadsheetFile)
#include "tst_spreadsheet_file.moc"
