// "Conferma stampa ..." through a real print queue: a private scheduler whose
// default printer writes PDF files.

#include "message_catcher.h"
#include "ui/form1_driver.h"
#include "ui/report/printed_page.h"
#include "ui/report/private_scheduler.h"

#include <QtTest>
#include <pwd.h>
#include <unistd.h>

class TestForm2Print : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printsOnePage();

private:
    PrivateScheduler m_scheduler;
};

void TestForm2Print::initTestCase()
{
    if (geteuid() != 0)
        QSKIP("the PDF printer's backend runs only for root");
    registerFontSubstitutes();
    QLocale::setDefault(italianLocale());
    QVERIFY2(m_scheduler.start(), qPrintable(m_scheduler.error()));
}

void TestForm2Print::cleanupTestCase()
{
    m_scheduler.stop();
}

void TestForm2Print::printsOnePage()
{
    // The PDF printer writes into the job owner's own folder.
    const QDir output(QString::fromLocal8Bit(getpwuid(geteuid())->pw_dir) + "/PDF");
    const QStringList before = output.entryList({"*.pdf"});

    Form1 form;
    Form1Driver driver(&form);
    QVERIFY(showActive(&form));
    driver.enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    driver.press("Command1");
    driver.press("Command2");
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != &form);
    QWidget *report = QApplication::activeWindow();
    QPushButton *print = report->findChild<QPushButton *>("Command1");

    QCOMPARE(answeringMessages([&] { print->click(); }).size(), 0);
    QVERIFY(print->isVisible());

    QString printed;
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QStringList now = output.entryList({"*.pdf"});
            for (const QString &name : now) {
                if (!before.contains(name))
                    printed = output.filePath(name);
            }
            return !printed.isEmpty() && PrivateScheduler::queueEmpty();
        },
        60000));
    QTest::qWait(500); // the backend closes the file after the queue empties

    QCOMPARE(pdfPageCount(printed), 1);
    print->hide();
    const QImage window = report->grab().toImage();
    print->show();
    const double difference = pageDifference(printedArea(pdfFirstPage(printed, 150)), window);
    qInfo("printed page differs from the window in %.2f %% of its pixels", difference * 100);
    QVERIFY(difference < 0.01);
    QFile::remove(printed);
}

QTEST_MAIN(TestForm2Print)
#include "tst_form2_print.moc"
