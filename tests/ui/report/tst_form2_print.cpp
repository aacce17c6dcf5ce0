// "Conferma stampa ..." through a real print queue: a private scheduler whose
// default printer writes PDF files.

#include "message_catcher.h"
#include "ui/form1_driver.h"
#include "ui/report/printed_page.h"
#include "ui/report/private_scheduler.h"

#include <QtTest>

class TestForm2Print : public QObject, private Form1Fixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void printsOnePage();
    void refusedJob();

private:
    PrivateScheduler m_scheduler;
    QWidget *m_report = nullptr;
    QPushButton *m_print = nullptr;
};

void TestForm2Print::initTestCase()
{
    if (const QString why = PrivateScheduler::whyNothingPrints(); !why.isEmpty())
        QSKIP(qPrintable(why));
    registerFontSubstitutes();
    QVERIFY2(m_scheduler.start(), qPrintable(m_scheduler.error()));
}

void TestForm2Print::cleanupTestCase()
{
    m_scheduler.stop();
}

void TestForm2Print::init()
{
    QVERIFY(openForm());
    m_report = openDevelopedReport();
    QVERIFY(m_report);
    m_print = m_report->findChild<QPushButton *>("Command1");
}

void TestForm2Print::cleanup()
{
    closeForm();
}

void TestForm2Print::printsOnePage()
{
    QCOMPARE(answeringMessages([&] { m_print->click(); }).size(), 0);
    QVERIFY(m_print->isVisible());

    QVERIFY(QTest::qWaitFor(
        [&] { return !m_scheduler.printed().isEmpty() && PrivateScheduler::queueEmpty(); }, 60000));
    QTest::qWait(500); // the backend closes the file after the queue empties
    QCOMPARE(m_scheduler.printed().size(), 1);
    const QString printed = m_scheduler.printed().constFirst();

    QCOMPARE(pdfPageCount(printed), 1);
    m_print->hide();
    const QImage window = m_report->grab().toImage();
    m_print->show();
    const double difference = pageDifference(printedArea(pdfFirstPage(printed, 150)), window);
    qInfo("printed page differs from the window in %.2f %% of its pixels", difference * 100);
    QVERIFY(difference < 0.01);
    // Lines and glyphs, not a picture of the page (the PDF printer turns the
    // fonts into drawings of its own, so its text is not searchable).
    QCOMPARE(pdfPictures(printed), QStringList());
}

void TestForm2Print::refusedJob()
{
    PrivateScheduler::acceptJobs(false);
    const auto messages = answeringMessages([&] { m_print->click(); });
    PrivateScheduler::acceptJobs(true);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QString("Stampa sviluppo"));
    QCOMPARE(messages[0].text,
             QString("La stampa non è riuscita: controllare la stampante e riprovare."));
    QCOMPARE(messages[0].icon, QMessageBox::Warning);
    QVERIFY(m_print->isVisible());
}

QTEST_MAIN(TestForm2Print)
#include "tst_form2_print.moc"
