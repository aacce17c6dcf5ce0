#include "report/printed_page.h"
#include "ui/accesslog/access_log_pages.h"

#include <QtTest>

// A subject's log on paper: however long, every row once, in order, over as
// many pages as it takes.
class TestAccessLogPages : public QObject
{
    Q_OBJECT

private slots:
    void everyRowOnceOverItsPages_data();
    void everyRowOnceOverItsPages();
};

void TestAccessLogPages::everyRowOnceOverItsPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("a page full") << 50 << 1;
    QTest::newRow("one more") << 51 << 2;
    QTest::newRow("two years of visits") << 120 << 3;
}

void TestAccessLogPages::everyRowOnceOverItsPages()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QList<LoggedAccess> accesses;
    const QDateTime newest(QDate(2026, 12, 10), QTime(18, 0));
    for (int i = 0; i < rows; ++i)
        accesses << LoggedAccess{newest.addSecs(-3600 * i), "dietista_rossi",
                                 QString("pc-%1").arg(i, 3, 10, QChar('0')),
                                 "consultazione valutazioni"};
    KeptSubject subject;
    subject.id = 7;
    subject.name = "Rossi Mario";
    QTemporaryDir folder;
    const QString pdf = folder.filePath("registro.pdf");
    QCOMPARE(saveAsPdf(accessLogPages(subject, accesses, QLocale(), QDate(2026, 12, 11)), pdf),
             PrintOutcome::Printed);
    QCOMPARE(pdfPageCount(pdf), pages);
    const QString text = pdfText(pdf);
    QCOMPARE(text.count(QRegularExpression("\\bpc-\\d{3}\\b")), rows);
    int last = -1;
    for (int i = 0; i < rows; ++i) {
        const int at = text.indexOf(QString("pc-%1").arg(i, 3, 10, QChar('0')));
        QVERIFY2(at > last, qPrintable(QString::number(i)));
        last = at;
    }
    QVERIFY(text.contains(QString("Pagina %1 di %1").arg(pages)));
    QCOMPARE(text.contains("Nessun accesso registrato."), rows == 0);
}

QTEST_MAIN(TestAccessLogPages)
#include "tst_access_log_pages.moc"
