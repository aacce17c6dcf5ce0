// What one "Conferma stampa ..." costs through a real print queue: the
// handler's time, and how far it raises the process's peak memory.

#include "message_catcher.h"
#include "process_memory.h"
#include "ui/form1_driver.h"
#include "ui/report/private_scheduler.h"

#include <QtTest>

class BenchPrint : public QObject, private Form1Fixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    // First: the peak can only grow, so it is read before any other print.
    void peakMemoryOfOnePrint();
    void printHandler();

private:
    PrivateScheduler m_scheduler;
    QPushButton *m_print = nullptr;
};

void BenchPrint::initTestCase()
{
    if (const QString why = PrivateScheduler::whyNothingPrints(); !why.isEmpty())
        QSKIP(qPrintable(why));
    registerFontSubstitutes();
    QVERIFY2(m_scheduler.start(), qPrintable(m_scheduler.error()));
    QVERIFY(openForm());
    QWidget *report = openDevelopedReport();
    QVERIFY(report);
    m_print = report->findChild<QPushButton *>("Command1");
}

void BenchPrint::cleanupTestCase()
{
    m_scheduler.stop();
    closeForm();
}

void BenchPrint::peakMemoryOfOnePrint()
{
    const long before = peakResidentKilobytes();
    QCOMPARE(answeringMessages([this] { m_print->click(); }).size(), 0);
    const long growth = peakResidentKilobytes() - before;
    qInfo("peak resident memory grew by %ld kB during one print", growth);
    QVERIFY(growth <= 30 * 1024);
}

void BenchPrint::printHandler()
{
    QBENCHMARK
    {
        m_print->click();
    }
}

QTEST_MAIN(BenchPrint)
#include "bench_print.moc"
